#pragma once
// The collections of a skinned title bar: its sections (the background pictures, used by
// position: 0 left, 1 right, 2 the stretched client picture) and its caption buttons, whose
// pictures come from the 18-image strip of the title bar button item.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Picture.h"
#include "framework/PropValue.h"
#include "skin/UIStyle.h"

namespace vl {
class TPopupMenu;
}

namespace vorlinde {

class TsuiTitleBar;
class TsuiTitleBarSections;
class TsuiTitleBarButtons;

enum class TsuiTitleBarAlign : uint8_t { suiLeft, suiRight, suiClient };
enum class TsuiTitleBarBtnType : uint8_t { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };

class TsuiTitleBarSection {
public:
    explicit TsuiTitleBarSection(TsuiTitleBarSections& owner);
    TsuiTitleBarSection(const TsuiTitleBarSection&) = delete;
    TsuiTitleBarSection& operator=(const TsuiTitleBarSection&) = delete;

    bool AutoSize() const { return autoSize_; }
    // Either value copies the picture's width, if there is a picture, into Width.
    void SetAutoSize(bool on);
    int Width() const { return width_; }
    void SetWidth(int width);
    TsuiTitleBarAlign Align() const { return align_; }
    // suiClient is refused ("Sorry, ...") while any section has it; otherwise it sets Stretch.
    void SetAlign(TsuiTitleBarAlign align);
    bool Stretch() const { return stretch_; }
    // Cannot be cleared on a suiClient section.
    void SetStretch(bool on);
    vl::TPicture& Picture() { return picture_; }
    // Takes a copy of `bitmap` (the width follows it while AutoSize is on).
    void SetPicture(const vl::TBitmap& bitmap);

    void Assign(const TsuiTitleBarSection& source);

private:
    void Changed();

    TsuiTitleBarSections& owner_;
    bool autoSize_ = false;
    int width_ = 10;
    TsuiTitleBarAlign align_ = TsuiTitleBarAlign::suiLeft;
    bool stretch_ = false;
    vl::TPicture picture_;
};

class TsuiTitleBarSections {
public:
    explicit TsuiTitleBarSections(TsuiTitleBar* bar) : bar_(bar) {}
    TsuiTitleBarSections(const TsuiTitleBarSections&) = delete;
    TsuiTitleBarSections& operator=(const TsuiTitleBarSections&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TsuiTitleBarSection& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    TsuiTitleBarSection& Add();
    void Clear();
    // Copies every section of `source` (assignment of the collection property).
    void Assign(const TsuiTitleBarSections& source);
    // The sections a form description lists.
    void LoadFromItems(const std::vector<vl::TPropItem>& items);
    bool HasClientSection() const;
    // A section changed: the title bar repaints.
    void Changed();

private:
    TsuiTitleBar* bar_;
    std::vector<std::unique_ptr<TsuiTitleBarSection>> items_;
};

class TsuiTitleBarButton {
public:
    explicit TsuiTitleBarButton(TsuiTitleBarButtons& owner);
    TsuiTitleBarButton(const TsuiTitleBarButton&) = delete;
    TsuiTitleBarButton& operator=(const TsuiTitleBarButton&) = delete;

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // Stores the style and reloads the pictures.
    void SetUIStyle(TsuiUIStyle style);
    TsuiTitleBarBtnType ButtonType() const { return type_; }
    // A second suiControlBox is refused ("Sorry, ..."); otherwise the pictures are reloaded.
    void SetButtonType(TsuiTitleBarBtnType type);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // Stored only: drawing uses the title bar's button top.
    int Top() const { return top_; }
    void SetTop(int top);
    vl::TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
    void SetControlBoxMenu(vl::TPopupMenu* menu);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    vl::TPicture& PicNormal() { return picNormal_; }
    vl::TPicture& PicMouseOn() { return picMouseOn_; }
    vl::TPicture& PicMouseDown() { return picMouseDown_; }

    // Reloads the pictures from the title bar's look: the item 5 strip cut into 18, three
    // images for each type (suiCustom keeps the developer's); Transparent and Top from the style.
    void LoadPictures();
    // A suiMax button shows the restore images (10-12) while the window is maximised, the
    // maximise images (7-9) otherwise.
    void LoadMaxPictures(bool maximised);

    void Assign(const TsuiTitleBarButton& source);

private:
    void Changed();
    void LoadImages(int first);

    TsuiTitleBarButtons& owner_;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiTitleBarBtnType type_ = TsuiTitleBarBtnType::suiCustom;
    bool transparent_ = false;
    int top_ = 2;
    vl::TPopupMenu* controlBoxMenu_ = nullptr;
    bool visible_ = true;
    vl::TPicture picNormal_, picMouseOn_, picMouseDown_;
};

class TsuiTitleBarButtons {
public:
    explicit TsuiTitleBarButtons(TsuiTitleBar* bar) : bar_(bar) {}
    TsuiTitleBarButtons(const TsuiTitleBarButtons&) = delete;
    TsuiTitleBarButtons& operator=(const TsuiTitleBarButtons&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TsuiTitleBarButton& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    const TsuiTitleBarButton& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    TsuiTitleBarButton& Add();
    void Clear();
    void Assign(const TsuiTitleBarButtons& source);
    void LoadFromItems(const std::vector<vl::TPropItem>& items);
    bool HasType(TsuiTitleBarBtnType type) const;
    TsuiTitleBar* Bar() const { return bar_; }
    void Changed();
    // A menu named by a button went away.
    void MenuRemoved(const vl::TPopupMenu* menu);

private:
    TsuiTitleBar* bar_;
    std::vector<std::unique_ptr<TsuiTitleBarButton>> items_;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiTitleBarAlign> {
    static const TEnumTable<vorlinde::TsuiTitleBarAlign>& Table() {
        using A = vorlinde::TsuiTitleBarAlign;
        static const TEnumTable<A> table = {{"suiLeft", A::suiLeft}, {"suiRight", A::suiRight}, {"suiClient", A::suiClient}};
        return table;
    }
};

template <>
struct vl::TEnumNames<vorlinde::TsuiTitleBarBtnType> {
    static const TEnumTable<vorlinde::TsuiTitleBarBtnType>& Table() {
        using B = vorlinde::TsuiTitleBarBtnType;
        static const TEnumTable<B> table = {{"suiMax", B::suiMax},     {"suiMin", B::suiMin},
                                            {"suiClose", B::suiClose}, {"suiHelp", B::suiHelp},
                                            {"suiControlBox", B::suiControlBox}, {"suiCustom", B::suiCustom}};
        return table;
    }
};
