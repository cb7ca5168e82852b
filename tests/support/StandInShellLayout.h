#pragma once
// What the stand-in shell (standin_shell.exe, StandInShell.cpp) and the tests that start it
// agree on: its layouts, where its icons are and how they look, and how it tells of a click.
//
//   standin_shell.exe <layout> <pid>
//
// builds the desktop windows of one Windows shell layout and keeps them until process <pid>
// ends (or it is killed). The layouts, by the windows the shell keeps:
//   workerw     Windows 8 to 11 23H2: top-level Progman holding SHELLDLL_DefView (the icons);
//               message 0x052C to Progman moves the icons into a new top-level WorkerW and
//               puts the background WorkerW right behind it.
//   progman     Windows 11 24H2 and later: Progman holds child SHELLDLL_DefView above child
//               WorkerW (the wallpaper); 0x052C changes nothing.
//   no-workerw  as workerw, but 0x052C makes no WorkerW: the icons stay in Progman.
//   no-icons    as workerw without any icon view (a desktop with its icons switched off):
//               0x052C makes the background WorkerW only.
// On WM_DISPLAYCHANGE the layouts whose WorkerW windows come from 0x052C destroy them and put
// the icons back into Progman, until the next 0x052C: so the shell's windows change under a
// program that found its place in them.
// Every layout has a top-most taskbar (Shell_TrayWnd) along the bottom of the screen.
#include <windows.h>

namespace vorlinde::standin {

inline constexpr char kLayoutWorkerW[] = "workerw";
inline constexpr char kLayoutProgman[] = "progman";
inline constexpr char kLayoutNoWorkerW[] = "no-workerw";
inline constexpr char kLayoutNoIcons[] = "no-icons";

// The message that asks Progman for the background window behind the icons.
inline constexpr UINT kRaiseBackgroundWorker = 0x052C;

// The stand-in's wallpaper: one flat colour, so that a screenshot tells it from the video.
inline constexpr COLORREF kWallpaper = RGB(0, 96, 128);

inline constexpr int kTaskbarHeight = 40;
// The taskbar's window text once the shell has started and put its windows under the others.
inline constexpr char kTaskbarReady[] = "Ready";
inline constexpr COLORREF kTaskbarColour = RGB(48, 48, 56);

// An icon: a square of one colour with a white border and a label below it, in a cell (the
// part of the icon view that shows it and takes its clicks), screen coordinates on a
// 1280 x 800 screen. The column stands inside the video of a 4:3 clip letter-boxed on it.
struct TStandInIcon {
    const char* name;
    RECT square;
    RECT cell;
    COLORREF colour;
};

inline constexpr TStandInIcon kIcons[] = {
    {"Bin", {176, 40, 224, 88}, {160, 32, 240, 112}, RGB(250, 210, 40)},
    {"Movies", {176, 140, 224, 188}, {160, 132, 240, 212}, RGB(240, 120, 30)},
    {"Notes", {176, 240, 224, 288}, {160, 232, 240, 312}, RGB(220, 60, 200)},
};

// After a left click on an icon the icon view's window text is "<name> <clicks so far>".

}  // namespace vorlinde::standin
