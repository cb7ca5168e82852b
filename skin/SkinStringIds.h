#pragma once
// Identifiers of the skin engine's texts in the executable's string table (resources/strings.rc).
// Plain defines, so that the resource compiler reads this file too.
#define VL_IDS_TITLEBAR_MINIMIZE 0xF100
#define VL_IDS_TITLEBAR_MAXIMIZE 0xF101
#define VL_IDS_TITLEBAR_CLOSE 0xF102
