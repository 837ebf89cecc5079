// Owning wrappers for Windows handles: movable, not copyable, released once.
#pragma once

#include <windows.h>

#include <utility>

namespace tarquel {

template <typename Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

inline void ReleaseGdiFont(HFONT font) { DeleteObject(font); }
inline void ReleaseIcon(HICON icon) { DestroyIcon(icon); }
inline void ReleaseMenu(HMENU menu) { DestroyMenu(menu); }

using UniqueFont = UniqueHandle<HFONT, ReleaseGdiFont>;
using UniqueIcon = UniqueHandle<HICON, ReleaseIcon>;
using UniqueMenu = UniqueHandle<HMENU, ReleaseMenu>;

// A window's device context, released to that window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tarquel
