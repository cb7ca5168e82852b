// The tray icon: its notification record, the calls it makes to the shell, and the events it
// raises for the notifications the shell posts to the shared handler window.
#include <windows.h>

#include <chrono>
#include <string>

#include "TrayTestSupport.h"
#include "framework/Application.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "tests/framework/GuiTestSupport.h"

namespace {

using traytest::Field;
using traytest::TrayTest;
using vorlinde::TTrayIcon;
using vorlinde::TTrayIconHandler;

// --- the notification record

using TrayIconRecord = TrayTest;

TEST_F(TrayIconRecord, SizeIsThePlatformsVersionTwoRecordWithBalloonFields) {
    // 504 in a 64-bit program: 488 there is read as the old record, without balloons.
    EXPECT_EQ(Icon()->IconData().cbSize, sizeof(void*) == 8 ? 504u : 488u);
    EXPECT_EQ(Icon()->IconData().cbSize, NOTIFYICONDATAA_V2_SIZE);
}

TEST_F(TrayIconRecord, NamesTheHandlerWindowTheCallbackMessageAndItsFlags) {
    const NOTIFYICONDATAA& data = Icon()->IconData();
    EXPECT_EQ(data.hWnd, TTrayIconHandler::Window());
    EXPECT_NE(data.hWnd, nullptr);
    EXPECT_EQ(data.uCallbackMessage, 2048u);
    EXPECT_EQ(data.uFlags, 7u);
}

TEST_F(TrayIconRecord, EachIconHasItsOwnIdentifier) {
    TTrayIcon other(nullptr);
    EXPECT_NE(Icon()->Identifier(), other.Identifier());
    EXPECT_EQ(TTrayIconHandler::Find(other.Identifier()), &other);
}

TEST_F(TrayIconRecord, HintOf200CharactersKeepsItsFirst127) {
    std::string hint;
    for (int i = 0; i < 200; ++i) hint += static_cast<char>('a' + i % 26);
    Icon()->SetHint(hint);
    ASSERT_EQ(Count(NIM_MODIFY), 1);
    EXPECT_EQ(Field(Last().data.szTip), hint.substr(0, 127));
}

TEST_F(TrayIconRecord, IconGoesIntoTheRecord) {
    vl::TIcon picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 32);
    Icon()->SetIcon(picture);
    ASSERT_EQ(Count(NIM_MODIFY), 1);
    EXPECT_EQ(Last().data.hIcon, Icon()->Icon()->Handle());
    EXPECT_NE(Last().data.hIcon, nullptr);
}

// --- add, delete, modify

using TrayIconShell = TrayTest;

TEST_F(TrayIconShell, IconVisibleAddsAndRemovesTheIcon) {
    Icon()->SetIconVisible(true);
    EXPECT_EQ(Count(NIM_ADD), 1);
    EXPECT_TRUE(Icon()->IconVisible());
    Icon()->SetIconVisible(false);
    EXPECT_EQ(Count(NIM_DELETE), 1);
    EXPECT_FALSE(Icon()->IconVisible());
}

TEST_F(TrayIconShell, DestroyingTheIconTakesItOutOfTheTray) {
    auto* icon = new TTrayIcon(nullptr);
    icon->SetIconVisible(true);
    const UINT id = icon->Identifier();
    delete icon;
    ASSERT_EQ(Count(NIM_DELETE), 1);
    EXPECT_EQ(Last().data.uID, id);
}

// --- balloons

using TrayIconBalloon = TrayTest;

TEST_F(TrayIconBalloon, TitleKeeps63AndTextKeeps255Characters) {
    Icon()->ShowBalloonHint(std::string(100, 't'), std::string(300, 'x'), vorlinde::bitWarning, 7);
    const NOTIFYICONDATAA& sent = Last().data;
    EXPECT_EQ(Field(sent.szInfoTitle), std::string(63, 't'));
    EXPECT_EQ(Field(sent.szInfo), std::string(255, 'x'));
}

