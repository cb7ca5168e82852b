#include "skin/controls/ListBox.h"

#include <cstdlib>

#include "framework/ClassBuilder.h"
#include "skin/FileTheme.h"
#include "skin/controls/ControlBorder.h"
#include "skin/controls/ScrollBar.h"

namespace vorlinde {

const vl::TClassInfo& TsuiListBox::StaticClass() {
    using L = TsuiListBox;
    static const vl::TClassInfo info = vl::TClassBuilder<L>("TsuiListBox", &vl::TListBox::StaticClass())
                                           .Creatable()
                                           .Reference("FileTheme", &L::SetFileTheme, &L::FileTheme)
                                           .Prop("UIStyle", &L::SetUIStyle, &L::UIStyle)
                                           .ColorProp("BorderColor", &L::SetBorderColor, &L::BorderColor)
                                           .Reference("VScrollBar", &L::SetVScrollBar, &L::VScrollBar)
                                           .Build();
    return info;
}

TsuiListBox::TsuiListBox(vl::TComponent* owner)
    : vl::TListBox(owner), uiStyle_(GetFormUIStyle(owner)), fileTheme_(*this) {
    // The skinned border replaces the framework's.
    SetBorderStyle(vl::TBorderStyle::None);
    borderColor_ = ControlBorderColor(nullptr, uiStyle_);
}

TsuiListBox::~TsuiListBox() { SetVScrollBar(nullptr); }

// ------------------------------------------------------------------------------ properties

void TsuiListBox::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    RedrawControlBorder(*this);
}

void TsuiListBox::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    TsuiUIStyle effective;
    UsingFileTheme(fileTheme_.Get(), uiStyle_, effective);
    borderColor_ = ControlBorderColor(fileTheme_.Get(), uiStyle_);
    if (bar_) bar_->SetUIStyle(effective);
    RedrawControlBorder(*this);
}

void TsuiListBox::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_.Set(theme);
    if (bar_) bar_->SetFileTheme(theme);
    SetUIStyle(uiStyle_);
}

void TsuiListBox::SetVScrollBar(TsuiScrollBar* bar) {
    if (bar == bar_) return;
    if (bar_) {
        RemoveFreeNotification(bar_);
        bar_->OnChange = nullptr;
        bar_->SetLineButton(0);
        bar_->SetMax(100);
        bar_->SetEnabled(true);
    }
    bar_ = bar;
    raisedBar_ = nullptr;
    if (!bar_) return;
    FreeNotification(bar_);
    bar_->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    bar_->OnChange = [this](vl::TObject*) { BarScrolled(); };
    Place();
}

void TsuiListBox::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TListBox::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == bar_) {
        bar_ = nullptr;
        raisedBar_ = nullptr;
    }
    if (fileTheme_.Forget(component)) SetUIStyle(TsuiUIStyle::DeepBlue);
}

// ------------------------------------------------------------------------ the linked bar

namespace {
// Sets a flag for a scope, also when the scope throws.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};
}  // namespace

void TsuiListBox::Sync() {
    if (!bar_ || !HandleAllocated()) return;
    TFlagScope syncing(syncing_);
    HWND h = Handle();
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    const bool native = GetScrollBarInfo(h, OBJID_VSCROLL, &info) &&
                        !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE));
    // A hidden list hides its bar too, whatever its items.
    if (native && Visible()) {
        bar_->SetLineButton(std::abs(info.xyThumbBottom - info.xyThumbTop));
        bar_->SetEnabled(true);
        bar_->Show();
    } else {
        bar_->SetLineButton(0);
        bar_->SetEnabled(false);
        bar_->Hide();
    }
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    if (!GetScrollInfo(h, SB_VERT, &scroll)) return;
    bar_->SetMax(scroll.nMax - static_cast<int>(scroll.nPage) + 1);
    bar_->SetMin(scroll.nMin);
    bar_->SetPosition(scroll.nPos);
}

void TsuiListBox::BarScrolled() {
    if (syncing_ || !HandleAllocated()) return;
    const int position = bar_->Position();
    // The scroll message carries 16 bits of position: longer lists are scrolled directly.
    if (position >= 0 && position <= 0xFFFF)
        SendMessageA(Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    else SetTopIndex(position);
    Sync();
}

void TsuiListBox::Place() {
    if (!bar_) return;
    const int left = Width() < bar_->Width() ? Left() : Left() + Width() - bar_->Width() - kControlBorderWidth;
    bar_->SetBounds(left, Top() + 1, bar_->Width(), Height() - 2);
    raisedBar_ = nullptr;  // and brought to the front again
    RaiseBar();
    Sync();
}

void TsuiListBox::RaiseBar() {
    if (!bar_ || !bar_->HandleAllocated() || bar_->Handle() == raisedBar_) return;
    // A child window made later lies below the ones made before it: the bar may have been
    // made after the list, so it is raised once its window exists.
    raisedBar_ = bar_->Handle();
    SetWindowPos(raisedBar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TsuiListBox::SetBounds(int left, int top, int width, int height) {
    vl::TListBox::SetBounds(left, top, width, height);
    Place();
}

// ---------------------------------------------------------------------------------- events

void TsuiListBox::WindowCreated() {
    vl::TListBox::WindowCreated();
    Place();
}

void TsuiListBox::EnabledChanged() {
    vl::TListBox::EnabledChanged();
    Sync();
}

void TsuiListBox::VisibleChanged() {
    vl::TListBox::VisibleChanged();
    if (Visible()) Sync();
    else if (bar_) bar_->Hide();
}

void TsuiListBox::WndProc(vl::TMessage& msg) {
    HandleWithControlBorder(msg, borderColor_, Color(), [this](vl::TMessage& m) { vl::TListBox::WndProc(m); });
    switch (msg.msg) {
    case WM_LBUTTONDOWN:
        dragging_ = true;
        Sync();
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        dragging_ = false;
        break;
    case WM_MOUSEMOVE:
    case WM_TIMER:  // the list's own scrolling while a press drags past its edge
        if (dragging_) Sync();
        break;
    case WM_MOVE:
    case WM_SIZE:
        Place();
        break;
    case WM_NCPAINT:
    case WM_PAINT:
        RaiseBar();
        break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCOUNT:
    case LB_SETITEMHEIGHT:
    case LB_SETTOPINDEX:  // the program scrolls the list
    case LB_SETCURSEL:    // a selection out of view scrolls it into view
    case WM_SETREDRAW:    // the native bar is brought up to date when drawing resumes
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
        Sync();
        break;
    default:
        break;
    }
}

}  // namespace vorlinde
