#include "media/GraphUtils.h"

#include <algorithm>

namespace vorlinde {

namespace {

// Every item an enumerator (IEnumFilters, IEnumPins) still has, each with its own reference.
template <class Item, class List>
std::vector<TComPtr<Item>> TakeAll(List* list) {
    std::vector<TComPtr<Item>> items;
    TComPtr<Item> item;
    while (list && list->Next(1, item.Receive(), nullptr) == S_OK) items.push_back(std::move(item));
    return items;
}

}  // namespace

CLSID FilterClass(IBaseFilter* filter) {
    CLSID id = GUID_NULL;
    if (filter) filter->GetClassID(&id);
    return id;
}

std::vector<TComPtr<IBaseFilter>> GraphFilters(IFilterGraph* graph) {
    TComPtr<IEnumFilters> list;
    if (!graph || FAILED(graph->EnumFilters(list.Receive()))) return {};
    return TakeAll<IBaseFilter>(list.Get());
}

TComPtr<IBaseFilter> FindFilterByClass(IFilterGraph* graph, std::initializer_list<CLSID> classes) {
    TComPtr<IBaseFilter> found;
    for (auto& filter : GraphFilters(graph)) {
        const CLSID id = FilterClass(filter.Get());
        if (std::find(classes.begin(), classes.end(), id) != classes.end()) found = std::move(filter);
    }
    return found;
}

std::vector<TComPtr<IPin>> FilterPins(IBaseFilter* filter) {
    TComPtr<IEnumPins> list;
    if (!filter || FAILED(filter->EnumPins(list.Receive()))) return {};
    return TakeAll<IPin>(list.Get());
}

TComPtr<IPin> FirstPin(IBaseFilter* filter) {
    auto pins = FilterPins(filter);
    if (pins.empty()) return {};
    return std::move(pins.front());
}

TComPtr<IPin> FirstPinOfDirection(IBaseFilter* filter, PIN_DIRECTION wanted) {
    for (auto& pin : FilterPins(filter)) {
        PIN_DIRECTION direction;
        if (FAILED(pin->QueryDirection(&direction))) return {};
        if (direction == wanted) return std::move(pin);
    }
    return {};
}

TComPtr<IPin> FirstFreeInput(IBaseFilter* filter) {
    for (auto& pin : FilterPins(filter))
        if (IsDirection(pin.Get(), PINDIR_INPUT) && !Peer(pin.Get())) return std::move(pin);
    return {};
}

TComPtr<IPin> Peer(IPin* pin) {
    TComPtr<IPin> peer;
    if (pin) pin->ConnectedTo(peer.Receive());
    return peer;
}

bool IsDirection(IPin* pin, PIN_DIRECTION wanted) {
    PIN_DIRECTION direction;
    return pin && SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted;
}

TComPtr<IBaseFilter> PinOwner(IPin* pin) {
    PIN_INFO info{};
    if (!pin || FAILED(pin->QueryPinInfo(&info))) return {};
    return TComPtr<IBaseFilter>::Adopt(info.pFilter);
}

HRESULT DisconnectBothEnds(IFilterGraph* graph, IPin* pin) {
    TComPtr<IPin> peer = Peer(pin);
    HRESULT hr = graph->Disconnect(pin);
    if (SUCCEEDED(hr) && peer) hr = graph->Disconnect(peer.Get());
    return hr;
}

TComPtr<IBaseFilter> AddNewFilter(IFilterGraph* graph, const CLSID& classId, const std::wstring& name) {
    TComPtr<IBaseFilter> filter;
    if (!graph || FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.ReceiveVoid())) ||
        !filter || FAILED(graph->AddFilter(filter.Get(), name.c_str())))
        return {};
    return filter;
}

void StopAndDisconnect(IFilterGraph* graph, IBaseFilter* filter, bool stop) {
    if (!filter) return;
    if (stop) filter->Stop();
    for (auto& pin : FilterPins(filter)) {
        TComPtr<IPin> peer = Peer(pin.Get());
        if (!peer) continue;
        if (graph) {
            graph->Disconnect(peer.Get());
            graph->Disconnect(pin.Get());
        } else {
            peer->Disconnect();
            pin->Disconnect();
        }
    }
}

}  // namespace vorlinde
