#pragma once
// Registers the tray classes that form descriptions may create. Safe to call more than once.
namespace vorlinde {

void RegisterTrayClasses();

}  // namespace vorlinde
