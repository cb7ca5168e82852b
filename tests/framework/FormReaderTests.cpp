#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"

using namespace vl;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Kind = TPropValue::Kind;

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class TFrFont : public TPersistent {
    VL_DECLARE_CLASS()
public:
    std::string name;
    int height = 0;
};

class TFrForm : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TFrForm(TComponent* owner) : TComponent(owner) {
        RegisterHandler("FormCreate", &TFrForm::FormCreate);
        RegisterHandler("ValueChanged", &TFrForm::ValueChanged);
    }
    void SetCaption(std::string c) {
        caption = std::move(c);
        Log().push_back(Name() + ".Caption" + (Loading() ? " loading" : ""));
    }
    std::string Caption() const { return caption; }
    TFrFont* Font() { return &font; }
    void SetTheme(TComponent* c) {
        theme = c;
        Log().push_back("Theme set");
    }
    void SetOther(TComponent* c) { other = c; }
    void Loaded() override {
        TComponent::Loaded();
        Log().push_back(Name() + " loaded");
    }
    void FormCreate() { ++createCalls; }
    void ValueChanged(int) {}

    std::string caption;
    TFrFont font;
    TComponent* theme = nullptr;
    TComponent* other = nullptr;
    TPropValue items;
    std::function<void()> OnCreate;
    int createCalls = 0;
};

class TFrPanel : public TComponent {
    VL_DECLARE_CLASS()
public:
    using TComponent::TComponent;
    void SetLeft(int v) {
        left = v;
        Log().push_back(Name() + ".Left" + (Loading() ? " loading" : ""));
    }
    int Left() const { return left; }
    void SetBuddy(TComponent* c) { buddy = c; }
    void SetParentComponent(TComponent* p) override { parent = p; }
    void Loaded() override {
        TComponent::Loaded();
        Log().push_back(Name() + " loaded");
    }

    int left = 0;
    TComponent* parent = nullptr;
    TComponent* buddy = nullptr;
    std::function<void()> OnClick;
};

const TClassInfo& TFrFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFrFont>("TFrFont", &TPersistent::StaticClass())
                                       .Field("Name", &TFrFont::name)
                                       .Field("Height", &TFrFont::height)
                                       .Build();
    return info;
}

const TClassInfo& TFrForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrForm>("TFrForm", &TComponent::StaticClass())
            .Creatable()
            .Prop("Caption", &TFrForm::SetCaption, &TFrForm::Caption)
            .Object("Font", &TFrForm::Font)
            .Reference("FileTheme", &TFrForm::SetTheme)
            .Reference("Other", &TFrForm::SetOther)
            .Custom("Items", [](TFrForm& f, const TPropValue& v) { f.items = v; })
            .Event("OnCreate", &TFrForm::OnCreate)
            .Build();
    return info;
}

const TClassInfo& TFrPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFrPanel>("TFrPanel", &TComponent::StaticClass())
                                       .Creatable()
                                       .Prop("Left", &TFrPanel::SetLeft, &TFrPanel::Left)
                                       .Reference("Buddy", &TFrPanel::SetBuddy)
                                       .Event("OnClick", &TFrPanel::OnClick)
                                       .Build();
    return info;
}

const bool registered = [] {
    RegisterComponentClass(TFrForm::StaticClass());
    RegisterComponentClass(TFrPanel::StaticClass());
    return true;
}();

// Installs a global component finder for one test and puts the previous one back.
class FinderScope {
public:
    explicit FinderScope(TGlobalComponentFinder finder) : previous_(SetGlobalComponentFinder(std::move(finder))) {}
    ~FinderScope() { SetGlobalComponentFinder(std::move(previous_)); }
    FinderScope(const FinderScope&) = delete;
    FinderScope& operator=(const FinderScope&) = delete;

private:
    TGlobalComponentFinder previous_;
};

std::string ParseError(std::string_view text) {
    try {
        ParseFormText(text);
    } catch (const EReadError& e) {
        return e.what();
    }
    return "no error";
}

std::string LoadError(std::string_view text) {
    TFrForm form(nullptr);
    try {
        ReadFormText(&form, text);
    } catch (const EReadError& e) {
        return e.what();
    }
    return "no error";
}

