#pragma once
// The theme file that skinned components draw from when their style is FromThemeFile. For now it
// only remembers the file's name; reading the file comes with the theme file reader.
#include <string>

#include "framework/Component.h"

namespace vorlinde {

class TsuiFileTheme : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TsuiFileTheme(vl::TComponent* owner);

    const std::string& GetThemeFile() const { return themeFile_; }
    void SetThemeFile(const std::string& fileName) { themeFile_ = fileName; }

private:
    std::string themeFile_;
};

}  // namespace vorlinde
