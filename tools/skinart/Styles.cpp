#include "Styles.h"

#include <stdexcept>
#include <string_view>

#include "DialogArt.h"
#include "StyleArt.h"
#include "skin/ThemeItems.h"

namespace skinart {

namespace {

TBitmapImage MacFormBackground() {
    TBitmapImage img = Blank(8, 8, Rgb(236, 236, 236));
    for (int y = 1; y < 8; y += 2)
        for (int x = 0; x < 8; ++x) SetPixel(img, x, y, Rgb(227, 227, 227));
    return img;
}

TBitmapImage ProteinFormBackground() {
    // Near white with a faint diagonal grid of dots.
    TBitmapImage img = Blank(8, 8, Rgb(251, 251, 251));
    SetPixel(img, 1, 1, Rgb(242, 242, 247));
    SetPixel(img, 5, 5, Rgb(242, 242, 247));
    return img;
}

}  // namespace

std::map<std::string, TBitmapImage> PaintBuiltInArt() {
    const StyleArt styles[vorlinde::kBuiltInStyleCount] = {MacOS(), WinXP(), DeepBlue(), Protein(), BlueGlass()};
    std::map<std::string, TBitmapImage> art;
    for (const vorlinde::TsuiBuiltInBitmap& b : vorlinde::BuiltInBitmaps()) {
        TBitmapImage img;
        if (b.item != 0) {
            // A shared bitmap (MORE_SCROLLBUTTON) is drawn in the first style that uses it.
            int style = b.style;
            for (int s = 1; !style && s <= vorlinde::kBuiltInStyleCount; ++s)
                if (std::string_view(vorlinde::ThemeItemInfo(b.item)->bitmaps[s - 1]) == b.name) style = s;
            const vorlinde::TsuiBuiltInBitmap* title =
                vorlinde::FindBuiltInBitmap(std::string(vorlinde::BuiltInStylePrefix(style)) + "TITLE_CLIENT");
            img = PaintElement(styles[style - 1], b.element, b.width, b.height, title->height);
        } else if (std::string_view(b.name) == "MACOS_FORM_BACKGROUND") {
            img = MacFormBackground();
        } else if (std::string_view(b.name) == "PROTEIN_FORM_BACKGROUND") {
            img = ProteinFormBackground();
        } else if (std::string_view(b.name) == "MACOS_MENU_BAR") {
            img = PaintColumn(b.height, G({{0.f, Rgb(253, 253, 253)}, {0.9f, Rgb(226, 226, 229)}, {1.f, Rgb(200, 200, 204)}}));
        } else if (std::string_view(b.name) == "MACOS_MENU_SELECT") {
            img = PaintColumn(b.height, G({{0.f, Rgb(112, 166, 246)}, {0.5f, Rgb(66, 124, 232)}, {1.f, Rgb(38, 96, 218)}}));
        } else if (std::string_view(b.name) == "MENU_CHECKED") {
            img = PaintMenuChecked();
        } else if (std::string_view(b.name) == "MSGDLG") {
            img = PaintMessageIcons();
        } else {
            throw std::runtime_error(std::string("no painter for ") + b.name);
        }
        if (img.width != b.width || img.height != b.height)
            throw std::runtime_error(std::string("wrong size for ") + b.name);
        art[b.name] = std::move(img);
    }
    return art;
}

std::map<std::string, TBitmapImage> PaintMsnThemeArt() {
    const StyleArt msn = Msn();
    constexpr int kTitleHeight = 28;
    struct Piece {
        const char* item;
        const char* element;
        int w, h;
    };
    const Piece pieces[] = {
        {"ButtonImage", "BUTTON", 216, 23},           {"CheckBoxImage", "CHECKBOX", 52, 13},
        {"RadioButtonImage", "RADIOBUTTON", 52, 13},   {"TitleBarButtonImage", "TITLEBTN", 342, 19},
        {"TitleBarLeftImage", "TITLE_LEFT", 80, kTitleHeight}, {"TitleBarClientImage", "TITLE_CLIENT", 20, kTitleHeight},
        {"TitleBarRightImage", "TITLE_RIGHT", 60, kTitleHeight}, {"ProgressBarImage", "PROGRESSBAR", 1, 10},
        {"TrackBarBarImage", "TRACKBAR_BAR", 45, 5},   {"TrackBarSliderImage", "TRACKBAR_SLIDER", 11, 20},
        {"TrackBarSliderVImage", "TRACKBAR_SLIDER_V", 20, 11}, {"ScrollBarButtonImage", "SCROLLBAR_BUTTON", 96, 16},
        {"ScrollBarSliderImage", "SCROLLBAR_TRACK", 21, 16}, {"CheckListBoxImage", "CHECKLIST", 44, 11},
        {"ScrollButtonImage", "SCROLLBUTTON", 72, 17}, {"TabControlTabImage", "TAB", 18, 17},
        {"TabControlBarImage", "TAB_LINE", 10, 5},     {"SideChannelHandleImage", "SIDECHENNEL_HANDLE", 8, 84},
        {"SideChannelBarImage", "SIDECHENNEL_BAR", 1, 21},
    };
    std::map<std::string, TBitmapImage> art;
    for (const Piece& p : pieces) art[p.item] = PaintElement(msn, p.element, p.w, p.h, kTitleHeight);
    return art;
}

}  // namespace skinart
