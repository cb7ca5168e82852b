#include "framework/ControlEnums.h"

namespace vl {

const TEnumTable<TAlignment>& TEnumNames<TAlignment>::Table() {
    static const TEnumTable<TAlignment> t = {{"taLeftJustify", TAlignment::LeftJustify},
                                             {"taRightJustify", TAlignment::RightJustify},
                                             {"taCenter", TAlignment::Center}};
    return t;
}

const TEnumTable<TTextLayout>& TEnumNames<TTextLayout>::Table() {
    static const TEnumTable<TTextLayout> t = {
        {"tlTop", TTextLayout::Top}, {"tlCenter", TTextLayout::Center}, {"tlBottom", TTextLayout::Bottom}};
    return t;
}

const TEnumTable<TBevelCut>& TEnumNames<TBevelCut>::Table() {
    static const TEnumTable<TBevelCut> t = {{"bvNone", TBevelCut::None},
                                            {"bvLowered", TBevelCut::Lowered},
                                            {"bvRaised", TBevelCut::Raised},
                                            {"bvSpace", TBevelCut::Space}};
    return t;
}

const TEnumTable<TBorderStyle>& TEnumNames<TBorderStyle>::Table() {
    static const TEnumTable<TBorderStyle> t = {{"bsNone", TBorderStyle::None}, {"bsSingle", TBorderStyle::Single}};
    return t;
}

const TEnumTable<TCheckBoxState>& TEnumNames<TCheckBoxState>::Table() {
    static const TEnumTable<TCheckBoxState> t = {{"cbUnchecked", TCheckBoxState::Unchecked},
                                                 {"cbChecked", TCheckBoxState::Checked},
                                                 {"cbGrayed", TCheckBoxState::Grayed}};
    return t;
}

}  // namespace vl
