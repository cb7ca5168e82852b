#pragma once
// The setter of a property that form descriptions carry for other tools and that a class
// accepts and ignores, so that loading such a description does not fail:
//   .Custom("Ctl3D", IgnoreProperty<TPanel>)
#include "framework/PropValue.h"

namespace vl {

template <class T>
void IgnoreProperty(T&, const TPropValue&) {}

}  // namespace vl
