// The calculation's sheet, bound to Form1's eight boxes.
#pragma once

#include <windows.h>

#include <array>

#include "load_sheet.h"

namespace tarquel {

class WindowSheet final : public LoadSheet {
public:
    // The boxes, indexed by Field.
    explicit WindowSheet(const std::array<HWND, kFieldCount>& boxes) : boxes_(boxes) {}

    std::string Read(Field field) const override;
    // Replaces the box's text at once (a read that follows sees it); the box
    // repaints as soon as the click has been handled. The focus stays where it is.
    void Write(Field field, std::string_view text) override;

private:
    std::array<HWND, kFieldCount> boxes_;
};

}  // namespace tarquel
