#include "framework/Font.h"

#include <cmath>

#include "framework/ClassBuilder.h"

namespace vl {

COLORREF ColorToRGB(uint32_t color) {
    if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

namespace {
int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

TPropValue StyleToProp(TFontStyles style) {
    TPropValue v;
    v.kind = TPropValue::Kind::Set;
    if (style & fsBold) v.set.push_back("fsBold");
    if (style & fsItalic) v.set.push_back("fsItalic");
    if (style & fsUnderline) v.set.push_back("fsUnderline");
    if (style & fsStrikeOut) v.set.push_back("fsStrikeOut");
    return v;
}

TFontStyles StyleFromProp(const TPropValue& v) {
    if (v.kind != TPropValue::Kind::Set) throw EReadError("Set expected for Font.Style");
    TFontStyles style = 0;
    for (const auto& s : v.set) {
        if (SameText(s, "fsBold")) style |= fsBold;
        else if (SameText(s, "fsItalic")) style |= fsItalic;
        else if (SameText(s, "fsUnderline")) style |= fsUnderline;
        else if (SameText(s, "fsStrikeOut")) style |= fsStrikeOut;
        else throw EReadError("Invalid font style '" + s + "'");
    }
    return style;
}

int CharsetFromProp(const TPropValue& v) {
    if (v.kind == TPropValue::Kind::Integer) return v.AsInt();
    const std::string& s = v.AsIdent();
    if (SameText(s, "DEFAULT_CHARSET")) return DEFAULT_CHARSET;
    if (SameText(s, "ANSI_CHARSET")) return ANSI_CHARSET;
    if (SameText(s, "SYMBOL_CHARSET")) return SYMBOL_CHARSET;
    if (SameText(s, "OEM_CHARSET")) return OEM_CHARSET;
    throw EReadError("Invalid charset '" + s + "'");
}
}  // namespace

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", &TPersistent::StaticClass())
            .Prop("Name", &TFont::SetName, &TFont::Name)
            .Prop("Height", &TFont::SetHeight, &TFont::Height)
            .Prop("Size", &TFont::SetSize, &TFont::Size)
            .ColorProp("Color", &TFont::SetColor, &TFont::Color)
            .Custom("Style", [](TFont& f, const TPropValue& v) { f.SetStyle(StyleFromProp(v)); },
                    [](const TFont& f) { return StyleToProp(f.Style()); })
            .Custom("Charset", [](TFont& f, const TPropValue& v) { f.SetCharset(CharsetFromProp(v)); },
                    [](const TFont& f) { return TPropValue::Int(f.Charset()); })
            .Build();
    return info;
}

TFont::TFont() = default;

TFont::~TFont() { FreeHandle(); }

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const { return -static_cast<int>(std::lround(height_ * 72.0 / ScreenDpi())); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenDpi(), 72)); }

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(uint32_t color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = CreateFontIndirectA(&lf);
    }
    return handle_;
}

void TFont::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TFont*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (Equals(*other)) return;
    name_ = other->name_;
    height_ = other->height_;
    style_ = other->style_;
    color_ = other->color_;
    charset_ = other->charset_;
    Changed();
}

bool TFont::Equals(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
           charset_ == o.charset_;
}

void TFont::Changed() {
    FreeHandle();
    if (OnChange) OnChange(this);
}

void TFont::FreeHandle() const {
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

}  // namespace vl
