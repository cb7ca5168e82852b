#pragma once
// TOverlayMixerFilter: the software Overlay Mixer. Input pins ("Input0", then one more each
// time the last free one connects) take uncompressed RGB video; the output pin ("Output")
// passes the primary input's samples on to a Video Renderer, which paces them; the picture
// itself is shown by TOverlayPresenter, as a hardware overlay would show it.
//
// Pin order: Input0, Output, Input1, Input2, ... (the first pin is the primary input).
// Secondary inputs are accepted so that a graph can wire them, but their samples are not shown.
#include <windows.h>


#include <dshow.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ColorAdjust.h"
#include "platform/ComPtr.h"
#include "platform/MixerPinConfig.h"
#include "platform/OverlayPresenter.h"
#include "platform/PinBase.h"
#include "platform/VideoFormat.h"

namespace vorlinde::platform {

class TOverlayMixerFilter;

class TMixerInputPin final : public TPinBase, public IMemInputPin, public IMixerPinConfig2 {
public:
    TMixerInputPin(TOverlayMixerFilter& filter, unsigned index);

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return TPinBase::AddRef(); }
    ULONG WINAPI Release() override { return TPinBase::Release(); }

    // IPin
    HRESULT WINAPI Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI Disconnect() override;
    HRESULT WINAPI EndOfStream() override;
    HRESULT WINAPI BeginFlush() override;
    HRESULT WINAPI EndFlush() override;
    HRESULT WINAPI NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IMemInputPin
    HRESULT WINAPI GetAllocator(IMemAllocator** allocator) override;
    HRESULT WINAPI NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    HRESULT WINAPI GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    HRESULT WINAPI Receive(IMediaSample* sample) override;
    HRESULT WINAPI ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    HRESULT WINAPI ReceiveCanBlock() override;

    // IMixerPinConfig
    HRESULT WINAPI SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom) override;
    HRESULT WINAPI GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom) override;
    HRESULT WINAPI SetZOrder(DWORD zOrder) override;
    HRESULT WINAPI GetZOrder(DWORD* zOrder) override;
    HRESULT WINAPI SetColorKey(COLORKEY* key) override;
    HRESULT WINAPI GetColorKey(COLORKEY* key, DWORD* color) override;
    HRESULT WINAPI SetBlendingParameter(DWORD blending) override;
    HRESULT WINAPI GetBlendingParameter(DWORD* blending) override;
    HRESULT WINAPI SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) override;
    HRESULT WINAPI GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode) override;
    HRESULT WINAPI SetStreamTransparent(BOOL transparent) override;
    HRESULT WINAPI GetStreamTransparent(BOOL* transparent) override;
    // IMixerPinConfig2
    HRESULT WINAPI SetOverlaySurfaceColorControls(LPDDCOLORCONTROL control) override;
    HRESULT WINAPI GetOverlaySurfaceColorControls(LPDDCOLORCONTROL control) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(ULONG index, TMediaType& type) override;

    // Called by the filter with its lock held.
    bool IsPrimary() const noexcept { return index_ == 0; }
    bool EndOfStreamSeen() const noexcept { return endOfStream_; }
    void ResetStreamState() noexcept;
    IMemAllocator* Allocator() const noexcept { return allocator_.Get(); }
    bool ReadOnly() const noexcept { return readOnly_; }
    const TVideoFormat& Format() const noexcept { return format_; }
    AM_ASPECT_RATIO_MODE AspectMode() const noexcept { return aspectMode_; }
    const RECT& Relative() const noexcept { return relative_; }

private:
    TOverlayMixerFilter& filter_;
    const unsigned index_;
    // Guarded by the filter's lock.
    TComPtr<IMemAllocator> allocator_;
    bool readOnly_ = false;
    bool flushing_ = false;
    bool endOfStream_ = false;
    TVideoFormat format_;
    AM_ASPECT_RATIO_MODE aspectMode_ = AM_ARMODE_LETTER_BOX;
    RECT relative_{0, 0, 10000, 10000};
    DWORD zOrder_ = 0;
    DWORD blending_ = 255;
    BOOL transparent_ = FALSE;
};

