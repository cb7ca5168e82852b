#pragma once
// The filter graph controller as the application drives it. No media graph is built yet: the
// controller only keeps its published settings and its Active flag, remembers the last file it
// was asked to render, reports Uninitialised while inactive and Stopped while active, and its
// Play, Pause and Stop succeed at nothing. The DirectShow graph comes with the media engine.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"

struct IBaseFilter;

namespace vorlinde {

enum class TGraphMode { gmNormal, gmCapture, gmDVD };

// The graph's state as State() reports it.
enum class PlaybackState : int { Uninitialised = 0, Stopped = 1, Paused = 2, Playing = 3 };

// (sender, the graph's completion result, the renderer that completed)
using TGraphCompleteEvent = std::function<void(vl::TObject* sender, HRESULT result, IBaseFilter* renderer)>;

class TFilterGraph : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TFilterGraph(vl::TComponent* owner);

    bool Active() const { return active_; }
    void SetActive(bool active);
    TGraphMode Mode() const { return mode_; }
    void SetMode(TGraphMode mode) { mode_ = mode; }
    bool GraphEdit() const { return graphEdit_; }
    void SetGraphEdit(bool on) { graphEdit_ = on; }
    bool LinearVolume() const { return linearVolume_; }
    void SetLinearVolume(bool on) { linearVolume_ = on; }

    // Removes the filters of the current file (none yet).
    void ClearGraph();
    // Inactive: S_FALSE and nothing happens. Active: remembers the name; renders nothing yet
    // and answers S_FALSE.
    HRESULT RenderFile(const std::wstring& fileName);
    // The file of the last RenderFile while active (empty after ClearGraph or deactivation).
    const std::wstring& RenderedFile() const { return renderedFile_; }
    // No media control exists yet: each returns false.
    bool Play();
    bool Pause();
    bool Stop();
    // Uninitialised while inactive, Stopped while active.
    PlaybackState State() const;

    TGraphCompleteEvent OnGraphComplete;

private:
    bool active_ = false;
    TGraphMode mode_ = TGraphMode::gmNormal;
    bool graphEdit_ = false;
    bool linearVolume_ = true;
    std::wstring renderedFile_;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TGraphMode> {
    static const TEnumTable<vorlinde::TGraphMode>& Table() {
        using M = vorlinde::TGraphMode;
        static const TEnumTable<M> table = {{"gmNormal", M::gmNormal}, {"gmCapture", M::gmCapture}, {"gmDVD", M::gmDVD}};
        return table;
    }
};
