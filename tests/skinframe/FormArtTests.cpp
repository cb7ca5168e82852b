// The title bar pictures that the two windows' form descriptions carry: the sizes the windows
// need, art that agrees with the Protein look, replaced by the style's own pictures unless the
// title bar is custom, and loaded without leaking GDI objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "SkinFrameTestSupport.h"
#include "framework/Bitmap.h"
#include "framework/GuiTestSupport.h"
#include "skin/ThemeItems.h"
#include "skin/TitleBar.h"
#include "skin/UIStyle.h"

using namespace vorlinde;

namespace {

std::string FormResource(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!info) return {};
    HGLOBAL data = LoadResource(module, info);
    return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module, info));
}

// A form holding only the window's frame, as its description gives it, without the child
// controls and the handlers; its file theme reference goes to a theme of the form's own (with
// no file), which, as in the program, applies the style once loading has ended.
std::string FrameOnly(const std::string& form, bool customTitleBar) {
    static int forms = 0;
    std::istringstream in(form);
    std::string line, out = "object FormArtHost" + std::to_string(++forms) +
                            ": TForm\n  ClientWidth = 529\n  ClientHeight = 300\n";
    bool inFrame = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "  object suiForm1: TsuiForm") {
            inFrame = true;
            out += line + "\n";
            if (customTitleBar) out += "    TitleBarCustom = True\n";
            continue;
        }
        if (!inFrame) continue;
        if (line.rfind("    object ", 0) == 0 || line == "  end") break;
        if (line.rfind("    OnTitleBar", 0) == 0) continue;
        if (line.rfind("    FileTheme =", 0) == 0) line = "    FileTheme = ThemeOfItsOwn";
        out += line + "\n";
    }
    return out + "  end\n  object ThemeOfItsOwn: TsuiFileTheme\n  end\nend\n";
}

struct LoadedFrame {
    explicit LoadedFrame(const char* resource, bool custom) : form(skinframe::LoadForm(FrameOnly(FormResource(resource), custom))) {
        frame = dynamic_cast<TsuiForm*>(form->FindComponent("suiForm1"));
    }
    TsuiTitleBar& bar() const { return *frame->TitleBar(); }
    std::unique_ptr<vl::TForm> form;
    TsuiForm* frame = nullptr;
};

// Mean absolute difference per channel of two pictures of one size.
double MeanDifference(vl::TBitmap& a, vl::TBitmap& b) {
    long long sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const uint32_t p = skinframe::Px(a, x, y), q = skinframe::Px(b, x, y);
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255));
        }
    return static_cast<double>(sum) / (3.0 * a.Width() * a.Height());
}

bool SamePixels(vl::TBitmap& a, vl::TBitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && MeanDifference(a, b) == 0;
}

std::unique_ptr<vl::TBitmap> BuiltIn(int item) {
    auto bitmap = std::make_unique<vl::TBitmap>();
    GetBuiltInBitmap(TsuiUIStyle::Protein, item, bitmap.get());
    return bitmap;
}

std::unique_ptr<vl::TBitmap> StripImage(int index) {
    auto bitmap = std::make_unique<vl::TBitmap>();
    GetBuiltInStripBitmap(TsuiUIStyle::Protein, ThemeItem::TitleBarButtonImage, bitmap.get(), 18, index);
    return bitmap;
}

}  // namespace

TEST(SkinFrameFormArt, CustomTitleBarsShowTheStoredPicturesAtTheirSizes) {
    // Main window: control box, close, help; About window: control box, close.
    const struct {
        const char* resource;
        int buttons;
    } windows[] = {{"TFORM1", 3}, {"TFORM2", 2}};
    const int firstImage[] = {1, 16, 4};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.resource);
        LoadedFrame loaded(w.resource, true);
        ASSERT_NE(loaded.frame, nullptr);
        TsuiTitleBar& bar = loaded.bar();
        ASSERT_EQ(bar.Buttons().Count(), w.buttons);
        for (int i = 0; i < w.buttons; ++i) {
            TsuiTitleBarButton& b = bar.Buttons().Items(i);
            vl::TPicture* pictures[] = {&b.PicNormal(), &b.PicMouseOn(), &b.PicMouseDown()};
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(pictures[k]->Width(), 19);
                ASSERT_EQ(pictures[k]->Height(), 19);
                auto expected = StripImage(firstImage[i] + k);
                EXPECT_TRUE(SamePixels(*pictures[k]->Bitmap(), *expected)) << "button " << i << " picture " << k;
            }
        }
        ASSERT_EQ(bar.Sections().Count(), 3);
        const int sizes[3][2] = {{441, 23}, {1, 23}, {1, 23}};
        const int items[3] = {ThemeItem::TitleBarLeftImage, ThemeItem::TitleBarRightImage,
                              ThemeItem::TitleBarClientImage};
        for (int s = 0; s < 3; ++s) {
            vl::TPicture& picture = bar.Sections().Items(s).Picture();
            ASSERT_EQ(picture.Width(), sizes[s][0]) << "section " << s;
            ASSERT_EQ(picture.Height(), sizes[s][1]) << "section " << s;
            auto look = BuiltIn(items[s]);
            // Stored with 256 and 16 colours: close to the look, not necessarily equal.
            EXPECT_LT(MeanDifference(*picture.Bitmap(), *look), 2.0) << "section " << s;
        }
        EXPECT_EQ(bar.Sections().Items(0).Width(), 441);  // auto-sized to its picture
    }
}

TEST(SkinFrameFormArt, TheStyleReplacesTheStoredPicturesOfAPlainTitleBar) {
    LoadedFrame loaded("TFORM1", false);
    ASSERT_NE(loaded.frame, nullptr);
    TsuiTitleBar& bar = loaded.bar();
    ASSERT_EQ(bar.Sections().Count(), 3);
    // The stored left picture has 256 colours; the style's own is drawn in true colour.
    auto look = BuiltIn(ThemeItem::TitleBarLeftImage);
    EXPECT_TRUE(SamePixels(*bar.Sections().Items(0).Picture().Bitmap(), *look));
    ASSERT_EQ(bar.Buttons().Count(), 3);
    EXPECT_EQ(bar.Buttons().Items(2).ButtonType(), TsuiTitleBarBtnType::suiHelp);
    auto help = StripImage(4);
    EXPECT_TRUE(SamePixels(*bar.Buttons().Items(2).PicNormal().Bitmap(), *help));
}

TEST(SkinFrameFormArt, LoadingTheFramesFiftyTimesLeavesTheGdiCountFlat) {
    { LoadedFrame warm("TFORM1", true); }
    skinframe::Pump(10);
    const DWORD before = vltest::GdiObjects();
    for (int i = 0; i < 50; ++i) {
        LoadedFrame custom(i % 2 ? "TFORM1" : "TFORM2", true);
        LoadedFrame plain(i % 2 ? "TFORM2" : "TFORM1", false);
    }
    skinframe::Pump(10);
    EXPECT_EQ(vltest::GdiObjects(), before);
}
