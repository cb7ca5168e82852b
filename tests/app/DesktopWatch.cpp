#include "DesktopWatch.h"

#include <algorithm>

#include "app/ProgramState.h"
#include "framework/Application.h"
#include "media/FilterGraph.h"

namespace apptest {

namespace {
// A file counts as showing its colour once the desktop showed it this long, in this many
// samples in a row.
constexpr DWORD kSteadyMs = 200;
constexpr int kSteadySamples = 5;
}  // namespace

TDesktopWatch::TDesktopWatch(vorlinde::TFilterGraph* graph) : graph_(graph) {
    if (graph_->State() == vorlinde::PlaybackState::Playing) slots_.emplace_back();
    graph_->InsertListener(this);
}

TDesktopWatch::~TDesktopWatch() { graph_->RemoveListener(this); }

HRESULT STDMETHODCALLTYPE TDesktopWatch::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == vorlinde::IID_IGraphListener) {
        *object = static_cast<vorlinde::IGraphListener*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TDesktopWatch::GraphEvent(LONG event, LONG_PTR, LONG_PTR) {
    if (event == EC_COMPLETE) ++completions_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDesktopWatch::ControlEvent(vorlinde::TControlEventKind event, LONG) {
    if (event == vorlinde::ctlFileRendered) slots_.emplace_back();
    return S_OK;
}

void TDesktopWatch::Sample() {
    if (slots_.empty()) return;
    const std::string colour = vltest::DesktopClipColour();
    if (colour.empty()) return;
    Slot& slot = slots_.back();
    if (colour == slot.last) {
        ++slot.run;
    } else {
        slot.run = 1;
        slot.runSince = GetTickCount();
    }
    slot.last = colour;
    auto it = std::find_if(slot.counts.begin(), slot.counts.end(), [&](const auto& c) { return c.first == colour; });
    if (it == slot.counts.end()) slot.counts.emplace_back(colour, 1);
    else ++it->second;
}

bool TDesktopWatch::Steady() const {
    if (slots_.empty()) return false;
    const Slot& slot = slots_.back();
    return slot.run >= kSteadySamples && GetTickCount() - slot.runSince >= kSteadyMs;
}

std::string TDesktopWatch::Leading(const Slot& slot) {
    auto it = std::max_element(slot.counts.begin(), slot.counts.end(),
                               [](const auto& a, const auto& b) { return a.second < b.second; });
    return it == slot.counts.end() ? std::string() : it->first;
}

std::vector<std::string> TDesktopWatch::Watch(size_t files, const std::function<void()>& endEarly, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        vl::Application->ProcessMessages();
        Sample();
        const bool steady = Steady();
        if (slots_.size() >= files && steady) break;
        if (endEarly && steady && slots_.size() < files) {
            const size_t before = slots_.size();
            endEarly();
            if (slots_.size() == before) break;  // no next file was rendered
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    std::vector<std::string> colours;
    for (const Slot& slot : slots_) colours.push_back(Leading(slot));
    return colours;
}

}  // namespace apptest
