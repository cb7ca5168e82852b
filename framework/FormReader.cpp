#include "framework/FormReader.h"

#include <windows.h>

#include <charconv>
#include <cstdint>

#include "framework/ClassInfo.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

namespace vl {

namespace {

[[noreturn]] void Fail(int line, const std::string& message) {
    throw EReadError("Line " + std::to_string(line) + ": " + message);
}

// ---------------------------------------------------------------------------------------------
// Tokens

enum class Tok { End, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
    Tok type = Tok::End;
    int line = 1;
    char symbol = 0;
    std::string text;  // Ident, String (decoded)
    int64_t integer = 0;
    double real = 0;
    std::vector<uint8_t> binary;
};

std::string Describe(const Token& t) {
    switch (t.type) {
    case Tok::End: return "end of text";
    case Tok::Ident: return "'" + t.text + "'";
    case Tok::Integer: return "number " + std::to_string(t.integer);
    case Tok::Float: return "a number";
    case Tok::String: return "a string";
    case Tok::Binary: return "binary data";
    case Tok::Symbol: return std::string("'") + t.symbol + "'";
    }
    return "?";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c) || c == '.'; }
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {
        if (s_.size() > kMaxFormTextSize) Fail(1, "Form description too large");
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // UTF-8 byte order mark
    }

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= s_.size()) return t;
        char c = s_[pos_];
        if (IsIdentStart(c)) {
            ReadIdent(t);
            return t;
        }
        if (IsDigit(c) || c == '$' || ((c == '-' || c == '+') && IsNumberStart(pos_ + 1))) {
            ReadNumber(t);
            return t;
        }
        if (c == '\'' || c == '#') {
            ReadString(t);
            return t;
        }
        if (c == '{') {
            ReadBinary(t);
            return t;
        }
        switch (c) {
        case '=': case ':': case '[': case ']': case '(': case ')': case '<': case '>': case ',': case '+':
            ++pos_;
            t.type = Tok::Symbol;
            t.symbol = c;
            return t;
        default: break;
        }
        auto code = static_cast<unsigned char>(c);
        if (code >= 0x21 && code < 0x7F) Fail(line_, std::string("Invalid character '") + c + "'");
        Fail(line_, "Invalid character #" + std::to_string(code));
    }

private:
    char At(size_t i) const { return i < s_.size() ? s_[i] : '\0'; }
    bool IsNumberStart(size_t i) const { return IsDigit(At(i)) || At(i) == '$'; }

    void SkipBlanks() {
        while (pos_ < s_.size()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '/' && At(pos_ + 1) == '/') {
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    void ReadIdent(Token& t) {
        size_t start = pos_;
        while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
        std::string_view id = s_.substr(start, pos_ - start);
        if (id.size() > kMaxFormIdentLength) Fail(line_, "Identifier too long");
        if (id.back() == '.' || id.find("..") != std::string_view::npos)
            Fail(line_, "Invalid identifier '" + std::string(id) + "'");
        t.type = Tok::Ident;
        t.text = id;
    }

    void ReadNumber(Token& t) {
        size_t start = pos_;
        bool negative = s_[pos_] == '-';
        if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
        if (s_[pos_] == '$') {
            ++pos_;
            size_t digits = pos_;
            uint64_t value = 0;
            while (pos_ < s_.size() && IsHexDigit(s_[pos_])) value = value * 16 + HexValue(s_[pos_++]);
            if (pos_ == digits) Fail(line_, "Hexadecimal digits expected after '$'");
            if (pos_ - digits > 16) Fail(line_, "Integer out of range");
            if (negative) value = 0 - value;
            EndOfNumber();
            t.type = Tok::Integer;
            t.integer = static_cast<int64_t>(value);
            return;
        }
        while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        bool isFloat = false;
        if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
            isFloat = true;
            ++pos_;
            while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        }
        if (At(pos_) == 'e' || At(pos_) == 'E') {
            size_t e = pos_ + 1;
            if (At(e) == '-' || At(e) == '+') ++e;
            if (IsDigit(At(e))) {
                isFloat = true;
                pos_ = e;
                while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
            }
        }
        EndOfNumber();
        // from_chars accepts a leading '-' but not '+'.
        size_t from = s_[start] == '+' ? start + 1 : start;
        const char* first = s_.data() + from;
        const char* last = s_.data() + pos_;
        std::from_chars_result r;
        if (isFloat) {
            t.type = Tok::Float;
            r = std::from_chars(first, last, t.real);
        } else {
            t.type = Tok::Integer;
            r = std::from_chars(first, last, t.integer);
        }
        if (r.ec == std::errc::result_out_of_range) Fail(line_, isFloat ? "Number out of range" : "Integer out of range");
        if (r.ec != std::errc() || r.ptr != last) Fail(line_, "Invalid number");
    }

    // A number must not run straight into a name ("12px", "1.2.3").
    void EndOfNumber() {
        if (pos_ < s_.size() && IsIdentChar(s_[pos_])) Fail(line_, "Invalid number");
    }

    // Quoted pieces ('it''s') and character codes (#13, #$0A) written without blanks between
    // them form one string.
    void ReadString(Token& t) {
        t.type = Tok::String;
        for (;;) {
            char c = At(pos_);
            if (c == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r') Fail(line_, "Unterminated string");
                    char q = s_[pos_++];
                    if (q != '\'') {
                        t.text += q;
                    } else if (At(pos_) == '\'') {
                        t.text += '\'';
                        ++pos_;
                    } else {
                        break;
                    }
                }
            } else if (c == '#') {
                ++pos_;
                unsigned value = 0;
                size_t digits;
                if (At(pos_) == '$') {
                    digits = ++pos_;
                    while (pos_ < s_.size() && IsHexDigit(s_[pos_])) {
                        value = value * 16 + HexValue(s_[pos_++]);
                        if (value > 255) Fail(line_, "Character code out of range");
                    }
                } else {
                    digits = pos_;
                    while (pos_ < s_.size() && IsDigit(s_[pos_])) {
                        value = value * 10 + (s_[pos_++] - '0');
                        if (value > 255) Fail(line_, "Character code out of range");
                    }
                }
                if (pos_ == digits) Fail(line_, "Character code expected after '#'");
                t.text += static_cast<char>(value);
            } else {
                return;
            }
        }
    }

    void ReadBinary(Token& t) {
        ++pos_;  // '{'
        t.type = Tok::Binary;
        int nibble = -1;
        for (;;) {
            if (pos_ >= s_.size()) Fail(line_, "Unterminated binary data");
            char c = s_[pos_++];
            if (c == '}') break;
            if (c == '\n') {
                ++line_;
            } else if (IsHexDigit(c)) {
                if (nibble < 0) {
                    nibble = HexValue(c);
                } else {
                    t.binary.push_back(static_cast<uint8_t>(nibble * 16 + HexValue(c)));
                    nibble = -1;
                }
            } else if (c != ' ' && c != '\t' && c != '\r') {
                Fail(line_, "Invalid character in binary data");
            }
        }
        if (nibble >= 0) Fail(line_, "Odd number of hexadecimal digits in binary data");
    }

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
};

