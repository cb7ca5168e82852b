#include "framework/ClassInfo.h"

#include <map>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"

namespace vl {

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info{"TObject", nullptr, {}, {}};
    return info;
}

const TPropInfo* TClassInfo::FindProp(std::string_view propName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const auto& p : c->props)
            if (SameText(p.name, propName)) return &p;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (SameText(c->name, className)) return true;
    return false;
}

namespace {
std::map<std::string, const TClassInfo*, CaseInsensitiveLess>& Registry() {
    static std::map<std::string, const TClassInfo*, CaseInsensitiveLess> classes;
    return classes;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& info) { Registry()[info.name] = &info; }

const TClassInfo* FindClass(std::string_view name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& GetClass(std::string_view name) {
    const TClassInfo* info = FindClass(name);
    if (!info) throw EReadError("Class " + std::string(name) + " not found");
    return *info;
}

bool HasProperty(const TObject& obj, std::string_view propName) {
    return obj.ClassInfo().FindProp(propName) != nullptr;
}

const TPropInfo& ResolvePropPath(TPersistent*& target, std::string_view path) {
    for (;;) {
        size_t dot = path.find('.');
        std::string_view head = path.substr(0, dot);
        const TPropInfo* prop = target->ClassInfo().FindProp(head);
        if (!prop) throw EReadError("Property " + std::string(head) + " does not exist in " + target->ClassName());
        if (dot == std::string_view::npos) return *prop;
        if (prop->kind != TPropInfo::Kind::Object)
            throw EReadError("Property " + std::string(head) + " of " + target->ClassName() + " has no members");
        target = prop->object(*target);
        if (!target) throw EReadError("Property " + std::string(head) + " is not assigned");
        path = path.substr(dot + 1);
    }
}

void SetPropValue(TPersistent& obj, std::string_view path, const TPropValue& value) {
    TPersistent* target = &obj;
    const TPropInfo& prop = ResolvePropPath(target, path);
    if (!prop.set) throw EReadError("Property " + prop.name + " is read-only");
    prop.set(*target, value);
}

TPropValue GetPropValue(const TPersistent& obj, std::string_view path) {
    TPersistent* target = const_cast<TPersistent*>(&obj);
    const TPropInfo& prop = ResolvePropPath(target, path);
    if (!prop.get) throw EReadError("Property " + prop.name + " cannot be read");
    return prop.get(*target);
}

namespace {
struct NamedColor {
    const char* name;
    uint32_t value;
};
// Colour identifiers a form description may use.
constexpr NamedColor kColors[] = {
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clNone", 0x1FFFFFFF},     {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000}, {"clBackground", 0xFF000001}, {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003}, {"clMenu", 0xFF000004}, {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006}, {"clMenuText", 0xFF000007}, {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009}, {"clActiveBorder", 0xFF00000A}, {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C}, {"clHighlight", 0xFF00000D}, {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},  {"clBtnShadow", 0xFF000010}, {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},  {"clInactiveCaptionText", 0xFF000013}, {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015}, {"cl3DLight", 0xFF000016}, {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},   {"clHotLight", 0xFF00001A},
};
}  // namespace

uint32_t ColorFromPropValue(const TPropValue& v) {
    if (v.kind == TPropValue::Kind::Integer) return static_cast<uint32_t>(v.integer);
    const std::string& ident = v.AsIdent();
    for (const auto& c : kColors)
        if (SameText(c.name, ident)) return c.value;
    throw EReadError("Invalid colour '" + ident + "'");
}

TPropValue ColorToPropValue(uint32_t color) {
    for (const auto& c : kColors)
        if (c.value == color) return TPropValue::Id(c.name);
    return TPropValue::Int(color);
}

}  // namespace vl
