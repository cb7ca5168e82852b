#pragma once
// The skinned dialogs' art: the "MSGDLG" strip of message icons, the pictures the dialog
// windows' form descriptions carry in their title bars (stored as 16- and 8-bit bitmap files), and
// the refreshing of those pictures inside the form descriptions.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/BitmapFile.h"

namespace skinart {

// Four 42 x 42 icons side by side: warning, stop, information, help. Outside the shapes the
// pixels are magenta, so that the icons lie on any window colour.
vl::TBitmapImage PaintMessageIcons();

// A picture a dialog form stores, with the colour depth it is stored at.
struct FormPicture {
    vl::TBitmapImage image;
    int bitCount;
};
// By name: DLG_CLOSE_NORMAL, DLG_CLOSE_HOT, DLG_CLOSE_DOWN (21 x 21, 16 bits), DLG_TITLE_LEFT,
// DLG_TITLE_RIGHT (35 x 29) and DLG_TITLE_CLIENT (37 x 29), 8 bits.
std::map<std::string, FormPicture> PaintDialogFormArt();

// Rewrites, in the form description `text`, the binary data after each "// art: NAME" line with
// the picture of that name; false (and `error` says why) for an unknown name or a tag not
// followed by a "... = {" block.
bool RefreshFormArt(std::string& text, const std::map<std::string, FormPicture>& art, std::string& error);

}  // namespace skinart
