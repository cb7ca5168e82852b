#pragma once
// String lists. TStrings holds the operations every list of strings offers and builds them on a
// few storage hooks (GetCount, Get, Put, Insert, Delete, Clear, and optionally the per-item
// object pointer), so that a control can keep its items in a native window (a list box) and
// still be filled, read and copied like any other list. TStringList stores the items itself.
#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"

namespace vl {

class TStream;

class TStrings : public TPersistent {
    VL_DECLARE_CLASS()
public:
    int Count() const { return GetCount(); }
    std::string Strings(int index) const { return Get(index); }
    std::string operator[](int index) const { return Get(index); }
    void* Objects(int index) const { return GetItemObject(index); }
    void SetObject(int index, void* object) { PutItemObject(index, object); }

    // Storage hooks. Index errors raise EListError("List index out of bounds (<index>)").
    virtual void Put(int index, const std::string& s) = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Appends `s` and returns its index.
    virtual int Add(const std::string& s);
    int AddObject(const std::string& s, void* object);
    void InsertObject(int index, const std::string& s, void* object);
    void AddStrings(const TStrings& strings);
    // Swaps two items (strings and objects).
    virtual void Exchange(int index1, int index2);
    // Takes the item at `from` out and puts it back so that it ends up at index `to`.
    virtual void Move(int from, int to);

    // Index of the first item equal to `s` ignoring case, or -1.
    virtual int IndexOf(const std::string& s) const;
    int IndexOfObject(const void* object) const;

    // The lines joined by "\r\n". Setting it splits on "\r\n", "\n" or "\r"; a line break at the
    // very end does not start another (empty) line.
    std::string Text() const;
    void SetText(const std::string& text);
    // Items separated by commas; items holding blanks, commas or quotes (and empty items) are
    // quoted with '"', inner quotes doubled. Setting it also splits unquoted items at blanks.
    std::string CommaText() const;
    void SetCommaText(const std::string& text);

    // The stream's remaining content as Text; and Text written out, each line ended by "\r\n".
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // Changes between BeginUpdate and the matching EndUpdate are reported once, at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Runs `body` between BeginUpdate and EndUpdate; the update also ends when `body` throws.
    template <class F>
    void Update(F&& body) {
        BeginUpdate();
        try {
            body();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }

    // Copies the items (and their objects) of another string list.
    void Assign(const TPersistent& source) override;
    bool Equals(const TStrings& other) const;

protected:
    virtual int GetCount() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void* GetItemObject(int index) const;
    virtual void PutItemObject(int index, void* object);
    // Called when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
    virtual void SetUpdateState(bool updating);
    [[noreturn]] static void IndexError(int index);

private:
    int updateCount_ = 0;
};

enum class TDuplicates { Ignore, Accept, Error };

class TStringList : public TStrings {
    VL_DECLARE_CLASS()
public:
    TStringList() = default;

    // Before a change, and after it; both are held back while an update is in progress.
    std::function<void(TObject*)> OnChanging;
    std::function<void(TObject*)> OnChange;

    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    void Exchange(int index1, int index2) override;
    void Move(int from, int to) override;
    int IndexOf(const std::string& s) const override;

    // A sorted list keeps its items in case-insensitive order: Add places the item, Insert and
    // Put are refused, and Duplicates decides what Add does with an item already present.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    void Sort();
    // Binary search of a sorted list: true when found; `index` is the item's or insert position.
    bool Find(const std::string& s, int& index) const;

protected:
    int GetCount() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void* GetItemObject(int index) const override;
    void PutItemObject(int index, void* object) override;
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& s);

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::Ignore;
};

}  // namespace vl
