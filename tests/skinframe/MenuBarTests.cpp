// The skinned frame's menu bar: built from the frame's main menu below the title bar, sized by
// MenuBarHeight and wrapped when narrow, painted in MenuBarColor with the menu's selection
// colours, opened by the mouse, Alt+letter and F10, and freed with the menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SkinFrameTestSupport.h"
#include "framework/GuiTestSupport.h"
#include "framework/Menus.h"
#include "skin/MenuBar.h"
#include "skin/ThemeItems.h"
#include "skin/UIStyle.h"
#include "skin/controls/MainMenu.h"

using namespace vorlinde;

namespace {

const char kMenuForm[] =
    "object MenuBarForm: TForm\n"
    "  Left = 60\n"
    "  Top = 60\n"
    "  ClientWidth = 300\n"
    "  ClientHeight = 200\n"
    "  object Frame1: TsuiForm\n"
    "    UIStyle = Protein\n"
    "    Caption = 'Menu bar'\n"
    "    MenuBarColor = 16514043\n"
    "    MenuBarHeight = 22\n"
    "  end\n"
    "  object MainMenu1: %s\n"
    "    object File1: TMenuItem\n"
    "      Caption = '&File'\n"
    "      object Open1: TMenuItem\n"
    "        Caption = '&Open'\n"
    "        ShortCut = 16463\n"  // Ctrl+O
    "      end\n"
    "    end\n"
    "    object Edit1: TMenuItem\n"
    "      Caption = '&Edit'\n"
    "      object Cut1: TMenuItem\n"
    "        Caption = 'Cu&t'\n"
    "      end\n"
    "    end\n"
    "    object Hidden1: TMenuItem\n"
    "      Caption = 'Hidden'\n"
    "      Visible = False\n"
    "    end\n"
    "    object About1: TMenuItem\n"
    "      Caption = '&About'\n"
    "    end\n"
    "  end\n"
    "end\n";

std::string MenuForm(const char* menuClass) {
    std::string text(kMenuForm);
    text.replace(text.find("%s"), 2, menuClass);
    return text;
}

// Records the drop-downs instead of showing them.
struct DropDownRecorder {
    DropDownRecorder() {
        TsuiMenuBar::DropDownOverride = [this](vl::TMainMenu& menu, int index, POINT at) {
            opened.push_back(index);
            points.push_back(at);
            return menu.Items()->Items(index)->Count() > 0;
        };
    }
    ~DropDownRecorder() { TsuiMenuBar::DropDownOverride = nullptr; }
    std::vector<int> opened;
    std::vector<POINT> points;
};

class MenuBar : public testing::Test {
protected:
    void Load(const char* menuClass = "TsuiMainMenu", bool show = true) {
        form = skinframe::LoadForm(MenuForm(menuClass));
        frame = dynamic_cast<TsuiForm*>(form->FindComponent("Frame1"));
        menu = dynamic_cast<vl::TMainMenu*>(form->FindComponent("MainMenu1"));
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(menu, nullptr);
        if (!frame->Menu()) frame->SetMenu(menu);  // a plain main menu is set by hand
        bar = frame->MenuBar();
        ASSERT_NE(bar, nullptr);
        if (show) {
            skinframe::PointAt(1000, 700);
            form->Show();
            SetForegroundWindow(form->Handle());
            skinframe::Pump(30);
        }
    }
    void TearDown() override {
        if (form && form->HandleAllocated()) form->Close();
    }

