#include "media/ColorControl.h"

#include <cstring>

#include "framework/ClassBuilder.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "media/GraphUtils.h"
#include "media/VideoWindow.h"
#include "platform/MixerPinConfig.h"

namespace vorlinde {

namespace {

// The Overlay Mixer's second class id; the mingw-w64 headers do not define it.
constexpr GUID kClsidOverlayMixer2 = {0xA0025E90, 0xE45B, 0x11D1, {0xAB, 0xE9, 0x00, 0xA0, 0xC9, 0x05, 0xF3, 0x75}};

constexpr DWORD kAllColorFlags = DDCOLOR_BRIGHTNESS | DDCOLOR_CONTRAST | DDCOLOR_HUE | DDCOLOR_SATURATION |
                                 DDCOLOR_SHARPNESS | DDCOLOR_GAMMA | DDCOLOR_COLORENABLE;

DDCOLORCONTROL EmptyRecord() {
    DDCOLORCONTROL record;
    std::memset(&record, 0, sizeof(record));
    record.dwSize = sizeof(DDCOLORCONTROL);
    return record;
}

// A read-only published property: the form loader may not set it.
template <class T>
void RefuseWrite(T&, const vl::TPropValue&) {
    throw vl::EReadError("Property is read-only");
}

}  // namespace

const vl::TClassInfo& TColorControl::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TColorControl>("TColorControl", &vl::TPersistent::StaticClass())
            .Prop("Brightness", &TColorControl::SetBrightness, &TColorControl::StoredBrightness)
            .Prop("Contrast", &TColorControl::SetContrast, &TColorControl::StoredContrast)
            .Prop("Hue", &TColorControl::SetHue, &TColorControl::StoredHue)
            .Prop("Saturation", &TColorControl::SetSaturation, &TColorControl::StoredSaturation)
            .Prop("Sharpness", &TColorControl::SetSharpness, &TColorControl::StoredSharpness)
            .Prop("Gamma", &TColorControl::SetGamma, &TColorControl::StoredGamma)
            .Prop("ColorEnable", &TColorControl::SetColorEnable, &TColorControl::StoredColorEnable)
            .Build();
    return info;
}

TColorControl::TColorControl(TDSVideoWindowEx2* owner) : owner_(owner) {
    defaults_ = EmptyRecord();
    defaults_.dwFlags = kAllColorFlags;
    defaults_.lBrightness = 750;
    defaults_.lContrast = 10000;
    defaults_.lHue = 0;
    defaults_.lSaturation = 10000;
    defaults_.lSharpness = 5;
    defaults_.lGamma = 1;
    defaults_.lColorEnable = 1;
    defaults_.dwReserved1 = 0;
}

bool TColorControl::ControllerActive() const {
    return owner_ && owner_->FilterGraph() && owner_->FilterGraph()->Active();
}

TComPtr<IMixerPinConfig2> TColorControl::OverlayPin() const {
    if (!ControllerActive()) return {};
    auto graph = owner_->FilterGraph()->Query<IFilterGraph>(IID_IFilterGraph);
    if (!graph) return {};
    TComPtr<IBaseFilter> mixer = FindFilterByClass(graph.Get(), {CLSID_OverlayMixer, kClsidOverlayMixer2});
    return FirstPinOfDirection(mixer.Get(), PINDIR_INPUT).As<IMixerPinConfig2>(IID_IMixerPinConfig2);
}

void TColorControl::Apply() {
    auto pin = OverlayPin();
    if (!pin) return;
    DDCOLORCONTROL record = EmptyRecord();
    record.dwFlags = kAllColorFlags;
    record.lBrightness = brightness_;
    record.lContrast = contrast_;
    record.lHue = hue_;
    record.lSaturation = saturation_;
    record.lSharpness = sharpness_;
    record.lGamma = gamma_;
    record.lColorEnable = colorEnable_ ? 1 : 0;
    pin->SetOverlaySurfaceColorControls(&record);
}

void TColorControl::SaveDefaults() {
    auto pin = OverlayPin();
    if (!pin) return;
    DDCOLORCONTROL record = EmptyRecord();
    if (SUCCEEDED(pin->GetOverlaySurfaceColorControls(&record))) defaults_ = record;
}

void TColorControl::ReadCurrent() {
    auto pin = OverlayPin();
    if (!pin) return;
    DDCOLORCONTROL record = EmptyRecord();
    if (SUCCEEDED(pin->GetOverlaySurfaceColorControls(&record))) {
        brightness_ = record.lBrightness;
        contrast_ = record.lContrast;
        hue_ = record.lHue;
        saturation_ = record.lSaturation;
        sharpness_ = record.lSharpness;
        gamma_ = record.lGamma;
        colorEnable_ = record.lColorEnable != 0;
    } else {
        brightness_ = 750;
        contrast_ = 10000;
        hue_ = 0;
        saturation_ = 10000;
        sharpness_ = 5;
        gamma_ = 1;
        colorEnable_ = true;
    }
}

