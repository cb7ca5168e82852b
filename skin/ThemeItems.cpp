#include "skin/ThemeItems.h"

#include <cctype>
#include <string>

namespace vorlinde {

namespace {

using K = TsuiItemKind;

// The five resource names of one element, in style order.
#define SUI_STYLE_BITMAPS(element) \
    { "MACOS_" element, "WINXP_" element, "DEEPBLUE_" element, "PROTEIN_" element, "BLUEGLASS_" element }
#define SUI_NO_BITMAPS \
    { nullptr, nullptr, nullptr, nullptr, nullptr }
#define SUI_SAME(v) \
    { v, v, v, v, v }

constexpr int32_t kBlack = ColorRGB(0, 0, 0);
constexpr int32_t kWhite = ColorRGB(255, 255, 255);

// Columns: MacOS, WinXP, DeepBlue, Protein, BlueGlass.
const TsuiThemeItemInfo kItems[kThemeItemCount] = {
    {"ButtonImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("BUTTON")},
    {"ButtonTransparentBool", K::Boolean, {1, 0, 0, 0, 1}, SUI_NO_BITMAPS},
    {"CheckBoxImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("CHECKBOX")},
    {"RadioButtonImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("RADIOBUTTON")},
    {"TitleBarButtonImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TITLEBTN")},
    {"TitleBarButtonTransparentBool", K::Boolean, {0, 0, 0, 1, 1}, SUI_NO_BITMAPS},
    {"TitleBarButtonLeftOffsetInt", K::Integer, {3, 2, 0, 0, 4}, SUI_NO_BITMAPS},
    {"TitleBarButtonRightOffsetInt", K::Integer, {-2, -2, 0, 0, -3}, SUI_NO_BITMAPS},
    {"TitleBarButtonTopInt", K::Integer, {4, 5, 2, 2, 6}, SUI_NO_BITMAPS},
    {"TitleBarLeftImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TITLE_LEFT")},
    {"TitleBarClientImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TITLE_CLIENT")},
    {"TitleBarRightImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TITLE_RIGHT")},
    {"FormMinWidthInt", K::Integer, {130, 150, 130, 130, 270}, SUI_NO_BITMAPS},
    {"FormRoundCornerInt", K::Integer, {0, 13, 0, 0, 11}, SUI_NO_BITMAPS},
    {"FormBackgroundColor", K::Color,
     {ColorRGB(231, 231, 231), ColorRGB(239, 235, 222), ColorRGB(232, 232, 232), ColorRGB(251, 251, 251),
      ColorRGB(231, 231, 231)},
     SUI_NO_BITMAPS},
    {"FormBorderColor", K::Color, {ColorRGB(127, 127, 127), ColorRGB(0, 44, 200), kBlack, kBlack, kBlack},
     SUI_NO_BITMAPS},
    {"FormBorderWidthInt", K::Integer, {1, 3, 1, 1, 1}, SUI_NO_BITMAPS},
    {"MenuSelectedBorderColor", K::Color,
     {ColorRGB(57, 115, 196), ColorRGB(49, 105, 198), ColorRGB(68, 74, 160), ColorRGB(45, 48, 196),
      ColorRGB(94, 94, 236)},
     SUI_NO_BITMAPS},
    {"MenuSelectedBackgroundColor", K::Color,
     {ColorRGB(57, 115, 196), ColorRGB(198, 211, 239), ColorRGB(68, 74, 160), ColorRGB(45, 48, 196),
      ColorRGB(94, 94, 236)},
     SUI_NO_BITMAPS},
    {"MenuSelectedFontColor", K::Color, {kWhite, kBlack, kWhite, kWhite, kWhite}, SUI_NO_BITMAPS},
    {"MenuBackgroundColor", K::Color, {kBlack, kWhite, kWhite, kWhite, ColorRGB(231, 231, 231)}, SUI_NO_BITMAPS},
    {"MenuFontColor", K::Color, SUI_SAME(kBlack), SUI_NO_BITMAPS},
    {"MenuBarColor", K::Color,
     {kBlack, ColorRGB(214, 211, 206), ColorRGB(214, 211, 206), ColorRGB(214, 211, 206), ColorRGB(214, 211, 206)},
     SUI_NO_BITMAPS},
    {"ProgressBarImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("PROGRESSBAR")},
    {"ControlBorderColor", K::Color, {ColorRGB(127, 127, 127), ColorRGB(104, 104, 104), kBlack, kBlack, kBlack},
     SUI_NO_BITMAPS},
    {"ControlBackgroundColor", K::Color,
     {ColorRGB(231, 231, 231), ColorRGB(239, 235, 222), ColorRGB(232, 232, 232), ColorRGB(251, 251, 251),
      ColorRGB(231, 231, 231)},
     SUI_NO_BITMAPS},
    {"ControlFontColor", K::Color, {kBlack, ColorRGB(2, 70, 207), kBlack, kBlack, kBlack}, SUI_NO_BITMAPS},
    {"TrackBarBarImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TRACKBAR_BAR")},
    {"TrackBarSliderImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TRACKBAR_SLIDER")},
    {"TrackBarSliderVImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TRACKBAR_SLIDER_V")},
    {"ScrollBarBackgroundColor", K::Color,
     {ColorRGB(201, 201, 201), ColorRGB(249, 249, 249), ColorRGB(245, 245, 245), ColorRGB(245, 245, 245),
      ColorRGB(244, 244, 244)},
     SUI_NO_BITMAPS},
    {"ScrollBarButtonImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("SCROLLBAR_BUTTON")},
    {"ScrollBarSliderImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("SCROLLBAR_TRACK")},
    {"CheckListBoxImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("CHECKLIST")},
    {"ToolBarButtonBorderColor", K::Color,
     {ColorRGB(71, 71, 71), ColorRGB(49, 105, 198), ColorRGB(71, 71, 71), ColorRGB(71, 71, 71),
      ColorRGB(71, 71, 71)},
     SUI_NO_BITMAPS},
    {"ToolBarButtonBackgroundColor", K::Color,
     {ColorRGB(239, 239, 239), ColorRGB(198, 211, 239), ColorRGB(239, 239, 239), ColorRGB(239, 239, 239),
      ColorRGB(239, 239, 239)},
     SUI_NO_BITMAPS},
    {"ToolBarButtonDownBackgroundColor", K::Color,
     {ColorRGB(216, 216, 216), ColorRGB(147, 172, 225), ColorRGB(216, 216, 216), ColorRGB(216, 216, 216),
      ColorRGB(216, 216, 216)},
     SUI_NO_BITMAPS},
    // DeepBlue, Protein and BlueGlass share one bitmap here.
    {"ScrollButtonImage", K::Bitmap, {},
     {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON"}},
    {"TabControlTabImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TAB")},
    {"TabControlBarImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("TAB_LINE")},
    {"SideChannelHandleImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("SIDECHENNEL_HANDLE")},
    {"SideChannelBarImage", K::Bitmap, {}, SUI_STYLE_BITMAPS("SIDECHENNEL_BAR")},
};

#undef SUI_STYLE_BITMAPS
#undef SUI_NO_BITMAPS
#undef SUI_SAME

constexpr const char* kPrefixes[kBuiltInStyleCount] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};

struct ElementSizes {
    int item;
    const char* element;
    int images;
    int size[kBuiltInStyleCount][2];  // width, height per style
};

// Sizes of the item bitmaps, in style order. The sizes fix metrics the skinned controls derive
// from them (the title bar height is the height of the title pictures, for example).
const ElementSizes kElements[] = {
    {ThemeItem::ButtonImage, "BUTTON", 3, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
    {ThemeItem::CheckBoxImage, "CHECKBOX", 4, {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {ThemeItem::RadioButtonImage, "RADIOBUTTON", 4, {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {ThemeItem::TitleBarButtonImage, "TITLEBTN", 18, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
    {ThemeItem::TitleBarLeftImage, "TITLE_LEFT", 1, {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
    {ThemeItem::TitleBarClientImage, "TITLE_CLIENT", 1, {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
    {ThemeItem::TitleBarRightImage, "TITLE_RIGHT", 1, {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
    {ThemeItem::ProgressBarImage, "PROGRESSBAR", 1, {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
    {ThemeItem::TrackBarBarImage, "TRACKBAR_BAR", 1, {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
    {ThemeItem::TrackBarSliderImage, "TRACKBAR_SLIDER", 1, {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
    {ThemeItem::TrackBarSliderVImage, "TRACKBAR_SLIDER_V", 1, {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
    {ThemeItem::ScrollBarButtonImage, "SCROLLBAR_BUTTON", 6, {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
    {ThemeItem::ScrollBarSliderImage, "SCROLLBAR_TRACK", 3, {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
    {ThemeItem::CheckListBoxImage, "CHECKLIST", 4, {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
    {ThemeItem::ScrollButtonImage, "SCROLLBUTTON", 4, {{72, 18}, {72, 18}, {72, 17}, {72, 17}, {72, 17}}},
    {ThemeItem::TabControlTabImage, "TAB", 3, {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
    {ThemeItem::TabControlBarImage, "TAB_LINE", 1, {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
    {ThemeItem::SideChannelHandleImage, "SIDECHENNEL_HANDLE", 1, {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
    {ThemeItem::SideChannelBarImage, "SIDECHENNEL_BAR", 1, {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
};

std::vector<TsuiBuiltInBitmap> BuildBitmapList() {
    std::vector<TsuiBuiltInBitmap> list;
    for (int style = 1; style <= kBuiltInStyleCount; ++style) {
        for (const ElementSizes& e : kElements) {
            const char* name = kItems[e.item - 1].bitmaps[style - 1];
            bool shared = false;
            for (const TsuiBuiltInBitmap& b : list)
                if (std::string_view(b.name) == name) shared = true;
            if (shared) continue;
            // A name that does not carry the style's prefix is shared by several styles.
            int owner = std::string_view(name).rfind(kPrefixes[style - 1], 0) == 0 ? style : 0;
            list.push_back({name, e.element, owner, e.item, e.size[style - 1][0], e.size[style - 1][1], e.images});
        }
    }
    list.push_back({"MACOS_FORM_BACKGROUND", "MACOS_FORM_BACKGROUND", 1, 0, 8, 8, 1});
    list.push_back({"PROTEIN_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", 4, 0, 8, 8, 1});
    list.push_back({"MACOS_MENU_BAR", "MACOS_MENU_BAR", 1, 0, 1, 22, 1});
    list.push_back({"MACOS_MENU_SELECT", "MACOS_MENU_SELECT", 1, 0, 1, 21, 1});
    list.push_back({"MENU_CHECKED", "MENU_CHECKED", 0, 0, 16, 16, 1});
    list.push_back({"MSGDLG", "MSGDLG", 0, 0, 168, 42, 4});
    return list;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

}  // namespace

const TsuiThemeItemInfo* ThemeItemInfo(int item) {
    if (item < 1 || item > kThemeItemCount) return nullptr;
    return &kItems[item - 1];
}

int ThemeItemByName(std::string_view name) {
    for (int i = 0; i < kThemeItemCount; ++i)
        if (SameName(kItems[i].name, name)) return i + 1;
    return 0;
}

std::string_view BuiltInStylePrefix(int style) {
    if (style < 1 || style > kBuiltInStyleCount) return {};
    return kPrefixes[style - 1];
}

const std::vector<TsuiBuiltInBitmap>& BuiltInBitmaps() {
    static const std::vector<TsuiBuiltInBitmap> list = BuildBitmapList();
    return list;
}

const TsuiBuiltInBitmap* FindBuiltInBitmap(std::string_view name) {
    for (const TsuiBuiltInBitmap& b : BuiltInBitmaps())
        if (name == b.name) return &b;
    return nullptr;
}

}  // namespace vorlinde
