#include <dshow.h>

#include <algorithm>
#include <cstring>

#include "platform/MixerFilter.h"

namespace vorlinde::platform {

namespace {

// The subtypes an input pin proposes, most preferred first.
const GUID* const kProposedSubtypes[] = {&MEDIASUBTYPE_RGB32, &MEDIASUBTYPE_RGB24, &MEDIASUBTYPE_RGB565,
                                         &MEDIASUBTYPE_RGB555};

bool ValidAspectMode(AM_ASPECT_RATIO_MODE mode, bool primary) {
    switch (mode) {
    case AM_ARMODE_STRETCHED:
    case AM_ARMODE_LETTER_BOX:
    case AM_ARMODE_CROP:
        return true;
    case AM_ARMODE_STRETCHED_AS_PRIMARY:
        return !primary;
    default:
        return false;
    }
}

}  // namespace

// ---- Input pin -----------------------------------------------------------------------------

TMixerInputPin::TMixerInputPin(TOverlayMixerFilter& filter, unsigned index)
    : TPinBase(filter, L"Input" + std::to_wstring(index), PINDIR_INPUT), filter_(filter), index_(index) {}

HRESULT WINAPI TMixerInputPin::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *object = static_cast<IPin*>(this);
    } else if (IsEqualIID(iid, IID_IMemInputPin)) {
        *object = static_cast<IMemInputPin*>(this);
    } else if (IsEqualIID(iid, IID_IMixerPinConfig) || IsEqualIID(iid, IID_IMixerPinConfig2)) {
        *object = static_cast<IMixerPinConfig2*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::Connect(IPin*, const AM_MEDIA_TYPE*) {
    // Connections are made from the output side.
    return E_UNEXPECTED;
}

HRESULT WINAPI TMixerInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    if (!connector || !type) return E_POINTER;
    return GuardCom([&]() -> HRESULT {
        std::lock_guard lock(filter_.Lock());
        if (peer_) return VFW_E_ALREADY_CONNECTED;
        if (filter_.StateLocked() != State_Stopped) return VFW_E_NOT_STOPPED;
        PIN_DIRECTION direction;
        if (FAILED(connector->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) {
            return VFW_E_INVALID_DIRECTION;
        }
        if (CheckMediaType(*type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
        TVideoFormat format;
        HRESULT hr = ParseVideoFormat(*type, format);
        if (FAILED(hr)) return hr;
        hr = type_.Assign(*type);
        if (FAILED(hr)) return hr;
        peer_ = TComPtr<IPin>::Share(connector);
        format_ = format;
        flushing_ = false;
        endOfStream_ = false;
        if (IsPrimary()) filter_.OnPrimaryFormat();
        filter_.OnInputConnected();
        return S_OK;
    });
}

HRESULT WINAPI TMixerInputPin::Disconnect() {
    TComPtr<IPin> peer;
    TComPtr<IMemAllocator> allocator;
    {
        std::lock_guard lock(filter_.Lock());
        if (filter_.StateLocked() != State_Stopped) return VFW_E_NOT_STOPPED;
        if (!peer_) return S_FALSE;
        peer = std::move(peer_);
        allocator = std::move(allocator_);
        type_.Clear();
        format_ = TVideoFormat{};
        endOfStream_ = false;
        if (IsPrimary()) filter_.OnPrimaryFormat();
    }
    return S_OK;
}

HRESULT TMixerInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    TVideoFormat format;
    if (FAILED(ParseVideoFormat(type, format))) return S_FALSE;
    if (IsPrimary()) {
        // While the renderer is connected the picture format cannot change under it.
        std::lock_guard lock(filter_.Lock());
        TMixerOutputPin& output = filter_.Output();
        if (output.IsConnected() && !IsSameMediaType(type, output.ConnectedType().Get())) return S_FALSE;
    }
    return S_OK;
}

HRESULT TMixerInputPin::GetMediaType(ULONG index, TMediaType& type) {
    if (index >= std::size(kProposedSubtypes)) return VFW_S_NO_MORE_ITEMS;
    AM_MEDIA_TYPE proposal{};
    proposal.majortype = MEDIATYPE_Video;
    proposal.subtype = *kProposedSubtypes[index];
    proposal.bFixedSizeSamples = TRUE;
    proposal.formattype = GUID_NULL;
    return type.Assign(proposal);
}

void TMixerInputPin::ResetStreamState() noexcept {
    flushing_ = false;
    endOfStream_ = false;
}

HRESULT WINAPI TMixerInputPin::EndOfStream() {
    TComPtr<IPin> downstream;
    {
        std::lock_guard lock(filter_.Lock());
        if (!peer_) return VFW_E_NOT_CONNECTED;
        if (flushing_ || filter_.StateLocked() == State_Stopped) return S_OK;
        endOfStream_ = true;
        // The renderer hears of the end once every connected input has ended.
        if (filter_.TakeEndOfStreamLocked()) downstream = TComPtr<IPin>::Share(filter_.Output().Peer());
    }
    return downstream ? downstream->EndOfStream() : S_OK;
}

HRESULT WINAPI TMixerInputPin::BeginFlush() {
    TComPtr<IPin> downstream;
    {
        std::lock_guard lock(filter_.Lock());
        flushing_ = true;
        endOfStream_ = false;
        filter_.ResetEndOfStreamLocked();
        if (IsPrimary()) downstream = TComPtr<IPin>::Share(filter_.Output().Peer());
    }
    return downstream ? downstream->BeginFlush() : S_OK;
}

HRESULT WINAPI TMixerInputPin::EndFlush() {
    TComPtr<IPin> downstream;
    {
        std::lock_guard lock(filter_.Lock());
        flushing_ = false;
        if (IsPrimary()) downstream = TComPtr<IPin>::Share(filter_.Output().Peer());
    }
    return downstream ? downstream->EndFlush() : S_OK;
}

HRESULT WINAPI TMixerInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    TComPtr<IPin> downstream;
    {
        std::lock_guard lock(filter_.Lock());
        if (IsPrimary()) downstream = TComPtr<IPin>::Share(filter_.Output().Peer());
    }
    return downstream ? downstream->NewSegment(start, stop, rate) : S_OK;
}

HRESULT WINAPI TMixerInputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    // The upstream filter brings its own allocator; the samples pass through as they are.
    *allocator = nullptr;
    return VFW_E_NO_ALLOCATOR;
}