TEST_F(TrayIconBalloon, IsSentAsAModifyWithInfoFlagTimeoutAndIcon) {
    EXPECT_TRUE(Icon()->ShowBalloonHint("Vorlinde", "Right click here to control Vorlinde", vorlinde::bitInfo, 20));
    ASSERT_EQ(Last().message, static_cast<DWORD>(NIM_MODIFY));
    const NOTIFYICONDATAA& sent = Last().data;
    EXPECT_EQ(sent.uFlags, 7u | NIF_INFO);
    EXPECT_EQ(Field(sent.szInfoTitle), "Vorlinde");
    EXPECT_EQ(Field(sent.szInfo), "Right click here to control Vorlinde");
    EXPECT_EQ(sent.uTimeout, 20000u);
    EXPECT_EQ(sent.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
}

TEST_F(TrayIconBalloon, ClearsTheBalloonShowingFirst) {
    Icon()->ShowBalloonHint("Title", "Text", vorlinde::bitError, 5);
    ASSERT_EQ(Count(NIM_MODIFY), 2);
    const NOTIFYICONDATAA& clear = shellCalls[0].data;
    EXPECT_NE(clear.uFlags & NIF_INFO, 0u);
    EXPECT_EQ(Field(clear.szInfo), "");
}

TEST_F(TrayIconBalloon, LaterUpdatesDoNotRepeatTheBalloon) {
    Icon()->ShowBalloonHint("Title", "Text", vorlinde::bitInfo, 5);
    EXPECT_EQ(Icon()->IconData().uFlags, 7u);
    Icon()->SetHint("changed");
    EXPECT_EQ(Last().data.uFlags & NIF_INFO, 0u);
}

// --- mouse notifications

using TrayIconMouse = TrayTest;

TEST_F(TrayIconMouse, LeftClickRaisesOnClickOnceOnReleaseBeforeMouseUp) {
    RecordEvents(*Icon());
    Post(*Icon(), WM_LBUTTONDOWN);
    Deliver();
    EXPECT_EQ(CountEvent("click"), 0);
    Post(*Icon(), WM_LBUTTONUP);
    Deliver();
    EXPECT_EQ(events, (std::vector<std::string>{"down:left", "click", "up:left"}));
}

TEST_F(TrayIconMouse, DoubleClickWithoutHandlerRaisesOneClick) {
    RecordEvents(*Icon());
    for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Post(*Icon(), code);
    vltest::Pump(100);
    EXPECT_EQ(CountEvent("click"), 1);
}

TEST_F(TrayIconMouse, WithDoubleClickHandlerASingleClickWaitsOneDoubleClickTime) {
    RecordEvents(*Icon());
    Icon()->OnDblClick = [this](vl::TObject*) { events.push_back("dblclick"); };
    const auto pressed = std::chrono::steady_clock::now();
    Post(*Icon(), WM_LBUTTONDOWN);
    Post(*Icon(), WM_LBUTTONUP);
    Deliver();
    EXPECT_EQ(CountEvent("click"), 0);
    ASSERT_TRUE(vltest::PumpUntil([this] { return CountEvent("click") > 0; }, 3000));
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed);
    EXPECT_GE(waited.count(), static_cast<long long>(GetDoubleClickTime()) - 20);
    EXPECT_EQ(events, (std::vector<std::string>{"down:left", "up:left", "click"}));
}

TEST_F(TrayIconMouse, WithDoubleClickHandlerADoubleClickRaisesNoClick) {
    RecordEvents(*Icon());
    Icon()->OnDblClick = [this](vl::TObject*) { events.push_back("dblclick"); };
    for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Post(*Icon(), code);
    vltest::Pump(static_cast<int>(GetDoubleClickTime()) + 300);
    EXPECT_EQ(CountEvent("dblclick"), 1);
    EXPECT_EQ(CountEvent("click"), 0);
}

TEST_F(TrayIconMouse, RightButtonOpensTheMenuOnPressAfterMouseDown) {
    auto* menu = new vl::TPopupMenu(MainForm());
    Icon()->SetPopupMenu(menu);
    RecordEvents(*Icon());
    Post(*Icon(), WM_RBUTTONDOWN);
    Deliver();
    EXPECT_EQ(events, (std::vector<std::string>{"down:right", "menu"}));
    EXPECT_EQ(menu->PopupComponent(), Icon());
}

TEST_F(TrayIconMouse, LeftPopupOpensTheMenuOnTheLeftPress) {
    Icon()->SetPopupMenu(new vl::TPopupMenu(MainForm()));
    Icon()->SetLeftPopup(true);
    RecordEvents(*Icon());
    Post(*Icon(), WM_LBUTTONDOWN);
    Deliver();
    EXPECT_EQ(events, (std::vector<std::string>{"down:left", "menu"}));
}

