#pragma once
// Small questions and steps on a DirectShow graph that the controller, the video window and
// the colour controls share: the filters of a graph, the pins of a filter, a pin's peer,
// direction and owner, the first free input, a filter found by class, and a filter taken out
// of its connections. Each takes borrowed pointers (null is allowed and gives nothing), and
// every interface obtained on the way is released before it returns: what it gives back
// holds exactly one reference of its own.
#include <windows.h>

#include <dshow.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "media/ComPtr.h"

namespace vorlinde {

// The filter's class id; GUID_NULL for a null filter or one that cannot tell.
CLSID FilterClass(IBaseFilter* filter);

// Every filter the graph lists, in its order.
std::vector<TComPtr<IBaseFilter>> GraphFilters(IFilterGraph* graph);
// The last filter the graph lists whose class is one of `classes`; empty when there is none.
TComPtr<IBaseFilter> FindFilterByClass(IFilterGraph* graph, std::initializer_list<CLSID> classes);

// Every pin the filter lists, in its order.
std::vector<TComPtr<IPin>> FilterPins(IBaseFilter* filter);
TComPtr<IPin> FirstPin(IBaseFilter* filter);
// The first pin of the given direction. A pin that cannot tell its direction ends the search
// with nothing: the filter is in no state to be configured.
TComPtr<IPin> FirstPinOfDirection(IBaseFilter* filter, PIN_DIRECTION direction);
// The first input pin that is not connected.
TComPtr<IPin> FirstFreeInput(IBaseFilter* filter);

// Calls `visit(IPin*)` for each pin of the filter, holding only the pin being visited: a
// filter may drop pins while others are being disconnected (a splitter drops its outputs
// when its input goes), so no reference to a later pin may outlive its own step.
template <class Visit>
void ForEachPin(IBaseFilter* filter, Visit&& visit) {
    TComPtr<IEnumPins> pins;
    if (!filter || FAILED(filter->EnumPins(pins.Receive())) || !pins) return;
    TComPtr<IPin> pin;
    while (pins->Next(1, pin.Receive(), nullptr) == S_OK) {
        visit(pin.Get());
        pin.Reset();
    }
}

// The pin connected to `pin`; empty when it is not connected.
TComPtr<IPin> Peer(IPin* pin);
bool IsDirection(IPin* pin, PIN_DIRECTION wanted);
// The filter the pin belongs to.
TComPtr<IBaseFilter> PinOwner(IPin* pin);

// Breaks the pin's connection at both ends through the graph, holding the peer only for this
// step; the first failure, or S_OK.
HRESULT DisconnectBothEnds(IFilterGraph* graph, IPin* pin);
// Adds a new instance of the filter class to the graph under `name`; empty when it cannot be
// made or added.
TComPtr<IBaseFilter> AddNewFilter(IFilterGraph* graph, const CLSID& classId, const std::wstring& name);

// Stops the filter (when `stop`) and breaks every connection of its pins at both ends, peer
// first: through the graph when one is given, so that the graph knows, else on the pins.
void StopAndDisconnect(IFilterGraph* graph, IBaseFilter* filter, bool stop);

}  // namespace vorlinde
