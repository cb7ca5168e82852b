// TFilterGraph's event pump: the graph's queued events, drained when WM_GRAPHNOTIFY reaches
// the notification window, go to the listeners, to OnDSEvent and to each event's own handler
// with its parameters decoded.
#include <dvdevcod.h>
#include <evcode.h>

#include <utility>
#include <vector>

#include "media/FilterGraph.h"

namespace vorlinde {

namespace {

std::wstring BstrText(LONG_PTR param) {
    auto* text = reinterpret_cast<BSTR>(param);
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

template <class Handler, class... Args>
void Fire(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
}

}  // namespace

void TFilterGraph::DrainEvents() {
    // Our own reference: a handler may deactivate the component while its event is handled,
    // which ends the drain.
    TComPtr<IMediaEventEx> events = mediaEvent_.Clone();
    if (!events) return;
    LONG code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    while (mediaEvent_.Get() == events.Get() && events->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        // The parameters are freed even when a handler throws.
        struct FreeParams {
            IMediaEventEx* events;
            LONG code;
            LONG_PTR param1, param2;
            ~FreeParams() { events->FreeEventParams(code, param1, param2); }
        } freeParams{events.Get(), code, param1, param2};
        DoEvent(code, param1, param2);
    }
}

void TFilterGraph::DoDvdStreamChange(bool audio, LONG_PTR stream) {
    const TDVDStreamChangeEvent& handler = audio ? OnDVDAudioStreamChange : OnDVDSubpictureStreamChange;
    if (!handler) return;
    auto info = Query<IDvdInfo2>(IID_IDvdInfo2);
    if (!info) return;
    LCID language = 0;
    if (audio)
        info->GetAudioLanguage(static_cast<ULONG>(stream), &language);
    else
        info->GetSubpictureLanguage(static_cast<ULONG>(stream), &language);
    handler(this, static_cast<int>(stream), language, LanguageName(language));
}

void TFilterGraph::DoEvent(LONG event, LONG_PTR param1, LONG_PTR param2) {
    {
        std::vector<TComPtr<IGraphListener>> listeners;
        for (const auto& l : listeners_) listeners.push_back(l.Clone());
        for (const auto& l : listeners) l->GraphEvent(event, param1, param2);
    }
    Fire(OnDSEvent, this, event, param1, param2);

    const auto p1 = static_cast<int>(param1);
    const auto p2 = static_cast<int>(param2);
    const auto hr1 = static_cast<HRESULT>(param1);
    const auto dw1 = static_cast<DWORD>(param1);
    const auto dw2 = static_cast<DWORD>(param2);
    switch (event) {
        case EC_COMPLETE: Fire(OnGraphComplete, this, hr1, reinterpret_cast<IBaseFilter*>(param2)); break;
        case EC_USERABORT: Fire(OnGraphUserAbort, this); break;
        case EC_ERRORABORT: Fire(OnGraphErrorAbort, this, hr1); break;
        case EC_STREAM_ERROR_STOPPED: Fire(OnGraphStreamErrorStopped, this, hr1, dw2); break;
        case EC_STREAM_ERROR_STILLPLAYING: Fire(OnGraphStreamErrorStillPlaying, this, hr1, dw2); break;
        case EC_ERROR_STILLPLAYING: Fire(OnGraphErrorStillPlaying, this, hr1); break;
        case EC_PALETTE_CHANGED: Fire(OnGraphPaletteChanged, this); break;
        case EC_VIDEO_SIZE_CHANGED:
            if (OnGraphVideoSizeChanged) {
                int width = 0, height = 0;
                DecodeVideoSize(param1, width, height);
                OnGraphVideoSizeChanged(this, width, height);
            }
            break;
        case EC_QUALITY_CHANGE: Fire(OnGraphQualityChange, this); break;
        case EC_CLOCK_CHANGED: Fire(OnGraphClockChanged, this); break;
        case EC_PAUSED: Fire(OnGraphPaused, this, hr1); break;
        case EC_OPENING_FILE: Fire(OnGraphOpeningFile, this, param1 == 1); break;
        case EC_BUFFERING_DATA: Fire(OnGraphBufferingData, this, param1 == 1); break;
        case EC_FULLSCREEN_LOST: Fire(OnGraphFullscreenLost, this, reinterpret_cast<IBaseFilter*>(param2)); break;
        case EC_OLE_EVENT:
            if (OnGraphOleEvent) OnGraphOleEvent(this, BstrText(param1), BstrText(param2));
            break;
        case EC_STREAM_CONTROL_STOPPED: Fire(OnGraphStreamControlStopped, this, reinterpret_cast<IPin*>(param1), dw2); break;
        case EC_STREAM_CONTROL_STARTED: Fire(OnGraphStreamControlStarted, this, reinterpret_cast<IPin*>(param1), dw2); break;
        case EC_END_OF_SEGMENT:
            if (OnGraphEndOfSegment) {
                // Param1 points to the stream time; a null pointer reads as time 0.
                const auto* time = reinterpret_cast<const REFERENCE_TIME*>(param1);
                OnGraphEndOfSegment(this, time ? *time : 0, dw2);
            }
            break;
        // Param2 is 0 when the device was removed and 1 when it is available again.
        case EC_DEVICE_LOST: Fire(OnGraphDeviceLost, this, reinterpret_cast<IUnknown*>(param1), param2 == 0); break;
        case EC_STEP_COMPLETE: Fire(OnGraphStepComplete, this); break;
        case EC_TIMECODE_AVAILABLE: Fire(OnGraphTimeCodeAvailable, this, reinterpret_cast<IBaseFilter*>(param1), dw2); break;
        case EC_EXTDEVICE_MODE_CHANGE: Fire(OnGraphEXTDeviceModeChange, this, dw1, dw2); break;
        case EC_GRAPH_CHANGED: Fire(OnGraphChanged, this); break;
        case EC_CLOCK_UNSET: Fire(OnGraphClockUnset, this); break;
        case EC_VMR_RENDERDEVICE_SET: Fire(OnGraphVMRRenderDevice, this, dw1); break;
        case EC_SNDDEV_IN_ERROR: Fire(OnGraphSNDDevInError, this, dw1, dw2); break;
        case EC_SNDDEV_OUT_ERROR: Fire(OnGraphSNDDevOutError, this, dw1, dw2); break;

        case EC_DVD_DOMAIN_CHANGE:
            switch (param1) {
                case 1: Fire(OnDVDDomainFirstPlay, this); break;
                case 2: Fire(OnDVDDomainVideoManagerMenu, this); break;
                case 3: Fire(OnDVDDomainVideoTitleSetMenu, this); break;
                case 4: Fire(OnDVDDomainTitle, this); break;
                case 5: Fire(OnDVDDomainStop, this); break;
                default: break;
            }
            break;
        case EC_DVD_TITLE_CHANGE: Fire(OnDVDTitleChange, this, p1); break;
        case EC_DVD_CHAPTER_START: Fire(OnDVDChapterStart, this, p1); break;
        case EC_DVD_AUDIO_STREAM_CHANGE: DoDvdStreamChange(true, param1); break;
        case EC_DVD_SUBPICTURE_STREAM_CHANGE: DoDvdStreamChange(false, param1); break;
        case EC_DVD_ANGLE_CHANGE: Fire(OnDVDAngleChange, this, p1, p2); break;
        case EC_DVD_BUTTON_CHANGE: Fire(OnDVDButtonChange, this, p1, p2); break;
        case EC_DVD_VALID_UOPS_CHANGE: Fire(OnDVDValidUOPSChange, this, p1); break;
        case EC_DVD_STILL_ON: Fire(OnDVDStillOn, this, param1 == 1, p2); break;
        case EC_DVD_STILL_OFF: Fire(OnDVDStillOff, this); break;
        case EC_DVD_CURRENT_TIME:
            if (OnDVDCurrentTime) {
                const TDVDTimeCode t = DecodeDvdTimeCode(static_cast<ULONG>(param1));
                OnDVDCurrentTime(this, t.hours, t.minutes, t.seconds, t.frames, t.frameRate);
            }
            break;
        case EC_DVD_ERROR:
            switch (param1) {
                case 1: Fire(OnDVDErrorUnexpected, this); break;
                case 2: Fire(OnDVDErrorCopyProtectFail, this); break;
                case 3: Fire(OnDVDErrorInvalidDVD1_0Disc, this); break;
                case 4: Fire(OnDVDErrorInvalidDiscRegion, this); break;
                case 5: Fire(OnDVDErrorLowParentalLevel, this); break;
                case 6: Fire(OnDVDErrorMacrovisionFail, this); break;
                case 7: Fire(OnDVDErrorIncompatibleSystemAndDecoderRegions, this); break;
                case 8: Fire(OnDVDErrorIncompatibleDiscAndDecoderRegions, this); break;
                default: break;
            }
            break;
        case EC_DVD_WARNING:
            switch (param1) {
                case 1: Fire(OnDVDWarningInvalidDVD1_0Disc, this); break;
                case 2: Fire(OnDVDWarningFormatNotSupported, this); break;
                case 3: Fire(OnDVDWarningIllegalNavCommand, this); break;
                case 4: Fire(OnDVDWarningOpen, this); break;
                case 5: Fire(OnDVDWarningSeek, this); break;
                case 6: Fire(OnDVDWarningRead, this); break;
                default: break;
            }
            break;
        case EC_DVD_CHAPTER_AUTOSTOP: Fire(OnDVDChapterAutoStop, this); break;
        case EC_DVD_NO_FP_PGC: Fire(OnDVDNoFP_PGC, this); break;
        case EC_DVD_PLAYBACK_RATE_CHANGE: Fire(OnDVDPlaybackRateChange, this, p1 / 10000.0); break;
        case EC_DVD_PARENTAL_LEVEL_CHANGE: Fire(OnDVDParentalLevelChange, this, p1); break;
        case EC_DVD_PLAYBACK_STOPPED: Fire(OnDVDPlaybackStopped, this); break;
        case EC_DVD_ANGLES_AVAILABLE: Fire(OnDVDAnglesAvailable, this, param1 == 1); break;
        case EC_DVD_PLAYPERIOD_AUTOSTOP: Fire(OnDVDPlayPeriodAutoStop, this); break;
        case EC_DVD_BUTTON_AUTO_ACTIVATED: Fire(OnDVDButtonAutoActivated, this, p1); break;
        case EC_DVD_CMD_START: Fire(OnDVDCMDStart, this, p1); break;
        case EC_DVD_CMD_END: Fire(OnDVDCMDEnd, this, p1); break;
        case EC_DVD_DISC_EJECTED: Fire(OnDVDDiscEjected, this); break;
        case EC_DVD_DISC_INSERTED: Fire(OnDVDDiscInserted, this); break;
        case EC_DVD_CURRENT_HMSF_TIME:
            if (OnDVDCurrentHMSFTime)
                OnDVDCurrentHMSFTime(this, DecodeDvdHMSFTimeCode(static_cast<ULONG>(param1)),
                                     DecodeDvdTimeCode(static_cast<ULONG>(param2)));
            break;
        case EC_DVD_KARAOKE_MODE: Fire(OnDVDKaraokeMode, this, param1 != 0); break;
        default: break;
    }
}

}  // namespace vorlinde