// ---------------------------------------------------------------------------------------------
// Parser

class Parser {
public:
    explicit Parser(std::string_view text) : lex_(text) { Advance(); }

    TFormNode ParseRoot() {
        TFormNode node = ParseObject(1);
        if (cur_.type != Tok::End) Fail(cur_.line, "End of text expected instead of " + Describe(cur_));
        return node;
    }

private:
    void Advance() { cur_ = lex_.Next(); }
    bool IsKeyword(const char* word) const { return cur_.type == Tok::Ident && SameText(cur_.text, word); }
    bool IsSymbol(char c) const { return cur_.type == Tok::Symbol && cur_.symbol == c; }

    void Expect(char c) {
        if (!IsSymbol(c)) Fail(cur_.line, std::string("'") + c + "' expected instead of " + Describe(cur_));
        Advance();
    }

    // A component or class name: one identifier without dots.
    std::string ExpectName(const char* what) {
        if (cur_.type != Tok::Ident || cur_.text.find('.') != std::string::npos || IsKeyword("end") ||
            IsKeyword("object"))
            Fail(cur_.line, std::string(what) + " expected instead of " + Describe(cur_));
        std::string name = std::move(cur_.text);
        Advance();
        return name;
    }

    static void CheckDepth(int depth, int line) {
        if (depth > kMaxFormNesting) Fail(line, "Nesting too deep");
    }

    TFormNode ParseObject(int depth) {
        CheckDepth(depth, cur_.line);
        if (!IsKeyword("object")) Fail(cur_.line, "'object' expected instead of " + Describe(cur_));
        TFormNode node;
        node.line = cur_.line;
        Advance();
        node.name = ExpectName("Component name");
        Expect(':');
        node.className = ExpectName("Class name");
        for (;;) {
            if (IsKeyword("end")) {
                Advance();
                return node;
            }
            if (IsKeyword("object")) {
                node.children.push_back(ParseObject(depth + 1));
            } else if (cur_.type == Tok::Ident) {
                if (!node.children.empty())
                    Fail(cur_.line, "Property " + cur_.text + " follows a nested object of " + node.name);
                node.propLines.push_back(cur_.line);
                node.props.push_back(ParseProperty(depth));
            } else if (cur_.type == Tok::End) {
                Fail(cur_.line, "'end' expected for object " + node.name + " (line " + std::to_string(node.line) + ")");
            } else {
                Fail(cur_.line, "Property name expected instead of " + Describe(cur_));
            }
        }
    }

