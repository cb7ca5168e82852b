#pragma once
// TFilterGraph: a non-visual component that owns one DirectShow filter graph and makes it
// usable from the GUI thread. It creates and releases the graph manager (Active), builds the
// graph for a file (RenderFile), runs, pauses and stops it, reports its state, applies volume,
// balance and rate, removes every filter that no member contributed (ClearGraph), raises
// EDirectShowException for failed media-framework calls, and turns the graph's asynchronous
// events, which arrive as message WM_APP + 1 on a hidden window, into component events.
//
// Other components take part through IGraphMember (a filter of their own, added and removed
// with the graph) and IGraphListener (told of every graph event and control step).
//
// The component is itself a COM object: it answers IServiceProvider and the two graph-building
// callbacks, and forwards any other interface query to its graph objects while active; that is
// how IMediaControl, IBasicAudio, IMediaSeeking and the like are reached. Its lifetime belongs
// to its owner, not to COM references: AddRef and Release only count the references others
// hold (ExternalReferences), and it must not be destroyed while the graph is running a call
// into it.
//
// The event pump is in FilterGraphEvents.cpp, the COM side in FilterGraphCom.cpp.
#include <windows.h>

#include <dshow.h>
#include <servprov.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/HiddenWindow.h"
#include "media/ComPtr.h"
#include "media/DirectShowError.h"
#include "media/FirstHopCache.h"
#include "media/GraphEventParams.h"
#include "media/GraphInterfaces.h"
#include "media/PreparedFile.h"

