#pragma once
// IMixerPinConfig and IMixerPinConfig2, the per-input configuration interfaces of the
// Overlay Mixer, with the aspect ratio mode they use. The mingw-w64 headers lack them (the
// interface ids are in its strmiids library), so they are declared here from their documented
// method order. Programs that drive an Overlay Mixer include this header.
#include <windows.h>

#include <ddraw.h>   // DDCOLORCONTROL
#include <dshow.h>  // COLORKEY

#ifndef __IMixerPinConfig_INTERFACE_DEFINED__
#define __IMixerPinConfig_INTERFACE_DEFINED__

typedef enum _AM_ASPECT_RATIO_MODE {
    AM_ARMODE_STRETCHED = 0,
    AM_ARMODE_LETTER_BOX = 1,
    AM_ARMODE_CROP = 2,
    AM_ARMODE_STRETCHED_AS_PRIMARY = 3
} AM_ASPECT_RATIO_MODE;

EXTERN_C const IID IID_IMixerPinConfig;

struct IMixerPinConfig : public IUnknown {
    virtual HRESULT WINAPI SetRelativePosition(DWORD dwLeft, DWORD dwTop, DWORD dwRight,
                                               DWORD dwBottom) = 0;
    virtual HRESULT WINAPI GetRelativePosition(DWORD* pdwLeft, DWORD* pdwTop, DWORD* pdwRight,
                                               DWORD* pdwBottom) = 0;
    virtual HRESULT WINAPI SetZOrder(DWORD dwZOrder) = 0;
    virtual HRESULT WINAPI GetZOrder(DWORD* pdwZOrder) = 0;
    virtual HRESULT WINAPI SetColorKey(COLORKEY* pColorKey) = 0;
    virtual HRESULT WINAPI GetColorKey(COLORKEY* pColorKey, DWORD* pColor) = 0;
    virtual HRESULT WINAPI SetBlendingParameter(DWORD dwBlendingParameter) = 0;
    virtual HRESULT WINAPI GetBlendingParameter(DWORD* pdwBlendingParameter) = 0;
    virtual HRESULT WINAPI SetAspectRatioMode(AM_ASPECT_RATIO_MODE amAspectRatioMode) = 0;
    virtual HRESULT WINAPI GetAspectRatioMode(AM_ASPECT_RATIO_MODE* pamAspectRatioMode) = 0;
    virtual HRESULT WINAPI SetStreamTransparent(BOOL bStreamTransparent) = 0;
    virtual HRESULT WINAPI GetStreamTransparent(BOOL* pbStreamTransparent) = 0;
};

#endif

#ifndef __IMixerPinConfig2_INTERFACE_DEFINED__
#define __IMixerPinConfig2_INTERFACE_DEFINED__

EXTERN_C const IID IID_IMixerPinConfig2;

struct IMixerPinConfig2 : public IMixerPinConfig {
    virtual HRESULT WINAPI SetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) = 0;
    virtual HRESULT WINAPI GetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) = 0;
};

#endif