TEST_F(TrayIconMouse, DoubleClickClicksTheMenusFirstDefaultItem) {
    auto* menu = new vl::TPopupMenu(MainForm());
    std::string clicked;
    for (const char* caption : {"One", "Two", "Three"}) {
        auto* item = new vl::TMenuItem(menu);
        item->SetCaption(caption);
        item->SetDefault(std::string(caption) != "One");
        item->OnClick = [&clicked, caption](vl::TObject*) { clicked += caption; };
        menu->Items()->Add(item);
    }
    Icon()->SetPopupMenu(menu);
    Post(*Icon(), WM_LBUTTONDBLCLK);
    Deliver();
    EXPECT_EQ(clicked, "Two");
}

TEST_F(TrayIconMouse, DisabledIconIgnoresMouseButKeepsBalloonEvents) {
    Icon()->SetPopupMenu(new vl::TPopupMenu(MainForm()));
    Icon()->SetEnabled(false);
    RecordEvents(*Icon());
    for (UINT code : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP})
        Post(*Icon(), code);
    for (UINT code : {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK})
        Post(*Icon(), code);
    Deliver();
    EXPECT_EQ(events, (std::vector<std::string>{"balloon-show", "balloon-hide", "balloon-timeout", "balloon-click"}));
}

TEST_F(TrayIconMouse, MouseEnterComesBeforeTheFirstMoveAndExitWhenTheCursorLeaves) {
    RecordEvents(*Icon());
    Icon()->SetWantEnterExitEvents(true);
    SetCursorPos(40, 40);
    Post(*Icon(), WM_MOUSEMOVE);
    Post(*Icon(), WM_MOUSEMOVE);
    Deliver();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "move", "move"}));
    SetCursorPos(90, 70);
    EXPECT_TRUE(vltest::PumpUntil([this] { return CountEvent("exit") == 1; }, 1000));
}

TEST_F(TrayIconMouse, NotificationsForADestroyedIconAreIgnored) {
    auto* gone = new TTrayIcon(nullptr);
    const UINT goneId = gone->Identifier();
    delete gone;
    RecordEvents(*Icon());
    PostFor(goneId, WM_LBUTTONDOWN);
    PostFor(goneId, WM_LBUTTONUP);
    Deliver();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(TTrayIconHandler::Find(goneId), nullptr);
}

TEST_F(TrayIconMouse, ClickHandlerMayDestroyTheIcon) {
    auto* icon = new TTrayIcon(nullptr);
    const UINT id = icon->Identifier();
    bool upRaised = false;
    icon->OnClick = [&icon](vl::TObject*) {
        delete icon;
        icon = nullptr;
    };
    icon->OnMouseUp = [&upRaised](vl::TObject*, vl::TMouseButton, vl::TShiftState, int, int) { upRaised = true; };
    Post(*icon, WM_LBUTTONDOWN);
    Post(*icon, WM_LBUTTONUP);
    Deliver();
    EXPECT_EQ(icon, nullptr);
    EXPECT_FALSE(upRaised);
    EXPECT_EQ(TTrayIconHandler::Find(id), nullptr);
}

TEST_F(TrayIconMouse, HandlerExceptionsReachTheCentralHandler) {
    Icon()->OnClick = [](vl::TObject*) { throw vl::EInvalidOperation("click failed"); };
    Post(*Icon(), WM_LBUTTONDOWN);
    Post(*Icon(), WM_LBUTTONUP);
    Deliver();
    ASSERT_EQ(exceptions.size(), 1u);
    EXPECT_EQ(exceptions[0], "click failed");
    exceptions.clear();
}

TEST_F(TrayIconMouse, HandlerExceptionNamesTheIconAsItsSender) {
    vltest::RecordExceptions recorder;
    Icon()->OnClick = [](vl::TObject*) { throw vl::EInvalidOperation("click failed"); };
    Post(*Icon(), WM_LBUTTONDOWN);
    Post(*Icon(), WM_LBUTTONUP);
    Deliver();
    ASSERT_EQ(recorder.senders.size(), 1u);
    EXPECT_EQ(recorder.senders[0], Icon());
}

TEST_F(TrayIconMouse, HandlerThatDestroysTheIconAndThrowsReportsNoSender) {
    vltest::RecordExceptions recorder;
    auto* keep = new TTrayIcon(nullptr);  // the window outlives the icon
    auto* icon = new TTrayIcon(nullptr);
    icon->OnClick = [&icon](vl::TObject*) {
        delete icon;
        icon = nullptr;
        throw vl::EInvalidOperation("click failed after freeing");
    };
    Post(*icon, WM_LBUTTONDOWN);
    Post(*icon, WM_LBUTTONUP);
    Deliver();
    EXPECT_EQ(icon, nullptr);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "click failed after freeing");
    EXPECT_EQ(recorder.senders[0], nullptr);
    delete keep;
}

