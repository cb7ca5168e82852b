#pragma once
// The title bar pictures that the two windows' form descriptions carry: the caption buttons'
// 19 x 19 pictures (normal, mouse over, pressed) and the three section pictures. They are cut
// from the Protein look, the style both windows use, so that a title bar that keeps its own
// pictures looks the same as one the style fills in.
//
// The form files hold them as hexadecimal picture data; RewriteFormArt puts freshly drawn data
// into a form description's `suiForm1` title bar collections and leaves every other line alone.
#include <map>
#include <string>

#include "framework/BitmapFile.h"

namespace skinart {

// The form text with the title bar pictures of its `suiForm1` replaced by new ones. `art` is
// the built-in art (PaintBuiltInArt). Throws when the form has no such frame.
std::string RewriteFormArt(const std::string& formText, const std::map<std::string, vl::TBitmapImage>& art);

}  // namespace skinart
