#pragma once
// What makes one look: the parameters every element painter takes (StyleArt), one function per
// look that fills them in (one file each), and PaintElement, which paints one element of a
// look at a given size.
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Painters.h"

namespace skinart {

enum class TitlePart { Left, Client, Right };

// Everything that makes one look.
struct StyleArt {
    Color controlBackground;
    ButtonLook button;
    ToggleLook check, radio;
    TitleLook title;
    std::function<void(Layer&, TitlePart)> decorateTitle;
    int captionTop = 2;  // the row of the title pictures the caption buttons start at
    CaptionLook caption;
    ScrollLook scroll;
    Gradient progress;
    bool progressStripes = false;
    Color progressGap;
    int progressGapWidth = 0;
    Color trackBorder;
    Gradient trackGroove;
    Gradient sliderFace;
    Color sliderBorder;
    bool sliderKeyed = false;
    Gradient tabFace, tabSelected;
    Color tabBorder;
    float tabRadius = 3;
    Gradient sideBar;
};

inline Gradient G(std::initializer_list<std::pair<float, Color>> stops) { return Gradient(stops); }
inline Gradient G2(Color top, Color bottom) { return Gradient({{0.f, top}, {1.f, bottom}}); }

// The looks: the five built-in styles and the theme the build writes as "msn.sui".
StyleArt MacOS();
StyleArt WinXP();
StyleArt DeepBlue();
StyleArt Protein();
StyleArt BlueGlass();
StyleArt Msn();

// One element of a look at the given size; `titleHeight` is the height of its title pictures.
TBitmapImage PaintElement(const StyleArt& art, const std::string& element, int w, int h, int titleHeight);

}  // namespace skinart
