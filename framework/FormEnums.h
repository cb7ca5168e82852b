#pragma once
// Identifier names of the form enumerations that other components publish too (a dialog's
// window position).
#include "framework/ClassBuilder.h"
#include "framework/Form.h"

namespace vl {

template <>
struct TEnumNames<TPosition> {
    static const TEnumTable<TPosition>& Table() {
        static const TEnumTable<TPosition> t = {
            {"poDesigned", TPosition::Designed},           {"poDefault", TPosition::Default},
            {"poDefaultPosOnly", TPosition::DefaultPosOnly}, {"poDefaultSizeOnly", TPosition::DefaultSizeOnly},
            {"poScreenCenter", TPosition::ScreenCenter},   {"poDesktopCenter", TPosition::DesktopCenter},
            {"poMainFormCenter", TPosition::MainFormCenter}, {"poOwnerFormCenter", TPosition::OwnerFormCenter}};
        return t;
    }
};

}  // namespace vl
