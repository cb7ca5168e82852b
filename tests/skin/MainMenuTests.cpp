// TsuiMainMenu: the skinned popup menu's look for a form's main menu, its drop-downs drawn in
// it on the screen, and the hand-over to the form's skinned frame.
#include <gtest/gtest.h>

#include <memory>

#include "MenuScreenSupport.h"
#include "SkinTestSupport.h"
#include "framework/ClassInfo.h"
#include "framework/Form.h"
#include "skin/SkinForm.h"
#include "skin/controls/MainMenu.h"

using namespace vorlinde;

namespace {

// A skinned frame that shows a main menu, as the frame's menu bar will.
class TMenuTestFrame : public TsuiForm {
    VL_DECLARE_CLASS()
public:
    using TsuiForm::TsuiForm;
    vl::TMainMenu* Menu() const { return menu_; }
    void SetMenu(vl::TMainMenu* menu) { menu_ = menu; }

private:
    vl::TMainMenu* menu_ = nullptr;
};

const vl::TClassInfo& TMenuTestFrame::StaticClass() {
    static const vl::TClassInfo info = vl::TClassBuilder<TMenuTestFrame>("TMenuTestFrame", &TsuiForm::StaticClass())
                                           .Creatable()
                                           .Reference("Menu", &TMenuTestFrame::SetMenu, &TMenuTestFrame::Menu)
                                           .Build();
    return info;
}

const char kMenuForm[] =
    "object MenuForm: TForm\n"
    "  object Frame1: TMenuTestFrame\n"
    "    UIStyle = Protein\n"
    "  end\n"
    "  object MainMenu1: TsuiMainMenu\n"
    "    UIStyle = Protein\n"
    "    SelectedColor = clRed\n"
    "    object File1: TMenuItem\n"
    "      Caption = '&File'\n"
    "      object Open1: TMenuItem\n"
    "        Caption = '&Open'\n"
    "      end\n"
    "      object Quit1: TMenuItem\n"
    "        Caption = '&Quit'\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

class MainMenuLoaded : public testing::Test {
protected:
    void SetUp() override {
        vl::RegisterComponentClass(TMenuTestFrame::StaticClass());
        form = skintest::MakeForm();
        form->LoadFromText(kMenuForm);
        frame = dynamic_cast<TMenuTestFrame*>(form->FindComponent("Frame1"));
        menu = dynamic_cast<TsuiMainMenu*>(form->FindComponent("MainMenu1"));
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(menu, nullptr);
    }
    std::unique_ptr<vl::TForm> form;
    TMenuTestFrame* frame = nullptr;
    TsuiMainMenu* menu = nullptr;
};

}  // namespace

TEST_F(MainMenuLoaded, TakesTheStyleAndTheExplicitValues) {
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(menu->Look().BarColor(), 0xCED3D6u);
    EXPECT_EQ(menu->Look().SelectedColor(), 0x0000FFu);
    EXPECT_TRUE(menu->OwnerDraw());
}

TEST_F(MainMenuLoaded, BindsTheDropDownItems) {
    vl::TMenuItem* file = menu->Items()->Items(0);
    EXPECT_TRUE(menu->IsBound(*file));
    EXPECT_TRUE(menu->IsBound(*file->Items(0)));
    EXPECT_TRUE(menu->IsBound(*file->Items(1)));
}

TEST_F(MainMenuLoaded, HandsItselfToTheSkinnedFrameOnceLoaded) { EXPECT_EQ(frame->Menu(), menu); }

TEST(MainMenuFrame, MenuCreatedInCodeHandsItselfToTheFrameAtOnce) {
    auto form = skintest::MakeForm();
    auto* frame = skintest::AddControl<TMenuTestFrame>(*form, "Frame1");
    auto* menu = new TsuiMainMenu(form.get());
    EXPECT_EQ(frame->Menu(), menu);
}

TEST(MainMenuFrame, AFrameWithoutAMenuPropertyIsLeftAlone) {
    auto form = skintest::MakeForm();
    skintest::AddControl<TsuiForm>(*form, "suiForm1");
    EXPECT_NO_THROW(new TsuiMainMenu(form.get()));
    TsuiMainMenu loose(nullptr);
    EXPECT_EQ(loose.UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(MainMenuLoaded, DropDownIsDrawnInTheLookOnTheScreen) {
    menutest::PointAt(5, 5);
    RECT open{}, quit{};
    uint32_t bar = 0, background = 0, selected = 0;
    menutest::RunWhileOpen([this] { menu->PopupItem(0, 200, 150); },
                           {[&] { menutest::PointAtItem(1); },
                            [&] {
                                open = menutest::OpenMenuItemRect(0);
                                quit = menutest::OpenMenuItemRect(1);
                                menutest::TScreenShot shot(RECT{open.left, open.top, quit.right, quit.bottom});
                                bar = shot.Pixel(open.left + 2, open.bottom - 2);
                                background = shot.Pixel(open.right - 3, open.bottom - 2);
                                selected = shot.Pixel(quit.right - 3, quit.bottom - 2);
                            }});
    EXPECT_EQ(open.bottom - open.top, 21);
    EXPECT_EQ(bar, 0xCED3D6u);
    EXPECT_EQ(background, 0xFFFFFFu);
    EXPECT_EQ(selected, 0x0000FFu);
}
