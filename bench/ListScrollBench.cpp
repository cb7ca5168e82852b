// Cost of scrolling a long playlist in the skinned list box with a linked scroll bar: a list
// of 10,000 entries (the settings window's playlist size, 281 x 233, items 13 high) in the
// Protein look.
//
// Prints one line:
//   "list_scroll entries=10000 fill_ms=T sync_ms=M (fastest F) bar_step_ms=M (fastest F)
//    wheel_step_ms=M (fastest F)"
//   fill_ms: adding the 10,000 entries with drawing suspended, the bar brought up to date once
//   drawing resumes;
//   sync_ms: one Sync (the native bar's state copied into the skinned one), of 2000;
//   bar_step_ms: one step from the bar (its position one further, the list scrolled to it,
//   both repainted), of 500;
//   wheel_step_ms: one wheel notch over the list (the list scrolls, the thumb follows, both
//   repainted), of 500; each the median and the fastest run.
// Then the same for a plain native list box ("list_scroll native ...": a line step and a
// wheel notch with its repaint), and the repaint of the bar's track alone ("track_paint_ms").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/PaintTiming.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "skin/Registration.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/ScrollBar.h"

using namespace vorlinde;
using vlbench::Now;
using vlbench::Pump;
using vlbench::Time;
using vlbench::TTiming;

namespace {

constexpr int kEntries = 10000;

// Adds the entries with the list's drawing suspended, as a playlist is best loaded (drawn
// after each entry, Wine's list box takes about 2 ms per entry here); milliseconds.
double Fill(vl::TListBox& list) {
    const double start = Now();
    list.Items()->BeginUpdate();
    for (int i = 0; i < kEntries; ++i) list.Items()->Add("C:\\Movies\\Holiday clip " + std::to_string(i) + ".mpg");
    list.Items()->EndUpdate();
    UpdateWindow(list.Handle());
    return (Now() - start) * 1000;
}

}  // namespace

int main() {
    vl::TApplication application;
    application.Initialize();
    RegisterSkinClasses();
    int status = 0;
    application.OnException = [&status](vl::TObject*, const std::exception_ptr& error) {
        std::fprintf(stderr, "list_scroll: %s\n", vl::ExceptionMessage(error).c_str());
        status = 1;
    };
    auto form = std::make_unique<vl::TForm>(&application);
    form->SetBounds(20, 20, 400, 320);
    auto* list = new TsuiListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(56, 32, 281, 233);
    list->SetUIStyle(TsuiUIStyle::Protein);
    list->SetItemHeight(13);
    auto* bar = new TsuiScrollBar(form.get());
    bar->SetParent(form.get());
    list->SetVScrollBar(bar);
    form->Show();
    SetCursorPos(1279, 799);
    Pump(100);

    const double fillMs = Fill(*list);
    Pump(50);

    const TTiming sync = Time(2000, [list](int) { list->Sync(); });
    const HWND listWindow = list->Handle(), barWindow = bar->Handle();
    auto repaint = [listWindow, barWindow] {
        UpdateWindow(listWindow);
        RedrawWindow(barWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    const TTiming barStep = Time(500, [bar, &repaint](int) {
        bar->SetPosition(bar->Position() + 1);
        repaint();
    });
    const TTiming wheelStep = Time(500, [listWindow, &repaint](int) {
        SendMessageA(listWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(200, 150));
        repaint();
    });
    // The same steps of a plain native list box (no skinned border, no linked bar) beside it:
    // what the platform itself costs.
    auto* plain = new vl::TListBox(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(56, 32, 281, 233);
    plain->SetItemHeight(13);
    list->Hide();
    bar->Hide();
    const double plainFillMs = Fill(*plain);
    Pump(50);
    const HWND plainWindow = plain->Handle();
    const TTiming plainStep = Time(500, [plainWindow](int) {
        SendMessageA(plainWindow, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        UpdateWindow(plainWindow);
    });
    const TTiming plainWheel = Time(500, [plainWindow](int) {
        SendMessageA(plainWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(200, 150));
        UpdateWindow(plainWindow);
    });

    // The skinned part of a step alone: the track with its thumb painted again.
    const HWND trackWindow = bar->Track()->Handle();
    bar->Show();
    Pump(20);
    const TTiming trackPaint = Time(500, [trackWindow](int) {
        InvalidateRect(trackWindow, nullptr, FALSE);
        UpdateWindow(trackWindow);
    });

    if (list->TopIndex() != bar->Position() || list->TopIndex() == 0) {
        std::fprintf(stderr, "list_scroll: the bar (%d) and the list (%d) went apart\n", bar->Position(),
                     list->TopIndex());
        status = 1;
    }
    std::printf("list_scroll entries=%d fill_ms=%.1f sync_ms=%.4f (fastest %.4f) bar_step_ms=%.3f (fastest %.3f) "
                "wheel_step_ms=%.3f (fastest %.3f)\n",
                kEntries, fillMs, sync.median, sync.fastest, barStep.median, barStep.fastest, wheelStep.median,
                wheelStep.fastest);
    std::printf("list_scroll native entries=%d fill_ms=%.1f line_step_ms=%.3f (fastest %.3f) "
                "wheel_step_ms=%.3f (fastest %.3f)\n",
                kEntries, plainFillMs, plainStep.median, plainStep.fastest, plainWheel.median, plainWheel.fastest);
    std::printf("list_scroll track_paint_ms=%.3f (fastest %.3f)\n", trackPaint.median, trackPaint.fastest);
    std::fflush(stdout);
    form.reset();
    return status;
}
