#pragma once
// Binding a form's members to the components its form description created.
#include <string>

#include "framework/Component.h"
#include "framework/Exceptions.h"

namespace vl {

// The component of `form` named `name`, of class T; raises EReadError when the description
// made none of that name and class.
template <class T>
T* BindComponent(TComponent& form, const char* name) {
    T* component = dynamic_cast<T*>(form.FindComponent(name));
    if (!component) throw EReadError(std::string("Component ") + name + " missing from " + form.Name());
    return component;
}

}  // namespace vl
