#include "media/ColorControl.h"

#include "framework/ClassBuilder.h"

namespace vorlinde {

const vl::TClassInfo& TColorControl::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TColorControl>("TColorControl", &vl::TPersistent::StaticClass())
            .Prop("Brightness", &TColorControl::SetBrightness, &TColorControl::Brightness)
            .Prop("Contrast", &TColorControl::SetContrast, &TColorControl::Contrast)
            .Prop("Hue", &TColorControl::SetHue, &TColorControl::Hue)
            .Prop("Saturation", &TColorControl::SetSaturation, &TColorControl::Saturation)
            .Prop("Sharpness", &TColorControl::SetSharpness, &TColorControl::Sharpness)
            .Prop("Gamma", &TColorControl::SetGamma, &TColorControl::Gamma)
            .Prop("ColorEnable", &TColorControl::SetColorEnable, &TColorControl::ColorEnable)
            .Build();
    return info;
}

}  // namespace vorlinde