class TMixerOutputPin final : public TPinBase, public IQualityControl, public IMediaSeeking {
public:
    explicit TMixerOutputPin(TOverlayMixerFilter& filter);

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return TPinBase::AddRef(); }
    ULONG WINAPI Release() override { return TPinBase::Release(); }

    // IPin
    HRESULT WINAPI Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI Disconnect() override;
    HRESULT WINAPI EndOfStream() override;
    HRESULT WINAPI BeginFlush() override;
    HRESULT WINAPI EndFlush() override;
    HRESULT WINAPI NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IQualityControl: quality messages from the renderer go upstream.
    HRESULT WINAPI Notify(IBaseFilter* sender, Quality quality) override;
    HRESULT WINAPI SetSink(IQualityControl* sink) override;

    // IMediaSeeking: the renderer's seeking reaches the primary input's upstream pin.
    HRESULT WINAPI GetCapabilities(DWORD* capabilities) override;
    HRESULT WINAPI CheckCapabilities(DWORD* capabilities) override;
    HRESULT WINAPI IsFormatSupported(const GUID* format) override;
    HRESULT WINAPI QueryPreferredFormat(GUID* format) override;
    HRESULT WINAPI GetTimeFormat(GUID* format) override;
    HRESULT WINAPI IsUsingTimeFormat(const GUID* format) override;
    HRESULT WINAPI SetTimeFormat(const GUID* format) override;
    HRESULT WINAPI GetDuration(LONGLONG* duration) override;
    HRESULT WINAPI GetStopPosition(LONGLONG* stop) override;
    HRESULT WINAPI GetCurrentPosition(LONGLONG* current) override;
    HRESULT WINAPI ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                     const GUID* sourceFormat) override;
    HRESULT WINAPI SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    HRESULT WINAPI GetPositions(LONGLONG* current, LONGLONG* stop) override;
    HRESULT WINAPI GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    HRESULT WINAPI SetRate(double rate) override;
    HRESULT WINAPI GetRate(double* rate) override;
    HRESULT WINAPI GetPreroll(LONGLONG* preroll) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(ULONG index, TMediaType& type) override;

    // Filter lock held: (re)choose how samples reach the renderer. Pass-through when the
    // renderer takes the upstream allocator, else a copy into the renderer's own buffers.
    HRESULT DecideAllocator();
    // Filter lock held.
    void CommitCopyAllocator(bool commit);
    // Filter lock held: the primary input's format changed mid-stream.
    void TakeFormatChangeLocked(const AM_MEDIA_TYPE& type);
    // The renderer's input and, in copy mode, the allocator to copy into (counted copies).
    void Route(TComPtr<IMemInputPin>& input, TComPtr<IMemAllocator>& copyAllocator);
    // Streaming thread: one sample to the renderer.
    HRESULT Deliver(IMemInputPin* input, IMemAllocator* copyAllocator, IMediaSample* sample);
    bool PassThrough() const;

private:
    TComPtr<IMediaSeeking> UpstreamSeeking();

    TOverlayMixerFilter& filter_;
    // Guarded by the filter's lock.
    TComPtr<IMemInputPin> peerInput_;
    TComPtr<IMemAllocator> copyAllocator_;
    bool copyCommitted_ = false;
};

class TOverlayMixerFilter final : public IBaseFilter, public IDDrawExclModeVideo, public IPinOwner {
public:
    // CoCreateInstance's work: a new mixer, queried for iid.
    static HRESULT Create(IUnknown* outer, REFIID iid, void** object);

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;

    // IPersist
    HRESULT WINAPI GetClassID(CLSID* classId) override;
    // IMediaFilter
    HRESULT WINAPI Stop() override;
    HRESULT WINAPI Pause() override;
    HRESULT WINAPI Run(REFERENCE_TIME start) override;
    HRESULT WINAPI GetState(DWORD milliseconds, FILTER_STATE* state) override;
    HRESULT WINAPI SetSyncSource(IReferenceClock* clock) override;
    HRESULT WINAPI GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    HRESULT WINAPI EnumPins(IEnumPins** enumerator) override;
    HRESULT WINAPI FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT WINAPI QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT WINAPI JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT WINAPI QueryVendorInfo(LPWSTR* vendorInfo) override;

