// TsuiImagePanel: the picture at the top-left, stretched or tiled; the parent's background when
// transparent, its colour otherwise; auto-sizing by alignment; the trimmed caption aligned; its
// place as a frame's FormPanel; loading from a form description; no GDI leaks.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "SkinFrameTestSupport.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GuiTestSupport.h"
#include "framework/Panel.h"
#include "skin/controls/ImagePanel.h"

using namespace vorlinde;
using vl::TAlign;

namespace {

constexpr uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kWhite = 0xFFFFFF;

// A 4 x 4 picture: red except a blue bottom-right pixel.
std::unique_ptr<vl::TBitmap> Picture4() {
    auto b = std::make_unique<vl::TBitmap>(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) b->Canvas().SetPixel(x, y, x == 3 && y == 3 ? kBlue : kRed);
    return b;
}

struct PanelOnForm {
    PanelOnForm() : form(std::make_unique<vl::TForm>(vl::Application)) {
        form->SetBounds(60, 60, 200, 150);
        host = new vl::TPanel(form.get());
        host->SetParent(form.get());
        host->SetBounds(0, 0, 100, 100);
        host->SetColor(kGreen);
        panel = new TsuiImagePanel(form.get());
        panel->SetParent(host);
        panel->SetBounds(10, 10, 10, 10);
        panel->SetColor(kWhite);
        form->HandleNeeded();
        panel->HandleNeeded();
    }
    // The panel painted into a bitmap of its size, as its off-screen paint gives it.
    std::unique_ptr<vl::TBitmap> Paint() {
        auto shot = std::make_unique<vl::TBitmap>(panel->Width(), panel->Height());
        SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(shot->Canvas().Handle()), 0);
        return shot;
    }
    std::unique_ptr<vl::TForm> form;
    vl::TPanel* host = nullptr;
    TsuiImagePanel* panel = nullptr;
};

}  // namespace

TEST(ImagePanel, DrawsThePictureNormalStretchedOrTiledOverItsColour) {
    PanelOnForm p;
    auto shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 5, 5), kWhite);  // no picture: the colour

    p.panel->Picture()->Assign(*Picture4());
    shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 0, 0), kRed);
    EXPECT_EQ(skinframe::Px(*shot, 3, 3), kBlue);
    EXPECT_EQ(skinframe::Px(*shot, 6, 6), kWhite);

    p.panel->SetDrawStyle(TsuiDrawStyle::suiStretch);
    shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 9, 9), kBlue);
    EXPECT_EQ(skinframe::Px(*shot, 3, 3), kRed);

    p.panel->SetDrawStyle(TsuiDrawStyle::suiTile);
    shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 3, 3), kBlue);
    EXPECT_EQ(skinframe::Px(*shot, 7, 7), kBlue);
    EXPECT_EQ(skinframe::Px(*shot, 9, 9), kRed);
}

TEST(ImagePanel, TransparentShowsTheParentsBackground) {
    PanelOnForm p;
    p.panel->SetTransparent(true);
    auto shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 5, 5), kGreen);
    p.panel->Picture()->Assign(*Picture4());
    shot = p.Paint();
    EXPECT_EQ(skinframe::Px(*shot, 1, 1), kRed);
    EXPECT_EQ(skinframe::Px(*shot, 8, 8), kGreen);
}

TEST(ImagePanel, AutoSizeTakesThePicturesSizeWhereTheAlignmentLeavesItFree) {
    PanelOnForm p;
    vl::TBitmap picture(30, 20);
    p.panel->SetAutoSize(true);
    p.panel->Picture()->Assign(picture);
    EXPECT_EQ(p.panel->Width(), 30);
    EXPECT_EQ(p.panel->Height(), 20);

    const struct {
        TAlign align;
        bool width, height;  // taken from the picture
    } cases[] = {{TAlign::Top, false, true}, {TAlign::Bottom, false, true}, {TAlign::Left, true, false},
                 {TAlign::Right, true, false}, {TAlign::Client, false, false}};
    for (const auto& c : cases) {
        p.panel->SetAlign(TAlign::None);
        p.panel->SetBounds(0, 0, 55, 45);
        p.panel->SetAlign(c.align);
        vl::TBitmap other(31, 21);
        p.panel->Picture()->Assign(other);
        EXPECT_EQ(p.panel->Width() == 31, c.width) << static_cast<int>(c.align);
        EXPECT_EQ(p.panel->Height() == 21, c.height) << static_cast<int>(c.align);
    }
}

