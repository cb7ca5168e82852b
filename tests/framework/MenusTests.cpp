// Menu items, the native menu built from them, and the popup menu's command dispatch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "tests/framework/GuiTestSupport.h"

using namespace vl;

namespace {

// Replaces TrackPopupMenu for the test's lifetime.
class TrackWith {
public:
    explicit TrackWith(std::function<UINT(TPopupMenu&, HMENU, int, int)> track) {
        TPopupMenu::TrackOverride = std::move(track);
    }
    ~TrackWith() { TPopupMenu::TrackOverride = nullptr; }
    TrackWith(const TrackWith&) = delete;
    TrackWith& operator=(const TrackWith&) = delete;
};

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

std::string MenuString(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

const char kTrayMenu[] =
    "object MenuForm: TForm\n"
    "  object PopupMenu1: TPopupMenu\n"
    "    OnPopup = MenuPopup\n"
    "    object Pause1: TMenuItem\n"
    "      Caption = '&Pause'\n"
    "      AutoCheck = True\n"
    "      OnClick = Pause1Click\n"
    "    end\n"
    "    object Stop1: TMenuItem\n"
    "      Caption = '&Stop'\n"
    "    end\n"
    "    object More1: TMenuItem\n"
    "      Caption = 'More'\n"
    "      object Inner1: TMenuItem\n"
    "        Caption = 'Inner'\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(MenuLoading, NestedItemsJoinTheEnclosingMenuOrItem) {
    TForm form(Application);
    form.RegisterHandlerAny("MenuPopup", TNotifyEvent([](TObject*) {}));
    form.RegisterHandlerAny("Pause1Click", TNotifyEvent([](TObject*) {}));
    form.LoadFromText(kTrayMenu);
    auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(0)->Name(), "Pause1");
    EXPECT_TRUE(menu->Items()->Items(0)->AutoCheck());
    TMenuItem* more = menu->Items()->Items(2);
    ASSERT_EQ(more->Count(), 1);
    EXPECT_EQ(more->Items(0)->Caption(), "Inner");
    EXPECT_EQ(more->Items(0)->GetParentMenu(), menu);
    EXPECT_EQ(menu->Items()->Items(0)->GetParentComponent(), menu);
}

TEST(MenuBuild, NativeMenuShowsTheItemsStates) {
    TPopupMenu menu(nullptr);
    TMenuItem* checked = AddItem(menu.Items(), "&Checked");
    checked->SetChecked(true);
    AddItem(menu.Items(), "-");
    TMenuItem* disabled = AddItem(menu.Items(), "Disabled");
    disabled->SetEnabled(false);
    AddItem(menu.Items(), "Hidden")->SetVisible(false);
    TMenuItem* def = AddItem(menu.Items(), "Default");
    def->SetDefault(true);
    def->SetShortCut(ShortCut('O', ssCtrl));
    TMenuItem* sub = AddItem(menu.Items(), "Sub");
    AddItem(sub, "Inner");

    TMenuHandle built = menu.BuildMenu();
    HMENU h = built.Get();
    ASSERT_EQ(GetMenuItemCount(h), 5);  // the hidden item is left out
    EXPECT_EQ(MenuString(h, 0), "&Checked");
    EXPECT_TRUE(GetMenuState(h, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(h, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(h, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(GetMenuDefaultItem(h, TRUE, 0), 3u);
    EXPECT_EQ(MenuString(h, 3), "Default\tCtrl+O");
    EXPECT_EQ(GetMenuItemID(h, 3), def->Command());
    HMENU inner = GetSubMenu(h, 4);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(MenuString(inner, 0), "Inner");
}

TEST(MenuPopup, OnPopupRunsFirstAndTheChosenItemIsClickedAfterTheMenuCloses) {
    TPopupMenu menu(nullptr);
    TMenuItem* play = AddItem(menu.Items(), "&Stop");
    std::vector<std::string> log;
    menu.OnPopup = [&](TObject*) {
        log.push_back("popup");
        play->SetCaption("&Play");  // the menu shows what OnPopup left
    };
    play->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, play);
        log.push_back("click");
    };
    TrackWith track([&](TPopupMenu& m, HMENU h, int x, int y) -> UINT {
        EXPECT_EQ(&m, &menu);
        EXPECT_EQ(x, 100);
        EXPECT_EQ(y, 200);
        log.push_back("track " + MenuString(h, 0));
        return play->Command();
    });
    menu.Popup(100, 200);
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "track &Play", "click"}));
}

TEST(MenuPopup, ClosingWithoutAChoiceClicksNothing) {
    TPopupMenu menu(nullptr);
    int clicks = 0;
    AddItem(menu.Items(), "a")->OnClick = [&](TObject*) { ++clicks; };
    TrackWith track([](TPopupMenu&, HMENU, int, int) -> UINT { return 0; });
    menu.Popup(0, 0);
    EXPECT_EQ(clicks, 0);
}