    POINT ButtonCentre(int index) {
        const RECT r = bar->ButtonRect(index);
        return bar->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    std::unique_ptr<vl::TForm> form;
    TsuiForm* frame = nullptr;
    vl::TMainMenu* menu = nullptr;
    TsuiMenuBar* bar = nullptr;
};

// Types the keys without handling messages (inside a menu loop the menu reads them itself).
void TypeKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (auto [key, down] : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    TypeKeys(keys);
    skinframe::Pump(60);
}

}  // namespace

TEST_F(MenuBar, SkinnedMenuHandsItselfOverAndGetsOneButtonPerVisibleTopItemBelowTheTitleBar) {
    Load();
    EXPECT_EQ(frame->Menu(), menu);
    ASSERT_EQ(bar->ButtonCount(), 3);  // the hidden item has none
    EXPECT_EQ(bar->ButtonItem(2)->Caption(), "&About");
    EXPECT_EQ(bar->Top(), frame->TitleBar()->Height());
    EXPECT_EQ(bar->Width(), frame->ClientWidth());
    EXPECT_EQ(bar->Height(), 22);
    for (int i = 0; i < 3; ++i) {
        const RECT r = bar->ButtonRect(i);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.bottom, 22);
        if (i) {
            EXPECT_EQ(r.left, bar->ButtonRect(i - 1).right);
        }
        EXPECT_GT(r.right - r.left, 14);
    }
    EXPECT_EQ(bar->Color(), 16514043u);
}

TEST_F(MenuBar, HeightColourWrappingAndRemoval) {
    Load();
    frame->SetMenuBarHeight(30);
    EXPECT_EQ(bar->Height(), 30);
    EXPECT_EQ(bar->ButtonRect(0).bottom, 30);
    frame->SetMenuBarColor(0x00FF00);
    EXPECT_EQ(bar->Color(), 0x00FF00u);

    // A caption too wide to share the row: the buttons wrap and the bar grows a row per wrap.
    menu->Items()->Items(1)->SetCaption("&Edit, with a caption long enough to need a row of its own here");
    frame->SetMenu(nullptr);
    frame->SetMenu(menu);
    bar = frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ButtonRect(1).left, 0);
    EXPECT_EQ(bar->ButtonRect(1).top, 30);
    int rows = 0;
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        const RECT r = bar->ButtonRect(i);
        EXPECT_TRUE(r.left == 0 || r.right <= bar->Width()) << i;
        rows = std::max(rows, static_cast<int>(r.bottom / 30));
    }
    EXPECT_EQ(bar->Height(), rows * 30);
    EXPECT_EQ(frame->TitleBar()->Top(), 0);

    // A built-in style takes the frame's colour for the bar again.
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->Color(), frame->Color());

    frame->SetMenu(nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    frame->SetMenu(menu);
    ASSERT_NE(frame->MenuBar(), nullptr);
    delete menu;
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
}

TEST_F(MenuBar, PlainMainMenuLoadsFromAFormDescriptionAndShowsItsItems) {
    Load("TMainMenu", false);
    EXPECT_EQ(bar->ButtonCount(), 3);
}

TEST_F(MenuBar, PaintsTheBarTheSideStripsAndTheHotButtonInTheMenusColours) {
    Load();
    auto shot = skinframe::WindowShot(form->Handle());
    const int barY = 3 + bar->Top() + 11;
    const uint32_t barColor = vl::ColorToRGB(16514043) & 0xFFFFFF;
    EXPECT_EQ(skinframe::Px(*shot, 2, barY), barColor);                        // frame strip beside the bar
    EXPECT_EQ(skinframe::Px(*shot, shot->Width() - 2, barY), barColor);
    EXPECT_EQ(skinframe::Px(*shot, 3 + bar->ButtonRect(2).right + 5, barY), barColor);  // beyond the buttons

    const POINT hot = ButtonCentre(1);
    skinframe::PointAt(hot.x, hot.y);
    skinframe::Pump(30);
    EXPECT_EQ(bar->HotButton(), 1);
    shot = skinframe::WindowShot(form->Handle());
    const RECT r = bar->ButtonRect(1);
    auto* skinned = dynamic_cast<TsuiMainMenu*>(menu);
    ASSERT_NE(skinned, nullptr);
    const uint32_t fill = GetBuiltInColor(TsuiUIStyle::Protein, ThemeItem::MenuSelectedBackgroundColor);
    const uint32_t border = GetBuiltInColor(TsuiUIStyle::Protein, ThemeItem::MenuSelectedBorderColor);
    EXPECT_EQ(skinframe::Px(*shot, 3 + r.left, 3 + bar->Top() + 5), border);
    EXPECT_EQ(skinframe::Px(*shot, 3 + r.left + 2, 3 + bar->Top() + 3), fill);
    skinframe::PointAt(1000, 700);
}

