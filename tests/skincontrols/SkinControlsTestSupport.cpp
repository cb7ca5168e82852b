#include "SkinControlsTestSupport.h"

#include <cstring>

#include "framework/Application.h"
#include "framework/GdiOwners.h"
#include "framework/GuiTestSupport.h"
#include "skin/FileTheme.h"

namespace skinctl {

std::unique_ptr<vl::TForm> ShowForm() {
    MoveMouseAway();
    auto form = std::make_unique<vl::TForm>(vl::Application);
    form->SetBounds(40, 40, 400, 300);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(30);
    return form;
}

void Pump(int ms) { vltest::Pump(ms); }

std::unique_ptr<vl::TBitmap> Screen(vl::TWinControl& control) {
    UpdateWindow(control.Handle());
    Pump(20);
    RECT r{};
    GetWindowRect(control.Handle(), &r);
    auto picture = std::make_unique<vl::TBitmap>(r.right - r.left, r.bottom - r.top);
    const vl::TScreenDC screen;
    BitBlt(picture->Canvas().Handle(), 0, 0, picture->Width(), picture->Height(), screen.Get(), r.left, r.top,
           SRCCOPY);
    return picture;
}

std::unique_ptr<vl::TBitmap> Print(vl::TWinControl& control) {
    auto picture = std::make_unique<vl::TBitmap>(control.Width(), control.Height());
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->Canvas().Handle()), PRF_CLIENT);
    return picture;
}

uint32_t Px(vl::TBitmap& bitmap, int x, int y) {
    GdiFlush();
    const uint8_t* p = bitmap.ScanLine(y) + x * 4;
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

bool SameBlock(vl::TBitmap& actual, int ax, int ay, vl::TBitmap& expected, int ex, int ey, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Px(actual, ax + x, ay + y) != Px(expected, ex + x, ey + y)) return false;
    return true;
}

int CountColor(vl::TBitmap& bitmap, const RECT& rect, uint32_t color) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (Px(bitmap, x, y) == color) ++n;
    return n;
}

std::unique_ptr<vl::TBitmap> StripImage(vorlinde::TsuiUIStyle style, int item, int count, int index) {
    auto image = std::make_unique<vl::TBitmap>();
    vorlinde::GetBuiltInStripBitmap(style, item, image.get(), count, index);
    return image;
}

vorlinde::TsuiFileTheme* MsnTheme(vl::TComponent* owner) {
    auto* theme = new vorlinde::TsuiFileTheme(owner);
    std::string path = VORLINDE_MSN_THEME;
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    theme->SetThemeFile(path);
    return theme;
}

void HoverOver(vl::TWinControl& control) {
    const POINT p = control.ClientToScreen(POINT{control.Width() / 2, control.Height() / 2});
    SetCursorPos(p.x, p.y);
    Pump(30);
    SendMessageA(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(control.Width() / 2, control.Height() / 2));
}

void MoveMouseAway() {
    SetCursorPos(1279, 799);
    Pump(10);
}

void SendMouse(vl::TWinControl& control, UINT msg, int x, int y) {
    const WPARAM keys = msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0;
    SendMessageA(control.Handle(), msg, keys, MAKELPARAM(x, y));
}

void SendKey(vl::TWinControl& control, UINT msg, WORD key) {
    const LPARAM flags = msg == WM_KEYUP ? static_cast<LPARAM>(0xC0000001) : 1;
    SendMessageA(control.Handle(), msg, key, flags);
}

void PressKeyInLoop(WORD key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    vl::Application->ProcessMessages();
}

HeldKeys::HeldKeys(std::initializer_list<int> virtualKeys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (int key : virtualKeys) state[key] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

TRecordingForm::TRecordingForm() : vl::TForm(vl::Application) { RegisterHandler("Counted", &TRecordingForm::Counted); }

void TRecordingForm::Counted(vl::TObject*) { ++counted; }

vl::TNotifyEvent Counter(int& count) {
    return [&count](vl::TObject*) { ++count; };
}

}  // namespace skinctl