TEST(MenuItemClick, AutoCheckTogglesBeforeOnClick) {
    TPopupMenu menu(nullptr);
    TMenuItem* pause = AddItem(menu.Items(), "&Pause");
    pause->SetAutoCheck(true);
    std::vector<bool> seen;
    pause->OnClick = [&](TObject*) { seen.push_back(pause->Checked()); };
    EXPECT_TRUE(menu.DispatchCommand(pause->Command()));
    EXPECT_TRUE(menu.DispatchCommand(pause->Command()));
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(MenuItemClick, DisabledOrUnknownCommandsAreNotDispatched) {
    TPopupMenu menu(nullptr);
    TMenuItem* item = AddItem(menu.Items(), "x");
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    item->SetEnabled(false);
    EXPECT_FALSE(menu.DispatchCommand(item->Command()));
    EXPECT_FALSE(menu.DispatchCommand(0xFFFF));
    EXPECT_EQ(clicks, 0);
}

TEST(MenuItemCheck, RadioItemsOfAGroupExcludeEachOther) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = AddItem(menu.Items(), "a");
    TMenuItem* b = AddItem(menu.Items(), "b");
    TMenuItem* other = AddItem(menu.Items(), "other");
    for (TMenuItem* i : {a, b, other}) i->SetRadioItem(true);
    other->SetGroupIndex(1);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST(MenuOwnerDraw, MeasureAndDrawMessagesReachTheItemsEvents) {
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    TMenuItem* item = AddItem(menu.Items(), "&Options..");
    std::vector<std::string> log;
    item->OnMeasureItem = [&](TObject* sender, HDC dc, int& w, int& h) {
        EXPECT_EQ(sender, item);
        EXPECT_NE(dc, nullptr);
        EXPECT_GT(w, 0);  // the plain measurement comes first
        log.push_back("measure");
        w = 120;
        h = 21;
    };
    item->OnDrawItem = [&](TObject*, HDC, const RECT& r, bool selected) {
        log.push_back("draw " + std::to_string(r.bottom - r.top) + (selected ? " selected" : ""));
    };
    TrackWith track([&](TPopupMenu& m, HMENU h, int, int) -> UINT {
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
        GetMenuItemInfoA(h, 0, TRUE, &mii);
        EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, mii.wID, 0, 0, mii.dwItemData};
        EXPECT_EQ(SendMessageA(m.WindowHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
        EXPECT_EQ(mis.itemWidth, 120u);
        EXPECT_EQ(mis.itemHeight, 21u);
        HDC dc = CreateCompatibleDC(nullptr);
        DRAWITEMSTRUCT dis{ODT_MENU, 0, mii.wID, ODA_DRAWENTIRE, ODS_SELECTED, reinterpret_cast<HWND>(h), dc,
                           RECT{0, 0, 120, 21}, mii.dwItemData};
        SendMessageA(m.WindowHandle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        DeleteDC(dc);
        return 0;
    });
    menu.Popup(0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"measure", "draw 21 selected"}));
}

TEST(MenuOwnerDraw, HandlerExceptionReachesTheCentralHandler) {
    vltest::RecordExceptions recorder;
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    TMenuItem* item = AddItem(menu.Items(), "x");
    item->OnMeasureItem = [](TObject*, HDC, int&, int&) { throw EInvalidOperation("Measure failed"); };
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, item->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(item)};
    SendMessageA(menu.WindowHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Measure failed");
}

TEST(MenuItemTree, ItemsLeaveTheirParentAndFreeTheirChildren) {
    TForm form(Application);
    auto* menu = new TPopupMenu(&form);
    auto* a = new TMenuItem(&form);
    auto* b = new TMenuItem(&form);
    auto* inner = new TMenuItem(&form);
    menu->Items()->Add(a);
    menu->Items()->Add(b);
    b->Add(inner);
    int before = form.ComponentCount();
    delete a;
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->IndexOf(b), 0);
    delete menu;  // frees b and inner with it
    EXPECT_EQ(form.ComponentCount(), before - 4);
}

TEST(MenuItemTree, AnItemCannotContainItself) {
    TMenuItem a(nullptr);
    auto* b = new TMenuItem(nullptr);
    a.Add(b);
    EXPECT_THROW(b->Add(&a), EInvalidOperation);
    TMenuItem c(nullptr);
    EXPECT_THROW(a.Insert(5, &c), EListError);
    EXPECT_EQ(c.Parent(), nullptr);
}

TEST(MenuShortCut, TextNamesModifiersAndKey) {
    EXPECT_EQ(ShortCutToText(ShortCut('O', ssCtrl)), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F10, ssShift)), "Shift+F10");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssCtrl | ssAlt)), "Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutToText(0), "");
}

// --- menus told of items that join their owner

namespace {
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<TMenuItem*> inserted;

protected:
    void OwnedItemInserted(TMenuItem& item) override { inserted.push_back(&item); }
};