TEST_F(MenuBar, MouseAltLetterAndF10DropTheItemsDownAndAnItemWithoutSubItemsIsClicked) {
    Load();
    DropDownRecorder recorder;
    int aboutClicks = 0;
    bar->ButtonItem(2)->OnClick = [&](vl::TObject*) { ++aboutClicks; };

    POINT p = ButtonCentre(1);
    skinframe::PointAt(p.x, p.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    skinframe::Pump(60);
    ASSERT_EQ(recorder.opened, std::vector<int>{1});
    const POINT below = bar->ClientToScreen(POINT{bar->ButtonRect(1).left, bar->ButtonRect(1).bottom});
    EXPECT_EQ(recorder.points[0].x, below.x);
    EXPECT_EQ(recorder.points[0].y, below.y);
    skinframe::PointAt(1000, 700);

    SendKeys({{VK_MENU, true}, {'E', true}, {'E', false}, {VK_MENU, false}});
    SendKeys({{VK_F10, true}, {VK_F10, false}});
    EXPECT_EQ(recorder.opened, (std::vector<int>{1, 1, 0}));

    SendKeys({{VK_MENU, true}, {'A', true}, {'A', false}, {VK_MENU, false}});
    EXPECT_EQ(recorder.opened.back(), 3);
    EXPECT_EQ(aboutClicks, 1);
}

// Steps run on timer ticks inside the drop-down's own menu loop.
struct TLoopSteps {
    TsuiMenuBar* bar = nullptr;
    std::vector<int> dropped;
    int tick = 0;
};
TLoopSteps* loopSteps = nullptr;

void CALLBACK LoopTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!loopSteps || loopSteps->bar->DroppedButton() < 0) return;
    if (loopSteps->tick++ % 2) return;  // every other tick: the menu settles in between
    loopSteps->dropped.push_back(loopSteps->bar->DroppedButton());
    if (loopSteps->dropped.size() == 1) TypeKeys({{VK_RIGHT, true}, {VK_RIGHT, false}});
    else if (loopSteps->dropped.size() == 2) TypeKeys({{VK_LEFT, true}, {VK_LEFT, false}});
    else EndMenu();
}

TEST_F(MenuBar, LeftAndRightMoveFromOneDropDownToTheNext) {
    Load();
    TLoopSteps steps;
    steps.bar = bar;
    loopSteps = &steps;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, LoopTick);
    bar->DropDown(0);
    KillTimer(nullptr, timer);
    loopSteps = nullptr;
    EXPECT_EQ(steps.dropped, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(bar->DroppedButton(), -1);
}

TEST_F(MenuBar, ShortcutsOfTheItemsWorkWhileTheWindowIsActive) {
    Load();
    int opens = 0;
    menu->Items()->Items(0)->Items(0)->OnClick = [&](vl::TObject*) { ++opens; };
    SendKeys({{VK_CONTROL, true}, {'O', true}, {'O', false}, {VK_CONTROL, false}});
    EXPECT_EQ(opens, 1);
    SendKeys({{'O', true}, {'O', false}});
    EXPECT_EQ(opens, 1);
}

TEST(MenuBarGdi, BuildingShowingAndFreeingTheBarFiftyTimesLeavesTheCountFlat) {
    const std::string text = MenuForm("TsuiMainMenu");
    auto cycle = [&] {
        auto form = skinframe::LoadForm(text);
        auto* frame = dynamic_cast<TsuiForm*>(form->FindComponent("Frame1"));
        form->Show();
        UpdateWindow(form->Handle());
        frame->SetUIStyle(TsuiUIStyle::MacOS);
        UpdateWindow(form->Handle());
        form->Close();
    };
    cycle();
    skinframe::Pump(20);
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 50; ++i) cycle();
    skinframe::Pump(20);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
