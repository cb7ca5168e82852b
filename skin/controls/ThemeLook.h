#pragma once
// What every skinned control needs to read its look: one theme item resolved between the file
// theme and the built-in styles, the images of a strip bitmap kept until the next restyle, and
// the reference to the file theme that the control does not own.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/UIStyle.h"

namespace vl {
class TComponent;
}

namespace vorlinde {

class TsuiFileTheme;

// One item for a control with this file theme and style: from the file theme when the control
// draws from it (UsingFileTheme), else from the effective built-in style.
uint32_t ThemeColor(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item);
bool ThemeBool(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item);
int ThemeInt(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item);
// The item's whole bitmap into `bitmap`; it stays as it was when the item has no bitmap.
void ThemeBitmap(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, vl::TBitmap& bitmap);
// Image `imageIndex` (from 1) of `imageCount` of the item's strip bitmap into `bitmap`.
void ThemeStripBitmap(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, vl::TBitmap& bitmap, int imageCount,
                      int imageIndex);

// The images of one strip bitmap, cut once when the look is loaded and kept for painting.
class TsuiStripImages {
public:
    // Reads the item's strip (file theme or built-in style, as ThemeBitmap) and cuts it into
    // `count` equal images. Without a strip there are no images. A strip that cannot be read
    // raises, leaving no images.
    void Load(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, int count);
    // True once Load ran (even when it found no strip or failed) and until Forget.
    bool Loaded() const { return loaded_; }
    // Drops the images: the next use loads the look again.
    void Forget();
    // Image `index` (from 1); null when the strip had no such image.
    const vl::TBitmap* Image(int index) const;
    vl::TBitmap* Image(int index) { return const_cast<vl::TBitmap*>(std::as_const(*this).Image(index)); }
    // Width and height of the strip the images came from (0 x 0 without one).
    int StripWidth() const { return stripWidth_; }
    int StripHeight() const { return stripHeight_; }

private:
    std::vector<std::unique_ptr<vl::TBitmap>> images_;
    int stripWidth_ = 0, stripHeight_ = 0;
    bool loaded_ = false;
};

// The file theme a skinned control draws from: a reference, not owned, watched so that it is
// dropped when the theme goes away.
class TsuiThemeLink {
public:
    explicit TsuiThemeLink(vl::TComponent& holder) : holder_(holder) {}
    ~TsuiThemeLink();
    TsuiThemeLink(const TsuiThemeLink&) = delete;
    TsuiThemeLink& operator=(const TsuiThemeLink&) = delete;

    TsuiFileTheme* Get() const { return theme_; }
    void Set(TsuiFileTheme* theme);
    // Call from the holder's removal notification: true when `removed` was the theme, which
    // is then forgotten.
    bool Forget(const vl::TComponent* removed);

private:
    vl::TComponent& holder_;
    TsuiFileTheme* theme_ = nullptr;
};

}  // namespace vorlinde
