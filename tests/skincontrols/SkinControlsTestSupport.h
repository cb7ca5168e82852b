#pragma once
// Helpers of the skinned control tests: a shown form to put controls on, what a control shows
// on the screen or paints into a bitmap, the built-in strip images to compare with, the msn
// theme file, key and mouse messages, and modifier keys held for a test.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "skin/UIStyle.h"

namespace vorlinde {
class TsuiFileTheme;
}

namespace skinctl {

// A form owned by the application, 400 x 300 at (40, 40), shown, with the mouse pointer away
// from it; destroyed with the test.
std::unique_ptr<vl::TForm> ShowForm();

// A control of class T owned by `form`, placed on `parent` (the form by default) at the given
// bounds.
template <class T>
T* Add(vl::TForm& form, int left, int top, int width, int height, vl::TWinControl* parent = nullptr) {
    auto* control = new T(&form);
    control->SetParent(parent ? parent : &form);
    control->SetBounds(left, top, width, height);
    return control;
}

// Handles messages (painting, timers) for `ms` milliseconds.
void Pump(int ms);

// What the control shows on the screen, once pending painting is done.
std::unique_ptr<vl::TBitmap> Screen(vl::TWinControl& control);
// The control's own painting (WM_PRINTCLIENT) into a bitmap of its size.
std::unique_ptr<vl::TBitmap> Print(vl::TWinControl& control);
// A pixel as 0x00BBGGRR.
uint32_t Px(vl::TBitmap& bitmap, int x, int y);
// True when the rectangle of `actual` at (ax, ay) equals that of `expected` at (ex, ey).
bool SameBlock(vl::TBitmap& actual, int ax, int ay, vl::TBitmap& expected, int ex, int ey, int width, int height);
// The number of pixels of the rectangle that have this colour.
int CountColor(vl::TBitmap& bitmap, const RECT& rect, uint32_t color);

// Image `index` (from 1) of `count` of a built-in style's strip item.
std::unique_ptr<vl::TBitmap> StripImage(vorlinde::TsuiUIStyle style, int item, int count, int index);

// A file theme owned by `owner` with the msn theme file loaded.
vorlinde::TsuiFileTheme* MsnTheme(vl::TComponent* owner);

// Puts the mouse pointer on the middle of the control (the control sees it enter), or far
// from every test window.
void HoverOver(vl::TWinControl& control);
void MoveMouseAway();

// Messages as the system sends them to a control's window.
void SendMouse(vl::TWinControl& control, UINT msg, int x, int y);
void SendKey(vl::TWinControl& control, UINT msg, WORD key);
// Posts a key-down to the focused window and lets the application's message loop route it
// (dialog keys first, as a user's key press goes).
void PressKeyInLoop(WORD key);

// Holds modifier keys down in the thread's keyboard state for the scope.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> virtualKeys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// A form owned by the application that loads a form description; its handler "Counted" counts
// the events bound to it.
class TRecordingForm : public vl::TForm {
public:
    TRecordingForm();
    void Counted(vl::TObject* sender);
    int counted = 0;
};

// An event handler that counts its calls.
vl::TNotifyEvent Counter(int& count);

}  // namespace skinctl
