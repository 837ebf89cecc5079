#include "window_sheet.h"

#include "text.h"

namespace tarquel {

std::string WindowSheet::Read(Field field) const {
    return ToUtf8(WindowText(boxes_[static_cast<std::size_t>(field)]));
}

void WindowSheet::Write(Field field, std::string_view text) {
    const HWND box = boxes_[static_cast<std::size_t>(field)];
    SetWindowTextW(box, ToUtf16(text).c_str());
}

}  // namespace tarquel
