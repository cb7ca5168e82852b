// Published-property tables: lookup through the class chain, dotted paths, conversions.
#include <gtest/gtest.h>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Font.h"

using namespace vl;

namespace {

enum class Shade { Light, Dark };

}  // namespace

namespace vl {
template <>
struct TEnumNames<Shade> {
    static const TEnumTable<Shade>& Table() {
        static const TEnumTable<Shade> t = {{"shLight", Shade::Light}, {"shDark", Shade::Dark}};
        return t;
    }
};
}  // namespace vl

namespace {

using TNotifyEvent = std::function<void(TObject*)>;

class Base : public TComponent {
    VL_DECLARE_CLASS()
public:
    using TComponent::TComponent;
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }
    int size_ = 0;
};

class Derived : public Base {
    VL_DECLARE_CLASS()
public:
    using Base::Base;
    Shade shade = Shade::Light;
    bool flag = false;
    uint32_t color = 0;
    std::string caption;
    TFont font;
    TFont* Font() { return &font; }
    void SetColor(uint32_t c) { color = c; }
    uint32_t Color() const { return color; }
    TNotifyEvent OnPing;
    TComponent* partner = nullptr;
    void SetPartner(TComponent* c) { partner = c; }
};

const TClassInfo& Base::StaticClass() {
    static const TClassInfo info = TClassBuilder<Base>("TPropBase", &TComponent::StaticClass())
                                       .Prop("Size", &Base::SetSize, &Base::Size)
                                       .Build();
    return info;
}

const TClassInfo& Derived::StaticClass() {
    static const TClassInfo info = TClassBuilder<Derived>("TPropDerived", &Base::StaticClass())
                                       .Creatable()
                                       .Field("Shade", &Derived::shade)
                                       .Field("Flag", &Derived::flag)
                                       .Field("Caption", &Derived::caption)
                                       .ColorProp("Color", &Derived::SetColor, &Derived::Color)
                                       .Object("Font", &Derived::Font)
                                       .Event("OnPing", &Derived::OnPing)
                                       .Reference("Partner", &Derived::SetPartner)
                                       .Build();
    return info;
}

TEST(PropertyTable, FindsInheritedPropertiesIgnoringCase) {
    Derived d(nullptr);
    EXPECT_TRUE(HasProperty(d, "size"));
    EXPECT_TRUE(HasProperty(d, "NAME"));  // from TComponent
    EXPECT_FALSE(HasProperty(d, "UIStyle"));
    EXPECT_TRUE(d.InheritsFrom("TPropBase"));
    EXPECT_FALSE(d.InheritsFrom("TWinControl"));
}

TEST(PropertyTable, SetsAndGetsTypedValues) {
    Derived d(nullptr);
    SetPropValue(d, "Size", TPropValue::Int(42));
    SetPropValue(d, "Shade", TPropValue::Id("SHDARK"));
    SetPropValue(d, "Flag", TPropValue::Id("True"));
    SetPropValue(d, "Caption", TPropValue::Str("Vorlinde"));
    EXPECT_EQ(d.Size(), 42);
    EXPECT_EQ(d.shade, Shade::Dark);
    EXPECT_TRUE(d.flag);
    EXPECT_EQ(d.caption, "Vorlinde");
    EXPECT_EQ(GetPropValue(d, "Shade").text, "shDark");
    EXPECT_EQ(GetPropValue(d, "Size").integer, 42);
}

TEST(PropertyTable, ColoursAcceptNamesAndNumbers) {
    Derived d(nullptr);
    SetPropValue(d, "Color", TPropValue::Id("clBtnFace"));
    EXPECT_EQ(d.color, 0xFF00000Fu);
    SetPropValue(d, "Color", TPropValue::Int(16514043));
    EXPECT_EQ(d.color, 16514043u);
    EXPECT_THROW(SetPropValue(d, "Color", TPropValue::Id("clNoSuchColour")), EReadError);
}

TEST(PropertyTable, DottedPathReachesNestedObject) {
    Derived d(nullptr);
    int changes = 0;
    d.font.OnChange = [&](TObject*) { ++changes; };
    SetPropValue(d, "Font.Name", TPropValue::Str("Tahoma"));
    TPropValue bold;
    bold.kind = TPropValue::Kind::Set;
    bold.set = {"fsBold"};
    SetPropValue(d, "Font.Style", bold);
    EXPECT_EQ(d.font.Name(), "Tahoma");
    EXPECT_EQ(d.font.Style(), static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(changes, 2);
}

TEST(PropertyTable, WrongNamesAndKindsAreReadErrors) {
    Derived d(nullptr);
    EXPECT_THROW(SetPropValue(d, "Missing", TPropValue::Int(1)), EReadError);
    EXPECT_THROW(SetPropValue(d, "Font.Missing", TPropValue::Int(1)), EReadError);
    EXPECT_THROW(SetPropValue(d, "Size.Inner", TPropValue::Int(1)), EReadError);
    EXPECT_THROW(SetPropValue(d, "Size", TPropValue::Str("12")), EReadError);
    EXPECT_THROW(SetPropValue(d, "Flag", TPropValue::Int(1)), EReadError);
    EXPECT_THROW(SetPropValue(d, "Shade", TPropValue::Id("shPurple")), EReadError);
}

TEST(PropertyTable, EventsAcceptOnlyHandlersOfTheirType) {
    Derived d(nullptr);
    int pings = 0;
    TPropValue good;
    good.kind = TPropValue::Kind::Handler;
    good.text = "Ping";
    good.handler = TNotifyEvent([&](TObject*) { ++pings; });
    SetPropValue(d, "OnPing", good);
    d.OnPing(&d);
    EXPECT_EQ(pings, 1);

    TPropValue bad = good;
    bad.handler = std::function<void(TObject*, bool&)>([](TObject*, bool&) {});
    EXPECT_THROW(SetPropValue(d, "OnPing", bad), EReadError);
}

TEST(PropertyTable, ReferencesCheckTheTargetClass) {
    Derived d(nullptr), other(nullptr);
    TComponent plain(nullptr);
    TPropValue ref;
    ref.kind = TPropValue::Kind::Reference;
    ref.component = &other;
    SetPropValue(d, "Partner", ref);
    EXPECT_EQ(d.partner, &other);
    ref.component = nullptr;
    SetPropValue(d, "Partner", ref);
    EXPECT_EQ(d.partner, nullptr);
}

TEST(ClassRegistry, CreatesRegisteredClassesByName) {
    RegisterComponentClass(Derived::StaticClass());
    const TClassInfo* info = FindClass("tpropderived");
    ASSERT_NE(info, nullptr);
    TComponent owner(nullptr);
    TComponent* made = info->create(&owner);
    EXPECT_NE(dynamic_cast<Derived*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_THROW(GetClass("TNoSuchClass"), EReadError);
}

}  // namespace