    std::pair<std::string, TPropValue> ParseProperty(int depth) {
        std::string name = std::move(cur_.text);
        Advance();
        Expect('=');
        TPropValue value = ParseValue(depth);
        return {std::move(name), std::move(value)};
    }

    TPropValue ParseValue(int depth) {
        TPropValue v;
        switch (cur_.type) {
        case Tok::Integer:
            v = TPropValue::Int(cur_.integer);
            Advance();
            return v;
        case Tok::Float:
            v.kind = TPropValue::Kind::Float;
            v.real = cur_.real;
            Advance();
            return v;
        case Tok::String:
            return ParseString();
        case Tok::Binary:
            v.kind = TPropValue::Kind::Binary;
            v.binary = std::move(cur_.binary);
            Advance();
            return v;
        case Tok::Ident:
            if (IsKeyword("end") || IsKeyword("object")) break;
            v = TPropValue::Id(std::move(cur_.text));
            Advance();
            return v;
        case Tok::Symbol:
            if (cur_.symbol == '[') return ParseSet();
            if (cur_.symbol == '(') return ParseList(depth + 1);
            if (cur_.symbol == '<') return ParseCollection(depth + 1);
            break;
        case Tok::End: break;
        }
        Fail(cur_.line, "Value expected instead of " + Describe(cur_));
    }

    // 'piece' + 'piece' ...: the pieces may be on separate lines.
    TPropValue ParseString() {
        TPropValue v = TPropValue::Str(std::move(cur_.text));
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (cur_.type != Tok::String) Fail(cur_.line, "String expected after '+' instead of " + Describe(cur_));
            v.text += cur_.text;
            Advance();
        }
        return v;
    }

    TPropValue ParseSet() {
        TPropValue v;
        v.kind = TPropValue::Kind::Set;
        Advance();  // '['
        if (IsSymbol(']')) {
            Advance();
            return v;
        }
        for (;;) {
            if (cur_.type == Tok::Ident && !IsKeyword("end") && !IsKeyword("object"))
                v.set.push_back(std::move(cur_.text));
            else if (cur_.type == Tok::Integer)
                v.set.push_back(std::to_string(cur_.integer));
            else
                Fail(cur_.line, "Set member expected instead of " + Describe(cur_));
            Advance();
            if (IsSymbol(']')) {
                Advance();
                return v;
            }
            if (!IsSymbol(',')) Fail(cur_.line, "',' or ']' expected instead of " + Describe(cur_));
            Advance();
        }
    }

    TPropValue ParseList(int depth) {
        CheckDepth(depth, cur_.line);
        TPropValue v;
        v.kind = TPropValue::Kind::List;
        int line = cur_.line;
        Advance();  // '('
        while (!IsSymbol(')')) {
            if (cur_.type == Tok::End) Fail(cur_.line, "')' expected for the list of line " + std::to_string(line));
            v.list.push_back(ParseValue(depth));
        }
        Advance();
        return v;
    }

    TPropValue ParseCollection(int depth) {
        CheckDepth(depth, cur_.line);
        TPropValue v;
        v.kind = TPropValue::Kind::Collection;
        Advance();  // '<'
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) Fail(cur_.line, "'item' or '>' expected instead of " + Describe(cur_));
            int itemLine = cur_.line;
            Advance();
            TPropItem item;
            while (!IsKeyword("end")) {
                if (cur_.type == Tok::End)
                    Fail(cur_.line, "'end' expected for the item of line " + std::to_string(itemLine));
                if (cur_.type != Tok::Ident || IsKeyword("object") || IsKeyword("item"))
                    Fail(cur_.line, "Property name expected instead of " + Describe(cur_));
                item.props.push_back(ParseProperty(depth));
            }
            Advance();  // 'end'
            v.items.push_back(std::move(item));
        }
        Advance();  // '>'
        return v;
    }

    Lexer lex_;
    Token cur_;
};

// ---------------------------------------------------------------------------------------------
// Loader

// Runs `action`; an EReadError without a line number gets the line of the stream entry.
template <class F>
void AtLine(int line, F&& action) {
    try {
        action();
    } catch (const EReadError& e) {
        std::string_view message = e.what();
        if (message.substr(0, 5) == "Line ") throw;
        Fail(line, std::string(message));
    }
}

class Loader {
public:
    explicit Loader(TComponent* root) : root_(root) {}

