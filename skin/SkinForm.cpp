#include "skin/SkinForm.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/GdiOwners.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "skin/FileTheme.h"
#include "skin/FrameGeometry.h"
#include "skin/FramePainter.h"
#include "skin/MenuBar.h"
#include "skin/SkinRefusal.h"
#include "skin/TitleBarPopupMenu.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

namespace {

constexpr DWORD kCaptionBits = WS_CAPTION;  // WS_BORDER | WS_DLGFRAME

// Size events seen while a form maximised at creation stays maximised (shared by all frames).
int maximisedSizeEvents = 0;

TsuiForm* FrameOn(const vl::TForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TsuiForm*>(form->Controls(i)); frame && !frame->Inert()) return frame;
    return nullptr;
}

}  // namespace

const vl::TClassInfo& TsuiForm::StaticClass() {
    using F = TsuiForm;
    static const vl::TClassInfo info =
        vl::TClassBuilder<F>("TsuiForm", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("TitleBarCustom", &F::SetTitleBarCustom, &F::TitleBarCustom)
            .Reference("FileTheme", &F::SetFileTheme, &F::FileTheme)
            .Prop("UIStyle", &F::SetUIStyle, &F::UIStyle)
            .Prop("UIStyleAutoUpdateSub", &F::SetUIStyleAutoUpdateSub, &F::UIStyleAutoUpdateSub)
            .ColorProp("BorderColor", &F::SetBorderColor, &F::BorderColor)
            .Prop("BorderWidth", &F::SetBorderWidth, &F::BorderWidth)
            .Prop("TitleBarVisible", &F::SetTitleBarVisible, &F::TitleBarVisible)
            .Reference("FormPanel", &F::SetFormPanel, &F::FormPanel)
            .Custom("TitleBarButtons",
                    [](F& f, const vl::TPropValue& v) {
                        if (v.kind != vl::TPropValue::Kind::Collection) throw vl::EReadError("Collection expected");
                        if (f.titleBar_) f.titleBar_->Buttons().LoadFromItems(v.items);
                    })
            .Custom("TitleBarSections",
                    [](F& f, const vl::TPropValue& v) {
                        if (v.kind != vl::TPropValue::Kind::Collection) throw vl::EReadError("Collection expected");
                        if (f.titleBar_) f.titleBar_->Sections().LoadFromItems(v.items);
                    })
            .Prop("TitleBarDrawAppIcon", &F::SetTitleBarDrawAppIcon, &F::TitleBarDrawAppIcon)
            .Object("Font", &F::TitleFont)
            .Reference("Menu", &F::SetMenu, &F::Menu)
            .ColorProp("MenuBarColor", &F::SetMenuBarColor, &F::MenuBarColor)
            .Prop("MenuBarHeight", &F::SetMenuBarHeight, &F::MenuBarHeight)
            .Prop("RoundCorner", &F::SetRoundCorner, &F::RoundCorner)
            .Custom("Version", [](F&, const vl::TPropValue&) {}, [](const F&) { return vl::TPropValue::Str("5.4"); })
            .Event("OnTitleBarCustomBtnsClick", &F::OnTitleBarCustomBtnsClick)
            .Event("OnTitleBarHelpBtnClick", &F::OnTitleBarHelpBtnClick)
            .Build();
    return info;
}

TsuiForm::TsuiForm(vl::TComponent* owner) : vl::TWinControl(owner) {
    auto* host = dynamic_cast<vl::TForm*>(owner);
    if (!host || FrameOn(host)) return;  // inert
    host_ = host;
    host->Constraints()->SetMinHeight(50);
    host->Constraints()->SetMinWidth(125);
    creationBounds_ = host->BoundsRect();
    maximisedAtCreation_ = host->HandleAllocated() && IsZoomed(host->Handle());

    titleBar_ = new TsuiTitleBar(this);
    titleBar_->SetParent(this);
    titleBar_->OnHelpBtnClick = [this](vl::TObject* sender, int index) {
        if (OnTitleBarHelpBtnClick) OnTitleBarHelpBtnClick(sender, index);
    };
    titleBar_->OnCustomBtnsClick = [this](vl::TObject* sender, int index) {
        if (OnTitleBarCustomBtnsClick) OnTitleBarCustomBtnsClick(sender, index);
    };
    menuBarColor_ = Color();
    menuBarHeight_ = 22;
    SetUIStyle(TsuiUIStyle::DeepBlue);
    autoUpdateSub_ = false;
    SetAlign(vl::TAlign::Client);
    SetText(host->Caption());

    // The host loses its native caption; its client size stays what it was.
    const int clientWidth = host->ClientWidth(), clientHeight = host->ClientHeight();
    host->SetScaled(false);
    const vl::TFormBorderStyle border = host->BorderStyle();
    if (border == vl::TFormBorderStyle::None || border == vl::TFormBorderStyle::Single ||
        border == vl::TFormBorderStyle::ToolWindow)
        host->SetBorderStyle(vl::TFormBorderStyle::Dialog);
    // An overlapped window always gets a caption from the system when it is created, so the
    // host becomes a pop-up window (it keeps its owner, the application window).
    host->AdjustWindowStyles = [](DWORD& style, DWORD&) {
        style &= ~kCaptionBits;
        if (!(style & WS_CHILD)) style |= WS_POPUP;
    };
    host->SetClientWidth(clientWidth);
    host->SetClientHeight(clientHeight);

    hookId_ = host->AddWindowHook([this](vl::TMessage& msg) { return HostHook(msg); });
    if (vl::Application && !vl::Application->OnMessage) {
        vl::Application->OnMessage = [this](MSG& msg, bool& handled) { AppMessage(msg, handled); };
        appHookInstalled_ = true;
    }
    host->UpdateWindowStyles();
}

TsuiForm::~TsuiForm() {
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
    if (menu_) RemoveFreeNotification(menu_);
    if (!host_) return;
    beingDestroyed_ = true;
    host_->RemoveWindowHook(hookId_);
    host_->AdjustWindowStyles = nullptr;
    if (!host_->Destroying() && host_->HandleAllocated()) {
        SetWindowRgn(host_->Handle(), nullptr, TRUE);
        host_->UpdateWindowStyles();
    }
    if (appHookInstalled_ && vl::Application) vl::Application->OnMessage = nullptr;
}

bool TsuiForm::HostMinimised() const { return host_ && host_->HandleAllocated() && IsIconic(host_->Handle()); }

// ----------------------------------------------------------------------------------- properties

void TsuiForm::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    if (!titleBar_) return;
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme_, style, effective)) {
        borderColor_ = fileTheme_->GetColor(ThemeItem::FormBorderColor);
        borderWidth_ = fileTheme_->GetInt(ThemeItem::FormBorderWidthInt);
        SetColor(fileTheme_->GetColor(ThemeItem::FormBackgroundColor));
        if (menuBar_) {
            // The dark file themes give the menu bar a blue of their own.
            const uint32_t scheme = fileTheme_->GetColor(ThemeItem::ControlFontColor);
            menuBar_->SetColor(scheme == 131072   ? static_cast<uint32_t>(ColorRGB(59, 92, 172))
                               : scheme == 196608 ? static_cast<uint32_t>(ColorRGB(51, 102, 153))
                                                  : Color());
        }
        titleBar_->SetRoundCorner(fileTheme_->GetInt(ThemeItem::FormRoundCornerInt));
    } else {
        borderColor_ = GetBuiltInColor(effective, ThemeItem::FormBorderColor);
        borderWidth_ = GetBuiltInInt(effective, ThemeItem::FormBorderWidthInt);
        SetColor(GetBuiltInColor(effective, ThemeItem::FormBackgroundColor));
        menuBarColor_ = Color();
        if (menuBar_) menuBar_->SetColor(menuBarColor_);
        titleBar_->SetRoundCorner(GetBuiltInInt(effective, ThemeItem::FormRoundCornerInt));
    }
    titleBar_->SetFileTheme(fileTheme_);
    titleBar_->SetUIStyle(style);
    if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
        menu->SetUIStyle(style);
        menu->SetFileTheme(fileTheme_);
    }
    if (menuBar_) menuBar_->Rebuild();  // the captions' font and colours may have changed
    if (autoUpdateSub_) ApplyThemeToChildren(this, style, fileTheme_);
    LoadFormPattern();
    UpdateRegion();
    Invalidate();
    PaintFrame();
}

