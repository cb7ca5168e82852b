#include "skin/SkinRefusal.h"

#include <windows.h>

#include "framework/Dialogs.h"

namespace vorlinde {

std::function<void(const std::string&)>& SkinRefusalOverride() {
    static std::function<void(const std::string&)> replacement;
    return replacement;
}

void ShowSkinRefusal(const std::string& text) {
    if (const auto& replacement = SkinRefusalOverride()) {
        replacement(text);
        return;
    }
    vl::MessageDlg(text, MB_OK | MB_ICONERROR);
}

}  // namespace vorlinde
