#pragma once
// A property value as a form description states it, before it is handed to a property setter.
#include <any>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vl {

class TComponent;
struct TPropValue;

// One item of a collection value: its properties in stream order.
struct TPropItem {
    std::vector<std::pair<std::string, TPropValue>> props;
};

struct TPropValue {
    enum class Kind { Integer, Float, String, Ident, Set, List, Binary, Collection, Reference, Handler };

    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0;
    std::string text;                 // String, Ident, and the name of a Reference or Handler
    std::vector<std::string> set;     // Set: the member identifiers
    std::vector<TPropValue> list;     // List: a list of values (string lists)
    std::vector<uint8_t> binary;      // Binary: raw data (pictures)
    std::vector<TPropItem> items;     // Collection
    TComponent* component = nullptr;  // Reference, once resolved (may be null for "nil")
    std::any handler;                 // Handler: the bound event handler (a std::function)

    static TPropValue Int(int64_t v);
    static TPropValue Str(std::string v);
    static TPropValue Id(std::string v);
    static TPropValue Bool(bool v);

    // Conversions used by setters; each throws EReadError naming the wanted type.
    int AsInt() const;
    int64_t AsInt64() const;
    double AsFloat() const;
    bool AsBool() const;  // identifiers True/False
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    std::vector<std::string> AsStrings() const;  // a list of strings
    std::string Describe() const;                // short text for error messages
};

}  // namespace vl
