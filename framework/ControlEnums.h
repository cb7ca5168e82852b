#pragma once
// Enumerations the standard controls publish: text alignment and layout, bevels, borders and
// check box states, with the identifiers form descriptions use for them.
#include "framework/ClassBuilder.h"
#include "framework/IgnoredProperty.h"

namespace vl {

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };
enum class TBevelCut { None, Lowered, Raised, Space };
enum class TBorderStyle { None, Single };
enum class TCheckBoxState { Unchecked, Checked, Grayed };
template <> struct TEnumNames<TAlignment> { static const TEnumTable<TAlignment>& Table(); };
template <> struct TEnumNames<TTextLayout> { static const TEnumTable<TTextLayout>& Table(); };
template <> struct TEnumNames<TBevelCut> { static const TEnumTable<TBevelCut>& Table(); };
template <> struct TEnumNames<TBorderStyle> { static const TEnumTable<TBorderStyle>& Table(); };
template <> struct TEnumNames<TCheckBoxState> { static const TEnumTable<TCheckBoxState>& Table(); };

}  // namespace vl
