#include "framework/ListBox.h"

#include "framework/Exceptions.h"
#include "framework/Graphics.h"

namespace vl {

// The list box's items: in the native window while there is one, else in the control.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TListBox& box) : box_(box) {}

    void Put(int index, const std::string& s) override {
        if (!Live()) {
            box_.saved_.Put(index, s);
            return;
        }
        CheckIndex(index);
        int selected = box_.ItemIndex();
        void* object = GetItemObject(index);
        Delete(index);
        InsertObject(index, s, object);
        if (selected == index) box_.SetItemIndex(index);
    }
    void Insert(int index, const std::string& s) override {
        if (!Live()) {
            box_.saved_.Insert(index, s);
            return;
        }
        if (index < 0 || index > GetCount()) IndexError(index);
        LRESULT r = Send(box_.sorted_ ? LB_ADDSTRING : LB_INSERTSTRING, box_.sorted_ ? 0 : static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(s.c_str()));
        if (r == LB_ERR || r == LB_ERRSPACE) throw EListError("Cannot insert a list box item");
    }
    int Add(const std::string& s) override {
        if (!Live()) return box_.saved_.Add(s);
        LRESULT r = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        if (r == LB_ERR || r == LB_ERRSPACE) throw EListError("Cannot add a list box item");
        return static_cast<int>(r);
    }
    void Delete(int index) override {
        if (!Live()) {
            box_.saved_.Delete(index);
            return;
        }
        CheckIndex(index);
        Send(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    void Clear() override {
        if (!Live()) {
            box_.saved_.Clear();
            if (!box_.Loading()) box_.savedIndex_ = -1;  // a description may give ItemIndex first
            return;
        }
        Send(LB_RESETCONTENT, 0, 0);
    }

protected:
    int GetCount() const override {
        if (!Live()) return box_.saved_.Count();
        return static_cast<int>(Send(LB_GETCOUNT, 0, 0));
    }
    std::string Get(int index) const override {
        if (!Live()) return box_.saved_[index];
        CheckIndex(index);
        LRESULT len = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (len <= 0) return {};
        std::string s(static_cast<size_t>(len) + 1, '\0');
        LRESULT got = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
        s.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return s;
    }
    void* GetItemObject(int index) const override {
        if (!Live()) return box_.saved_.Objects(index);
        CheckIndex(index);
        return reinterpret_cast<void*>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    void PutItemObject(int index, void* object) override {
        if (!Live()) {
            box_.saved_.SetObject(index, object);
            return;
        }
        CheckIndex(index);
        Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
    }
    void SetUpdateState(bool updating) override {
        if (!Live()) return;
        Send(WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) InvalidateRect(box_.Handle(), nullptr, TRUE);
    }

private:
    // Items go to the window once it exists (reading them never creates it).
    bool Live() const { return box_.HandleAllocated(); }
    LRESULT Send(UINT msg, WPARAM w, LPARAM l) const { return SendMessageA(box_.Handle(), msg, w, l); }
    void CheckIndex(int index) const {
        if (index < 0 || index >= GetCount()) IndexError(index);
    }

    TListBox& box_;
};

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
                                       .Creatable()
                                       .Object("Items", &TListBox::Items)
                                       .Prop("ItemIndex", &TListBox::SetItemIndex, &TListBox::ItemIndex)
                                       .Prop("ItemHeight", &TListBox::SetItemHeight, &TListBox::ItemHeight)
                                       .Prop("BorderStyle", &TListBox::SetBorderStyle, &TListBox::BorderStyle)
                                       .Prop("Sorted", &TListBox::SetSorted, &TListBox::Sorted)
                                       .Prop("IntegralHeight", &TListBox::SetIntegralHeight, &TListBox::IntegralHeight)
                                       .Custom("Ctl3D", IgnoreProperty<TListBox>)
                                       .Custom("ParentCtl3D", IgnoreProperty<TListBox>)
                                       .Custom("Style", IgnoreProperty<TListBox>)
                                       .Custom("Columns", IgnoreProperty<TListBox>)
                                       .Custom("MultiSelect", IgnoreProperty<TListBox>)
                                       .Custom("ExtendedSelect", IgnoreProperty<TListBox>)
                                       .Custom("TabWidth", IgnoreProperty<TListBox>)
                                       .Build();
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TListBox::~TListBox() {
    // The window goes first, while the item storage it reports to still exists.
    DestroyHandle();
}

TStrings* TListBox::Items() { return items_.get(); }

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = "LISTBOX";
    params.style &= ~WS_CLIPCHILDREN;
    params.style |= LBS_NOTIFY | WS_VSCROLL | LBS_HASSTRINGS;
    if (!integralHeight_) params.style |= LBS_NOINTEGRALHEIGHT;
    if (sorted_) params.style |= LBS_SORT;
    if (borderStyle_ == TBorderStyle::Single) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::WindowCreated() {
    TWinControl::WindowCreated();
    HWND h = Handle();
    if (itemHeight_ > 0) SendMessageA(h, LB_SETITEMHEIGHT, 0, itemHeight_);
    for (int i = 0; i < saved_.Count(); ++i) {
        LRESULT index = SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(saved_[i].c_str()));
        if (index >= 0) SendMessageA(h, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(saved_.Objects(i)));
    }
    saved_.Clear();
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(savedIndex_), 0);
    SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(savedTop_), 0);
}