TPropValue ParseValue(const std::string& value) {
    TFormNode node = ParseFormText("object A: B\n  P = " + value + "\nend\n");
    EXPECT_EQ(node.props.size(), 1u);
    return node.props.empty() ? TPropValue{} : node.props[0].second;
}

const char kSample[] = R"(object Form1: TForm1
  Left = 192
  Caption = 'Vorlinde' // a comment
  Font.Name = 'MS Sans Serif'
  BorderIcons = [biSystemMenu]
  Items = (
    'Sequent'
    'Random')
  Picture = {0A1B2C
    3D4E}
  Buttons = <
    item
      Kind = tbkClose
    end>
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 1
    object Inner: TLabel
    end
  end
end
)";

}  // namespace

// ---- Parsing ------------------------------------------------------------------------------------

TEST(FormReaderParse, ObjectTreeWithNamesClassesAndLines) {
    TFormNode root = ParseFormText(kSample);
    EXPECT_EQ(root.name, "Form1");
    EXPECT_EQ(root.className, "TForm1");
    EXPECT_EQ(root.line, 1);
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].name, "Panel1");
    EXPECT_EQ(root.children[0].line, 16);
    ASSERT_EQ(root.children[0].children.size(), 1u);
    EXPECT_EQ(root.children[0].children[0].className, "TLabel");
}

TEST(FormReaderParse, PropertiesKeepStreamOrderAndLines) {
    TFormNode root = ParseFormText(kSample);
    std::vector<std::string> names;
    for (const auto& p : root.props) names.push_back(p.first);
    EXPECT_EQ(names, (std::vector<std::string>{"Left", "Caption", "Font.Name", "BorderIcons", "Items", "Picture",
                                                "Buttons", "OnCreate"}));
    EXPECT_EQ(root.propLines, (std::vector<int>{2, 3, 4, 5, 6, 9, 11, 15}));
}

TEST(FormReaderParse, Integers) {
    EXPECT_EQ(ParseValue("-11").integer, -11);
    EXPECT_EQ(ParseValue("$FF").integer, 255);
    EXPECT_EQ(ParseValue("-$10").integer, -16);
    EXPECT_EQ(ParseValue("9223372036854775807").integer, INT64_MAX);
    EXPECT_EQ(ParseValue("-9223372036854775808").integer, INT64_MIN);
    EXPECT_EQ(ParseValue("$FFFFFFFFFFFFFFFF").integer, -1);
    EXPECT_EQ(ParseValue("7").kind, Kind::Integer);
}

TEST(FormReaderParse, Floats) {
    TPropValue v = ParseValue("1.5");
    EXPECT_EQ(v.kind, Kind::Float);
    EXPECT_EQ(v.real, 1.5);
    EXPECT_EQ(ParseValue("-2.25").real, -2.25);
    EXPECT_EQ(ParseValue("1E3").real, 1000.0);
}

TEST(FormReaderParse, StringEscapesCodesAndConcatenation) {
    EXPECT_EQ(ParseValue("'it''s'").text, "it's");
    EXPECT_EQ(ParseValue("''").text, "");
    EXPECT_EQ(ParseValue("'ab'#13'cd'#$0A").text, "ab\rcd\n");
    EXPECT_EQ(ParseValue("#65#66").text, "AB");
    TPropValue v = ParseValue("'first ' +\n    'second' +\n    #9'third'");
    EXPECT_EQ(v.kind, Kind::String);
    EXPECT_EQ(v.text, "first second\tthird");
}

TEST(FormReaderParse, Identifiers) {
    TPropValue v = ParseValue("Form1.suiFileTheme1");
    EXPECT_EQ(v.kind, Kind::Ident);
    EXPECT_EQ(v.text, "Form1.suiFileTheme1");
    EXPECT_TRUE(ParseValue("True").AsBool());
}

