#pragma once
// Program-wide state of the main window's unit, alive for the whole run.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/RegIniFile.h"

namespace vorlinde {

// The settings key "SOFTWARE\Vorlinde" of the current user, opened when the main window is
// created and kept open until it is destroyed.
extern std::unique_ptr<vl::TRegIniFile> RegSettings;
// The executable's folder with its trailing backslash.
extern std::string ExeFolder;
// Playlist indices in play order, and the index into it of the file that plays or plays next.
extern std::vector<int32_t> PlayOrderArray;
extern int32_t PlayPosition;

// The settings key, relative to the current user's hive.
inline constexpr char kSettingsKey[] = "SOFTWARE\\Vorlinde";

}  // namespace vorlinde
