#include "media/OverlayRewiring.h"

#include <utility>

#include "media/GraphUtils.h"

namespace vorlinde {

// ---------------------------------------------------------------- connection log

HRESULT TConnectionLog::Break(IPin* output, IPin* input) {
    HRESULT hr = builder_->Disconnect(output);
    if (SUCCEEDED(hr)) hr = builder_->Disconnect(input);
    if (FAILED(hr)) return hr;
    entries_.push_back({TComPtr<IPin>::Share(output), TComPtr<IPin>::Share(input), false});
    return hr;
}

HRESULT TConnectionLog::BreakInput(IPin* input, TComPtr<IPin>& upstream) {
    HRESULT hr = input->ConnectedTo(upstream.Receive());
    if (FAILED(hr)) return hr;
    if (FAILED(hr = builder_->Disconnect(input))) return hr;
    if (FAILED(hr = builder_->Disconnect(upstream.Get()))) return hr;
    entries_.push_back({upstream.Clone(), TComPtr<IPin>::Share(input), false});
    return hr;
}

HRESULT TConnectionLog::Connect(IPin* output, IPin* input, const TPinConnector& connect) {
    const HRESULT hr = connect ? connect(output, input) : builder_->Connect(output, input);
    if (FAILED(hr)) return hr;
    entries_.push_back({TComPtr<IPin>::Share(output), TComPtr<IPin>::Share(input), true});
    return hr;
}

void TConnectionLog::Undo() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->made) {
            builder_->Disconnect(it->output.Get());
            builder_->Disconnect(it->input.Get());
        } else {
            builder_->Connect(it->output.Get(), it->input.Get());
        }
    }
    entries_.clear();
}

// ---------------------------------------------------------------- rewiring

TOverlayRewiring::TOverlayRewiring(IGraphBuilder* builder, TPinConnector connect, IBaseFilter* mixer,
                                   IBaseFilter* renderer, IBaseFilter* mixingRenderer)
    : builder_(TComPtr<IGraphBuilder>::Share(builder)),
      connect_(std::move(connect)),
      mixer_(TComPtr<IBaseFilter>::Share(mixer)),
      renderer_(TComPtr<IBaseFilter>::Share(renderer)),
      mixingRenderer_(TComPtr<IBaseFilter>::Share(mixingRenderer)),
      log_(builder) {}

bool TOverlayRewiring::IsWired(IBaseFilter* mixer, IBaseFilter* renderer) {
    bool outputDone = false, inputDone = false;
    for (auto& pin : FilterPins(mixer)) {
        TComPtr<IPin> peer = Peer(pin.Get());
        if (!peer) continue;
        if (IsDirection(pin.Get(), PINDIR_OUTPUT)) {
            if (renderer && SameComObject(PinOwner(peer.Get()).Get(), renderer)) outputDone = true;
        } else {
            inputDone = true;
        }
    }
    return outputDone && inputDone;
}

HRESULT TOverlayRewiring::Insert() {
    if (!renderer_) return E_FAIL;
    TComPtr<IPin> rendererInput = FirstPin(renderer_.Get());
    if (!rendererInput) return E_FAIL;
    const HRESULT hr = mixingRenderer_ ? MoveMixingRendererInputs() : MoveRendererInput(rendererInput.Get());
    if (FAILED(hr)) return hr;
    return ConnectMixerOutput(rendererInput.Get());
}

HRESULT TOverlayRewiring::MoveMixingRendererInputs() {
    std::vector<TComPtr<IPin>> upstreams;
    HRESULT hr = DetachMixingRendererInputs(upstreams);
    if (FAILED(hr)) return hr;
    for (auto& upstream : upstreams)
        if (FAILED(hr = FeedMixer(upstream))) return hr;
    return S_OK;
}

// The renderer's connected pins come first; it may change its pins as they are disconnected,
// so they are listed again after each one.
HRESULT TOverlayRewiring::DetachMixingRendererInputs(std::vector<TComPtr<IPin>>& upstreams) {
    auto pins = FilterPins(mixingRenderer_.Get());
    for (size_t i = 0; i < pins.size(); ++i) {
        TComPtr<IPin> upstream = Peer(pins[i].Get());
        if (!upstream) break;
        const HRESULT hr = log_.Break(upstream.Get(), pins[i].Get());
        if (FAILED(hr)) return hr;
        upstreams.push_back(std::move(upstream));
        pins = FilterPins(mixingRenderer_.Get());
    }
    return S_OK;
}

HRESULT TOverlayRewiring::FeedMixer(TComPtr<IPin>& upstream) {
    TComPtr<IPin> mixerInput = FirstFreeInput(mixer_.Get());
    if (!mixerInput) return E_FAIL;
    TComPtr<IBaseFilter> source = PinOwner(upstream.Get());
    if (FilterClass(source.Get()) == CLSID_Line21Decoder2) {
        const HRESULT hr = ReplaceLine21Decoder(source.Get(), upstream);
        if (FAILED(hr)) return hr;
    }
    return log_.Connect(upstream.Get(), mixerInput.Get(), connect_);
}

HRESULT TOverlayRewiring::ReplaceLine21Decoder(IBaseFilter* decoder, TComPtr<IPin>& upstream) {
    TComPtr<IPin> decoderInput = FirstPin(decoder);
    TComPtr<IPin> captions = Peer(decoderInput.Get());
    if (!captions) return VFW_E_NOT_CONNECTED;
    HRESULT hr = log_.Break(captions.Get(), decoderInput.Get());
    if (FAILED(hr)) return hr;
    bypassedLine21_ = TComPtr<IBaseFilter>::Share(decoder);
    hr = CoCreateInstance(CLSID_Line21Decoder, nullptr, CLSCTX_INPROC, IID_IBaseFilter, createdLine21_.ReceiveVoid());
    if (FAILED(hr)) return hr;
    if (FAILED(hr = builder_->AddFilter(createdLine21_.Get(), L"Line21 Decoder"))) {
        createdLine21_.Reset();
        return hr;
    }
    auto pins = FilterPins(createdLine21_.Get());
    if (pins.size() < 2) return E_FAIL;
    if (FAILED(hr = log_.Connect(captions.Get(), pins[0].Get()))) return hr;
    upstream = std::move(pins[1]);
    return S_OK;
}

HRESULT TOverlayRewiring::MoveRendererInput(IPin* rendererInput) {
    TComPtr<IPin> upstream;
    const HRESULT hr = log_.BreakInput(rendererInput, upstream);
    if (FAILED(hr)) return hr;
    TComPtr<IPin> mixerInput = FirstFreeInput(mixer_.Get());
    if (!mixerInput) return E_FAIL;
    return log_.Connect(upstream.Get(), mixerInput.Get(), connect_);
}

HRESULT TOverlayRewiring::ConnectMixerOutput(IPin* rendererInput) {
    TComPtr<IPin> mixerOutput;
    const HRESULT hr = mixer_->FindPin(L"Output", mixerOutput.Receive());
    if (FAILED(hr)) return hr;
    return log_.Connect(mixerOutput.Get(), rendererInput, connect_);
}

void TOverlayRewiring::Undo() {
    log_.Undo();
    if (createdLine21_) builder_->RemoveFilter(createdLine21_.Get());
    createdLine21_.Reset();
}

void TOverlayRewiring::RemoveReplaced() {
    if (bypassedLine21_) builder_->RemoveFilter(bypassedLine21_.Get());
    if (mixingRenderer_) builder_->RemoveFilter(mixingRenderer_.Get());
}

}  // namespace vorlinde
