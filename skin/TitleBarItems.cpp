#include "skin/TitleBarItems.h"

#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "skin/SkinRefusal.h"
#include "skin/TitleBar.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

namespace {

// The first image (1-based) of each button type in the 18-image strip; 0 for none.
int FirstImage(TsuiTitleBarBtnType type) {
    switch (type) {
    case TsuiTitleBarBtnType::suiControlBox: return 1;
    case TsuiTitleBarBtnType::suiHelp: return 4;
    case TsuiTitleBarBtnType::suiMax: return 7;
    case TsuiTitleBarBtnType::suiMin: return 13;
    case TsuiTitleBarBtnType::suiClose: return 16;
    case TsuiTitleBarBtnType::suiCustom: return 0;
    }
    return 0;
}

constexpr int kStripImages = 18;
constexpr int kRestoreImage = 10;

// A picture of a collection item: "Picture.Data" (or "PicNormal.Data" ...) as .bmp bytes.
void LoadPicture(vl::TPicture& picture, const vl::TPropValue& value) {
    if (value.kind != vl::TPropValue::Kind::Binary) throw vl::EReadError("Binary data expected for a picture");
    picture.SetData(value.binary);
}

}  // namespace

// ---------------------------------------------------------------------------------- sections

TsuiTitleBarSection::TsuiTitleBarSection(TsuiTitleBarSections& owner) : owner_(owner) {}

void TsuiTitleBarSection::Changed() { owner_.Changed(); }

void TsuiTitleBarSection::SetAutoSize(bool on) {
    autoSize_ = on;
    if (!picture_.Empty()) width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::SetWidth(int width) {
    width_ = width;
    Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align) {
    if (align == TsuiTitleBarAlign::suiClient) {
        if (owner_.HasClientSection()) {
            ShowSkinRefusal("Sorry, only one section's Align property can be \"suiClient\"");
            return;
        }
        stretch_ = true;
    }
    align_ = align;
    Changed();
}

void TsuiTitleBarSection::SetStretch(bool on) {
    if (!on && align_ == TsuiTitleBarAlign::suiClient) return;
    stretch_ = on;
    Changed();
}

void TsuiTitleBarSection::SetPicture(const vl::TBitmap& bitmap) {
    picture_.Assign(bitmap);
    if (autoSize_ && !picture_.Empty()) width_ = picture_.Width();
    Changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection& source) {
    autoSize_ = source.autoSize_;
    width_ = source.width_;
    align_ = source.align_;
    stretch_ = source.stretch_;
    picture_.Assign(source.picture_);
}

TsuiTitleBarSection& TsuiTitleBarSections::Add() {
    items_.push_back(std::make_unique<TsuiTitleBarSection>(*this));
    return *items_.back();
}

void TsuiTitleBarSections::Clear() {
    items_.clear();
    Changed();
}

void TsuiTitleBarSections::Assign(const TsuiTitleBarSections& source) {
    if (&source == this) return;
    items_.clear();
    for (const auto& item : source.items_) Add().Assign(*item);
    Changed();
}

bool TsuiTitleBarSections::HasClientSection() const {
    for (const auto& item : items_)
        if (item->Align() == TsuiTitleBarAlign::suiClient) return true;
    return false;
}

void TsuiTitleBarSections::Changed() {
    if (bar_) bar_->Invalidate();
}

void TsuiTitleBarSections::LoadFromItems(const std::vector<vl::TPropItem>& items) {
    items_.clear();
    for (const auto& item : items) {
        TsuiTitleBarSection& section = Add();
        for (const auto& [name, value] : item.props) {
            if (vl::SameText(name, "AutoSize")) section.SetAutoSize(value.AsBool());
            else if (vl::SameText(name, "Width")) section.SetWidth(value.AsInt());
            else if (vl::SameText(name, "Align")) section.SetAlign(vl::FromPropValue<TsuiTitleBarAlign>(value));
            else if (vl::SameText(name, "Stretch")) section.SetStretch(value.AsBool());
            else if (vl::SameText(name, "Picture.Data")) {
                LoadPicture(section.Picture(), value);
                if (section.AutoSize()) section.SetWidth(section.Picture().Width());
            } else throw vl::EReadError("Unknown property '" + name + "' of a title bar section");
        }
    }
    Changed();
}

// ----------------------------------------------------------------------------------- buttons

TsuiTitleBarButton::TsuiTitleBarButton(TsuiTitleBarButtons& owner) : owner_(owner) {}

void TsuiTitleBarButton::Changed() { owner_.Changed(); }

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    LoadPictures();
    Changed();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type) {
    if (type == TsuiTitleBarBtnType::suiControlBox && owner_.HasType(TsuiTitleBarBtnType::suiControlBox)) {
        ShowSkinRefusal("Sorry, only one button's ButtonType property can be \"suiControlBox\"");
        return;
    }
    type_ = type;
    LoadPictures();
    Changed();
}

void TsuiTitleBarButton::SetTransparent(bool on) {
    transparent_ = on;
    Changed();
}

