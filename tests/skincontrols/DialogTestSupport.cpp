#include "DialogTestSupport.h"

namespace skinctl {

namespace {

struct TDriver {
    std::function<vl::TForm*()> find;
    std::function<void(vl::TForm&)> act;
    bool acted = false;
    int ticksSinceAct = 0;
};
TDriver* driver = nullptr;

constexpr UINT kTickMs = 10;
constexpr int kGiveUpTicks = 100;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!driver) return;
    vl::TForm* window = driver->find();
    if (!window) return;
    if (!driver->acted) {
        driver->acted = true;
        driver->act(*window);
    } else if (++driver->ticksSinceAct > kGiveUpTicks) {
        window->SetModalResult(vl::mrAbort);
    }
}

}  // namespace

int RunModal(vorlinde::TsuiDialog& dialog, std::function<vl::TForm*()> findWindow,
             std::function<void(vl::TForm&)> act) {
    TDriver state{std::move(findWindow), std::move(act)};
    driver = &state;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
    struct TStop {
        UINT_PTR timer;
        ~TStop() {
            KillTimer(nullptr, timer);
            driver = nullptr;
        }
    } stop{timer};
    return dialog.Execute();
}

}  // namespace skinctl
