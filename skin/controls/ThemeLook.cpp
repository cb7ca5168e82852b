#include "skin/controls/ThemeLook.h"

#include "framework/Component.h"
#include "skin/FileTheme.h"

namespace vorlinde {

uint32_t ThemeColor(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item) {
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) return fileTheme->GetColor(item);
    return GetBuiltInColor(effective, item);
}

bool ThemeBool(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item) {
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) return fileTheme->GetBool(item);
    return GetBuiltInBool(effective, item);
}

int ThemeInt(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item) {
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) return fileTheme->GetInt(item);
    return GetBuiltInInt(effective, item);
}

void ThemeStripBitmap(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, vl::TBitmap& bitmap, int imageCount,
                      int imageIndex) {
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) fileTheme->GetStripBitmap(item, &bitmap, imageCount, imageIndex);
    else GetBuiltInStripBitmap(effective, item, &bitmap, imageCount, imageIndex);
}

void ThemeBitmap(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, vl::TBitmap& bitmap) {
    TsuiUIStyle effective;
    if (UsingFileTheme(fileTheme, style, effective)) fileTheme->GetBitmap(item, &bitmap);
    else GetBuiltInBitmap(effective, item, &bitmap);
}

// ------------------------------------------------------------------------------ TsuiStripImages

void TsuiStripImages::Load(TsuiFileTheme* fileTheme, TsuiUIStyle style, int item, int count) {
    Forget();
    loaded_ = true;  // a failed read is not retried until the next restyle
    vl::TBitmap strip;
    ThemeBitmap(fileTheme, style, item, strip);
    if (strip.Empty() || count < 1) return;
    stripWidth_ = strip.Width();
    stripHeight_ = strip.Height();
    for (int k = 1; k <= count; ++k) {
        auto image = std::make_unique<vl::TBitmap>();
        ExtractStripImage(strip, *image, count, k);
        images_.push_back(std::move(image));
    }
}

void TsuiStripImages::Forget() {
    loaded_ = false;
    images_.clear();
    stripWidth_ = stripHeight_ = 0;
}

const vl::TBitmap* TsuiStripImages::Image(int index) const {
    if (index < 1 || index > static_cast<int>(images_.size())) return nullptr;
    const vl::TBitmap* image = images_[static_cast<size_t>(index - 1)].get();
    return image->Empty() ? nullptr : image;
}

// -------------------------------------------------------------------------------- TsuiThemeLink

TsuiThemeLink::~TsuiThemeLink() {
    if (theme_) holder_.RemoveFreeNotification(theme_);
}

void TsuiThemeLink::Set(TsuiFileTheme* theme) {
    if (theme == theme_) return;
    if (theme_) holder_.RemoveFreeNotification(theme_);
    theme_ = theme;
    if (theme_) holder_.FreeNotification(theme_);
}

bool TsuiThemeLink::Forget(const vl::TComponent* removed) {
    if (!removed || removed != theme_) return false;
    theme_ = nullptr;
    return true;
}

}  // namespace vorlinde