// --- the handler window

using TrayIconHandlerWindow = TrayTest;

TEST_F(TrayIconHandlerWindow, IsAHiddenTopLevelToolWindowOfItsOwnClass) {
    TTrayIcon icon(nullptr);
    HWND window = TTrayIconHandler::Window();
    char className[32] = {};
    GetClassNameA(window, className, sizeof(className));
    EXPECT_STREQ(className, "TTrayIconHandler");
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(TrayIconHandlerWindow, RefusesToCloseAndTakesNoPartInEndingTheSession) {
    TTrayIcon icon(nullptr);
    HWND window = TTrayIconHandler::Window();
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_ENDSESSION, TRUE, 0), 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(TTrayIconHandler::Window(), window);
    EXPECT_EQ(TTrayIconHandler::Find(icon.Identifier()), &icon);
}

TEST_F(TrayIconHandlerWindow, ExistsWhileAnyIconDoes) {
    ASSERT_EQ(TTrayIconHandler::UserCount(), 0);
    EXPECT_EQ(TTrayIconHandler::Window(), nullptr);
    {
        TTrayIcon first(nullptr);
        TTrayIcon second(nullptr);
        EXPECT_EQ(TTrayIconHandler::UserCount(), 2);
        EXPECT_TRUE(IsWindow(TTrayIconHandler::Window()));
    }
    EXPECT_EQ(TTrayIconHandler::UserCount(), 0);
    EXPECT_EQ(TTrayIconHandler::Window(), nullptr);
}

// --- start-up after loading

class TrayIconStartup : public TrayTest {
protected:
    // Loads a form holding a tray icon whose start-up handler answers `show`.
    void LoadForm(bool show) {
        vl::TForm* form = MainForm();
        form->RegisterHandlerAny("TrayIcon1Startup", std::any(vorlinde::TStartupEvent(
                                                         [this, show](vl::TObject* sender, bool& showMainForm) {
                                                             startupSender = sender;
                                                             startupArgument = showMainForm;
                                                             showMainForm = show;
                                                         })));
        form->LoadFromText(
            "object TrayTestForm: TForm\n"
            "  object TrayIcon1: TTrayIcon\n"
            "    Hint = 'Vorlinde'\n"
            "    IconVisible = True\n"
            "    MinimizeToTray = True\n"
            "    OnStartup = TrayIcon1Startup\n"
            "  end\n"
            "end\n");
        icon = dynamic_cast<TTrayIcon*>(form->FindComponent("TrayIcon1"));
        ASSERT_NE(icon, nullptr);
    }
    TTrayIcon* icon = nullptr;
    vl::TObject* startupSender = nullptr;
    bool startupArgument = false;
};

TEST_F(TrayIconStartup, RaisesOnStartupWithShowMainFormTrue) {
    LoadForm(true);
    EXPECT_EQ(startupSender, icon);
    EXPECT_TRUE(startupArgument);
    EXPECT_TRUE(vl::Application->ShowMainForm());
}

TEST_F(TrayIconStartup, AnswerFalseKeepsTheMainWindowHidden) {
    LoadForm(false);
    EXPECT_FALSE(vl::Application->ShowMainForm());
    EXPECT_FALSE(MainForm()->Visible());
}

TEST_F(TrayIconStartup, AddsTheIconWhileLoadingAndAgainAfter) {
    LoadForm(false);
    EXPECT_EQ(Count(NIM_ADD), 2);
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_EQ(Field(icon->IconData().szTip), "Vorlinde");
}

TEST_F(TrayIconStartup, AsksForClassicNotificationsLast) {
    LoadForm(false);
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(Last().data.uVersion, 0u);
}

// --- the application window and the main window

using TrayIconApplication = TrayTest;

TEST_F(TrayIconApplication, TaskbarCreatedAddsTheIconAgainWhileVisible) {
    Icon()->SetIconVisible(true);
    shellCalls.clear();
    SendMessageA(vl::Application->Handle(), vorlinde::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Count(NIM_ADD), 1);
}

TEST_F(TrayIconApplication, TaskbarCreatedAddsNothingWhileHidden) {
    Icon()->SetIconVisible(false);
    shellCalls.clear();
    SendMessageA(vl::Application->Handle(), vorlinde::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Count(NIM_ADD), 0);
}