void TsuiForm::LoadFormPattern() {
    pattern_.Clear();
    const char* name = uiStyle_ == TsuiUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                       : uiStyle_ == TsuiUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                          : nullptr;
    if (name) pattern_.LoadFromResourceName(GetModuleHandleA(nullptr), name);
}

void TsuiForm::SetFileTheme(TsuiFileTheme* theme) {
    if (theme == fileTheme_) return;
    if (fileTheme_) RemoveFreeNotification(fileTheme_);
    fileTheme_ = theme;
    if (theme) FreeNotification(theme);
    SetUIStyle(uiStyle_);
}

void TsuiForm::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    PaintFrame();
}

void TsuiForm::SetBorderWidth(int width) {
    borderWidth_ = std::max(width, 0);
    PaintFrame();
}

bool TsuiForm::TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }

void TsuiForm::SetTitleBarVisible(bool on) {
    if (!titleBar_ || titleBar_->Visible() == on) return;
    titleBar_->SetVisible(on);
    titleBar_->SetTop(0);
    Realign();
    UpdateRegion();
    PaintFrame();
}

void TsuiForm::SetTitleBarCustom(bool on) {
    if (titleBar_) titleBar_->SetCustom(on);
}

void TsuiForm::SetTitleBarDrawAppIcon(bool on) {
    if (titleBar_) titleBar_->SetDrawAppIcon(on);
}

