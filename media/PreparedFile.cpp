#include "media/PreparedFile.h"

#include <objbase.h>

#include "media/GraphUtils.h"

namespace vorlinde {

namespace {

// Breaks the source's connection at both ends, from the source's side and holding no pin of the
// follower (a splitter drops its output pins once its input is disconnected), and takes both
// filters out of the graph.
void TakeOut(IFilterGraph* graph, IBaseFilter* source, IBaseFilter* hop) {
    for (IBaseFilter* filter : {source, hop})
        if (filter) filter->Stop();
    ForEachPin(source, [graph](IPin* pin) { DisconnectBothEnds(graph, pin); });
    for (IBaseFilter* filter : {hop, source})
        if (filter) graph->RemoveFilter(filter);
}

}  // namespace

TPreparedFile::TPreparedFile() : wake_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

TPreparedFile::~TPreparedFile() {
    Settle();
    if (wake_) CloseHandle(wake_);
}

void TPreparedFile::Start(IFilterGraph* graph, const std::wstring& fileName, const CLSID& hopClass,
                          const std::wstring& hopName, DWORD delayMs) {
    Settle();
    if (!graph || !wake_ || ready_) return;
    fileName_ = fileName;
    hopClass_ = hopClass;
    hopName_ = hopName;
    ResetEvent(wake_);
    stage_ = TStage::Waiting;
    try {
        worker_ = std::thread([this, shared = TComPtr<IFilterGraph>::Share(graph), delayMs]() mutable {
            Work(std::move(shared), delayMs);
        });
    } catch (...) {
        stage_ = TStage::Idle;
    }
}

void TPreparedFile::Settle() {
    if (!worker_.joinable()) return;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        if (stage_ == TStage::Waiting) stage_ = TStage::Abandoned;
    }
    SetEvent(wake_);
    worker_.join();
    stage_ = TStage::Idle;
}

bool TPreparedFile::Holds(IBaseFilter* filter) const {
    return ready_ && (SameComObject(filter, source_.Get()) || SameComObject(filter, hop_.Get()));
}

void TPreparedFile::Release() {
    Settle();
    source_.Reset();
    hop_.Reset();
    ready_ = false;
    fileName_.clear();
}

void TPreparedFile::Drop(IFilterGraph* graph) {
    Settle();
    if (ready_ && graph) TakeOut(graph, source_.Get(), hop_.Get());
    Release();
}

void TPreparedFile::Work(TComPtr<IFilterGraph> graph, DWORD delayMs) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    WaitForSingleObject(wake_, delayMs);
    bool go = false;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        go = stage_ == TStage::Waiting;
        if (go) stage_ = TStage::Working;
    }
    try {
        if (go) ready_ = Build(graph.Get());
    } catch (...) {
        ready_ = false;
    }
    graph.Reset();
    if (SUCCEEDED(init)) CoUninitialize();
}

bool TPreparedFile::Build(IFilterGraph* graph) {
    TComPtr<IFilterGraph2> builder = TComPtr<IFilterGraph>::Share(graph).As<IFilterGraph2>(IID_IFilterGraph2);
    if (!builder) return false;
    TComPtr<IBaseFilter> source;
    if (FAILED(builder->AddSourceFilter(fileName_.c_str(), fileName_.c_str(), source.Receive())) || !source)
        return false;
    TComPtr<IBaseFilter> hop = AddNewFilter(graph, hopClass_, hopName_);
    bool built = static_cast<bool>(hop);
    if (built) {
        TComPtr<IPin> out = FirstPinOfDirection(source.Get(), PINDIR_OUTPUT);
        TComPtr<IPin> in = FirstFreeInput(hop.Get());
        built = out && in && SUCCEEDED(builder->ConnectDirect(out.Get(), in.Get(), nullptr));
    }
    if (!built) {
        TakeOut(graph, source.Get(), hop.Get());
        return false;
    }
    source_ = std::move(source);
    hop_ = std::move(hop);
    return true;
}

}  // namespace vorlinde
