#pragma once
// The overlay's picture settings as the video window stores them with its form. For now the
// values are only kept; pushing them to the overlay comes with the overlay video window.
#include "framework/Component.h"

namespace vorlinde {

class TColorControl : public vl::TPersistent {
    VL_DECLARE_CLASS()
public:
    int Brightness() const { return brightness_; }
    void SetBrightness(int v) { brightness_ = v; }
    int Contrast() const { return contrast_; }
    void SetContrast(int v) { contrast_ = v; }
    int Hue() const { return hue_; }
    void SetHue(int v) { hue_ = v; }
    int Saturation() const { return saturation_; }
    void SetSaturation(int v) { saturation_ = v; }
    int Sharpness() const { return sharpness_; }
    void SetSharpness(int v) { sharpness_ = v; }
    int Gamma() const { return gamma_; }
    void SetGamma(int v) { gamma_ = v; }
    bool ColorEnable() const { return colorEnable_; }
    void SetColorEnable(bool v) { colorEnable_ = v; }

private:
    int brightness_ = 750;
    int contrast_ = 10000;
    int hue_ = 0;
    int saturation_ = 10000;
    int sharpness_ = 5;
    int gamma_ = 1;
    bool colorEnable_ = true;
};

}  // namespace vorlinde