    void Load(const TFormNode& node) {
        root_->SetLoadingState(true);
        try {
            if (!root_->ClassInfo().InheritsFrom(node.className))
                Fail(node.line, "Cannot load a " + node.className + " description into a " + root_->ClassName());
            SetName(root_, node);
            SetProps(root_, node);
            for (const TFormNode& child : node.children) LoadChild(child, root_);
            ResolveReferences();
            root_->Loaded();
            for (TComponent* c : created_) c->Loaded();
        } catch (...) {
            EndLoading();
            throw;
        }
        EndLoading();
    }

private:
    struct PendingReference {
        TComponent* component;
        std::string path;
        std::string target;
        int line;
    };

    void LoadChild(const TFormNode& node, TComponent* parent) {
        TComponent* component = nullptr;
        AtLine(node.line, [&] {
            const TClassInfo& info = GetClass(node.className);
            if (!info.create) throw EReadError("Class " + node.className + " cannot be created");
            component = info.create(root_);
        });
        component->SetLoadingState(true);
        created_.push_back(component);
        SetName(component, node);
        AtLine(node.line, [&] { component->SetParentComponent(parent); });
        SetProps(component, node);
        for (const TFormNode& child : node.children) LoadChild(child, component);
    }

    static void SetName(TComponent* component, const TFormNode& node) {
        try {
            component->SetName(node.name);
        } catch (const EComponentError& e) {
            Fail(node.line, e.what());
        }
    }

    void SetProps(TComponent* component, const TFormNode& node) {
        for (size_t i = 0; i < node.props.size(); ++i) {
            int line = i < node.propLines.size() ? node.propLines[i] : node.line;
            const auto& [path, value] = node.props[i];
            AtLine(line, [&] { SetProp(component, path, value, line); });
        }
    }

    void SetProp(TComponent* component, const std::string& path, const TPropValue& value, int line) {
        TPersistent* target = component;
        const TPropInfo& prop = ResolvePropPath(target, path);
        switch (prop.kind) {
        case TPropInfo::Kind::Reference:
            if (value.kind != TPropValue::Kind::Ident)
                throw EReadError("Component name expected for property " + path + " instead of " + value.Describe());
            references_.push_back({component, path, value.text, line});
            return;
        case TPropInfo::Kind::Event: {
            if (value.kind != TPropValue::Kind::Ident)
                throw EReadError("Handler name expected for event " + path + " instead of " + value.Describe());
            TPropValue bound;
            bound.kind = TPropValue::Kind::Handler;
            bound.text = value.text;
            if (!SameText(value.text, "nil")) {
                const std::any* handler = root_->FindHandler(value.text);
                if (!handler) throw EReadError("Handler " + value.text + " not found");
                bound.handler = *handler;
            }
            SetPropValue(*component, path, bound);
            return;
        }
        case TPropInfo::Kind::Value:
        case TPropInfo::Kind::Object:
            SetPropValue(*component, path, value);
            return;
        }
    }

    TComponent* FindReference(const std::string& name) const {
        if (SameText(name, root_->Name())) return root_;
        if (TComponent* c = root_->FindComponent(name)) return c;
        // "Form1.comp" names a component of this form while it is not yet known globally.
        size_t dot = name.find('.');
        if (dot != std::string::npos && SameText(std::string_view(name).substr(0, dot), root_->Name()))
            if (TComponent* c = root_->FindComponent(std::string_view(name).substr(dot + 1))) return c;
        return FindGlobalComponent(name);
    }

    void ResolveReferences() {
        for (const PendingReference& ref : references_) {
            AtLine(ref.line, [&] {
                TPropValue value;
                value.kind = TPropValue::Kind::Reference;
                value.text = ref.target;
                if (!SameText(ref.target, "nil")) {
                    value.component = FindReference(ref.target);
                    if (!value.component)
                        throw EReadError("Component " + ref.target + " not found for property " + ref.path);
                }
                SetPropValue(*ref.component, ref.path, value);
            });
        }
    }

    // Subclasses may override Loaded without clearing the state, and a failed load never
    // reaches Loaded: leave nothing marked as loading either way.
    void EndLoading() {
        root_->SetLoadingState(false);
        for (TComponent* c : created_) c->SetLoadingState(false);
    }

    TComponent* root_;
    std::vector<TComponent*> created_;
    std::vector<PendingReference> references_;
};

}  // namespace

TFormNode ParseFormText(std::string_view text) {
    Parser parser(text);
    return parser.ParseRoot();
}

void LoadFormNode(TComponent* root, const TFormNode& node) {
    if (!root) throw EReadError("No component to load the form description into");
    Loader(root).Load(node);
}

void ReadFormText(TComponent* root, std::string_view text) { LoadFormNode(root, ParseFormText(text)); }

void ReadFormResource(TComponent* root, const std::string& resourceName) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!bytes) throw EReadError("Resource " + resourceName + " not found");
    std::string_view text(bytes, SizeofResource(module, info));
    // Resource compilers may pad the data with zero bytes.
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    ReadFormText(root, text);
}

}  // namespace vl