void TsuiTitleBarButton::SetTop(int top) {
    top_ = top;
    Changed();
}

void TsuiTitleBarButton::SetControlBoxMenu(vl::TPopupMenu* menu) {
    controlBoxMenu_ = menu;
    if (menu && owner_.Bar()) owner_.Bar()->FreeNotification(menu);
    Changed();
}

void TsuiTitleBarButton::SetVisible(bool on) {
    visible_ = on;
    Changed();
}

void TsuiTitleBarButton::LoadImages(int first) {
    TsuiFileTheme* theme = owner_.Bar() ? owner_.Bar()->FileTheme() : nullptr;
    vl::TPicture* pictures[] = {&picNormal_, &picMouseOn_, &picMouseDown_};
    for (int k = 0; k < 3; ++k)
        ThemeStripBitmap(theme, uiStyle_, ThemeItem::TitleBarButtonImage, *pictures[k]->Bitmap(), kStripImages,
                         first + k);
}

void TsuiTitleBarButton::LoadPictures() {
    TsuiFileTheme* theme = owner_.Bar() ? owner_.Bar()->FileTheme() : nullptr;
    transparent_ = ThemeBool(theme, uiStyle_, ThemeItem::TitleBarButtonTransparentBool);
    const int first = FirstImage(type_);
    if (first == 0) return;
    top_ = ThemeInt(theme, uiStyle_, ThemeItem::TitleBarButtonTopInt);
    if (type_ == TsuiTitleBarBtnType::suiMax && owner_.Bar() && !owner_.Bar()->Custom()) {
        owner_.Bar()->RefreshMaxButtons();
        return;
    }
    LoadImages(first);
}

void TsuiTitleBarButton::LoadMaxPictures(bool maximised) {
    if (type_ != TsuiTitleBarBtnType::suiMax) return;
    LoadImages(maximised ? kRestoreImage : FirstImage(type_));
}

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton& source) {
    uiStyle_ = source.uiStyle_;
    type_ = source.type_;
    transparent_ = source.transparent_;
    top_ = source.top_;
    controlBoxMenu_ = source.controlBoxMenu_;
    if (controlBoxMenu_ && owner_.Bar()) owner_.Bar()->FreeNotification(controlBoxMenu_);
    visible_ = source.visible_;
    picNormal_.Assign(source.picNormal_);
    picMouseOn_.Assign(source.picMouseOn_);
    picMouseDown_.Assign(source.picMouseDown_);
}

TsuiTitleBarButton& TsuiTitleBarButtons::Add() {
    items_.push_back(std::make_unique<TsuiTitleBarButton>(*this));
    return *items_.back();
}

void TsuiTitleBarButtons::Clear() {
    items_.clear();
    Changed();
}

void TsuiTitleBarButtons::Assign(const TsuiTitleBarButtons& source) {
    if (&source == this) return;
    items_.clear();
    for (const auto& item : source.items_) Add().Assign(*item);
    Changed();
}

bool TsuiTitleBarButtons::HasType(TsuiTitleBarBtnType type) const {
    for (const auto& item : items_)
        if (item->ButtonType() == type) return true;
    return false;
}

void TsuiTitleBarButtons::Changed() {
    if (bar_) bar_->Invalidate();
}

void TsuiTitleBarButtons::MenuRemoved(const vl::TPopupMenu* menu) {
    for (const auto& item : items_)
        if (item->ControlBoxMenu() == menu) item->SetControlBoxMenu(nullptr);
}

void TsuiTitleBarButtons::LoadFromItems(const std::vector<vl::TPropItem>& items) {
    items_.clear();
    for (const auto& item : items) {
        TsuiTitleBarButton& button = Add();
        for (const auto& [name, value] : item.props) {
            if (vl::SameText(name, "UIStyle")) button.SetUIStyle(vl::FromPropValue<TsuiUIStyle>(value));
            else if (vl::SameText(name, "ButtonType"))
                button.SetButtonType(vl::FromPropValue<TsuiTitleBarBtnType>(value));
            else if (vl::SameText(name, "Transparent")) button.SetTransparent(value.AsBool());
            else if (vl::SameText(name, "Top")) button.SetTop(value.AsInt());
            else if (vl::SameText(name, "Visible")) button.SetVisible(value.AsBool());
            else if (vl::SameText(name, "ControlBoxMenu"))
                button.SetControlBoxMenu(dynamic_cast<vl::TPopupMenu*>(value.component));
            else if (vl::SameText(name, "PicNormal.Data")) LoadPicture(button.PicNormal(), value);
            else if (vl::SameText(name, "PicMouseOn.Data")) LoadPicture(button.PicMouseOn(), value);
            else if (vl::SameText(name, "PicMouseDown.Data")) LoadPicture(button.PicMouseDown(), value);
            else throw vl::EReadError("Unknown property '" + name + "' of a title bar button");
        }
    }
    Changed();
}

}  // namespace vorlinde
