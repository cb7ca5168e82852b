#include "platform/MixerFilter.h"

#include <dshow.h>

#include <algorithm>
#include <cstring>

#include "platform/ComObject.h"

namespace vorlinde::platform {

namespace {

// IEnumPins over the filter's pin list; out of sync (VFW_E_ENUM_OUT_OF_SYNC) once the filter
// adds an input pin, until Reset.
class TEnumPins final : public TComObject<IEnumPins, IID_IEnumPins> {
public:
    TEnumPins(TOverlayMixerFilter& filter, size_t position, unsigned version)
        : filter_(filter), position_(position), version_(version) {
        filter_.AddRef();
    }
    ~TEnumPins() override { filter_.Release(); }

    HRESULT WINAPI Next(ULONG count, IPin** pins, ULONG* fetched) override {
        if (!pins) return E_POINTER;
        if (count != 1 && !fetched) return E_POINTER;
        std::lock_guard lock(filter_.Lock());
        if (fetched) *fetched = 0;
        if (version_ != filter_.PinVersionLocked()) return VFW_E_ENUM_OUT_OF_SYNC;
        ULONG done = 0;
        while (done < count && position_ < filter_.PinCountLocked()) {
            TPinBase* pin = filter_.PinAtLocked(position_++);
            pin->AddRef();
            pins[done++] = pin;
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG count) override {
        std::lock_guard lock(filter_.Lock());
        if (version_ != filter_.PinVersionLocked()) return VFW_E_ENUM_OUT_OF_SYNC;
        const size_t total = filter_.PinCountLocked();
        if (position_ + count > total) {
            position_ = total;
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    HRESULT WINAPI Reset() override {
        std::lock_guard lock(filter_.Lock());
        version_ = filter_.PinVersionLocked();
        position_ = 0;
        return S_OK;
    }
    HRESULT WINAPI Clone(IEnumPins** clone) override {
        if (!clone) return E_POINTER;
        *clone = nullptr;
        return GuardCom([&] {
            *clone = new TEnumPins(filter_, position_, version_);
            return S_OK;
        });
    }

private:
    TOverlayMixerFilter& filter_;
    size_t position_;
    unsigned version_;
};

}  // namespace

TOverlayMixerFilter::TOverlayMixerFilter() = default;

TOverlayMixerFilter::~TOverlayMixerFilter() {
    // The presenter may outlive the filter for a moment (its windows go on their own thread);
    // the destination and the program's callback are released here.
    if (presenter_) presenter_->Shutdown();
}

HRESULT TOverlayMixerFilter::Initialise() {
    presenter_ = TOverlayPresenter::Create();
    if (!presenter_) {
        const DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    inputs_.push_back(std::make_unique<TMixerInputPin>(*this, 0));
    output_ = std::make_unique<TMixerOutputPin>(*this);
    pinOrder_ = {inputs_.front().get(), output_.get()};
    std::lock_guard lock(lock_);
    PublishSettingsLocked();
    presenter_->SetColorSettings(color_);
    return S_OK;
}

HRESULT TOverlayMixerFilter::Create(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return GuardCom([&] {
        auto* filter = new TOverlayMixerFilter();
        HRESULT hr;
        try {
            hr = filter->Initialise();
        } catch (...) {
            filter->Release();
            throw;
        }
        if (SUCCEEDED(hr)) hr = filter->QueryInterface(iid, object);
        filter->Release();
        return hr;
    });
}

HRESULT WINAPI TOverlayMixerFilter::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IMediaFilter) ||
        IsEqualIID(iid, IID_IBaseFilter)) {
        *object = static_cast<IBaseFilter*>(this);
    } else if (IsEqualIID(iid, IID_IDDrawExclModeVideo)) {
        *object = static_cast<IDDrawExclModeVideo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG WINAPI TOverlayMixerFilter::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG WINAPI TOverlayMixerFilter::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

HRESULT WINAPI TOverlayMixerFilter::GetClassID(CLSID* classId) {
    if (!classId) return E_POINTER;
    *classId = CLSID_OverlayMixer;
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::Stop() {
    std::lock_guard lock(lock_);
    if (state_ == State_Stopped) return S_OK;
    state_ = State_Stopped;
    for (auto& input : inputs_) input->ResetStreamState();
    endOfStreamSent_ = false;
    // Releases a streaming thread waiting for a copy buffer.
    output_->CommitCopyAllocator(false);
    presenter_->SetActive(false);
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::Pause() {
    std::lock_guard lock(lock_);
    if (state_ == State_Stopped) {
        for (auto& input : inputs_) input->ResetStreamState();
        endOfStreamSent_ = false;
        output_->CommitCopyAllocator(true);
        presenter_->SetActive(true);
    }
    state_ = State_Paused;
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::Run(REFERENCE_TIME start) {
    std::lock_guard lock(lock_);
    if (state_ == State_Stopped) {
        HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
    }
    start_ = start;
    state_ = State_Running;
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    std::lock_guard lock(lock_);
    *state = state_;
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::SetSyncSource(IReferenceClock* clock) {
    std::lock_guard lock(lock_);
    clock_ = TComPtr<IReferenceClock>::Share(clock);
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    std::lock_guard lock(lock_);
    clock_.CopyTo(clock);
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::EnumPins(IEnumPins** enumerator) {
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    return GuardCom([&] {
        std::lock_guard lock(lock_);
        *enumerator = new TEnumPins(*this, 0, pinVersion_);
        return S_OK;
    });
}

HRESULT WINAPI TOverlayMixerFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    std::lock_guard lock(lock_);
    for (TPinBase* candidate : pinOrder_) {
        if (candidate->Name() == id) {
            candidate->AddRef();
            *pin = candidate;
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT WINAPI TOverlayMixerFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    std::lock_guard lock(lock_);
    std::memset(info, 0, sizeof *info);
    const size_t length = std::min<size_t>(name_.size(), MAX_FILTER_NAME - 1);
    std::memcpy(info->achName, name_.c_str(), length * sizeof(wchar_t));
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    return GuardCom([&] {
        std::lock_guard lock(lock_);
        graph_ = graph;
        name_ = name ? name : L"";
        presenter_->SetInGraph(graph != nullptr);
        return S_OK;
    });
}

HRESULT WINAPI TOverlayMixerFilter::QueryVendorInfo(LPWSTR* vendorInfo) {
    if (vendorInfo) *vendorInfo = nullptr;
    return E_NOTIMPL;
}

// ---- IDDrawExclModeVideo -------------------------------------------------------------------
// There is no DirectDraw here: the DirectDraw object, surface and draw parameters are not
// supported; the native video properties and the callback are.

HRESULT WINAPI TOverlayMixerFilter::SetDDrawObject(IDirectDraw*) { return E_NOTIMPL; }

HRESULT WINAPI TOverlayMixerFilter::GetDDrawObject(IDirectDraw** ddraw, BOOL* usingExternal) {
    if (!ddraw || !usingExternal) return E_POINTER;
    *ddraw = nullptr;
    *usingExternal = FALSE;
    return E_NOTIMPL;
}

HRESULT WINAPI TOverlayMixerFilter::SetDDrawSurface(IDirectDrawSurface*) { return E_NOTIMPL; }

HRESULT WINAPI TOverlayMixerFilter::GetDDrawSurface(IDirectDrawSurface** surface, BOOL* usingExternal) {
    if (!surface || !usingExternal) return E_POINTER;
    *surface = nullptr;
    *usingExternal = FALSE;
    return E_NOTIMPL;
}

HRESULT WINAPI TOverlayMixerFilter::SetDrawParameters(const RECT*, const RECT*) { return E_NOTIMPL; }

HRESULT WINAPI TOverlayMixerFilter::GetNativeVideoProps(DWORD* width, DWORD* height, DWORD* aspectX, DWORD* aspectY) {
    if (!width || !height || !aspectX || !aspectY) return E_POINTER;
    std::lock_guard lock(lock_);
    TMixerInputPin& input = Primary();
    if (!input.Peer()) {
        *width = *height = *aspectX = *aspectY = 0;
        return VFW_E_NOT_CONNECTED;
    }
    const TVideoFormat& format = input.Format();
    *width = static_cast<DWORD>(format.source.right - format.source.left);
    *height = static_cast<DWORD>(format.source.bottom - format.source.top);
    *aspectX = format.aspectX;
    *aspectY = format.aspectY;
    return S_OK;
}

HRESULT WINAPI TOverlayMixerFilter::SetCallbackInterface(IDDrawExclModeVideoCallback* callback, DWORD flags) {
    if (flags != 0) return E_INVALIDARG;
    presenter_->SetCallback(TComPtr<IDDrawExclModeVideoCallback>::Share(callback));
    // A new callback hears the current key and video size (on the GUI thread).
    if (callback) presenter_->NotifyKeyAndSize();
    return S_OK;
}

// ---- Shared with the pins ------------------------------------------------------------------

void TOverlayMixerFilter::OnInputConnected() {
    for (auto& input : inputs_) {
        if (!input->Peer()) return;
    }
    if (inputs_.size() >= kMaxMixerInputs) return;
    inputs_.push_back(std::make_unique<TMixerInputPin>(*this, static_cast<unsigned>(inputs_.size())));
    pinOrder_.push_back(inputs_.back().get());
    ++pinVersion_;
}

void TOverlayMixerFilter::OnPrimaryFormat() {
    TMixerInputPin& input = Primary();
    TNativeVideo video;
    if (input.Peer()) {
        const TVideoFormat& format = input.Format();
        video.width = static_cast<DWORD>(format.source.right - format.source.left);
        video.height = static_cast<DWORD>(format.source.bottom - format.source.top);
        video.aspectX = format.aspectX;
        video.aspectY = format.aspectY;
    }
    presenter_->SetNativeVideo(video);
}

bool TOverlayMixerFilter::TakeEndOfStreamLocked() {
    if (endOfStreamSent_) return false;
    for (const auto& input : inputs_) {
        if (input->Peer() && !input->EndOfStreamSeen()) return false;
    }
    endOfStreamSent_ = true;
    return true;
}

void TOverlayMixerFilter::ResetEndOfStreamLocked() { endOfStreamSent_ = false; }

HRESULT TOverlayMixerFilter::SetColorKeyLocked(const COLORKEY& key) {
    key_ = key;
    PublishSettingsLocked();
    presenter_->NotifyKey();
    return S_OK;
}

void TOverlayMixerFilter::SetColorSettingsLocked(const TColorSettings& settings) {
    color_ = settings;
    presenter_->SetColorSettings(settings);
}

void TOverlayMixerFilter::PublishSettingsLocked() {
    TOverlaySettings settings;
    settings.key = key_;
    settings.mode = Primary().AspectMode();
    settings.relative = Primary().Relative();
    presenter_->SetSettings(settings);
}

}  // namespace vorlinde::platform