TEST_F(TrayIconApplication, MinimisingHidesTheMainWindowAndTaskbarButtonAndShowsTheIcon) {
    Icon()->SetMinimizeToTray(true);
    MainForm()->Show();
    ASSERT_TRUE(IsWindowVisible(vl::Application->Handle()));
    ASSERT_FALSE(Icon()->IconVisible());
    vl::Application->Minimize();
    Deliver();
    EXPECT_FALSE(IsWindowVisible(MainForm()->Handle()));
    EXPECT_FALSE(IsWindowVisible(vl::Application->Handle()));
    EXPECT_TRUE(Icon()->IconVisible());
    EXPECT_EQ(Count(NIM_ADD), 1);
}

TEST_F(TrayIconApplication, ShowMainFormRestoresAndBringsToTheFront) {
    Icon()->SetMinimizeToTray(true);
    MainForm()->Show();
    vl::Application->Minimize();
    Deliver();
    Icon()->ShowMainForm();
    Deliver();
    EXPECT_FALSE(vl::Application->Minimized());
    EXPECT_TRUE(IsWindowVisible(MainForm()->Handle()));
    EXPECT_TRUE(IsWindowVisible(vl::Application->Handle()));
    EXPECT_EQ(GetForegroundWindow(), MainForm()->Handle());
}

TEST_F(TrayIconApplication, HideMainFormHidesTheWindowAndTheTaskbarButton) {
    MainForm()->Show();
    Icon()->HideMainForm();
    EXPECT_FALSE(IsWindowVisible(MainForm()->Handle()));
    EXPECT_FALSE(IsWindowVisible(vl::Application->Handle()));
}

TEST_F(TrayIconApplication, MinimiseCommandWithOnMinimizeToTrayGoesToTheTray) {
    Icon()->SetMinimizeToTray(true);
    int raised = 0;
    Icon()->OnMinimizeToTray = [&raised](vl::TObject*) { ++raised; };
    MainForm()->Show();
    EXPECT_EQ(MainForm()->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(IsWindowVisible(MainForm()->Handle()));
    EXPECT_FALSE(vl::Application->Minimized());
}

// --- image list and references

class TrayIconImages : public TrayTest {
protected:
    vl::TImageList* MakeList(int count) {
        auto* list = new vl::TImageList(MainForm());
        vl::TIcon picture;
        picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 16);
        for (int i = 0; i < count; ++i) list->AddIcon(picture);
        return list;
    }
};

TEST_F(TrayIconImages, IconIndexStaysInsideTheList) {
    Icon()->SetIconList(MakeList(3));
    Icon()->SetIconIndex(7);
    EXPECT_EQ(Icon()->IconIndex(), 2);
    Icon()->SetIconIndex(-4);
    EXPECT_EQ(Icon()->IconIndex(), 0);
}

TEST_F(TrayIconImages, RemovedListIsForgotten) {
    vl::TImageList* list = MakeList(3);
    Icon()->SetIconList(list);
    Icon()->SetIconIndex(2);
    delete list;
    EXPECT_EQ(Icon()->IconList(), nullptr);
    EXPECT_EQ(Icon()->IconIndex(), 0);
}

TEST_F(TrayIconImages, RemovedMenuIsForgotten) {
    auto* menu = new vl::TPopupMenu(MainForm());
    Icon()->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(Icon()->PopupMenu(), nullptr);
}

TEST_F(TrayIconImages, CyclingRaisesOnCycleWithTheNextIndexAndWraps) {
    Icon()->SetIconList(MakeList(3));
    std::vector<int> next;
    Icon()->OnCycle = [&next](vl::TObject*, int index) { next.push_back(index); };
    Icon()->SetCycleInterval(20);
    Icon()->SetCycleIcons(true);
    ASSERT_TRUE(vltest::PumpUntil([&next] { return next.size() >= 4; }, 2000));
    Icon()->SetCycleIcons(false);
    EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
}

// --- resources

using TrayIconResources = TrayTest;

TEST_F(TrayIconResources, CreatingAndDestroyingIconsLeavesNoGdiObjects) {
    vl::TIcon picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 32);
    auto cycle = [&picture] {
        TTrayIcon icon(nullptr);
        icon.SetIcon(picture);
        icon.SetIconVisible(true);
        icon.ShowBalloonHint("Title", "Text", vorlinde::bitInfo, 3);
    };
    cycle();
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 20; ++i) cycle();
    EXPECT_EQ(vltest::GdiObjects(), before);
}

}  // namespace
