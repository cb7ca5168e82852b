#pragma once
// Registers every framework class that form descriptions may create. Safe to call more than once.
namespace vl {

void RegisterFrameworkClasses();

}  // namespace vl