TEST(ImagePanel, CaptionIsTrimmedOnOneLineAndAlignedLeftCentreOrRight) {
    PanelOnForm p;
    p.panel->SetBounds(0, 0, 120, 30);
    p.panel->Font()->SetColor(0x000000);
    p.panel->SetCaption("   Hi   ");
    // The columns holding dark caption pixels.
    auto inkRange = [&](int& first, int& last) {
        auto shot = p.Paint();
        first = -1, last = -1;
        for (int x = 0; x < shot->Width(); ++x)
            for (int y = 0; y < shot->Height(); ++y)
                if ((skinframe::Px(*shot, x, y) & 0xFF) < 0x80) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
    };
    int first = 0, last = 0;
    p.panel->SetAlignment(vl::TAlignment::LeftJustify);
    inkRange(first, last);
    ASSERT_GE(first, 0);
    EXPECT_LE(first, 2);  // the leading blanks are gone
    const int width = last - first;
    p.panel->SetAlignment(vl::TAlignment::RightJustify);
    inkRange(first, last);
    EXPECT_GE(last, 116);
    p.panel->SetAlignment(vl::TAlignment::Center);
    inkRange(first, last);
    EXPECT_NEAR(first + width / 2, 60, 3);
}

TEST(ImagePanel, AsTheFramesFormPanelItFillsTheClientAreaAndLosesItsCaption) {
    skinframe::FramedForm f(TsuiUIStyle::Protein, 300, 200, false);
    auto* panel = new TsuiImagePanel(f.form.get());
    panel->SetParent(f.frame);
    panel->SetCaption("Panel");
    f.frame->SetFormPanel(panel);
    EXPECT_EQ(f.frame->FormPanel(), panel);
    EXPECT_EQ(panel->Align(), TAlign::Client);
    EXPECT_EQ(panel->Caption(), "");
}

TEST(ImagePanel, LoadsFromAFormDescription) {
    auto form = skinframe::LoadForm(
        "object F: TForm\n"
        "  object Image1: TsuiImagePanel\n"
        "    Left = 4\n"
        "    Top = 4\n"
        "    Width = 50\n"
        "    Height = 50\n"
        "    DrawStyle = suiTile\n"
        "    Transparent = True\n"
        "    AutoSize = True\n"
        "    Picture.Data = {\n"
        "      424D3E000000000000003600000028000000010000000200000001001800000000000800000000000000\n"
        "      00000000000000000000000000FF000000FF0000}\n"
        "  end\n"
        "end\n");
    auto* panel = dynamic_cast<TsuiImagePanel*>(form->FindComponent("Image1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->DrawStyle(), TsuiDrawStyle::suiTile);
    EXPECT_TRUE(panel->Transparent());
    EXPECT_EQ(panel->Width(), 1);  // auto-sized to the 1 x 2 picture once loaded
    EXPECT_EQ(panel->Height(), 2);
}

TEST(ImagePanelGdi, AHundredPaintsInEveryDrawStyleLeaveTheCountFlat) {
    PanelOnForm p;
    p.panel->Picture()->Assign(*Picture4());
    p.panel->SetCaption("Caption");
    p.Paint();
    const DWORD before = vltest::GdiObjects();
    const TsuiDrawStyle styles[] = {TsuiDrawStyle::suiNormal, TsuiDrawStyle::suiStretch, TsuiDrawStyle::suiTile};
    for (int i = 0; i < 100; ++i) {
        p.panel->SetDrawStyle(styles[i % 3]);
        p.panel->SetTransparent(i % 2 == 0);
        p.Paint();
    }
    EXPECT_EQ(vltest::GdiObjects(), before);
}
