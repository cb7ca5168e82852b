#pragma once
// How the skin engine refuses a skin configuration made through a property ("Sorry, ..."): an
// error dialog with an OK button. Tests replace the dialog to read what was refused.
#include <functional>
#include <string>

namespace vorlinde {

// Shows the refusal (the replacement when one is set, else a message box).
void ShowSkinRefusal(const std::string& text);

// When set, called instead of the message box.
std::function<void(const std::string&)>& SkinRefusalOverride();

}  // namespace vorlinde
