#include "framework/PropValue.h"

#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

namespace vl {

TPropValue TPropValue::Int(int64_t v) {
    TPropValue p;
    p.kind = Kind::Integer;
    p.integer = v;
    return p;
}

TPropValue TPropValue::Str(std::string v) {
    TPropValue p;
    p.kind = Kind::String;
    p.text = std::move(v);
    return p;
}

TPropValue TPropValue::Id(std::string v) {
    TPropValue p;
    p.kind = Kind::Ident;
    p.text = std::move(v);
    return p;
}

TPropValue TPropValue::Bool(bool v) { return Id(v ? "True" : "False"); }

std::string TPropValue::Describe() const {
    switch (kind) {
    case Kind::Integer: return std::to_string(integer);
    case Kind::Float: return std::to_string(real);
    case Kind::String: return "'" + text + "'";
    case Kind::Ident: return text;
    case Kind::Set: return "a set";
    case Kind::List: return "a list";
    case Kind::Binary: return "binary data";
    case Kind::Collection: return "a collection";
    case Kind::Reference: return text;
    case Kind::Handler: return text;
    }
    return "?";
}

int64_t TPropValue::AsInt64() const {
    if (kind != Kind::Integer) throw EReadError("Integer expected instead of " + Describe());
    return integer;
}

int TPropValue::AsInt() const {
    int64_t v = AsInt64();
    if (v < INT32_MIN || v > UINT32_MAX) throw EReadError("Integer out of range: " + Describe());
    return static_cast<int>(static_cast<int64_t>(static_cast<int32_t>(v)));
}

double TPropValue::AsFloat() const {
    if (kind == Kind::Float) return real;
    if (kind == Kind::Integer) return static_cast<double>(integer);
    throw EReadError("Number expected instead of " + Describe());
}

bool TPropValue::AsBool() const {
    if (kind == Kind::Ident) {
        if (SameText(text, "True")) return true;
        if (SameText(text, "False")) return false;
    }
    throw EReadError("True or False expected instead of " + Describe());
}

const std::string& TPropValue::AsString() const {
    if (kind != Kind::String) throw EReadError("String expected instead of " + Describe());
    return text;
}

const std::string& TPropValue::AsIdent() const {
    if (kind != Kind::Ident) throw EReadError("Identifier expected instead of " + Describe());
    return text;
}

std::vector<std::string> TPropValue::AsStrings() const {
    if (kind != Kind::List) throw EReadError("List of strings expected instead of " + Describe());
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const auto& item : list) out.push_back(item.AsString());
    return out;
}

}  // namespace vl
