#pragma once
// Helpers shared by the framework's window, drawing and timer tests.
#include <windows.h>
#include <winternl.h>

#include <cstdint>

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"

namespace vltest {

// Replaces the application's central exception handler with a recorder for the test's lifetime.
class RecordExceptions {
public:
    RecordExceptions() : saved_(vl::Application->OnException) {
        vl::Application->OnException = [this](vl::TObject* sender, const std::exception_ptr& e) {
            senders.push_back(sender);
            messages.push_back(vl::ExceptionMessage(e));
        };
    }
    ~RecordExceptions() { vl::Application->OnException = saved_; }
    RecordExceptions(const RecordExceptions&) = delete;
    RecordExceptions& operator=(const RecordExceptions&) = delete;

    std::vector<vl::TObject*> senders;
    std::vector<std::string> messages;

private:
    vl::TExceptionEvent saved_;
};

// A form of 320 x 240 owned by the application, for controls under test.
inline std::unique_ptr<vl::TForm> MakeForm() {
    auto form = std::make_unique<vl::TForm>(vl::Application);
    form->SetBounds(50, 50, 320, 240);
    return form;
}

// A control of class T owned by `form` and placed on it.
template <class T>
T* Add(vl::TForm& form) {
    auto* c = new T(&form);
    c->SetParent(&form);
    return c;
}

// Runs the application's message loop until `done` answers true or `ms` milliseconds passed;
// returns the last answer of `done`.
inline bool PumpUntil(const std::function<bool()>& done, int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        vl::Application->ProcessMessages();
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return done();
}

inline void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

// The number of GDI objects the process holds. Wine's GetGuiResources answers 0, so there the
// live entries of the process's GDI handle table (PEB->GdiSharedHandleTable, 16384 entries of
// 24 bytes, type byte at offset 14, zero when free) are counted instead.
inline DWORD GdiObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const uint8_t* table = *reinterpret_cast<const uint8_t* const*>(peb + 0xF8);
    if (!table) return 0;
    DWORD count = 0;
    for (size_t i = 0; i < 16384; ++i)
        if (table[i * 24 + 14] != 0) ++count;
    return count;
}

}  // namespace vltest
