#include "skin/controls/MessageDialog.h"

#include <algorithm>
#include <memory>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "skin/SkinForm.h"
#include "skin/UIStyle.h"
#include "skin/controls/Button.h"
#include "skin/controls/DialogForms.h"

namespace vorlinde {

namespace {
constexpr int kIconCount = 4;
constexpr int kTextLeftBesideIcon = 88, kTextLeftAlone = 24;
constexpr int kNarrowerWithoutIcon = 64;
constexpr int kButtonWidth = 73, kButtonHeight = 25, kButtonStep = 93, kRightButtonFromEdge = 97;
constexpr int kGapAboveButtons = 20, kHeightBelowContent = 65;  // 20 + 25 buttons + 20
}  // namespace

const vl::TClassInfo& TsuiMessageDialog::StaticClass() {
    using D = TsuiMessageDialog;
    static const vl::TClassInfo info = [] {
        vl::TClassBuilder<D> b("TsuiMessageDialog", &TsuiDialog::StaticClass());
        b.Creatable()
            .Custom("ButtonCursor", [](D& d, const vl::TPropValue& v) { d.SetButtonCursor(vl::CursorFromPropValue(v)); },
                    [](const D& d) { return vl::TPropValue::Int(d.ButtonCursor()); })
            .Prop("ButtonCount", &D::SetButtonCount, &D::ButtonCount);
        const char* captionNames[] = {"Button1Caption", "Button2Caption", "Button3Caption"};
        const char* resultNames[] = {"Button1ModalResult", "Button2ModalResult", "Button3ModalResult"};
        for (int k = 1; k <= 3; ++k) {
            b.Custom(captionNames[k - 1], [k](D& d, const vl::TPropValue& v) { d.SetButtonCaption(k, v.AsString()); },
                     [k](const D& d) { return vl::TPropValue::Str(d.ButtonCaption(k)); });
            b.Custom(resultNames[k - 1], [k](D& d, const vl::TPropValue& v) { d.SetButtonModalResult(k, v.AsInt()); },
                     [k](const D& d) { return vl::TPropValue::Int(d.ButtonModalResult(k)); });
        }
        b.Prop("IconType", &D::SetIconType, &D::IconType).Prop("Text", &D::SetText, &D::Text);
        return b.Build();
    }();
    return info;
}

TsuiMessageDialog::TsuiMessageDialog(vl::TComponent* owner) : TsuiDialog(owner) {}

void TsuiMessageDialog::SetButtonCount(int count) { buttonCount_ = std::clamp(count, 1, 3); }

const std::string& TsuiMessageDialog::ButtonCaption(int k) const {
    static const std::string none;
    return k >= 1 && k <= 3 ? captions_[k - 1] : none;
}

void TsuiMessageDialog::SetButtonCaption(int k, const std::string& caption) {
    if (k >= 1 && k <= 3) captions_[k - 1] = caption;
}

int TsuiMessageDialog::ButtonModalResult(int k) const { return k >= 1 && k <= 3 ? results_[k - 1] : vl::mrNone; }

void TsuiMessageDialog::SetButtonModalResult(int k, int result) {
    if (k >= 1 && k <= 3) results_[k - 1] = result;
}

void TsuiMessageDialog::PlaceIcon(TfrmMsg& window) {
    if (iconType_ != TsuiIconType::suiNone) {
        window.lbl->SetLeft(kTextLeftBesideIcon);
        vl::TBitmap icons, icon;
        icons.LoadFromResourceName(GetModuleHandleA(nullptr), "MSGDLG");
        ExtractStripImage(icons, icon, kIconCount, static_cast<int>(iconType_));
        window.Image1->Picture()->Bitmap()->Assign(icon);
        return;
    }
    window.lbl->SetLeft(kTextLeftAlone);
    window.Image1->Hide();
    if (buttonCount_ < 3) window.SetWidth(window.Width() - kNarrowerWithoutIcon);
}

void TsuiMessageDialog::AddButtons(TfrmMsg& window, int bottom) {
    int x = window.Width() - kRightButtonFromEdge;
    for (int k = buttonCount_; k >= 1; --k) {
        auto* button = new TsuiButton(&window);
        button->SetParent(window.suiForm1);
        button->SetBounds(x, bottom + kGapAboveButtons, kButtonWidth, kButtonHeight);
        button->SetCursor(ButtonCursor());
        button->SetTabStop(true);
        button->SetTabOrder(1);
        x -= kButtonStep;
        button->SetCaption(ButtonCaption(k));
        const int result = ButtonModalResult(k);
        button->SetModalResult(result);
        button->SetCancel(result == vl::mrCancel);
        button->SetDefault(result == vl::mrOk);
        window.SetActiveControl(button);
        window.Buttons.push_back(button);
    }
}

int TsuiMessageDialog::Execute() {
    auto window = std::make_unique<TfrmMsg>(vl::Application);
    window->Font()->Assign(*Font());
    window->lbl->SetCaption(text_);
    // The icon's picture is not loaded yet: its stored bounds count.
    int bottom = std::max(window->Image1->Top() + window->Image1->Height(), window->lbl->Top() + window->lbl->Height());
    PlaceIcon(*window);
    AddButtons(*window, bottom);
    window->SetHeight(bottom + kHeightBelowContent);
    PrepareWindow(*window, *window->suiForm1);
    window->FocusWhenShown(window->Buttons.back());
    return window->ShowModal();
}

}  // namespace vorlinde
