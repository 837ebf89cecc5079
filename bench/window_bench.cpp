// Start-up and click timings of the real program under the same Wine as a bare
// window, run alternately, plus the size of the release and the working set.
//   window_bench Tarquel.exe bare_window.exe [release Tarquel.exe] [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; *text; ++text) wide += static_cast<wchar_t>(*text == '/' ? '\\' : *text);
    if (!wide.empty() && wide[0] == L'\\') wide = L"Z:" + wide;
    return wide;
}

struct Launch {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double readyMs = 0;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return TRUE;  // shown, and taking keys
    search.found = window;
    return FALSE;
}

// Starts a program and measures the time until its window is shown with the focus in it.
Launch Start(const std::wstring& exe) {
    Launch launch;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const auto begin = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &launch.process)) {
        return launch;
    }
    Search search{launch.process.dwProcessId, nullptr};
    while (!search.found && Clock::now() - begin < std::chrono::seconds(30)) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    launch.window = search.found;
    launch.readyMs = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    return launch;
}

void Stop(Launch& launch) {
    if (launch.window) PostMessageW(launch.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(launch.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(launch.process.hProcess, 1);
    CloseHandle(launch.process.hProcess);
    CloseHandle(launch.process.hThread);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t buffer[32] = {};
        SendMessageW(child, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(buffer));
        if (std::wstring(buffer) == text) return child;
    }
    return nullptr;
}

// The edit boxes in creation order: Pjs, Qjs, Sjs, Ijs, Kx, Ps, Un, Tanφ.
std::vector<HWND> Boxes(HWND form) {
    std::vector<HWND> boxes;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (_wcsicmp(name, L"Edit") == 0) boxes.push_back(child);
    }
    return boxes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_bench Tarquel.exe bare_window.exe [release.exe] [runs]\n");
        return 2;
    }
    const std::wstring tarquel = Widen(argv[1]), bare = Widen(argv[2]);
    const int runs = argc > 4 ? std::atoi(argv[4]) : 15;

    // Start-up, alternating, after one unmeasured start of each to warm the caches.
    for (const std::wstring* exe : {&tarquel, &bare}) {
        Launch warm = Start(*exe);
        Stop(warm);
    }
    std::vector<double> tarquelMs, bareMs;
    SIZE_T workingSet = 0, peakWorkingSet = 0;
    for (int i = 0; i < runs; ++i) {
        Launch t = Start(tarquel);
        if (!t.window) {
            std::fprintf(stderr, "Tarquel did not start\n");
            return 1;
        }
        tarquelMs.push_back(t.readyMs);
        if (i == 0) {
            PROCESS_MEMORY_COUNTERS memory{};
            memory.cb = sizeof memory;
            GetProcessMemoryInfo(t.process.hProcess, &memory, sizeof memory);
            workingSet = memory.WorkingSetSize;
            peakWorkingSet = memory.PeakWorkingSetSize;
        }
        Stop(t);
        Launch b = Start(bare);
        bareMs.push_back(b.readyMs);
        Stop(b);
    }
    std::printf("launch to ready (window shown, focus in it), median of %d alternating runs:\n", runs);
    std::printf("  Tarquel       %8.1f ms\n", Median(tarquelMs));
    std::printf("  bare window   %8.1f ms\n", Median(bareMs));
    std::printf("  ratio         %8.2f   (goal <= 1.2)\n", Median(tarquelMs) / Median(bareMs));

    // Click to results: a sent BM_CLICK returns when the click has been handled;
    // the round trip of a sent WM_NULL is the cost of asking across processes.
    Launch t = Start(tarquel);
    const std::vector<HWND> boxes = Boxes(t.window);
    const HWND button = ChildWithText(t.window, L"计算");
    if (boxes.size() != 8 || !button) {
        std::fprintf(stderr, "controls not found\n");
        return 1;
    }
    const wchar_t* inputs[] = {L"0.8", L"100", L"380", L"0.75"};
    for (int i = 0; i < 4; ++i) SendMessageW(boxes[4 + i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(inputs[i]));
    std::vector<double> clickUs, nullUs;
    for (int i = 0; i < 200; ++i) {
        SendMessageW(boxes[3], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        auto begin = Clock::now();
        SendMessageW(t.window, WM_NULL, 0, 0);
        nullUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
        begin = Clock::now();
        SendMessageW(button, BM_CLICK, 0, 0);
        clickUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
    }
    wchar_t ijs[64] = {};
    SendMessageW(boxes[3], WM_GETTEXT, 64, reinterpret_cast<LPARAM>(ijs));
    Stop(t);
    std::printf("click to results, median of 200 (Ijs = %ls):\n", ijs);
    std::printf("  sent click     %8.1f us   (goal < 1000)\n", Median(clickUs));
    std::printf("  of which asking across processes, about %6.1f us\n", Median(nullUs));
    std::printf("working set after start, as Wine reports it: %zu KB (peak %zu KB)\n", workingSet / 1024,
                peakWorkingSet / 1024);

    if (argc > 3) {
        const std::wstring release = Widen(argv[3]);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExW(release.c_str(), GetFileExInfoStandard, &data)) {
            std::printf("release executable (32-bit): %lu KB   (goal < 400)\n", data.nFileSizeLow / 1024);
        }
    }
    return 0;
}