namespace vorlinde {

enum class TGraphMode { gmNormal, gmCapture, gmDVD };

// The graph's state as State() reports it; the application compares these numbers.
enum class PlaybackState : int { Uninitialised = 0, Stopped = 1, Paused = 2, Playing = 3 };

// Message that the graph posts to the notification window for queued events.
constexpr UINT WM_GRAPHNOTIFY = WM_APP + 1;

// The interface and service identifier under which a graph's IServiceProvider leads to the
// TFilterGraph that owns it: {C7CAA944-C191-4AB1-ABA7-D8B40EF4D5B2}.
inline constexpr GUID IID_IFilterGraphOwner = {0xC7CAA944, 0xC191, 0x4AB1, {0xAB, 0xA7, 0xD8, 0xB4, 0x0E, 0xF4, 0xD5, 0xB2}};

// The identifier of IAMFilterGraphCallback, which the platform headers declare without defining.
inline constexpr GUID IID_FilterGraphCallback = {0x56A868FD, 0x0AD4, 0x11CE, {0xB0, 0xA3, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

using vl::TNotifyEvent;
using TOnDSEvent = std::function<void(vl::TObject* sender, LONG event, LONG_PTR param1, LONG_PTR param2)>;
// Graph events (sender first, then the decoded parameters).
using TGraphCompleteEvent = std::function<void(vl::TObject* sender, HRESULT result, IBaseFilter* renderer)>;
using TGraphResultEvent = std::function<void(vl::TObject* sender, HRESULT result)>;
using TGraphStreamErrorEvent = std::function<void(vl::TObject* sender, HRESULT operation, DWORD value)>;
using TGraphVideoSizeChangedEvent = std::function<void(vl::TObject* sender, int width, int height)>;
using TGraphOpeningFileEvent = std::function<void(vl::TObject* sender, bool opening)>;
using TGraphBufferingDataEvent = std::function<void(vl::TObject* sender, bool buffering)>;
using TGraphFullscreenLostEvent = std::function<void(vl::TObject* sender, IBaseFilter* renderer)>;
using TGraphOleEvent = std::function<void(vl::TObject* sender, const std::wstring& string1, const std::wstring& string2)>;
using TGraphStreamControlEvent = std::function<void(vl::TObject* sender, IPin* pinSender, DWORD cookie)>;
using TGraphEndOfSegmentEvent = std::function<void(vl::TObject* sender, REFERENCE_TIME streamTime, DWORD numSegment)>;
using TGraphDeviceLostEvent = std::function<void(vl::TObject* sender, IUnknown* device, bool removed)>;
using TGraphTimeCodeAvailableEvent = std::function<void(vl::TObject* sender, IBaseFilter* from, DWORD deviceId)>;
using TGraphEXTDeviceModeChangeEvent = std::function<void(vl::TObject* sender, DWORD newMode, DWORD deviceId)>;
using TGraphVMRRenderDeviceEvent = std::function<void(vl::TObject* sender, DWORD renderDevice)>;
using TGraphSoundDeviceErrorEvent = std::function<void(vl::TObject* sender, DWORD occurWhen, DWORD errorCode)>;
// DVD events.
using TDVDNumberEvent = std::function<void(vl::TObject* sender, int value)>;
using TDVDStreamChangeEvent = std::function<void(vl::TObject* sender, int stream, LCID language, const std::string& languageName)>;
using TDVDCountEvent = std::function<void(vl::TObject* sender, int total, int current)>;
using TDVDStillOnEvent = std::function<void(vl::TObject* sender, bool noButtonAvailable, int seconds)>;
using TDVDCurrentTimeEvent = std::function<void(vl::TObject* sender, int hours, int minutes, int seconds, int frames, int frameRate)>;
using TDVDRateEvent = std::function<void(vl::TObject* sender, double rate)>;
using TDVDFlagEvent = std::function<void(vl::TObject* sender, bool value)>;
using TDVDHMSFTimeEvent = std::function<void(vl::TObject* sender, TDVDHMSFTimeCode hmsfTimeCode, TDVDTimeCode timeCode)>;
// Graph-building callbacks: true accepts, false refuses.
using TSelectedFilterEvent = std::function<bool(vl::TObject* sender, IMoniker* moniker, const std::wstring& filterName, const CLSID& classId)>;
using TCreatedFilterEvent = std::function<bool(vl::TObject* sender, IBaseFilter* filter, const CLSID& classId)>;
using TUnableToRenderEvent = std::function<bool(vl::TObject* sender, IPin* pin)>;

class TFilterGraph : public vl::TComponent,
                     public IServiceProvider,
                     public IAMFilterGraphCallback,
                     public IAMGraphBuilderCallback {
    VL_DECLARE_CLASS()
public:
    explicit TFilterGraph(vl::TComponent* owner);
    ~TFilterGraph() override;

    // --- published settings
    const std::string& LogFile() const { return logFile_; }
    // While active: closes the current log and opens the new one (create or overwrite,
    // exclusive). A file that cannot be created leaves logging off and the old value in place.
    void SetLogFile(const std::string& path);
    bool Active() const { return active_; }
    // Creates or releases the graph objects. A mode whose graph objects cannot be created
    // raises EDirectShowException and leaves the component inactive.
    void SetActive(bool active);
    bool AutoCreate() const { return autoCreate_; }
    void SetAutoCreate(bool on) { autoCreate_ = on; }
    TGraphMode Mode() const { return mode_; }
    // A different mode passes through inactive and back to the current Active.
    void SetMode(TGraphMode mode);
    bool GraphEdit() const { return graphEdit_; }
    // Publishes the graph in the running-object table while active, or withdraws it.
    void SetGraphEdit(bool on);
    bool LinearVolume() const { return linearVolume_; }
    void SetLinearVolume(bool on);

    // --- audio and rate, stored and applied to the graph when it has the interface
    int Volume() const { return volume_; }
    void SetVolume(int volume);  // clamped to 0..10000
    int Balance() const { return balance_; }
    void SetBalance(int balance);  // clamped to -10000..10000
    double Rate() const { return rate_; }
    void SetRate(double rate);

    // --- the graph
    // Builds the graph for one file. Without a graph: S_FALSE and nothing else. A file that
    // cannot be rendered raises EDirectShowException after ctlFileRendering and without
    // ctlFileRendered; otherwise the graph's (success) result.
    HRESULT RenderFile(const std::wstring& fileName);
    // The file of the last RenderFile made while a graph existed; cleared by ClearGraph and
    // by deactivation.
    const std::wstring& RenderedFile() const { return renderedFile_; }
    // Starts building the beginning of the graph for the file expected next (its source and the
    // filter that followed the source for that kind of file last time) in the background, in
    // this graph, while it plays; RenderFile of that file then only renders the rest, with the
    // same result. Nothing is prepared while the building hooks are set or before a file of that
    // kind has been rendered once. A different file replaces what was prepared.
    void PrepareFile(const std::wstring& fileName);
    // Takes what PrepareFile built out of the graph again.
    void CancelPreparedFile();
    // How long a preparation waits before it starts, so that the file that just started gets
    // its first pictures on a processor of its own.
    DWORD PrepareDelay() const { return prepareDelayMs_; }
    void SetPrepareDelay(DWORD ms) { prepareDelayMs_ = ms; }
    // Stops the graph, disconnects every pin and removes every filter no member contributed,
    // except what PrepareFile built.
    void ClearGraph();
    // Run, pause or stop; false without media control. Play is true for any success code,
    // Pause and Stop only for S_OK (S_FALSE: the change is still under way).
    bool Play();
    bool Pause();
    bool Stop();
    PlaybackState State();

    // --- members and listeners (each held by one counted reference while listed)
    void InsertMember(IGraphMember* member);
    void RemoveMember(IGraphMember* member);
    void InsertListener(IGraphListener* listener);
    void RemoveListener(IGraphListener* listener);
    int MemberCount() const { return static_cast<int>(members_.size()); }
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }

    // One graph event: the listeners, then OnDSEvent, then the event's own handler.
    virtual void DoEvent(LONG event, LONG_PTR param1, LONG_PTR param2);

    // The hidden window that receives WM_GRAPHNOTIFY.
    HWND NotifyWindow() const { return window_.Handle(); }
    // References handed out to others and not yet released (the graph's site references).
    LONG ExternalReferences() const { return externalRefs_; }

    // --- COM: own interfaces first, then the graph objects while active
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IServiceProvider: IID_IFilterGraphOwner as service and interface gives this component
    // (a TFilterGraph*, not counted: the component's lifetime belongs to its owner).
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override;
    // IAMGraphBuilderCallback
    HRESULT STDMETHODCALLTYPE SelectedFilter(IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE CreatedFilter(IBaseFilter* filter) override;
    // IAMFilterGraphCallback
    HRESULT UnableToRender(IPin* pin) override;

    // Queries an interface through QueryInterface; empty when nobody answers.
    template <class I>
    TComPtr<I> Query(REFIID iid) {
        TComPtr<I> result;
        QueryInterface(iid, result.ReceiveVoid());
        return result;
    }

    // --- events
    TNotifyEvent OnActivate;
    TOnDSEvent OnDSEvent;
    TGraphCompleteEvent OnGraphComplete;
    TNotifyEvent OnGraphUserAbort;
    TGraphResultEvent OnGraphErrorAbort;
    TGraphStreamErrorEvent OnGraphStreamErrorStopped;
    TGraphStreamErrorEvent OnGraphStreamErrorStillPlaying;
    TGraphResultEvent OnGraphErrorStillPlaying;
    TNotifyEvent OnGraphPaletteChanged;
    TGraphVideoSizeChangedEvent OnGraphVideoSizeChanged;
    TNotifyEvent OnGraphQualityChange;
    TNotifyEvent OnGraphClockChanged;
    TGraphResultEvent OnGraphPaused;
    TGraphOpeningFileEvent OnGraphOpeningFile;
    TGraphBufferingDataEvent OnGraphBufferingData;
    TGraphFullscreenLostEvent OnGraphFullscreenLost;
    TGraphOleEvent OnGraphOleEvent;
    TGraphStreamControlEvent OnGraphStreamControlStopped;
    TGraphStreamControlEvent OnGraphStreamControlStarted;
    TGraphEndOfSegmentEvent OnGraphEndOfSegment;
    TGraphDeviceLostEvent OnGraphDeviceLost;
    TNotifyEvent OnGraphStepComplete;
    TGraphTimeCodeAvailableEvent OnGraphTimeCodeAvailable;
    TGraphEXTDeviceModeChangeEvent OnGraphEXTDeviceModeChange;
    TNotifyEvent OnGraphChanged;
    TNotifyEvent OnGraphClockUnset;
    TGraphVMRRenderDeviceEvent OnGraphVMRRenderDevice;
    TGraphSoundDeviceErrorEvent OnGraphSNDDevInError;
    TGraphSoundDeviceErrorEvent OnGraphSNDDevOutError;

    TNotifyEvent OnDVDDomainFirstPlay;
    TNotifyEvent OnDVDDomainVideoManagerMenu;
    TNotifyEvent OnDVDDomainVideoTitleSetMenu;
    TNotifyEvent OnDVDDomainTitle;
    TNotifyEvent OnDVDDomainStop;
    TDVDNumberEvent OnDVDTitleChange;
    TDVDNumberEvent OnDVDChapterStart;
    TDVDStreamChangeEvent OnDVDAudioStreamChange;
    TDVDStreamChangeEvent OnDVDSubpictureStreamChange;
    TDVDCountEvent OnDVDAngleChange;
    TDVDCountEvent OnDVDButtonChange;
    TDVDNumberEvent OnDVDValidUOPSChange;
    TDVDStillOnEvent OnDVDStillOn;
    TNotifyEvent OnDVDStillOff;
    TDVDCurrentTimeEvent OnDVDCurrentTime;
    TNotifyEvent OnDVDErrorUnexpected;
    TNotifyEvent OnDVDErrorCopyProtectFail;
    TNotifyEvent OnDVDErrorInvalidDVD1_0Disc;
    TNotifyEvent OnDVDErrorInvalidDiscRegion;
    TNotifyEvent OnDVDErrorLowParentalLevel;
    TNotifyEvent OnDVDErrorMacrovisionFail;
    TNotifyEvent OnDVDErrorIncompatibleSystemAndDecoderRegions;
    TNotifyEvent OnDVDErrorIncompatibleDiscAndDecoderRegions;
    TNotifyEvent OnDVDWarningInvalidDVD1_0Disc;
    TNotifyEvent OnDVDWarningFormatNotSupported;
    TNotifyEvent OnDVDWarningIllegalNavCommand;
    TNotifyEvent OnDVDWarningOpen;
    TNotifyEvent OnDVDWarningSeek;
    TNotifyEvent OnDVDWarningRead;
    TNotifyEvent OnDVDChapterAutoStop;
    TNotifyEvent OnDVDNoFP_PGC;
    TDVDRateEvent OnDVDPlaybackRateChange;
    TDVDNumberEvent OnDVDParentalLevelChange;
    TNotifyEvent OnDVDPlaybackStopped;
    TDVDFlagEvent OnDVDAnglesAvailable;
    TNotifyEvent OnDVDPlayPeriodAutoStop;
    TDVDNumberEvent OnDVDButtonAutoActivated;
    TDVDNumberEvent OnDVDCMDStart;
    TDVDNumberEvent OnDVDCMDEnd;
    TNotifyEvent OnDVDDiscEjected;
    TNotifyEvent OnDVDDiscInserted;
    TDVDHMSFTimeEvent OnDVDCurrentHMSFTime;
    TDVDFlagEvent OnDVDKaraokeMode;

    TSelectedFilterEvent OnSelectedFilter;
    TCreatedFilterEvent OnCreatedFilter;
    TUnableToRenderEvent OnUnableToRender;

    // After loading from a form description: activates when AutoCreate is set.
    void Loaded() override;

private:
    // Calls DoEvent for every queued event, then frees its parameters.
    void DrainEvents();
    void Activate();
    void Deactivate();
    // Adds or removes one member's filter (with its notifications) while a graph exists.
    void AddMemberFilter(IGraphMember* member);
    void RemoveMemberFilter(IGraphMember* member);
    void SendControlEvent(TControlEventKind event, LONG param);
    // Re-applies volume, balance and rate.
    void UpdateGraph();
    void ApplyVolume();
    void ApplyBalance();
    void ApplyRate();
    void CloseLog();
    // Renders the outputs of the prepared file's filters; true when every one rendered fully.
    // Otherwise what was added is taken out again, with the prepared filters.
    bool RenderPrepared();
    // The audio-stream and subpicture-stream DVD events: stream number, language id and name.
    void DoDvdStreamChange(bool audio, LONG_PTR stream);

    // Declaration order follows the component's internal state.
    bool active_ = false;
    bool autoCreate_ = false;
    // Receives WM_GRAPHNOTIFY; its handler runs inside the central exception boundary.
    vl::THiddenWindow window_;
    TGraphMode mode_ = TGraphMode::gmNormal;
    int volume_ = 10000;
    int balance_ = 0;
    double rate_ = 1.0;
    bool linearVolume_ = true;
    std::vector<TComPtr<IGraphMember>> members_;
    std::vector<TComPtr<IGraphListener>> listeners_;
    TComPtr<IFilterGraph2> graph_;
    TComPtr<ICaptureGraphBuilder2> captureBuilder_;
    TComPtr<IDvdGraphBuilder> dvdBuilder_;
    TComPtr<IMediaEventEx> mediaEvent_;
    bool graphEdit_ = false;
    DWORD rotCookie_ = 0;
    std::string logFile_;
    HANDLE logHandle_ = INVALID_HANDLE_VALUE;
    std::wstring renderedFile_;
    // Which filter followed the source last time, per kind of file (see media/FirstHopCache.h).
    TFirstHopCache firstHops_;
    // The next file's start, built while this one plays; released before the graph.
    TPreparedFile prepared_;
    DWORD prepareDelayMs_ = 500;
    volatile LONG externalRefs_ = 0;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TGraphMode> {
    static const TEnumTable<vorlinde::TGraphMode>& Table() {
        using M = vorlinde::TGraphMode;
        static const TEnumTable<M> table = {{"gmNormal", M::gmNormal}, {"gmCapture", M::gmCapture}, {"gmDVD", M::gmDVD}};
        return table;
    }
};
