#pragma once
// Helpers of the skinned frame tests: a form with a skinned frame, shown on the screen, and a
// recorder of the skin engine's refusals.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "skin/SkinForm.h"

namespace skinframe {

// A form of `width` x `height` at (60, 60) with a skinned frame in `style`, shown unless
// `show` is false.
struct FramedForm {
    explicit FramedForm(vorlinde::TsuiUIStyle style, int width = 300, int height = 200, bool show = true);
    std::unique_ptr<vl::TForm> form;
    vorlinde::TsuiForm* frame = nullptr;
    vorlinde::TsuiTitleBar& bar() const { return *frame->TitleBar(); }
};

// A form loaded from a form description text.
std::unique_ptr<vl::TForm> LoadForm(const std::string& text);

// The refusals shown while it lives.
class RefusalRecorder {
public:
    RefusalRecorder();
    ~RefusalRecorder();
    RefusalRecorder(const RefusalRecorder&) = delete;
    RefusalRecorder& operator=(const RefusalRecorder&) = delete;
    std::vector<std::string> texts;
};

void Pump(int ms);
// Moves the pointer to a screen point and lets the windows see it.
void PointAt(int x, int y);
// The window's whole rectangle as it is on the screen (frame included), read back.
std::unique_ptr<vl::TBitmap> WindowShot(HWND window);
uint32_t Px(vl::TBitmap& bitmap, int x, int y);

}  // namespace skinframe
