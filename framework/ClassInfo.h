#pragma once
// Run-time class information: every framework class has a TClassInfo with its name, its parent
// class and a table of published properties. The form loader, the skin engine's "does this
// component publish UIStyle" test and the theme manager all set properties through these tables.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/PropValue.h"

namespace vl {

class TObject;
class TPersistent;
class TComponent;

struct TPropInfo {
    enum class Kind {
        Value,      // set from a plain value
        Object,     // a nested persistent object ("Font.Name"): `object` returns it
        Reference,  // a component reference, resolved by name after loading
        Event       // an event, bound to a handler of the form by name
    };
    std::string name;
    Kind kind = Kind::Value;
    std::function<void(TPersistent&, const TPropValue&)> set;
    std::function<TPropValue(const TPersistent&)> get;  // may be empty
    std::function<TPersistent*(TPersistent&)> object;   // Kind::Object only
};

struct TClassInfo {
    std::string name;
    const TClassInfo* parent = nullptr;
    std::vector<TPropInfo> props;
    // Creates an instance owned by `owner`; empty for abstract classes.
    std::function<TComponent*(TComponent* owner)> create;

    // Looks a property up by name (ignoring case) in this class and its ancestors.
    const TPropInfo* FindProp(std::string_view propName) const;
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;
};

// Global registry of creatable classes, consulted by the form loader. (Not "RegisterClass":
// windows.h turns that name into a macro.)
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
const TClassInfo& GetClass(std::string_view name);  // throws EReadError when unknown

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassInfo().name; }
    bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }
};

// Published-property access by name, through the class's table.
bool HasProperty(const TObject& obj, std::string_view propName);
// Sets a dotted property path ("Font.Name") on `obj`; throws EReadError for unknown names.
void SetPropValue(TPersistent& obj, std::string_view path, const TPropValue& value);
TPropValue GetPropValue(const TPersistent& obj, std::string_view path);
// Walks a dotted path from `target` to the object that holds its last member: `target` ends
// on that object, and the member's description is returned. Throws EReadError for an unknown
// name, a plain value given members, or a nested object that is not assigned.
const TPropInfo& ResolvePropPath(TPersistent*& target, std::string_view path);

}  // namespace vl

// Declares the class-information members of a framework class.
#define VL_DECLARE_CLASS()                      \
public:                                         \
    static const ::vl::TClassInfo& StaticClass(); \
    const ::vl::TClassInfo& ClassInfo() const override { return StaticClass(); }