void TColorControl::RestoreDefaults() {
    brightness_ = defaults_.lBrightness;
    contrast_ = defaults_.lContrast;
    hue_ = defaults_.lHue;
    saturation_ = defaults_.lSaturation;
    sharpness_ = defaults_.lSharpness;
    gamma_ = defaults_.lGamma;
    colorEnable_ = defaults_.lColorEnable != 0;
    if (ControllerActive()) Apply();
}

void TColorControl::SetChecked(int& field, int value, int low, int high, const char* message) {
    if (value < low || value > high) throw vl::Exception(vl::Format(message, value));
    field = value;
    if (ControllerActive()) Apply();
}

void TColorControl::SetBrightness(int value) {
    SetChecked(brightness_, value, 0, 10000, "Value %d out of range. Value must bee between 0 -> 10.000");
}
void TColorControl::SetContrast(int value) {
    SetChecked(contrast_, value, 0, 20000, "Value %d out of range. Value must bee between 0 -> 20.000");
}
void TColorControl::SetHue(int value) {
    SetChecked(hue_, value, -180, 180, "Value %d out of range. Value must bee between -180 -> 180");
}
void TColorControl::SetSaturation(int value) {
    SetChecked(saturation_, value, 0, 20000, "Value %d out of range. Value must bee between 0 -> 20.000");
}
void TColorControl::SetSharpness(int value) {
    SetChecked(sharpness_, value, 0, 10, "Value %d out of range. Value must bee between 0 -> 10");
}
void TColorControl::SetGamma(int value) {
    SetChecked(gamma_, value, 1, 500, "Value %d out of range. Value must bee between 1 -> 500");
}
void TColorControl::SetColorEnable(bool value) {
    colorEnable_ = value;
    if (ControllerActive()) Apply();
}

int TColorControl::Brightness() {
    if (ControllerActive()) ReadCurrent();
    return brightness_;
}
int TColorControl::Contrast() {
    if (ControllerActive()) ReadCurrent();
    return contrast_;
}
int TColorControl::Hue() {
    if (ControllerActive()) ReadCurrent();
    return hue_;
}
int TColorControl::Saturation() {
    if (ControllerActive()) ReadCurrent();
    return saturation_;
}
int TColorControl::Sharpness() {
    if (ControllerActive()) ReadCurrent();
    return sharpness_;
}
int TColorControl::Gamma() {
    if (ControllerActive()) ReadCurrent();
    return gamma_;
}
bool TColorControl::ColorEnable() {
    if (ControllerActive()) ReadCurrent();
    return colorEnable_;
}

// ---------------------------------------------------------------- capabilities

const vl::TClassInfo& TDSVideoWindowEx2Caps::StaticClass() {
    using C = TDSVideoWindowEx2Caps;
    auto flag = [](bool (C::*getter)() const) {
        return [getter](const C& caps) { return vl::TPropValue::Bool((caps.*getter)()); };
    };
    static const vl::TClassInfo info =
        vl::TClassBuilder<C>("TDSVideoWindowEx2Caps", &vl::TPersistent::StaticClass())
            .Custom("CanOverlayGraphic", RefuseWrite<C>, flag(&C::CanOverlayGraphic))
            .Custom("CanControlBrigtness", RefuseWrite<C>, flag(&C::CanControlBrigtness))
            .Custom("CanControlContrast", RefuseWrite<C>, flag(&C::CanControlContrast))
            .Custom("CanControlHue", RefuseWrite<C>, flag(&C::CanControlHue))
            .Custom("CanControlSaturation", RefuseWrite<C>, flag(&C::CanControlSaturation))
            .Custom("CanControlSharpness", RefuseWrite<C>, flag(&C::CanControlSharpness))
            .Custom("CanControlGamma", RefuseWrite<C>, flag(&C::CanControlGamma))
            .Custom("CanControlColorEnabled", RefuseWrite<C>, flag(&C::CanControlColorEnabled))
            .Build();
    return info;
}

bool TDSVideoWindowEx2Caps::CanOverlayGraphic() const { return owner_ && owner_->OverlayMixer() != nullptr; }

bool TDSVideoWindowEx2Caps::Flag(DWORD bit) const {
    if (!owner_ || !owner_->ColorControl()) return false;
    return (owner_->ColorControl()->Defaults().dwFlags & bit) != 0;
}

}  // namespace vorlinde
