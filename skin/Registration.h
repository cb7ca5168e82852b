#pragma once
// Registers the skin classes that form descriptions may create. Safe to call more than once.
namespace vorlinde {

void RegisterSkinClasses();

}  // namespace vorlinde
