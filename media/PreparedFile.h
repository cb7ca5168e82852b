#pragma once
// TPreparedFile: the start of the next file's graph, built in the background while the current
// file plays. A worker thread adds the next file's source filter and the filter that followed
// the source for that kind of file last time (see media/FirstHopCache.h), and connects the two.
// That part (opening the file, the splitter reading its headers) is most of building a graph;
// done ahead, the change of file only has to render the splitter's outputs.
//
// The worker waits a moment before it starts, so the file that just started gets its first
// pictures without competing for the processor, and runs below normal priority. The thread that
// owns the graph calls Settle before it changes the graph: a preparation still waiting is
// abandoned, one under way is waited for.
//
// The worker calls the graph manager directly, as the filters' streaming threads do: the graph
// manager serialises its own calls. A marshalled proxy would not do: it would carry every call
// to the owner's thread, which may be waiting in Settle for this one.
#include <windows.h>

#include <dshow.h>

#include <mutex>
#include <string>
#include <thread>

#include "media/ComPtr.h"

namespace vorlinde {

class TPreparedFile {
public:
    TPreparedFile();
    ~TPreparedFile();
    TPreparedFile(const TPreparedFile&) = delete;
    TPreparedFile& operator=(const TPreparedFile&) = delete;

    // Starts preparing `fileName` in `graph` with a new instance of `hopClass` named `hopName`.
    // Whatever was prepared before must have been settled and taken or dropped.
    void Start(IFilterGraph* graph, const std::wstring& fileName, const CLSID& hopClass, const std::wstring& hopName,
               DWORD delayMs);
    // Abandons a preparation that has not begun, waits for one under way; the worker ends.
    void Settle();
    // After Settle: true when the prepared filters are in the graph for this file.
    bool Ready(const std::wstring& fileName) const { return ready_ && fileName_ == fileName; }
    // True for the prepared source and its follower (they stay in the graph when it is emptied).
    bool Holds(IBaseFilter* filter) const;
    IBaseFilter* Hop() const { return hop_.Get(); }
    // Forgets the prepared filters without touching the graph (they are now part of it).
    void Release();
    // Settles, then takes the prepared filters out of the graph.
    void Drop(IFilterGraph* graph);

private:
    void Work(TComPtr<IFilterGraph> graph, DWORD delayMs);
    // Builds source and follower in the graph; false leaves nothing behind.
    bool Build(IFilterGraph* graph);

    enum class TStage { Idle, Waiting, Working, Abandoned };
    std::mutex lock_;
    TStage stage_ = TStage::Idle;
    HANDLE wake_ = nullptr;  // set to end the worker's wait early
    std::thread worker_;
    std::wstring fileName_;
    CLSID hopClass_{};
    std::wstring hopName_;
    TComPtr<IBaseFilter> source_;
    TComPtr<IBaseFilter> hop_;
    bool ready_ = false;
};

}  // namespace vorlinde