TEST(FormReaderParse, Sets) {
    TPropValue v = ParseValue("[biSystemMenu, biMinimize]");
    EXPECT_EQ(v.kind, Kind::Set);
    EXPECT_EQ(v.set, (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    TPropValue empty = ParseValue("[]");
    EXPECT_EQ(empty.kind, Kind::Set);
    EXPECT_TRUE(empty.set.empty());
}

TEST(FormReaderParse, Lists) {
    TPropValue v = ParseValue("(\n  'Sequent'\n  'Random'\n  3)");
    EXPECT_EQ(v.kind, Kind::List);
    ASSERT_EQ(v.list.size(), 3u);
    EXPECT_EQ(v.list[1].text, "Random");
    EXPECT_EQ(v.list[2].integer, 3);
    EXPECT_TRUE(ParseValue("()").list.empty());
}

TEST(FormReaderParse, BinaryAcrossLines) {
    TPropValue v = ParseValue("{0A1b2C\n    3D 4E}");
    EXPECT_EQ(v.kind, Kind::Binary);
    EXPECT_EQ(v.binary, (std::vector<uint8_t>{0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
    EXPECT_TRUE(ParseValue("{}").binary.empty());
}

TEST(FormReaderParse, Collections) {
    TPropValue v = ParseValue("<\n item\n  Kind = tbkClose\n  Top = 2\n end\n item\n  Kind = tbkHelp\n end>");
    EXPECT_EQ(v.kind, Kind::Collection);
    ASSERT_EQ(v.items.size(), 2u);
    ASSERT_EQ(v.items[0].props.size(), 2u);
    EXPECT_EQ(v.items[0].props[1].first, "Top");
    EXPECT_EQ(v.items[0].props[1].second.integer, 2);
    EXPECT_EQ(v.items[1].props[0].second.text, "tbkHelp");
    TPropValue empty = ParseValue("<>");
    EXPECT_EQ(empty.kind, Kind::Collection);
    EXPECT_TRUE(empty.items.empty());
}

// ---- Malformed text -----------------------------------------------------------------------------

TEST(FormReaderErrors, UnterminatedStringNamesItsLine) {
    EXPECT_THAT(ParseError("object A: B\n  X = 1\n  Caption = 'abc\n  Y = 2\nend"),
                StartsWith("Line 3: Unterminated string"));
}

TEST(FormReaderErrors, MissingEndNamesTheObject) {
    EXPECT_THAT(ParseError("object A: B\n  object C: D\n  end\n"), AllOf(StartsWith("Line 4:"), HasSubstr("object A")));
}

TEST(FormReaderErrors, BadTokens) {
    EXPECT_THAT(ParseError("object A: B\n  X = @\nend"), StartsWith("Line 2: Invalid character '@'"));
    EXPECT_THAT(ParseError("object A: B\n  X 1\nend"), StartsWith("Line 2: '=' expected"));
    EXPECT_THAT(ParseError("object A: B\n  X = 12px\nend"), StartsWith("Line 2: Invalid number"));
    EXPECT_THAT(ParseError("object A: B\n  X = #300\nend"), StartsWith("Line 2: Character code out of range"));
    EXPECT_THAT(ParseError("object A: B\n  X = [a b]\nend"), StartsWith("Line 2:"));
    EXPECT_THAT(ParseError("object A: B\nend\nextra"), StartsWith("Line 3: End of text expected"));
    EXPECT_THAT(ParseError("object : B\nend"), StartsWith("Line 1: Component name expected"));
    EXPECT_THAT(ParseError(""), StartsWith("Line 1: 'object' expected"));
}

TEST(FormReaderErrors, IntegerOutOfRange) {
    EXPECT_THAT(ParseError("object A: B\n  X = 9223372036854775808\nend"), StartsWith("Line 2: Integer out of range"));
    EXPECT_THAT(ParseError("object A: B\n  X = $1FFFFFFFFFFFFFFFF\nend"), StartsWith("Line 2: Integer out of range"));
}

TEST(FormReaderErrors, MalformedBinary) {
    EXPECT_THAT(ParseError("object A: B\n  X = {ABC}\nend"), StartsWith("Line 2: Odd number"));
    EXPECT_THAT(ParseError("object A: B\n  X = {AB\n  CD"), StartsWith("Line 3: Unterminated binary"));
    EXPECT_THAT(ParseError("object A: B\n  X = {AG}\nend"), StartsWith("Line 2: Invalid character in binary"));
}

TEST(FormReaderErrors, PropertyAfterNestedObjectRejected) {
    EXPECT_THAT(ParseError("object A: B\n  object C: D\n  end\n  X = 1\nend"), StartsWith("Line 4:"));
}

TEST(FormReaderErrors, NestingIsCapped) {
    std::string ok, deep;
    for (int i = 0; i < kMaxFormNesting; ++i) ok += "object A" + std::to_string(i) + ": B\n";
    for (int i = 0; i < kMaxFormNesting; ++i) ok += "end\n";
    EXPECT_NO_THROW(ParseFormText(ok));
    for (int i = 0; i <= kMaxFormNesting; ++i) deep += "object A" + std::to_string(i) + ": B\n";
    EXPECT_THAT(ParseError(deep), StartsWith("Line 65: Nesting too deep"));
    EXPECT_THAT(ParseError("object A: B\n  X = " + std::string(100000, '(')), HasSubstr("Nesting too deep"));
    EXPECT_THAT(ParseError("object A: B\n  X = " + std::string(100000, '<')), StartsWith("Line 2:"));
}

TEST(FormReaderErrors, EveryTruncationFailsCleanly) {
    std::string_view text = kSample;
    size_t complete = text.rfind("end") + 3;
    for (size_t n = 0; n < complete; ++n)
        EXPECT_THAT(ParseError(text.substr(0, n)), StartsWith("Line ")) << "length " << n;
}

TEST(FormReaderErrors, CorruptedTextNeverThrowsAnythingElse) {
    const std::string text = kSample;
    for (size_t i = 0; i < text.size(); ++i) {
        for (char c : std::string("'{(<[#$-}\0", 10)) {
            std::string bad = text;
            bad[i] = c;
            try {
                ParseFormText(bad);
            } catch (const EReadError&) {
            }
        }
    }
}

// ---- Loading ------------------------------------------------------------------------------------

TEST(FormReaderLoad, PropertiesSetInStreamOrderWhileLoading) {
    Log().clear();
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  Caption = 'x'\n"
                        "  object P1: TFrPanel\n    Left = 1\n    object P2: TFrPanel\n      Left = 2\n    end\n  end\n"
                        "  object P3: TFrPanel\n    Left = 3\n  end\nend\n");
    std::vector<std::string> sets(Log().begin(), Log().begin() + 4);
    EXPECT_EQ(sets, (std::vector<std::string>{"Form1.Caption loading", "P1.Left loading", "P2.Left loading",
                                               "P3.Left loading"}));
    EXPECT_FALSE(form.Loading());
    EXPECT_FALSE(form.FindComponent("P2")->Loading());
}

TEST(FormReaderLoad, LoadedCalledInCreationOrderRootFirst) {
    Log().clear();
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  object P1: TFrPanel\n    object P2: TFrPanel\n    end\n  end\n"
                        "  object P3: TFrPanel\n  end\nend\n");
    EXPECT_EQ(Log(), (std::vector<std::string>{"Form1 loaded", "P1 loaded", "P2 loaded", "P3 loaded"}));
}

TEST(FormReaderLoad, ChildrenOwnedByRootAndParentedByEnclosingComponent) {
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  object P1: TFrPanel\n    object P2: TFrPanel\n    end\n  end\nend\n");
    auto* p1 = dynamic_cast<TFrPanel*>(form.FindComponent("P1"));
    auto* p2 = dynamic_cast<TFrPanel*>(form.FindComponent("p2"));
    ASSERT_TRUE(p1 && p2);
    EXPECT_EQ(p2->Owner(), &form);
    EXPECT_EQ(p1->parent, &form);
    EXPECT_EQ(p2->parent, p1);
}

TEST(FormReaderLoad, DottedPathsReachNestedObjects) {
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  Font.Name = 'MS Sans Serif'\n  Font.Height = -11\nend\n");
    EXPECT_EQ(form.font.name, "MS Sans Serif");
    EXPECT_EQ(form.font.height, -11);
}

TEST(FormReaderLoad, ValuePropertyReceivesParsedValue) {
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  Items = (\n    'a'\n    'b')\nend\n");
    EXPECT_EQ(form.items.AsStrings(), (std::vector<std::string>{"a", "b"}));
}

TEST(FormReaderLoad, ReferenceToLaterComponentResolvedBeforeLoaded) {
    Log().clear();
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  FileTheme = Theme1\n  object P1: TFrPanel\n    Buddy = Form1\n  end\n"
                        "  object Theme1: TFrPanel\n    Buddy = Form1.P1\n  end\nend\n");
    EXPECT_EQ(form.theme, form.FindComponent("Theme1"));
    EXPECT_EQ(dynamic_cast<TFrPanel*>(form.FindComponent("P1"))->buddy, &form);
    EXPECT_EQ(dynamic_cast<TFrPanel*>(form.FindComponent("Theme1"))->buddy, form.FindComponent("P1"));
    EXPECT_EQ(Log().front(), "Theme set");
}

TEST(FormReaderLoad, NilReferenceClears) {
    TFrForm form(nullptr);
    form.theme = &form;
    ReadFormText(&form, "object Form1: TFrForm\n  FileTheme = nil\nend\n");
    EXPECT_EQ(form.theme, nullptr);
}

TEST(FormReaderLoad, CrossFormReferenceThroughGlobalFinder) {
    TFrForm other(nullptr);
    other.SetName("Form2");
    TFrPanel theme(&other);
    theme.SetName("Theme");
    std::vector<std::string> asked;
    FinderScope scope([&](std::string_view name) -> TComponent* {
        asked.emplace_back(name);
        return SameText(name, "Form2.Theme") ? &theme : nullptr;
    });
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  Other = Form2.Theme\nend\n");
    EXPECT_EQ(form.other, &theme);
    EXPECT_EQ(asked, (std::vector<std::string>{"Form2.Theme"}));
}

TEST(FormReaderLoad, UnresolvedReferenceNamed) {
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  Other = Nowhere\nend\n"),
                AllOf(StartsWith("Line 2:"), HasSubstr("Nowhere")));
}

TEST(FormReaderLoad, HandlersBoundAndCallable) {
    TFrForm form(nullptr);
    ReadFormText(&form, "object Form1: TFrForm\n  OnCreate = FormCreate\n"
                        "  object P1: TFrPanel\n    OnClick = formcreate\n  end\nend\n");
    ASSERT_TRUE(form.OnCreate);
    form.OnCreate();
    dynamic_cast<TFrPanel*>(form.FindComponent("P1"))->OnClick();
    EXPECT_EQ(form.createCalls, 2);
}

TEST(FormReaderLoad, HandlerOfWrongSignatureRejected) {
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  OnCreate = ValueChanged\nend\n"),
                AllOf(StartsWith("Line 2:"), HasSubstr("does not match")));
}