int TsuiForm::RoundCorner() const { return TitleBarVisible() ? titleBar_->RoundCorner() : 0; }

void TsuiForm::SetRoundCorner(int size) {
    if (!titleBar_) return;
    titleBar_->SetRoundCorner(size);
    UpdateRegion();
}

void TsuiForm::SetMenuBarColor(uint32_t color) {
    menuBarColor_ = color;
    if (menuBar_) menuBar_->SetColor(color);
    PaintFrame();
}

void TsuiForm::SetMenuBarHeight(int height) {
    menuBarHeight_ = height;
    if (menuBar_) menuBar_->SetButtonHeight(height);
}

void TsuiForm::SetMenu(vl::TMainMenu* menu) {
    if (menu_ == menu) return;
    if (menu_) RemoveFreeNotification(menu_);
    menu_ = menu;
    if (!menu) {
        FreeMenuBar();
        return;
    }
    FreeNotification(menu);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu)) {
        skinned->SetUIStyle(uiStyle_);
        skinned->SetFileTheme(fileTheme_);
    }
    if (!host_) return;
    if (!menuBar_) {
        menuBar_ = new TsuiMenuBar(this);
        menuBar_->SetColor(menuBarColor_);
        menuBar_->SetButtonHeight(menuBarHeight_);
        // Right below the title bar, above the frame's other top-aligned controls.
        if (titleBar_) menuBar_->SetTabOrder(titleBar_->TabOrder() + 1);
    }
    menuBar_->Rebuild();
    Realign();
    PaintFrame();
}

void TsuiForm::FreeMenuBar() {
    if (!menuBar_) return;
    TsuiMenuBar* bar = menuBar_;
    menuBar_ = nullptr;
    delete bar;
    Realign();
    PaintFrame();
}

void TsuiForm::SetFormPanel(vl::TWinControl* panel) {
    if (panel == this) {
        ShowSkinRefusal("Sorry, you can't select the Form assign to FormPanel property");
        return;
    }
    if (formPanel_) RemoveFreeNotification(formPanel_);
    formPanel_ = panel;
    if (!panel) return;
    FreeNotification(panel);
    panel->SetAlign(vl::TAlign::Client);
    if (auto* plain = dynamic_cast<vl::TPanel*>(panel)) {
        plain->SetBevelOuter(vl::TBevelCut::None);
        plain->SetBevelInner(vl::TBevelCut::None);
        plain->SetBorderStyle(vl::TBorderStyle::None);
    }
    panel->SetCaption("");
}

