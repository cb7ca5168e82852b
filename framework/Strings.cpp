#include "framework/Strings.h"

#include <algorithm>
#include <utility>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/StringUtils.h"

namespace vl {

namespace {

int CompareText(const std::string& a, const std::string& b) {
    CaseInsensitiveLess less;
    if (less(a, b)) return -1;
    return less(b, a) ? 1 : 0;
}

bool NeedsQuotes(const std::string& s) {
    if (s.empty()) return true;
    return std::any_of(s.begin(), s.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
    });
}

bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// ---- TStrings ----

const TClassInfo& TStrings::StaticClass() {
    // "Strings" is how a form description gives a list's items: a list of string values.
    static const TClassInfo info =
        TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass())
            .Custom(
                "Strings",
                [](TStrings& list, const TPropValue& v) {
                    std::vector<std::string> items = v.AsStrings();
                    list.Update([&] {
                        list.Clear();
                        for (const std::string& s : items) list.Add(s);
                    });
                },
                [](const TStrings& list) {
                    TPropValue v;
                    v.kind = TPropValue::Kind::List;
                    for (int i = 0; i < list.Count(); ++i) v.list.push_back(TPropValue::Str(list[i]));
                    return v;
                })
            .Build();
    return info;
}

void TStrings::IndexError(int index) { throw EListError(Format("List index out of bounds (%d)", index)); }

void* TStrings::GetItemObject(int /*index*/) const { return nullptr; }

void TStrings::PutItemObject(int /*index*/, void* /*object*/) {}

void TStrings::SetUpdateState(bool /*updating*/) {}

int TStrings::Add(const std::string& s) {
    int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object) {
    int index = Add(s);
    PutItemObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object) {
    Insert(index, s);
    PutItemObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
    Update([&] {
        for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetItemObject(i));
    });
}

void TStrings::Exchange(int index1, int index2) {
    Update([&] {
        std::string s1 = Get(index1), s2 = Get(index2);
        void* o1 = GetItemObject(index1);
        void* o2 = GetItemObject(index2);
        Put(index1, s2);
        PutItemObject(index1, o2);
        Put(index2, s1);
        PutItemObject(index2, o1);
    });
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    Update([&] {
        std::string s = Get(from);
        void* object = GetItemObject(from);
        if (to < 0 || to >= GetCount()) IndexError(to);
        Delete(from);
        InsertObject(to, s, object);
    });
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

int TStrings::IndexOfObject(const void* object) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (GetItemObject(i) == object) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        if (i > 0) out += "\r\n";
        out += Get(i);
    }
    return out;
}

void TStrings::SetText(const std::string& text) {
    Update([&] {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) end = text.size();
            Add(text.substr(start, end - start));
            if (end == text.size()) break;
            // One break: "\r\n", or a lone "\r" or "\n".
            start = end + 1;
            if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
        }
    });
}

std::string TStrings::CommaText() const {
    std::string out;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        if (i > 0) out += ',';
        std::string s = Get(i);
        if (!NeedsQuotes(s)) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(const std::string& text) {
    Update([&] {
        Clear();
        size_t i = 0;
        const size_t n = text.size();
        auto skipBlanks = [&] {
            while (i < n && IsBlank(text[i])) ++i;
        };
        skipBlanks();
        while (i < n) {
            std::string item;
            if (text[i] == '"') {
                ++i;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            item += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    item += text[i++];
                }
            } else {
                while (i < n && text[i] != ',' && !IsBlank(text[i])) item += text[i++];
            }
            Add(item);
            skipBlanks();
            if (i < n && text[i] == ',') {
                ++i;
                skipBlanks();
            }
        }
    });
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t remaining = stream.Size() - stream.Position();
    std::string text(remaining > 0 ? static_cast<size_t>(remaining) : 0, '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), text.size());
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    if (!text.empty()) stream.WriteBuffer(text.data(), text.size());
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileMode::OpenRead);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, TFileMode::Create);
    SaveToStream(stream);
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TStrings*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    Update([&] {
        Clear();
        AddStrings(*other);
    });
}

bool TStrings::Equals(const TStrings& other) const {
    int n = GetCount();
    if (n != other.GetCount()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

// ---- TStringList ----

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Build();
    return info;
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void* TStringList::GetItemObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutItemObject(int index, void* object) {
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::Put(int index, const std::string& s) {
    if (sorted_) throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (sorted_) throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > GetCount()) IndexError(index);
    InsertItem(index, s);
}

void TStringList::InsertItem(int index, const std::string& s) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed();
}

int TStringList::Add(const std::string& s) {
    if (!sorted_) {
        int index = GetCount();
        InsertItem(index, s);
        return index;
    }
    int index = 0;
    if (Find(s, index)) {
        if (duplicates_ == TDuplicates::Ignore) return index;
        if (duplicates_ == TDuplicates::Error) throw EListError("String list does not allow duplicates");
    }
    InsertItem(index, s);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    Changing();
    auto first = items_.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    // Lower bound, so that with duplicates the first equal item is found.
    int lo = 0, hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = CompareText(items_[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) found = true;
        }
    }
    index = lo;
    return found;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

}  // namespace vl
