#pragma once
// Tells which sample clip the desktop shows, file by file.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "media/GraphInterfaces.h"
#include "tests/support/ClipColours.h"

namespace vorlinde {
class TFilterGraph;
}

namespace apptest {

// Joins a graph (which must outlive it) as a listener and counts the files rendered into it
// and the completion events; Watch samples the desktop while the files play.
class TDesktopWatch final : public vorlinde::IGraphListener {
public:
    // The file the graph holds already (if any) counts as the first one watched.
    explicit TDesktopWatch(vorlinde::TFilterGraph* graph);
    ~TDesktopWatch();
    TDesktopWatch(const TDesktopWatch&) = delete;
    TDesktopWatch& operator=(const TDesktopWatch&) = delete;

    // Runs the message loop, sampling the desktop, until `files` files have been rendered and
    // the last has shown one colour steadily, or `timeoutMs` passed. Returns, for each file
    // rendered since the watch began, the colour the desktop showed most while it played ("" when
    // it showed none). With `endEarly`, each file but the last is ended as soon as its colour
    // shows steadily, by calling `endEarly` as the completion event would; otherwise the files
    // play to their real end.
    std::vector<std::string> Watch(size_t files, const std::function<void()>& endEarly = nullptr,
                                   DWORD timeoutMs = 30000);

    int Renders() const { return static_cast<int>(slots_.size()); }
    int Completions() const { return completions_; }

    // IUnknown: the watch lives on the test's stack; the graph's references do not own it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // IGraphListener
    HRESULT STDMETHODCALLTYPE GraphEvent(LONG event, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT STDMETHODCALLTYPE ControlEvent(vorlinde::TControlEventKind event, LONG param) override;

private:
    struct Slot {
        std::vector<std::pair<std::string, int>> counts;  // colour, samples
        std::string last;                                 // the latest recognised colour
        int run = 0;                                      // samples of `last` in a row
        DWORD runSince = 0;                               // when that run began
    };
    void Sample();
    bool Steady() const;
    static std::string Leading(const Slot& slot);

    vorlinde::TFilterGraph* graph_;
    std::vector<Slot> slots_;
    int completions_ = 0;
};

}  // namespace apptest