HRESULT WINAPI TMixerInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    if (!allocator) return E_POINTER;
    return GuardCom([&] {
        std::lock_guard lock(filter_.Lock());
        allocator_ = TComPtr<IMemAllocator>::Share(allocator);
        readOnly_ = readOnly != FALSE;
        // A connected renderer is offered the new allocator (or gets a copy buffer).
        if (IsPrimary() && filter_.Output().IsConnected()) filter_.Output().DecideAllocator();
        return S_OK;
    });
}

HRESULT WINAPI TMixerInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) {
    if (!properties) return E_POINTER;
    TComPtr<IMemInputPin> downstream;
    TComPtr<IMemAllocator> unused;
    if (IsPrimary()) filter_.Output().Route(downstream, unused);
    // The renderer's needs are the upstream allocator's needs, as its buffers go there.
    return downstream ? downstream->GetAllocatorRequirements(properties) : E_NOTIMPL;
}

HRESULT WINAPI TMixerInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    return GuardCom([&]() -> HRESULT {
        TComPtr<IMemInputPin> downstream;
        TComPtr<IMemAllocator> copyAllocator;
        TVideoFormat format;
        bool running;
        {
            std::lock_guard lock(filter_.Lock());
            if (!peer_) return VFW_E_NOT_CONNECTED;
            if (filter_.StateLocked() == State_Stopped) return VFW_E_WRONG_STATE;
            if (flushing_) return S_FALSE;
            if (endOfStream_) return VFW_E_SAMPLE_REJECTED_EOS;
            // Secondary streams are taken but not shown.
            if (!IsPrimary()) return S_OK;
            format = format_;
            running = filter_.StateLocked() == State_Running;
            filter_.Output().Route(downstream, copyAllocator);
        }

        // A format change travels with its first sample.
        AM_MEDIA_TYPE* attached = nullptr;
        if (sample->GetMediaType(&attached) == S_OK && attached) {
            TVideoFormat changed;
            const HRESULT parsed = ParseVideoFormat(*attached, changed);
            if (SUCCEEDED(parsed)) {
                std::lock_guard lock(filter_.Lock());
                if (SUCCEEDED(type_.Assign(*attached))) {
                    format_ = changed;
                    filter_.OnPrimaryFormat();
                    // The sample carries the type on to the renderer: the output now has it too.
                    filter_.Output().TakeFormatChangeLocked(*attached);
                }
            }
            DeleteMediaType(attached);
            if (FAILED(parsed)) return VFW_E_TYPE_NOT_ACCEPTED;
            format = changed;
        }

        // The renderer holds each sample until its time (and a paused graph's first sample
        // until it runs): the layers show the frame when the renderer's Receive returns, or at
        // once when not running, so that a paused graph shows its picture. Measured under Wine:
        // samples arrive one frame period before their time and the renderer's Receive returns
        // within a millisecond of it, so showing the frame before the call would be a frame
        // early. The copy is made before the call, while the renderer would only wait.
        TOverlayPresenter* presenter = filter_.Presenter();
        const bool prepared = presenter->PrepareFrame(sample, format);
        bool published = false;
        if (prepared && !running) {
            presenter->PublishFrame();
            published = true;
        }
        HRESULT hr = S_OK;
        if (downstream) hr = filter_.Output().Deliver(downstream.Get(), copyAllocator.Get(), sample);
        if (prepared && !published) presenter->PublishFrame();
        return hr;
    });
}