void TsuiForm::SetText(const std::string& text) {
    vl::TWinControl::SetText(text);
    if (titleBar_) titleBar_->SetCaption(text);
    if (host_ && host_->Caption() != text) host_->SetCaption(text);
}

void TsuiForm::ColorChanged() {
    vl::TWinControl::ColorChanged();
    PaintFrame();
}

void TsuiForm::Resized() {
    vl::TWinControl::Resized();
    if (titleBar_) titleBar_->SetTop(0);
}

void TsuiForm::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation != vl::TOperation::Remove) return;
    if (component == formPanel_) formPanel_ = nullptr;
    if (component == menu_) {
        menu_ = nullptr;
        FreeMenuBar();
    }
    if (component == menuBar_) menuBar_ = nullptr;
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        ApplyThemeToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
    if (component == titleBar_) titleBar_ = nullptr;
}

// ------------------------------------------------------------------------------------ painting

void TsuiForm::Paint(HDC dc, const RECT&) {
    const RECT client = ClientRect();
    vl::PaintBuffered(dc, client, [&](HDC mem) {
        if (!pattern_.Empty()) {
            pattern_.Dormant();
            const vl::TGdiBrush brush(CreatePatternBrush(pattern_.Handle()));
            FillRect(mem, &client, brush.Get());
        } else {
            vl::FillSolidRect(mem, client, vl::ColorToRGB(Color()));
        }
    });
    PaintFrame();
}

void TsuiForm::WndProc(vl::TMessage& msg) {
    if (msg.msg == WM_ERASEBKGND) {
        msg.result = 1;
        return;
    }
    vl::TWinControl::WndProc(msg);
}

void TsuiForm::PaintFrame() {
    if (beingDestroyed_ || !host_ || !host_->HandleAllocated() || HostMinimised() || !titleBar_) return;
    HWND hwnd = host_->Handle();
    RECT window{};
    GetWindowRect(hwnd, &window);
    TFramePaintInput in;
    in.width = window.right - window.left;
    in.height = window.bottom - window.top;
    in.borderWidth = borderWidth_;
    in.borderColor = borderColor_;
    in.color = Color();
    if (titleBar_->Visible()) {
        in.titleHeight = titleBar_->Height();
        TsuiTitleBarSections& sections = titleBar_->Sections();
        if (sections.Count() == 3) {
            in.left = sections.Items(0).Picture().Bitmap();
            in.right = sections.Items(1).Picture().Bitmap();
            in.client = sections.Items(2).Picture().Bitmap();
        }
    }
    in.roundCorner = titleBar_->RoundCorner();
    if (menuBar_ && menuBar_->Visible()) {
        in.menuBarHeight = menuBar_->Height();
        in.menuBarColor = menuBar_->Color();
    }
    const vl::TWholeWindowDC dc(hwnd);
    PaintSkinFrame(dc.Get(), in);
}

void TsuiForm::UpdateRegion() {
    if (!host_ || !host_->HandleAllocated() || beingDestroyed_) return;
    RECT window{};
    GetWindowRect(host_->Handle(), &window);
    vl::TGdiRegion region = MakeFrameRegion(window.right - window.left, window.bottom - window.top, RoundCorner());
    // The window takes the region over.
    if (SetWindowRgn(host_->Handle(), region.Get(), TRUE)) static_cast<void>(region.Release());
}

// ------------------------------------------------------------------------------- the host hook

