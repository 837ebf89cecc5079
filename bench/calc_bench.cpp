// The conversions beside the C library and the bare standard conversions on the
// same inputs, and one whole calculation. tools/bench.sh prints the ratios.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calculate_load.h"
#include "number_text.h"

namespace {

using namespace tarquel;

// Texts as the boxes hold them: typed inputs and written results.
const std::vector<std::string> kTexts = {
    "0.8", "100", "380", "0.75", "80", "60", "151.938738300717", "0.07",
    "0.221359436211787", "1.23456789012346E+15", "4.94065645841247E-324", "12.5",
};

std::vector<double> Values() {
    std::vector<double> values;
    for (const std::string& text : kTexts) values.push_back(std::strtod(text.c_str(), nullptr));
    return values;
}

void ParseNumberBench(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& text : kTexts) benchmark::DoNotOptimize(ParseNumber(text));
    state.SetItemsProcessed(state.iterations() * kTexts.size());
}

void Strtod(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& text : kTexts) benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
    state.SetItemsProcessed(state.iterations() * kTexts.size());
}

void FromChars(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& text : kTexts) {
            double value;
            benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(state.iterations() * kTexts.size());
}

void FormatNumberBench(benchmark::State& state) {
    const std::vector<double> values = Values();
    for (auto _ : state)
        for (double value : values) benchmark::DoNotOptimize(FormatNumber(value));
    state.SetItemsProcessed(state.iterations() * values.size());
}

void Snprintf(benchmark::State& state) {
    const std::vector<double> values = Values();
    char buffer[40];
    for (auto _ : state)
        for (double value : values) {
            benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.15G", value));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * values.size());
}

void ToChars(benchmark::State& state) {
    const std::vector<double> values = Values();
    char buffer[40];
    for (auto _ : state)
        for (double value : values) {
            benchmark::DoNotOptimize(
                std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * values.size());
}

void CalculateLoadBench(benchmark::State& state) {
    MemorySheet sheet("0.8", "100", "380", "0.75");
    for (auto _ : state) benchmark::DoNotOptimize(CalculateLoad(sheet));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(ParseNumberBench)->Name("ParseNumber");
BENCHMARK(Strtod)->Name("strtod");
BENCHMARK(FromChars)->Name("from_chars");
BENCHMARK(FormatNumberBench)->Name("FormatNumber");
BENCHMARK(Snprintf)->Name("snprintf_15G");
BENCHMARK(ToChars)->Name("to_chars_general_15");
BENCHMARK(CalculateLoadBench)->Name("CalculateLoad");

}  // namespace

BENCHMARK_MAIN();
