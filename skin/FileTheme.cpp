#include "skin/FileTheme.h"

#include "framework/ClassBuilder.h"

namespace vorlinde {

const vl::TClassInfo& TsuiFileTheme::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiFileTheme>("TsuiFileTheme", &vl::TComponent::StaticClass())
            .Creatable()
            .Prop("ThemeFile", &TsuiFileTheme::SetThemeFile, &TsuiFileTheme::GetThemeFile)
            .Build();
    return info;
}

TsuiFileTheme::TsuiFileTheme(vl::TComponent* owner) : vl::TComponent(owner) {}

}  // namespace vorlinde
