#pragma once
// Remembers, per kind of file (its extension), which filter took the source filter's output
// the last time such a file was rendered: the splitter or decoder right after the source.
// Before the next file of that kind is rendered, a fresh instance of it is put in the graph,
// so the graph builder finds it among the filters already there instead of searching the
// registry's filter categories for one; that search is a good part of building a graph. The
// builder still decides: an offered filter it does not connect leaves the graph again.
#include <windows.h>

#include <dshow.h>

#include <map>
#include <string>
#include <vector>

#include "media/ComPtr.h"

namespace vorlinde {

class TFirstHopCache {
public:
    // Adds a new instance of the filter learnt for this kind of file to the graph and returns
    // it; empty when nothing is known or it cannot be made or added.
    TComPtr<IBaseFilter> Offer(IFilterGraph* graph, const std::wstring& fileName);
    // After rendering: takes `offered` out of the graph when it has no connected input, and,
    // when the file rendered, learns the filter that took the source's output (one the graph
    // held before the render, `before`, is not learnt: it stays in the graph anyway).
    void Settle(IFilterGraph* graph, const std::wstring& fileName, IBaseFilter* offered,
                const std::vector<TComPtr<IBaseFilter>>& before, bool rendered);
    void Forget() { entries_.clear(); }
    bool Knows(const std::wstring& fileName) const;
    // The filter learnt for this kind of file; false when nothing is known.
    bool Learnt(const std::wstring& fileName, CLSID& classId, std::wstring& name) const;

private:
    struct TEntry {
        CLSID classId;
        std::wstring name;
    };
    std::map<std::wstring, TEntry> entries_;
};

}  // namespace vorlinde