HRESULT WINAPI TMixerInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK) break;
        ++*processed;
    }
    return hr;
}

HRESULT WINAPI TMixerInputPin::ReceiveCanBlock() {
    return IsPrimary() && filter_.Output().IsConnected() ? S_OK : S_FALSE;
}

// ---- IMixerPinConfig2 ----------------------------------------------------------------------

HRESULT WINAPI TMixerInputPin::SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom) {
    if (right > 10000 || bottom > 10000 || left >= right || top >= bottom) return E_INVALIDARG;
    std::lock_guard lock(filter_.Lock());
    relative_ = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
    if (IsPrimary()) filter_.PublishSettingsLocked();
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom) {
    if (!left || !top || !right || !bottom) return E_POINTER;
    std::lock_guard lock(filter_.Lock());
    *left = static_cast<DWORD>(relative_.left);
    *top = static_cast<DWORD>(relative_.top);
    *right = static_cast<DWORD>(relative_.right);
    *bottom = static_cast<DWORD>(relative_.bottom);
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetZOrder(DWORD zOrder) {
    std::lock_guard lock(filter_.Lock());
    zOrder_ = zOrder;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetZOrder(DWORD* zOrder) {
    if (!zOrder) return E_POINTER;
    std::lock_guard lock(filter_.Lock());
    *zOrder = zOrder_;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetColorKey(COLORKEY* key) {
    if (!key) return E_POINTER;
    // The screen has no palette: the key must be given as a colour (CK_RGB), and nothing
    // but CK_INDEX and CK_RGB may be set.
    if (!(key->KeyType & CK_RGB) || (key->KeyType & ~static_cast<DWORD>(CK_INDEX | CK_RGB))) return E_INVALIDARG;
    if ((key->KeyType & CK_INDEX) && key->PaletteIndex > 255) return E_INVALIDARG;
    if ((key->LowColorValue | key->HighColorValue) & 0xFF000000) return E_INVALIDARG;
    std::lock_guard lock(filter_.Lock());
    return filter_.SetColorKeyLocked(*key);
}

HRESULT WINAPI TMixerInputPin::GetColorKey(COLORKEY* key, DWORD* color) {
    if (!key && !color) return E_POINTER;
    COLORKEY current;
    {
        std::lock_guard lock(filter_.Lock());
        current = filter_.ColorKeyLocked();
    }
    if (key) *key = current;
    if (color) *color = TOverlayPresenter::PhysicalColor(current.LowColorValue);
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetBlendingParameter(DWORD blending) {
    if (blending > 255) return E_INVALIDARG;
    std::lock_guard lock(filter_.Lock());
    blending_ = blending;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetBlendingParameter(DWORD* blending) {
    if (!blending) return E_POINTER;
    std::lock_guard lock(filter_.Lock());
    *blending = blending_;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) {
    if (!ValidAspectMode(mode, IsPrimary())) return E_INVALIDARG;
    std::lock_guard lock(filter_.Lock());
    aspectMode_ = mode;
    if (IsPrimary()) filter_.PublishSettingsLocked();
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode) {
    if (!mode) return E_POINTER;
    std::lock_guard lock(filter_.Lock());
    *mode = aspectMode_;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetStreamTransparent(BOOL transparent) {
    std::lock_guard lock(filter_.Lock());
    transparent_ = transparent ? TRUE : FALSE;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetStreamTransparent(BOOL* transparent) {
    if (!transparent) return E_POINTER;
    std::lock_guard lock(filter_.Lock());
    *transparent = transparent_;
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::SetOverlaySurfaceColorControls(LPDDCOLORCONTROL control) {
    const HRESULT valid = ValidateColorControl(control);
    if (FAILED(valid)) return valid;
    std::lock_guard lock(filter_.Lock());
    TColorSettings settings = filter_.ColorSettingsLocked();
    MergeColorControl(settings, *control);
    filter_.SetColorSettingsLocked(settings);
    return S_OK;
}

HRESULT WINAPI TMixerInputPin::GetOverlaySurfaceColorControls(LPDDCOLORCONTROL control) {
    if (!control) return E_POINTER;
    if (control->dwSize != sizeof(DDCOLORCONTROL)) return E_INVALIDARG;
    std::lock_guard lock(filter_.Lock());
    *control = ToColorControl(filter_.ColorSettingsLocked());
    return S_OK;
}

// ---- Output pin ----------------------------------------------------------------------------

TMixerOutputPin::TMixerOutputPin(TOverlayMixerFilter& filter)
    : TPinBase(filter, L"Output", PINDIR_OUTPUT), filter_(filter) {}

HRESULT WINAPI TMixerOutputPin::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *object = static_cast<IPin*>(this);
    } else if (IsEqualIID(iid, IID_IQualityControl)) {
        *object = static_cast<IQualityControl*>(this);
    } else if (IsEqualIID(iid, IID_IMediaSeeking)) {
        *object = static_cast<IMediaSeeking*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT WINAPI TMixerOutputPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    if (!receivePin) return E_POINTER;
    return GuardCom([&]() -> HRESULT {
        std::lock_guard lock(filter_.Lock());
        if (peer_) return VFW_E_ALREADY_CONNECTED;
        if (filter_.StateLocked() != State_Stopped) return VFW_E_NOT_STOPPED;
        PIN_DIRECTION direction;
        if (FAILED(receivePin->QueryDirection(&direction)) || direction != PINDIR_INPUT) {
            return VFW_E_INVALID_DIRECTION;
        }
        // The one type on offer is the primary input's: the samples pass on unchanged.
        TMixerInputPin& input = filter_.Primary();
        if (!input.Peer()) return VFW_E_NO_ACCEPTABLE_TYPES;
        const AM_MEDIA_TYPE& offer = input.ConnectedType().Get();
        if (type && !MatchesPartialMediaType(*type, offer)) return VFW_E_NO_ACCEPTABLE_TYPES;
        if (type && type->pbFormat && !IsSameMediaType(*type, offer)) return VFW_E_NO_ACCEPTABLE_TYPES;
        HRESULT hr = type_.Assign(offer);
        if (FAILED(hr)) return hr;
        hr = receivePin->ReceiveConnection(this, &offer);
        if (FAILED(hr)) {
            type_.Clear();
            return hr;
        }
        peer_ = TComPtr<IPin>::Share(receivePin);
        peerInput_ = peer_.As<IMemInputPin>(IID_IMemInputPin);
        hr = peerInput_ ? DecideAllocator() : VFW_E_NO_TRANSPORT;
        if (FAILED(hr)) {
            receivePin->Disconnect();
            peerInput_.Reset();
            peer_.Reset();
            type_.Clear();
            return hr;
        }
        // The renderer's window is where the overlay shows.
        PIN_INFO info{};
        if (SUCCEEDED(receivePin->QueryPinInfo(&info)) && info.pFilter) {
            TComPtr<IBaseFilter> renderer = TComPtr<IBaseFilter>::Adopt(info.pFilter);
            filter_.Presenter()->SetDestination(renderer.As<IVideoWindow>(IID_IVideoWindow));
        }
        return S_OK;
    });
}

HRESULT WINAPI TMixerOutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) {
    // An output pin does not take connections.
    return E_UNEXPECTED;
}

HRESULT WINAPI TMixerOutputPin::Disconnect() {
    TComPtr<IPin> peer;
    TComPtr<IMemInputPin> input;
    TComPtr<IMemAllocator> allocator;
    {
        std::lock_guard lock(filter_.Lock());
        if (filter_.StateLocked() != State_Stopped) return VFW_E_NOT_STOPPED;
        if (!peer_) return S_FALSE;
        CommitCopyAllocator(false);
        allocator = std::move(copyAllocator_);
        input = std::move(peerInput_);
        peer = std::move(peer_);
        type_.Clear();
    }
    filter_.Presenter()->SetDestination({});
    return S_OK;
}

HRESULT WINAPI TMixerOutputPin::EndOfStream() { return E_UNEXPECTED; }
HRESULT WINAPI TMixerOutputPin::BeginFlush() { return E_UNEXPECTED; }
HRESULT WINAPI TMixerOutputPin::EndFlush() { return E_UNEXPECTED; }
HRESULT WINAPI TMixerOutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return E_UNEXPECTED; }

HRESULT TMixerOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    std::lock_guard lock(filter_.Lock());
    TMixerInputPin& input = filter_.Primary();
    if (!input.Peer()) return S_FALSE;
    return IsSameMediaType(type, input.ConnectedType().Get()) ? S_OK : S_FALSE;
}

HRESULT TMixerOutputPin::GetMediaType(ULONG index, TMediaType& type) {
    std::lock_guard lock(filter_.Lock());
    TMixerInputPin& input = filter_.Primary();
    if (index > 0 || !input.Peer()) return VFW_S_NO_MORE_ITEMS;
    return type.Assign(input.ConnectedType().Get());
}

HRESULT TMixerOutputPin::DecideAllocator() {
    TMixerInputPin& input = filter_.Primary();
    if (input.Allocator() && SUCCEEDED(peerInput_->NotifyAllocator(input.Allocator(), input.ReadOnly()))) {
        // Pass-through: the renderer gets the upstream samples themselves.
        CommitCopyAllocator(false);
        copyAllocator_.Reset();
        return S_OK;
    }

    // Copy mode: buffers of the renderer's allocator (or a standard one) large enough for a frame.
    CommitCopyAllocator(false);
    copyAllocator_.Reset();
    TComPtr<IMemAllocator> allocator;
    if (FAILED(peerInput_->GetAllocator(allocator.Receive())) || !allocator) {
        const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                            allocator.ReceiveVoid());
        if (FAILED(hr)) return hr;
    }
    ALLOCATOR_PROPERTIES wanted{};
    peerInput_->GetAllocatorRequirements(&wanted);
    const long imageSize = static_cast<long>(input.Format().imageSize);
    wanted.cBuffers = std::max(wanted.cBuffers, 1L);
    wanted.cbBuffer = std::max(wanted.cbBuffer, imageSize);
    wanted.cbAlign = std::max(wanted.cbAlign, 1L);
    ALLOCATOR_PROPERTIES actual{};
    HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr)) return hr;
    if (actual.cbBuffer < imageSize) return VFW_E_BUFFER_UNDERFLOW;
    hr = peerInput_->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(hr)) return hr;
    copyAllocator_ = std::move(allocator);
    if (filter_.StateLocked() != State_Stopped) CommitCopyAllocator(true);
    return S_OK;
}

