#pragma once
// The looks a skinned component can take: one of the built-in styles, or the theme file of its
// FileTheme. Stored in one byte; form descriptions name the styles by these identifiers.
#include <cstdint>

#include "framework/ClassBuilder.h"

namespace vorlinde {

enum class TsuiUIStyle : uint8_t { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiUIStyle> {
    static const TEnumTable<vorlinde::TsuiUIStyle>& Table() {
        using S = vorlinde::TsuiUIStyle;
        static const TEnumTable<S> table = {{"FromThemeFile", S::FromThemeFile}, {"MacOS", S::MacOS},
                                            {"WinXP", S::WinXP},                 {"DeepBlue", S::DeepBlue},
                                            {"Protein", S::Protein},             {"BlueGlass", S::BlueGlass}};
        return table;
    }
};
