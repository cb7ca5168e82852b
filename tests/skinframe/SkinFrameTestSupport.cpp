#include "SkinFrameTestSupport.h"

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/GuiTestSupport.h"
#include "skin/SkinRefusal.h"

namespace skinframe {

FramedForm::FramedForm(vorlinde::TsuiUIStyle style, int width, int height, bool show)
    : form(std::make_unique<vl::TForm>(vl::Application)) {
    form->SetBorderStyle(vl::TFormBorderStyle::Single);
    frame = new vorlinde::TsuiForm(form.get());
    frame->SetParent(form.get());
    frame->SetUIStyle(style);
    form->SetBounds(60, 60, width, height);
    if (show) {
        PointAt(1000, 700);
        form->Show();
        SetForegroundWindow(form->Handle());
        Pump(30);
    }
}

std::unique_ptr<vl::TForm> LoadForm(const std::string& text) {
    auto form = std::make_unique<vl::TForm>(vl::Application);
    form->LoadFromText(text);
    return form;
}

RefusalRecorder::RefusalRecorder() {
    vorlinde::SkinRefusalOverride() = [this](const std::string& text) { texts.push_back(text); };
}

RefusalRecorder::~RefusalRecorder() { vorlinde::SkinRefusalOverride() = nullptr; }

void Pump(int ms) { vltest::Pump(ms); }

void PointAt(int x, int y) {
    SetCursorPos(x, y);
    Pump(10);
}

std::unique_ptr<vl::TBitmap> WindowShot(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(30);
    RECT r{};
    GetWindowRect(window, &r);
    auto shot = std::make_unique<vl::TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot->Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

uint32_t Px(vl::TBitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.ScanLine(y) + 4 * x;
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

}  // namespace skinframe