void TMixerOutputPin::CommitCopyAllocator(bool commit) {
    if (!copyAllocator_) return;
    if (commit && !copyCommitted_) {
        copyCommitted_ = SUCCEEDED(copyAllocator_->Commit());
    } else if (!commit && copyCommitted_) {
        copyAllocator_->Decommit();
        copyCommitted_ = false;
    }
}

void TMixerOutputPin::TakeFormatChangeLocked(const AM_MEDIA_TYPE& type) {
    if (peer_) type_.Assign(type);
}

void TMixerOutputPin::Route(TComPtr<IMemInputPin>& input, TComPtr<IMemAllocator>& copyAllocator) {
    std::lock_guard lock(filter_.Lock());
    input = peerInput_.Clone();
    copyAllocator = copyAllocator_.Clone();
}

bool TMixerOutputPin::PassThrough() const {
    std::lock_guard lock(filter_.Lock());
    return peerInput_ && !copyAllocator_;
}

HRESULT TMixerOutputPin::Deliver(IMemInputPin* input, IMemAllocator* copyAllocator, IMediaSample* sample) {
    if (!copyAllocator) return input->Receive(sample);

    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const HRESULT timed = sample->GetTime(&start, &stop);
    TComPtr<IMediaSample> copy;
    HRESULT hr = copyAllocator->GetBuffer(copy.Receive(), SUCCEEDED(timed) ? &start : nullptr,
                                          timed == S_OK ? &stop : nullptr, 0);
    if (FAILED(hr)) return hr;
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    if (FAILED(sample->GetPointer(&from)) || FAILED(copy->GetPointer(&to))) return E_UNEXPECTED;
    const long length = sample->GetActualDataLength();
    if (length < 0 || length > copy->GetSize()) return VFW_E_BUFFER_OVERFLOW;
    std::memcpy(to, from, static_cast<size_t>(length));
    copy->SetActualDataLength(length);
    if (timed == S_OK) {
        copy->SetTime(&start, &stop);
    } else if (SUCCEEDED(timed)) {
        copy->SetTime(&start, nullptr);
    }
    copy->SetSyncPoint(sample->IsSyncPoint() == S_OK);
    copy->SetPreroll(sample->IsPreroll() == S_OK);
    copy->SetDiscontinuity(sample->IsDiscontinuity() == S_OK);
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    if (sample->GetMediaTime(&mediaStart, &mediaStop) == S_OK) copy->SetMediaTime(&mediaStart, &mediaStop);
    AM_MEDIA_TYPE* attached = nullptr;
    if (sample->GetMediaType(&attached) == S_OK && attached) {
        copy->SetMediaType(attached);
        DeleteMediaType(attached);
    }
    return input->Receive(copy.Get());
}

