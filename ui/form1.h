// Form1, the program's one window: four inputs, the calculate button, four
// results and their captions.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "controls.h"
#include "handles.h"
#include "load_sheet.h"

namespace tarquel {

class Form1 {
public:
    explicit Form1(HINSTANCE instance) : instance_(instance) {}
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates and shows the window with the focus in the Kx box.
    // Returns null if the window could not be created.
    HWND Create(int show);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnCommand(int id, UINT code);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnActivate(UINT state);
    LRESULT OnNotify(const NMHDR& header);
    void OnContextMenu(POINT screen);
    void OnFirstMouseMove(WPARAM wParam, LPARAM lParam);

    void Calculate();
    void CreateResultTips();
    void PlaceResultTips();
    const Field* ResultAt(POINT client) const;
    RECT RectInClient(HWND control) const;
    void LayOut();
    void LoadIcons();
    RECT PixelRect(const ControlSpec& entry) const;
    void FocusBox(HWND box);

    const ControlSpec* SpecOf(HWND control) const;
    HWND Box(Field field) const { return boxes_[static_cast<std::size_t>(field)]; }

    HINSTANCE instance_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::array<HWND, kControls.size()> controls_{};
    std::array<HWND, kFieldCount> boxes_{};
    UniqueFont font_;
    UniqueIcon bigIcon_, smallIcon_;  // the application icon at this DPI's sizes
    HWND lastFocus_ = nullptr;  // the control to give the focus back to on reactivation
    HWND tips_ = nullptr;       // the tooltip that shows a result whole; owned by the form
    bool tipsTried_ = false;
    std::wstring tipText_;      // what the tooltip shows now: it reads it after the notification
};

}  // namespace tarquel
