#pragma once
// The overlay's picture settings as the video window keeps them (TColorControl) and which of
// them the overlay supports (TDSVideoWindowEx2Caps). Both belong to one TDSVideoWindowEx2.
//
// TColorControl stores brightness, contrast, hue, saturation, sharpness, gamma and colour on/off
// with the window's form, pushes them to the Overlay Mixer's first input pin while the window's
// controller is active, reads them back from it, and remembers the overlay's own settings
// (Defaults) so that they can be given back when the window leaves the graph.
#include <windows.h>

#include <ddraw.h>

#include "framework/Component.h"
#include "media/ComPtr.h"

struct IMixerPinConfig2;

namespace vorlinde {

class TDSVideoWindowEx2;

class TColorControl : public vl::TPersistent {
    VL_DECLARE_CLASS()
public:
    explicit TColorControl(TDSVideoWindowEx2* owner);

    // Getters read the overlay's current values first while the controller is active.
    int Brightness();
    int Contrast();
    int Hue();
    int Saturation();
    int Sharpness();
    int Gamma();
    bool ColorEnable();
    // Setters refuse values outside their range with a message and otherwise store the value
    // and, while the controller is active, apply all seven values to the overlay.
    void SetBrightness(int value);  // 0..10000
    void SetContrast(int value);    // 0..20000
    void SetHue(int value);         // -180..180
    void SetSaturation(int value);  // 0..20000
    void SetSharpness(int value);   // 0..10
    void SetGamma(int value);       // 1..500
    void SetColorEnable(bool value);

    // Reads the overlay's settings into Defaults (unchanged when the overlay cannot tell).
    void SaveDefaults();
    // Writes the seven current values to the overlay.
    void Apply();
    // The seven values become the overlay's current ones (or the built-in values when the
    // overlay cannot tell).
    void ReadCurrent();
    // The seven values become Defaults' and, while the controller is active, are applied.
    void RestoreDefaults();

    const DDCOLORCONTROL& Defaults() const { return defaults_; }
    // The stored values, without asking the overlay.
    int StoredBrightness() const { return brightness_; }
    int StoredContrast() const { return contrast_; }
    int StoredHue() const { return hue_; }
    int StoredSaturation() const { return saturation_; }
    int StoredSharpness() const { return sharpness_; }
    int StoredGamma() const { return gamma_; }
    bool StoredColorEnable() const { return colorEnable_; }

private:
    // The video window's controller exists and is active.
    bool ControllerActive() const;
    // The first input pin of the graph's last Overlay Mixer, as IMixerPinConfig2; empty when
    // the controller is inactive or there is none.
    TComPtr<IMixerPinConfig2> OverlayPin() const;
    // Stores `value` in `field` and applies, after the range check.
    void SetChecked(int& field, int value, int low, int high, const char* message);

    int brightness_ = 750;
    int contrast_ = 10000;
    int hue_ = 0;
    int saturation_ = 10000;
    int sharpness_ = 5;
    int gamma_ = 1;
    bool colorEnable_ = true;
    DDCOLORCONTROL defaults_;
    TDSVideoWindowEx2* owner_;
};

// Which colour settings the overlay supports (the flags it reported at the last SaveDefaults;
// all of them before the first), and whether the window holds an Overlay Mixer.
class TDSVideoWindowEx2Caps : public vl::TPersistent {
    VL_DECLARE_CLASS()
public:
    explicit TDSVideoWindowEx2Caps(TDSVideoWindowEx2* owner) : owner_(owner) {}

    bool CanOverlayGraphic() const;
    bool CanControlBrigtness() const { return Flag(DDCOLOR_BRIGHTNESS); }
    bool CanControlContrast() const { return Flag(DDCOLOR_CONTRAST); }
    bool CanControlHue() const { return Flag(DDCOLOR_HUE); }
    bool CanControlSaturation() const { return Flag(DDCOLOR_SATURATION); }
    bool CanControlSharpness() const { return Flag(DDCOLOR_SHARPNESS); }
    bool CanControlGamma() const { return Flag(DDCOLOR_GAMMA); }
    bool CanControlColorEnabled() const { return Flag(DDCOLOR_COLORENABLE); }

private:
    bool Flag(DWORD bit) const;

    TDSVideoWindowEx2* owner_;
};

}  // namespace vorlinde
