#include "media/FirstHopCache.h"

#include <algorithm>
#include <cwctype>

#include "media/GraphUtils.h"

namespace vorlinde {

namespace {

// The kind of file: its extension, lower case; empty for a name without one.
std::wstring Kind(const std::wstring& fileName) {
    const size_t dot = fileName.find_last_of(L'.');
    const size_t slash = fileName.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
    std::wstring kind = fileName.substr(dot);
    std::transform(kind.begin(), kind.end(), kind.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return kind;
}

bool HasConnectedInput(IBaseFilter* filter) {
    bool connected = false;
    ForEachPin(filter, [&connected](IPin* pin) {
        if (IsDirection(pin, PINDIR_INPUT) && Peer(pin)) connected = true;
    });
    return connected;
}

// The filter connected to the output of the graph's source filter (a filter without input
// pins); empty when there is no such connection.
TComPtr<IBaseFilter> FirstHop(IFilterGraph* graph) {
    for (const auto& filter : GraphFilters(graph)) {
        if (FirstPinOfDirection(filter.Get(), PINDIR_INPUT)) continue;
        TComPtr<IBaseFilter> hop;
        ForEachPin(filter.Get(), [&hop](IPin* pin) {
            if (hop || !IsDirection(pin, PINDIR_OUTPUT)) return;
            if (TComPtr<IPin> peer = Peer(pin)) hop = PinOwner(peer.Get());
        });
        if (hop) return hop;
    }
    return {};
}

}  // namespace

bool TFirstHopCache::Knows(const std::wstring& fileName) const {
    return entries_.count(Kind(fileName)) != 0;
}

bool TFirstHopCache::Learnt(const std::wstring& fileName, CLSID& classId, std::wstring& name) const {
    const auto entry = entries_.find(Kind(fileName));
    if (entry == entries_.end()) return false;
    classId = entry->second.classId;
    name = entry->second.name;
    return true;
}

TComPtr<IBaseFilter> TFirstHopCache::Offer(IFilterGraph* graph, const std::wstring& fileName) {
    CLSID classId{};
    std::wstring name;
    if (!Learnt(fileName, classId, name)) return {};
    return AddNewFilter(graph, classId, name);
}

void TFirstHopCache::Settle(IFilterGraph* graph, const std::wstring& fileName, IBaseFilter* offered,
                            const std::vector<TComPtr<IBaseFilter>>& before, bool rendered) {
    if (!graph) return;
    if (offered && !HasConnectedInput(offered)) graph->RemoveFilter(offered);
    if (!rendered) return;
    TComPtr<IBaseFilter> hop = FirstHop(graph);
    if (!hop) return;
    const bool wasThere = std::any_of(before.begin(), before.end(),
                                      [&hop](const auto& filter) { return SameComObject(filter.Get(), hop.Get()); });
    if (wasThere) return;
    FILTER_INFO info{};
    if (FAILED(hop->QueryFilterInfo(&info))) return;
    if (info.pGraph) info.pGraph->Release();
    const CLSID classId = FilterClass(hop.Get());
    if (classId == GUID_NULL) return;
    entries_[Kind(fileName)] = {classId, info.achName};
}

}  // namespace vorlinde
