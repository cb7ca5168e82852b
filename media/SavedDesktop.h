#pragma once
// The durable record of the user's desktop while desktop playback holds it. It is written
// before the wallpaper or the desktop colour changes and removed only after both are back, so
// a run that ends without giving the desktop back (killed, crashed, the power lost) leaves it
// behind; the desktop guard and the program's next start put the user's desktop back from it.
//
// Registry, current user: key "SOFTWARE\Vorlinde\SavedDesktop" with the string values
// "Wallpaper" (the wallpaper value as it was) and "DesktopColor" (the desktop colour as it was,
// 0x00BBGGRR in decimal). "DesktopColor" is written last: a record without it was cut off
// before anything on the desktop changed.
#include <windows.h>

#include <optional>
#include <string>

namespace vorlinde {

struct TDesktopLook {
    std::string wallpaper;
    COLORREF color = 0;
    bool operator==(const TDesktopLook&) const = default;
};

inline constexpr char kSavedDesktopKey[] = "SOFTWARE\\Vorlinde\\SavedDesktop";

// The record; nullopt when there is none, or it is incomplete or malformed.
std::optional<TDesktopLook> ReadSavedDesktop();
// Writes the record; raises vl::ERegistryException when it cannot, and the caller then leaves
// the desktop as it is.
void WriteSavedDesktop(const TDesktopLook& look);
// Removes the record; nothing happens when there is none.
void ClearSavedDesktop();

// Gives a record left behind back to the desktop (the wallpaper value written and reloaded,
// the desktop colour set) and removes it; an unusable record is removed unapplied. True when a
// record was applied.
bool RestoreSavedDesktop();

// What desktop playback saves as the user's desktop before taking it over: a record left
// behind, when there is one (the desktop may still show what playback made of it), else the
// desktop as it is, except that the colour key is never taken for the user's colour: the
// colour the user's profile keeps stands in for it.
TDesktopLook UsersDesktop(COLORREF colorKey);

}  // namespace vorlinde