HRESULT WINAPI TMixerOutputPin::Notify(IBaseFilter*, Quality quality) {
    TComPtr<IQualityControl> upstream;
    {
        std::lock_guard lock(filter_.Lock());
        if (IPin* peer = filter_.Primary().Peer()) {
            upstream = TComPtr<IPin>::Share(peer).As<IQualityControl>(IID_IQualityControl);
        }
    }
    return upstream ? upstream->Notify(static_cast<IBaseFilter*>(&filter_), quality) : E_NOTIMPL;
}

HRESULT WINAPI TMixerOutputPin::SetSink(IQualityControl*) {
    // Quality messages always go upstream.
    return S_OK;
}

TComPtr<IMediaSeeking> TMixerOutputPin::UpstreamSeeking() {
    std::lock_guard lock(filter_.Lock());
    IPin* peer = filter_.Primary().Peer();
    if (!peer) return {};
    return TComPtr<IPin>::Share(peer).As<IMediaSeeking>(IID_IMediaSeeking);
}

#define VL_FORWARD_SEEKING(call)                            \
    TComPtr<IMediaSeeking> upstream = UpstreamSeeking();    \
    return upstream ? upstream->call : E_NOTIMPL

HRESULT WINAPI TMixerOutputPin::GetCapabilities(DWORD* capabilities) { VL_FORWARD_SEEKING(GetCapabilities(capabilities)); }
HRESULT WINAPI TMixerOutputPin::CheckCapabilities(DWORD* capabilities) {
    VL_FORWARD_SEEKING(CheckCapabilities(capabilities));
}
HRESULT WINAPI TMixerOutputPin::IsFormatSupported(const GUID* format) { VL_FORWARD_SEEKING(IsFormatSupported(format)); }
HRESULT WINAPI TMixerOutputPin::QueryPreferredFormat(GUID* format) { VL_FORWARD_SEEKING(QueryPreferredFormat(format)); }
HRESULT WINAPI TMixerOutputPin::GetTimeFormat(GUID* format) { VL_FORWARD_SEEKING(GetTimeFormat(format)); }
HRESULT WINAPI TMixerOutputPin::IsUsingTimeFormat(const GUID* format) { VL_FORWARD_SEEKING(IsUsingTimeFormat(format)); }
HRESULT WINAPI TMixerOutputPin::SetTimeFormat(const GUID* format) { VL_FORWARD_SEEKING(SetTimeFormat(format)); }
HRESULT WINAPI TMixerOutputPin::GetDuration(LONGLONG* duration) { VL_FORWARD_SEEKING(GetDuration(duration)); }
HRESULT WINAPI TMixerOutputPin::GetStopPosition(LONGLONG* stop) { VL_FORWARD_SEEKING(GetStopPosition(stop)); }
HRESULT WINAPI TMixerOutputPin::GetCurrentPosition(LONGLONG* current) { VL_FORWARD_SEEKING(GetCurrentPosition(current)); }
HRESULT WINAPI TMixerOutputPin::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                  const GUID* sourceFormat) {
    VL_FORWARD_SEEKING(ConvertTimeFormat(target, targetFormat, source, sourceFormat));
}
HRESULT WINAPI TMixerOutputPin::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    VL_FORWARD_SEEKING(SetPositions(current, currentFlags, stop, stopFlags));
}
HRESULT WINAPI TMixerOutputPin::GetPositions(LONGLONG* current, LONGLONG* stop) {
    VL_FORWARD_SEEKING(GetPositions(current, stop));
}
HRESULT WINAPI TMixerOutputPin::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
    VL_FORWARD_SEEKING(GetAvailable(earliest, latest));
}
HRESULT WINAPI TMixerOutputPin::SetRate(double rate) { VL_FORWARD_SEEKING(SetRate(rate)); }
HRESULT WINAPI TMixerOutputPin::GetRate(double* rate) { VL_FORWARD_SEEKING(GetRate(rate)); }
HRESULT WINAPI TMixerOutputPin::GetPreroll(LONGLONG* preroll) { VL_FORWARD_SEEKING(GetPreroll(preroll)); }

#undef VL_FORWARD_SEEKING

}  // namespace vorlinde::platform