    // IDDrawExclModeVideo
    HRESULT WINAPI SetDDrawObject(IDirectDraw* ddraw) override;
    HRESULT WINAPI GetDDrawObject(IDirectDraw** ddraw, BOOL* usingExternal) override;
    HRESULT WINAPI SetDDrawSurface(IDirectDrawSurface* surface) override;
    HRESULT WINAPI GetDDrawSurface(IDirectDrawSurface** surface, BOOL* usingExternal) override;
    HRESULT WINAPI SetDrawParameters(const RECT* source, const RECT* target) override;
    HRESULT WINAPI GetNativeVideoProps(DWORD* width, DWORD* height, DWORD* aspectX, DWORD* aspectY) override;
    HRESULT WINAPI SetCallbackInterface(IDDrawExclModeVideoCallback* callback, DWORD flags) override;

    // For the pins and the pin enumerator (lock held where noted).
    vl::TRecursiveLock& Lock() noexcept { return lock_; }
    FILTER_STATE StateLocked() const noexcept { return state_; }
    TMixerInputPin& Primary() noexcept { return *inputs_.front(); }
    TMixerOutputPin& Output() noexcept { return *output_; }
    TOverlayPresenter* Presenter() noexcept { return presenter_.get(); }
    size_t PinCountLocked() const noexcept { return pinOrder_.size(); }
    TPinBase* PinAtLocked(size_t index) const noexcept { return pinOrder_[index]; }
    unsigned PinVersionLocked() const noexcept { return pinVersion_; }
    // Lock held: an input connected; keeps one free input pin available.
    void OnInputConnected();
    // Lock held: the primary input's format is known (or gone).
    void OnPrimaryFormat();
    // Lock held: true once, when every connected input has ended its stream (the moment to
    // pass end-of-stream on); false before and after.
    bool TakeEndOfStreamLocked();
    // Lock held: a flush starts the stream over.
    void ResetEndOfStreamLocked();
    // The key and colour controls belong to the one overlay surface (all pins share them).
    COLORKEY ColorKeyLocked() const noexcept { return key_; }
    HRESULT SetColorKeyLocked(const COLORKEY& key);
    TColorSettings ColorSettingsLocked() const noexcept { return color_; }
    void SetColorSettingsLocked(const TColorSettings& settings);
    // Lock held: push key, aspect ratio mode and relative position to the presenter.
    void PublishSettingsLocked();

private:
    TOverlayMixerFilter();
    ~TOverlayMixerFilter();
    HRESULT Initialise();

    // IPinOwner
    ULONG AddRefOwner() noexcept override { return AddRef(); }
    ULONG ReleaseOwner() noexcept override { return Release(); }
    IBaseFilter* OwnerFilter() noexcept override { return this; }
    vl::TRecursiveLock& OwnerLock() noexcept override { return lock_; }
    FILTER_STATE OwnerState() noexcept override { return state_; }

    LONG references_ = 1;
    vl::TRecursiveLock lock_;
    FILTER_STATE state_ = State_Stopped;
    REFERENCE_TIME start_ = 0;
    TComPtr<IReferenceClock> clock_;
    IFilterGraph* graph_ = nullptr;  // not counted: the graph owns the filter
    std::wstring name_;
    std::vector<std::unique_ptr<TMixerInputPin>> inputs_;
    std::unique_ptr<TMixerOutputPin> output_;
    std::vector<TPinBase*> pinOrder_;
    unsigned pinVersion_ = 1;
    bool endOfStreamSent_ = false;
    COLORKEY key_{CK_INDEX | CK_RGB, 0, RGB(16, 0, 16), RGB(16, 0, 16)};
    TColorSettings color_;
    std::shared_ptr<TOverlayPresenter> presenter_;
};

// Most input pins a mixer makes.
constexpr unsigned kMaxMixerInputs = 8;

}  // namespace vorlinde::platform