// Closes the open menu after `ms` milliseconds, or presses keys in it.
class TMenuKeys {
public:
    TMenuKeys(std::vector<std::pair<UINT, WPARAM>> keys, UINT ms = 60) : keys_(std::move(keys)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, ms, &Tick);
    }
    ~TMenuKeys() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TMenuKeys(const TMenuKeys&) = delete;
    TMenuKeys& operator=(const TMenuKeys&) = delete;
    int menuItems = -1;  // items of the menu that was open

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND window = FindWindowA("#32768", nullptr);
        if (!current_ || !window || !IsWindowVisible(window)) return;
        current_->menuItems = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)));
        if (current_->keys_.empty()) {
            EndMenu();
            return;
        }
        for (const auto& [msg, key] : current_->keys_) PostMessageA(window, msg, key, 0);
        current_->keys_.clear();
    }
    static TMenuKeys* current_;
    std::vector<std::pair<UINT, WPARAM>> keys_;
    UINT_PTR timer_ = 0;
};
TMenuKeys* TMenuKeys::current_ = nullptr;
}  // namespace

TEST(MenuOwnedItems, MenusOfTheOwnerAreToldOfNewAndMovedItems) {
    TForm form(Application);
    auto* menu = new TRecordingMenu(&form);
    auto* created = new TMenuItem(&form);
    TComponent elsewhere(nullptr);
    auto* moved = new TMenuItem(&elsewhere);
    auto* stranger = new TMenuItem(nullptr);
    form.InsertComponent(moved);
    new TComponent(&form);  // not a menu item
    EXPECT_EQ(menu->inserted, (std::vector<TMenuItem*>{created, moved}));
    delete stranger;
}

// --- mnemonics of owner-drawn items

TEST(MenuMnemonic, TheOneItemMarkingTheKeyIsExecuted) {
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    AddItem(menu.Items(), "&Pause");
    AddItem(menu.Items(), "-");
    AddItem(menu.Items(), "&Options..");
    AddItem(menu.Items(), "O&ther")->SetEnabled(false);
    TMenuHandle built = menu.BuildMenu();
    EXPECT_EQ(menu.HandleMenuChar('o', built.Get()), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(menu.HandleMenuChar('P', built.Get()), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(menu.HandleMenuChar('t', built.Get())), MNC_IGNORE);  // only a disabled item
    EXPECT_EQ(HIWORD(menu.HandleMenuChar('x', built.Get())), MNC_IGNORE);
}

TEST(MenuMnemonic, ItemsSharingAKeyAreSelectedInTurn) {
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    AddItem(menu.Items(), "&Stop");
    AddItem(menu.Items(), "&Play");
    AddItem(menu.Items(), "&Skip");
    TMenuHandle built = menu.BuildMenu();
    EXPECT_EQ(menu.HandleMenuChar('s', built.Get()), MAKELRESULT(0, MNC_SELECT));
    MENUITEMINFOA hilite{};
    hilite.cbSize = sizeof(hilite);
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    ASSERT_TRUE(SetMenuItemInfoA(built.Get(), 0, TRUE, &hilite));
    EXPECT_EQ(menu.HandleMenuChar('s', built.Get()), MAKELRESULT(2, MNC_SELECT));
}

TEST(MenuMnemonic, AKeyPressedInAnOpenOwnerDrawnMenuClicksItsItem) {
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    std::vector<std::string> clicked;
    for (const char* caption : {"&Pause", "&Options..", "&Exit"})
        AddItem(menu.Items(), caption)->OnClick = [&clicked, caption](TObject*) { clicked.push_back(caption); };
    TMenuKeys keys({{WM_CHAR, 'o'}});
    menu.Popup(100, 100);
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Options.."}));
}

// --- the main menu's drop-downs

TEST(MainMenuDropDown, ShowsTheSubItemsOfATopLevelItem) {
    TMainMenu menu(nullptr);
    TMenuItem* file = AddItem(menu.Items(), "&File");
    AddItem(file, "&Open");
    TMenuItem* quit = AddItem(file, "&Quit");
    int quits = 0;
    quit->OnClick = [&](TObject*) { ++quits; };
    {
        TMenuKeys keys({{WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_RETURN}});
        EXPECT_TRUE(menu.PopupItem(0, 100, 100));
        EXPECT_EQ(keys.menuItems, 2);
    }
    EXPECT_EQ(quits, 1);
}

TEST(MainMenuDropDown, RefusesItemsWithoutADropDown) {
    TMainMenu menu(nullptr);
    AddItem(menu.Items(), "Alone");
    TMenuItem* hidden = AddItem(menu.Items(), "Hidden");
    AddItem(hidden, "x");
    hidden->SetVisible(false);
    TMenuItem* disabled = AddItem(menu.Items(), "Disabled");
    AddItem(disabled, "x");
    disabled->SetEnabled(false);
    EXPECT_FALSE(menu.PopupItem(0, 0, 0));
    EXPECT_FALSE(menu.PopupItem(1, 0, 0));
    EXPECT_FALSE(menu.PopupItem(2, 0, 0));
    EXPECT_FALSE(menu.PopupItem(3, 0, 0));
    EXPECT_FALSE(menu.PopupItem(-1, 0, 0));
}
