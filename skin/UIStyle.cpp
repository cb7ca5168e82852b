#include "skin/UIStyle.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/ClassInfo.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"

namespace vorlinde {

TsuiBuiltInValue GetBuiltInValue(TsuiUIStyle style, int item) {
    const int ordinal = static_cast<uint8_t>(style) & 0x7F;
    const TsuiThemeItemInfo* info = ThemeItemInfo(item);
    if (ordinal < 1 || ordinal > kBuiltInStyleCount || !info) return {};
    TsuiBuiltInValue result;
    result.kind = info->kind;
    if (info->kind == TsuiItemKind::Bitmap) {
        result.value = 0;
        result.bitmapName = info->bitmaps[ordinal - 1];
    } else {
        result.value = info->values[ordinal - 1];
    }
    return result;
}

void GetBuiltInBitmap(TsuiUIStyle style, int item, vl::TBitmap* bitmap) {
    if (!bitmap) return;
    const TsuiBuiltInValue v = GetBuiltInValue(style, item);
    if (v.kind != TsuiItemKind::Bitmap || !v.bitmapName) return;
    // No cache: every restyle loads the resource again.
    bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), v.bitmapName);
}

void GetBuiltInStripBitmap(TsuiUIStyle style, int item, vl::TBitmap* destination, int imageCount, int imageIndex) {
    if (!destination) return;
    if (imageCount == 0) {
        GetBuiltInBitmap(style, item, destination);
        return;
    }
    if (GetBuiltInValue(style, item).kind != TsuiItemKind::Bitmap) return;
    vl::TBitmap strip;
    GetBuiltInBitmap(style, item, &strip);
    ExtractStripImage(strip, *destination, imageCount, imageIndex);
}

uint32_t GetBuiltInColor(TsuiUIStyle style, int item) {
    const TsuiBuiltInValue v = GetBuiltInValue(style, item);
    return v.kind == TsuiItemKind::Color ? static_cast<uint32_t>(v.value) : 0;
}

bool GetBuiltInBool(TsuiUIStyle style, int item) {
    const TsuiBuiltInValue v = GetBuiltInValue(style, item);
    return v.kind == TsuiItemKind::Boolean && v.value != 0;
}

int GetBuiltInInt(TsuiUIStyle style, int item) {
    const TsuiBuiltInValue v = GetBuiltInValue(style, item);
    return v.kind == TsuiItemKind::Integer ? v.value : -1;
}

void ExtractStripImage(vl::TBitmap& source, vl::TBitmap& destination, int imageCount, int imageIndex) {
    if (imageCount < 1) return;
    const int width = source.Width() / imageCount;
    const int height = width > 0 ? source.Height() : 0;
    // The image's columns, copied out first so that source and destination may be one bitmap.
    const int64_t firstColumn = (static_cast<int64_t>(imageIndex) - 1) * width;
    std::vector<uint8_t> work(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = source.ScanLine(y);
        uint8_t* dst = work.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            const int64_t sx = firstColumn + x;
            if (sx >= 0 && sx < source.Width()) std::memcpy(dst + x * 4, src + sx * 4, 4);
        }
    }
    destination.SetSize(width, height);
    for (int y = 0; y < destination.Height(); ++y)
        std::memcpy(destination.ScanLine(y), work.data() + static_cast<size_t>(y) * width * 4,
                    static_cast<size_t>(width) * 4);
}

bool UsingFileTheme(const TsuiFileTheme* fileTheme, TsuiUIStyle style, TsuiUIStyle& effectiveStyle) {
    effectiveStyle = style;
    if (style != TsuiUIStyle::FromThemeFile) return false;
    if (!fileTheme || !fileTheme->IsLoaded()) {
        effectiveStyle = TsuiUIStyle::DeepBlue;
        return false;
    }
    return true;
}

TsuiUIStyle GetFormUIStyle(const vl::TComponent* component) {
    const auto* form = dynamic_cast<const vl::TForm*>(component);
    if (!form) return TsuiUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (const auto* frame = dynamic_cast<const TsuiForm*>(form->Controls(i))) return frame->UIStyle();
    return TsuiUIStyle::DeepBlue;
}

bool HasProperty(const vl::TObject* component, std::string_view name) {
    return component && vl::HasProperty(*component, name);
}

void ApplyThemeToChildren(vl::TWinControl* container, TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    if (!container) return;
    vl::TPropValue theme;
    theme.kind = vl::TPropValue::Kind::Reference;
    theme.component = fileTheme;
    const vl::TPropValue styleValue = vl::TPropValue::Int(static_cast<int>(style));
    // A child's restyling may add or remove controls: walk a copy of the list.
    std::vector<vl::TWinControl*> children;
    for (int i = 0; i < container->ControlCount(); ++i) children.push_back(container->Controls(i));
    for (vl::TWinControl* child : children) {
        if (!HasProperty(child, "FileTheme") || !HasProperty(child, "UIStyle")) continue;
        vl::SetPropValue(*child, "FileTheme", theme);
        vl::SetPropValue(*child, "UIStyle", styleValue);
    }
}

}  // namespace vorlinde
