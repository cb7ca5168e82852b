#pragma once
// Fluent construction of a class's published-property table:
//
//   const TClassInfo& TButton::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
//           .Creatable()
//           .Prop("Caption", &TButton::SetCaption, &TButton::Caption)
//           .Event("OnClick", &TButton::OnClick)
//           .Build();
//       return info;
//   }
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/ClassInfo.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

namespace vl {

// Identifier names of an enumeration, for properties of that type. Specialise per enum:
//   template <> struct TEnumNames<TAlign> { static const TEnumTable<TAlign>& Table(); };
template <class E>
using TEnumTable = std::vector<std::pair<const char*, E>>;
template <class E>
struct TEnumNames;

template <class E>
E EnumFromIdent(const std::string& ident) {
    for (const auto& [name, value] : TEnumNames<E>::Table())
        if (SameText(name, ident)) return value;
    throw EReadError("Invalid property value '" + ident + "'");
}

template <class E>
std::string EnumToIdent(E value) {
    for (const auto& [name, v] : TEnumNames<E>::Table())
        if (v == value) return name;
    return std::to_string(static_cast<int>(value));
}

// Converts a stream value to a setter's argument type.
template <class V>
V FromPropValue(const TPropValue& v) {
    using D = std::decay_t<V>;
    if constexpr (std::is_same_v<D, bool>) return v.AsBool();
    else if constexpr (std::is_same_v<D, std::string>) return v.AsString();
    else if constexpr (std::is_floating_point_v<D>) return static_cast<D>(v.AsFloat());
    else if constexpr (std::is_enum_v<D>) {
        if (v.kind == TPropValue::Kind::Integer) return static_cast<D>(v.integer);
        return EnumFromIdent<D>(v.AsIdent());
    } else if constexpr (std::is_integral_v<D>) return static_cast<D>(v.AsInt64());
    else static_assert(sizeof(D) == 0, "no conversion from a stream value to this type");
}

template <class V>
TPropValue ToPropValue(const V& value) {
    using D = std::decay_t<V>;
    if constexpr (std::is_same_v<D, bool>) return TPropValue::Bool(value);
    else if constexpr (std::is_same_v<D, std::string>) return TPropValue::Str(value);
    else if constexpr (std::is_floating_point_v<D>) {
        TPropValue p;
        p.kind = TPropValue::Kind::Float;
        p.real = value;
        return p;
    } else if constexpr (std::is_enum_v<D>) return TPropValue::Id(EnumToIdent(value));
    else if constexpr (std::is_integral_v<D>) return TPropValue::Int(static_cast<int64_t>(value));
    else static_assert(sizeof(D) == 0, "no conversion from this type to a stream value");
}

// Colours are 0x00BBGGRR, or 0xFF0000nn for system colour nn; streams may name them ("clBlack").
uint32_t ColorFromPropValue(const TPropValue& v);
TPropValue ColorToPropValue(uint32_t color);

template <class T>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo* parent) {
        info_.name = std::move(name);
        info_.parent = parent;
    }

    TClassBuilder& Creatable() {
        info_.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return *this;
    }

    // A value property with typed setter and getter members.
    template <class S, class G>
    TClassBuilder& Prop(const char* name, void (T::*setter)(S), G (T::*getter)() const) {
        TPropInfo p;
        p.name = name;
        p.set = [setter](TPersistent& o, const TPropValue& v) {
            (static_cast<T&>(o).*setter)(FromPropValue<std::decay_t<S>>(v));
        };
        p.get = [getter](const TPersistent& o) { return ToPropValue((static_cast<const T&>(o).*getter)()); };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // A value property stored in a plain data member.
    template <class V>
    TClassBuilder& Field(const char* name, V T::*member) {
        TPropInfo p;
        p.name = name;
        p.set = [member](TPersistent& o, const TPropValue& v) { static_cast<T&>(o).*member = FromPropValue<V>(v); };
        p.get = [member](const TPersistent& o) { return ToPropValue(static_cast<const T&>(o).*member); };
        info_.props.push_back(std::move(p));
        return *this;
    }

    template <class G>
    TClassBuilder& ColorProp(const char* name, void (T::*setter)(uint32_t), G (T::*getter)() const) {
        TPropInfo p;
        p.name = name;
        p.set = [setter](TPersistent& o, const TPropValue& v) { (static_cast<T&>(o).*setter)(ColorFromPropValue(v)); };
        p.get = [getter](const TPersistent& o) { return ColorToPropValue((static_cast<const T&>(o).*getter)()); };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // Any property with hand-written conversion.
    TClassBuilder& Custom(const char* name, std::function<void(T&, const TPropValue&)> set,
                          std::function<TPropValue(const T&)> get = {}) {
        TPropInfo p;
        p.name = name;
        p.set = [set](TPersistent& o, const TPropValue& v) { set(static_cast<T&>(o), v); };
        if (get) p.get = [get](const TPersistent& o) { return get(static_cast<const T&>(o)); };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // A nested object whose own properties are set with a dotted path ("Font.Height").
    template <class O>
    TClassBuilder& Object(const char* name, O* (T::*getter)()) {
        TPropInfo p;
        p.name = name;
        p.kind = TPropInfo::Kind::Object;
        p.object = [getter](TPersistent& o) -> TPersistent* { return (static_cast<T&>(o).*getter)(); };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // A reference to another component, named in the stream and resolved after loading.
    template <class C>
    TClassBuilder& Reference(const char* name, void (T::*setter)(C*)) {
        TPropInfo p;
        p.name = name;
        p.kind = TPropInfo::Kind::Reference;
        p.set = [setter, name](TPersistent& o, const TPropValue& v) {
            C* target = nullptr;
            if (v.component) {
                target = dynamic_cast<C*>(v.component);
                if (!target) throw EReadError(std::string("Invalid property value for ") + name);
            }
            (static_cast<T&>(o).*setter)(target);
        };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // A component reference that can also be read back: GetPropValue answers a Reference value
    // holding the component (null for none) and its name.
    template <class C, class G>
    TClassBuilder& Reference(const char* name, void (T::*setter)(C*), G (T::*getter)() const) {
        Reference(name, setter);
        info_.props.back().get = [getter](const TPersistent& o) {
            TPropValue v;
            v.kind = TPropValue::Kind::Reference;
            auto* target = (static_cast<const T&>(o).*getter)();
            v.component = target;
            if (target) v.text = target->Name();
            return v;
        };
        return *this;
    }

    // An event member (a std::function), bound to a handler of the form by the handler's name.
    template <class F>
    TClassBuilder& Event(const char* name, F T::*member) {
        TPropInfo p;
        p.name = name;
        p.kind = TPropInfo::Kind::Event;
        p.set = [member, name](TPersistent& o, const TPropValue& v) {
            if (!v.handler.has_value()) {
                static_cast<T&>(o).*member = nullptr;
                return;
            }
            const F* handler = std::any_cast<F>(&v.handler);
            if (!handler)
                throw EReadError("Handler '" + v.text + "' does not match the type of event " + name);
            static_cast<T&>(o).*member = *handler;
        };
        info_.props.push_back(std::move(p));
        return *this;
    }

    TClassInfo Build() { return std::move(info_); }

private:
    TClassInfo info_;
};

}  // namespace vl
