// The eight texts a load calculation reads and writes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarquel {

// The quantities, in the order the window names them: four inputs, then four results.
enum class Field { Kx, Ps, Un, TanPhi, Pjs, Qjs, Sjs, Ijs };

inline constexpr std::size_t kFieldCount = 8;

inline constexpr std::array<Field, kFieldCount> kAllFields = {
    Field::Kx, Field::Ps, Field::Un, Field::TanPhi, Field::Pjs, Field::Qjs, Field::Sjs, Field::Ijs};

// The symbol as the window shows it (UTF-8): "Kx", "Ps", "Un", "Tanφ", "Pjs", "Qjs", "Sjs", "Ijs".
std::string_view Symbol(Field field);

// Texts are UTF-8. A field is always read and written whole; it may be empty.
// The window's sheet keeps no copy: a read returns what the box shows now,
// a write replaces the box's text at once.
class LoadSheet {
public:
    virtual ~LoadSheet() = default;
    virtual std::string Read(Field field) const = 0;
    virtual void Write(Field field, std::string_view text) = 0;
};

// A sheet that holds its own texts: for tests, tools and anything without a window.
class MemorySheet final : public LoadSheet {
public:
    MemorySheet() = default;
    MemorySheet(std::string_view kx, std::string_view ps, std::string_view un, std::string_view tanPhi)
        : texts_{std::string(kx), std::string(ps), std::string(un), std::string(tanPhi)} {}

    std::string Read(Field field) const override { return texts_[Index(field)]; }
    void Write(Field field, std::string_view text) override { texts_[Index(field)] = text; }

private:
    static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }
    std::array<std::string, kFieldCount> texts_;
};

}  // namespace tarquel
