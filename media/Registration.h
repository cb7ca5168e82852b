#pragma once
// Registers the media classes that form descriptions may create. Safe to call more than once.
namespace vorlinde {

void RegisterMediaClasses();

}  // namespace vorlinde
