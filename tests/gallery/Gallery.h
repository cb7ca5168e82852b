#pragma once
// The gallery's pieces shared by its scenes: the looks, the scene registry, screenshots and a
// message loop with a deadline.
//
// A scene is a function that opens windows, puts controls into a state, captures the screen and
// closes what it opened. It runs once per look; GALLERY_SCENE registers it at start-up, so a new
// scene is one new .cpp file.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/UIStyle.h"

namespace vl {
class TForm;
}

namespace vorlinde {
class TsuiFileTheme;
class TsuiThemeManager;
}  // namespace vorlinde

namespace gallery {

struct TLook {
    std::string name;               // "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass", "msn"
    vorlinde::TsuiUIStyle style;    // FromThemeFile for the theme file
};

// The five built-in styles, then the msn theme file.
const std::vector<TLook>& Looks();

// The msn theme file beside the program, as a Windows path.
std::string ThemeFilePath();

// Restyles a window through its theme manager, as the program does: a built-in style, or the
// theme file loaded into `theme` and the style FromThemeFile.
void ApplyLook(const TLook& look, vorlinde::TsuiThemeManager& manager, vorlinde::TsuiFileTheme* theme);

// The program's settings as an empty playlist leaves them (its settings window shows itself,
// nothing plays) and no first-run balloon.
void PrepareEmptySettings();

// Saves the screen rectangle as <output folder>/<name>.bmp (scripts/gallery makes PNGs of them).
void Capture(const std::string& name, const RECT& screenRect);
// The window's rectangle on the screen, grown by `margin` on every side.
void CaptureWindow(const std::string& name, HWND window, int margin = 0);

// Handles messages for `ms` milliseconds (painting, timers).
void PumpFor(DWORD ms);
// Moves the mouse to a point of the screen and lets the windows see it.
void MoveMouseTo(int x, int y);

using TScene = std::function<void(const TLook&)>;

struct TSceneRegistration {
    TSceneRegistration(const char* name, TScene scene);
};

struct TNamedScene {
    std::string name;
    TScene run;
};
std::vector<TNamedScene>& Scenes();

// The folder pictures go to (set by main).
std::string& OutputFolder();

}  // namespace gallery

#define GALLERY_SCENE_CAT2(a, b) a##b
#define GALLERY_SCENE_CAT(a, b) GALLERY_SCENE_CAT2(a, b)
// GALLERY_SCENE("settings", [](const gallery::TLook& look) { ... });
#define GALLERY_SCENE(name, ...) \
    static const gallery::TSceneRegistration GALLERY_SCENE_CAT(galleryScene, __LINE__)(name, __VA_ARGS__)
