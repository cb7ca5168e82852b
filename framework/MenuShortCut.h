#pragma once
// Menu shortcuts: a virtual key plus modifier bits, and their text as menus show it.
#include <windows.h>

#include <string>

namespace vl {

// Shortcuts: a virtual key plus these modifier bits.
enum : int { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
// "Ctrl+O", "Shift+F10", "" for none.
std::string ShortCutToText(int shortcut);
int ShortCut(WORD key, unsigned shift);  // shift: ssShift / ssCtrl / ssAlt bits

}  // namespace vl