bool TsuiForm::HostHook(vl::TMessage& msg) {
    // Messages that come while the frame goes away take the host's own way.
    if (beingDestroyed_) return false;
    if (msg.msg == WM_NCPAINT) {
        if (HostMinimised()) return false;
        PaintFrame();
        msg.result = 0;
        return true;
    }
    if (msg.msg == WM_NCCALCSIZE && msg.wParam && !HostMinimised()) {
        // The frame is 3 pixels wide on every side, whatever the host's border style.
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.lParam);
        InflateRect(&params->rgrc[0], -kSkinFrameWidth, -kSkinFrameWidth);
        msg.result = 0;
        return true;
    }
    host_->PassOn(hookId_, msg);
    switch (msg.msg) {
    case WM_ACTIVATE:
        if (titleBar_) titleBar_->SetFormActive(LOWORD(msg.wParam) != WA_INACTIVE);
        break;
    case WM_NCACTIVATE:
        // The system's answer drew its own frame.
        PaintFrame();
        break;
    case WM_STYLECHANGED:
        if (msg.wParam == static_cast<WPARAM>(GWL_STYLE) && (GetWindowLongA(host_->Handle(), GWL_STYLE) & kCaptionBits)) {
            SetWindowLongA(host_->Handle(), GWL_STYLE, GetWindowLongA(host_->Handle(), GWL_STYLE) & ~kCaptionBits);
            SetWindowPos(host_->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        break;
    case WM_SIZE:
        // The client area also changes when only the frame did (the caption went away).
        host_->Realign();
        HostSized(msg.wParam);
        PaintFrame();
        if (titleBar_) titleBar_->RefreshMaxButtons();
        UpdateRegion();
        break;
    }
    return true;
}

void TsuiForm::HostSized(WPARAM kind) {
    HWND hwnd = host_->Handle();
    const bool maximised = kind == SIZE_MAXIMIZED;
    if (maximisedAtCreation_) {
        if (maximised) {
            if (maximisedSizeEvents < 2) ++maximisedSizeEvents;
        } else {
            SetWindowPos(hwnd, nullptr, creationBounds_.left, creationBounds_.top,
                         creationBounds_.right - creationBounds_.left, creationBounds_.bottom - creationBounds_.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            maximisedAtCreation_ = false;
        }
    }
    if (!maximised) return;
    const RECT target = MaximisedBounds(WorkAreaForMaximising());
    RECT now{};
    GetWindowRect(hwnd, &now);
    if (!EqualRect(&now, &target))
        SetWindowPos(hwnd, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TsuiForm::AppMessage(MSG& msg, bool& handled) {
    vl::TWinControl* control = vl::TWinControl::FromHandle(msg.hwnd);
    TsuiForm* frame = control ? FrameOn(control->ParentForm()) : nullptr;
    if (!frame || !frame->titleBar_ || !frame->host_->HandleAllocated()) return;
    if (msg.message != WM_SYSCHAR || msg.wParam != ' ') {
        if (frame->MenuKey(msg)) handled = true;
        return;
    }
    // The system menu of the skinned window the key was typed in.
    RECT window{};
    GetWindowRect(frame->host_->Handle(), &window);
    handled = true;
    frame->titleBar_->PopupSystemMenu(window.left, window.top + frame->titleBar_->Height());
}

bool TsuiForm::MenuKey(const MSG& msg) {
    if (!menu_ || !menuBar_ || !menuBar_->Visible()) return false;
    if (GetForegroundWindow() != host_->Handle()) return false;
    switch (msg.message) {
    case WM_SYSCHAR: return menuBar_->DropDownAccelerator(static_cast<char>(msg.wParam));
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_F10) return menuBar_->DropDownFirst();
        [[fallthrough]];
    case WM_KEYDOWN: {
        const int shortCut = vl::ShortCut(static_cast<WORD>(msg.wParam), vl::KeyboardShiftState());
        if (!shortCut) return false;
        std::function<vl::TMenuItem*(vl::TMenuItem&)> find = [&](vl::TMenuItem& parent) -> vl::TMenuItem* {
            for (int i = 0; i < parent.Count(); ++i) {
                vl::TMenuItem* item = parent.Items(i);
                if (!item->Visible() || !item->Enabled()) continue;
                if (item->ShortCut() == shortCut) return item;
                if (vl::TMenuItem* inner = find(*item)) return inner;
            }
            return nullptr;
        };
        vl::TMenuItem* item = find(*menu_->Items());
        if (!item) return false;
        item->Click();
        return true;
    }
    }
    return false;
}

}  // namespace vorlinde