void TListBox::SaveItems() {
    // The window is going away: keep what it holds.
    HWND h = Handle();
    saved_.Clear();
    int count = static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) saved_.AddObject(items_->Strings(i), items_->Objects(i));
    savedIndex_ = static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
    savedTop_ = static_cast<int>(SendMessageA(h, LB_GETTOPINDEX, 0, 0));
}

void TListBox::WndProc(TMessage& msg) {
    switch (msg.msg) {
    case WM_DESTROY:
        SaveItems();
        break;
    case WM_LBUTTONDBLCLK:
        // LBN_DBLCLK raises OnDblClick; the generic double-click event would raise it twice.
        DefaultHandler(msg);
        return;
    }
    TWinControl::WndProc(msg);
}

void TListBox::Loaded() {
    TWinControl::Loaded();
    // ItemIndex may precede the items in a form description.
    if (HandleAllocated() && savedIndex_ >= 0) SetItemIndex(savedIndex_);
}

LRESULT TListBox::Send(UINT msg, WPARAM w, LPARAM l) const {
    return SendMessageA(const_cast<TListBox*>(this)->Handle(), msg, w, l);
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated()) return savedIndex_;
    return static_cast<int>(Send(LB_GETCURSEL));
}

void TListBox::SetItemIndex(int index) {
    if (!HandleAllocated() || Loading()) savedIndex_ = index;
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TListBox::ItemHeight() const {
    if (!HandleAllocated()) return itemHeight_;
    return static_cast<int>(Send(LB_GETITEMHEIGHT));
}

void TListBox::SetItemHeight(int h) {
    if (h <= 0) return;
    itemHeight_ = h;
    if (HandleAllocated()) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, h);
        Invalidate();
    }
}

int TListBox::TopIndex() const {
    if (!HandleAllocated()) return savedTop_;
    return static_cast<int>(Send(LB_GETTOPINDEX));
}

void TListBox::SetTopIndex(int index) {
    if (!HandleAllocated()) {
        savedTop_ = index;
        return;
    }
    SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TListBox::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    ChangeFrameStyle(GWL_EXSTYLE, WS_EX_CLIENTEDGE, v == TBorderStyle::Single);
}

void TListBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (HandleAllocated()) {
        // The sort style only takes effect at creation: build the window again.
        bool visible = Visible();
        DestroyHandle();
        if (v) saved_.Sort();
        if (visible) HandleNeeded();
    } else if (v) {
        saved_.Sort();
    }
}

void TListBox::CommandNotify(WORD code) {
    switch (code) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    }
}

}  // namespace vl