TEST(FormReaderLoad, UnknownNamesRejected) {
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  OnCreate = Missing\nend\n"),
                StartsWith("Line 2: Handler Missing not found"));
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  object X: TNope\n  end\nend\n"),
                StartsWith("Line 2: Class TNope not found"));
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  object X: TFrPanel\n    Bogus = 1\n  end\nend\n"),
                AllOf(StartsWith("Line 3:"), HasSubstr("Bogus"), HasSubstr("TFrPanel")));
    EXPECT_THAT(LoadError("object Form1: TFrPanel\nend\n"), StartsWith("Line 1:"));
}

TEST(FormReaderLoad, DuplicateNameRejectedWithLine) {
    EXPECT_THAT(LoadError("object Form1: TFrForm\n  object X: TFrPanel\n  end\n  object X: TFrPanel\n  end\nend\n"),
                StartsWith("Line 4:"));
}

TEST(FormReaderLoad, FailedLoadLeavesNothingLoading) {
    TFrForm form(nullptr);
    EXPECT_THROW(ReadFormText(&form, "object Form1: TFrForm\n  object P1: TFrPanel\n  end\n"
                                     "  object P2: TFrPanel\n    Left = 'x'\n  end\nend\n"),
                 EReadError);
    EXPECT_FALSE(form.Loading());
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_FALSE(form.Components(0)->Loading());
    EXPECT_FALSE(form.Components(1)->Loading());
}

TEST(FormReaderLoad, MissingResourceRejected) {
    TFrForm form(nullptr);
    try {
        ReadFormResource(&form, "NOSUCHFORM");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Resource NOSUCHFORM not found");
    }
}
