#pragma once
// Routing a graph's video through the Overlay Mixer on its way to the Video Renderer:
//
//   upstream -> Overlay Mixer input ... Overlay Mixer "Output" -> renderer input
//
// TConnectionLog makes and breaks pin connections and remembers each one, newest last, so that
// a rewiring that fails part way can put the graph back exactly as it was. TOverlayRewiring is
// that rewiring, step by step, over one log.
#include <windows.h>

#include <dshow.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "media/ComPtr.h"

namespace vorlinde {

// Connects an output pin to an input pin: the graph builder's Connect, or a stand-in of it.
using TPinConnector = std::function<HRESULT(IPin* output, IPin* input)>;

class TConnectionLog {
public:
    explicit TConnectionLog(IGraphBuilder* builder) : builder_(TComPtr<IGraphBuilder>::Share(builder)) {}
    TConnectionLog(const TConnectionLog&) = delete;
    TConnectionLog& operator=(const TConnectionLog&) = delete;

    // Breaks output -> input, the output end first; logged once both ends have let go.
    HRESULT Break(IPin* output, IPin* input);
    // Breaks the connection that feeds `input`, the input end first; `upstream` receives the
    // pin that fed it. VFW_E_NOT_CONNECTED when nothing does.
    HRESULT BreakInput(IPin* input, TComPtr<IPin>& upstream);
    // Connects output -> input through `connect` (the builder's Connect when empty); logged
    // when it succeeds.
    HRESULT Connect(IPin* output, IPin* input, const TPinConnector& connect = {});
    // Newest first: breaks each connection that was made and makes again each one that was
    // broken (with the builder's own Connect). The log is empty afterwards.
    void Undo();

    size_t Size() const { return entries_.size(); }

private:
    struct TEntry {
        TComPtr<IPin> output, input;
        bool made;
    };
    TComPtr<IGraphBuilder> builder_;
    std::vector<TEntry> entries_;
};

class TOverlayRewiring {
public:
    // `mixer` is in the graph already; `renderer` is the graph's Video Renderer (may be null:
    // nothing can be rewired then); with a Video Mixing Renderer in the graph, the connections
    // that feed it move to the mixer's inputs.
    TOverlayRewiring(IGraphBuilder* builder, TPinConnector connect, IBaseFilter* mixer, IBaseFilter* renderer,
                     IBaseFilter* mixingRenderer);
    TOverlayRewiring(const TOverlayRewiring&) = delete;
    TOverlayRewiring& operator=(const TOverlayRewiring&) = delete;

    // True when a mixer found in the graph is wired already: some input connected, and its
    // output to `renderer`.
    static bool IsWired(IBaseFilter* mixer, IBaseFilter* renderer);

    // Rewires the graph through the mixer. A failure leaves the work half done: call Undo.
    HRESULT Insert();
    // Puts every connection back as it was and takes out the Line 21 decoder Insert added.
    void Undo();
    // Once the overlay works: the filters the mixer replaced leave the graph (the mixing
    // renderer, and a Line 21 decoder that fed only it).
    void RemoveReplaced();

    const TConnectionLog& Log() const { return log_; }

private:
    // Each connection into the mixing renderer moves to a free mixer input.
    HRESULT MoveMixingRendererInputs();
    HRESULT DetachMixingRendererInputs(std::vector<TComPtr<IPin>>& upstreams);
    HRESULT FeedMixer(TComPtr<IPin>& upstream);
    // The newer Line 21 decoder feeds only mixing renderers: the older one takes its place,
    // behind the same pin; `upstream` becomes the older decoder's output.
    HRESULT ReplaceLine21Decoder(IBaseFilter* decoder, TComPtr<IPin>& upstream);
    // What feeds the renderer moves to a free mixer input.
    HRESULT MoveRendererInput(IPin* rendererInput);
    HRESULT ConnectMixerOutput(IPin* rendererInput);

    TComPtr<IGraphBuilder> builder_;
    TPinConnector connect_;
    TComPtr<IBaseFilter> mixer_, renderer_, mixingRenderer_;
    TConnectionLog log_;
    TComPtr<IBaseFilter> createdLine21_, bypassedLine21_;
};

}  // namespace vorlinde
