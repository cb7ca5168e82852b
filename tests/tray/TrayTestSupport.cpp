#include "TrayTestSupport.h"

#include "framework/Application.h"
#include "framework/Menus.h"

namespace traytest {

namespace {
const char* ButtonName(vl::TMouseButton button) {
    switch (button) {
    case vl::TMouseButton::Left: return "left";
    case vl::TMouseButton::Right: return "right";
    case vl::TMouseButton::Middle: return "middle";
    }
    return "?";
}
}  // namespace

void TrayTest::SetUp() {
    vorlinde::TTrayIcon::ShellNotifyOverride = [this](DWORD message, const NOTIFYICONDATAA& data) {
        shellCalls.push_back({message, data});
        return shellAnswer;
    };
    vl::TPopupMenu::TrackOverride = [this](vl::TPopupMenu&, HMENU, int, int) -> UINT {
        events.push_back("menu");
        return 0;
    };
    vl::Application->OnException = [this](vl::TObject*, const std::exception_ptr& e) {
        exceptions.push_back(vl::ExceptionMessage(e));
    };
}

void TrayTest::TearDown() {
    delete form_;  // and the icon it owns
    form_ = nullptr;
    icon_ = nullptr;
    vl::Application->SetMainForm(nullptr);
    if (vl::Application->Minimized()) vl::Application->Restore();
    vl::Application->SetShowMainForm(true);
    Deliver();
    vl::Application->OnException = nullptr;
    vl::TPopupMenu::TrackOverride = nullptr;
    vorlinde::TTrayIcon::ShellNotifyOverride = nullptr;
    EXPECT_TRUE(exceptions.empty()) << exceptions.front();
}

vl::TForm* TrayTest::MainForm() {
    if (!form_) {
        form_ = new vl::TForm(vl::Application);
        form_->SetName("TrayTestForm");
        form_->SetBounds(100, 100, 300, 200);
        vl::Application->SetMainForm(form_);
    }
    return form_;
}

vorlinde::TTrayIcon* TrayTest::Icon() {
    if (!icon_) icon_ = new vorlinde::TTrayIcon(MainForm());
    return icon_;
}

void TrayTest::RecordEvents(vorlinde::TTrayIcon& icon) {
    icon.OnClick = [this](vl::TObject*) { events.push_back("click"); };
    icon.OnMouseDown = [this](vl::TObject*, vl::TMouseButton b, vl::TShiftState, int, int) {
        events.push_back(std::string("down:") + ButtonName(b));
    };
    icon.OnMouseUp = [this](vl::TObject*, vl::TMouseButton b, vl::TShiftState, int, int) {
        events.push_back(std::string("up:") + ButtonName(b));
    };
    icon.OnMouseMove = [this](vl::TObject*, vl::TShiftState, int, int) { events.push_back("move"); };
    icon.OnMouseEnter = [this](vl::TObject*) { events.push_back("enter"); };
    icon.OnMouseExit = [this](vl::TObject*) { events.push_back("exit"); };
    icon.OnBalloonHintShow = [this](vl::TObject*) { events.push_back("balloon-show"); };
    icon.OnBalloonHintHide = [this](vl::TObject*) { events.push_back("balloon-hide"); };
    icon.OnBalloonHintTimeout = [this](vl::TObject*) { events.push_back("balloon-timeout"); };
    icon.OnBalloonHintClick = [this](vl::TObject*) { events.push_back("balloon-click"); };
}

void TrayTest::Post(vorlinde::TTrayIcon& icon, UINT code) { PostFor(icon.Identifier(), code); }

void TrayTest::PostFor(UINT id, UINT code) {
    PostMessageA(vorlinde::TTrayIconHandler::Window(), vorlinde::TrayCallbackMessage, id, code);
}

void TrayTest::Deliver() { vl::Application->ProcessMessages(); }

int TrayTest::Count(DWORD message) const {
    int n = 0;
    for (const ShellCall& c : shellCalls)
        if (c.message == message) ++n;
    return n;
}

int TrayTest::CountEvent(const std::string& name) const {
    int n = 0;
    for (const std::string& e : events)
        if (e == name) ++n;
    return n;
}

}  // namespace traytest
