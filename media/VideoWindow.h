#pragma once
// The video window of a filter graph controller, as the application drives it. For now it is a
// pane painted in its colour that keeps its published settings and its controller reference;
// the overlay, the preview picture and desktop playback come with the overlay video window, so
// StartDesktopPlayback and NormalPlayback change nothing and DesktopPlaying stays false.
#include "framework/ClassBuilder.h"
#include "framework/Control.h"
#include "media/ColorControl.h"

namespace vorlinde {

class TFilterGraph;

enum class TRatioModes { rmStretched, rmLetterBox, rmCrop };

class TDSVideoWindowEx2 : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TDSVideoWindowEx2(vl::TComponent* owner);
    ~TDSVideoWindowEx2() override;

    TFilterGraph* FilterGraph() const { return filterGraph_; }
    void SetFilterGraph(TFilterGraph* graph);
    TRatioModes AspectRatio() const { return aspectRatio_; }
    void SetAspectRatio(TRatioModes mode) { aspectRatio_ = mode; }
    int AutoHideCursor() const { return autoHideCursor_; }
    void SetAutoHideCursor(int ms) { autoHideCursor_ = ms; }
    int DigitalZoom() const { return digitalZoom_; }
    // Percentage 0..99 cut from the picture; other values are refused.
    void SetDigitalZoom(int percent);
    bool NoScreenSaver() const { return noScreenSaver_; }
    void SetNoScreenSaver(bool on) { noScreenSaver_ = on; }
    TColorControl* ColorControl() { return &colorControl_; }

    void StartDesktopPlayback() {}
    void NormalPlayback() {}
    bool DesktopPlaying() const { return false; }

protected:
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    TFilterGraph* filterGraph_ = nullptr;
    TRatioModes aspectRatio_ = TRatioModes::rmLetterBox;
    int autoHideCursor_ = 0;
    int digitalZoom_ = 0;
    bool noScreenSaver_ = false;
    TColorControl colorControl_;
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TRatioModes> {
    static const TEnumTable<vorlinde::TRatioModes>& Table() {
        using R = vorlinde::TRatioModes;
        static const TEnumTable<R> table = {
            {"rmStretched", R::rmStretched}, {"rmLetterBox", R::rmLetterBox}, {"rmCrop", R::rmCrop}};
        return table;
    }
};
