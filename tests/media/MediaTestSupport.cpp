#include "MediaTestSupport.h"

#include <cstdio>

namespace mediatest {

std::vector<std::string>& RecordedExceptions() {
    static std::vector<std::string> messages;
    return messages;
}

bool SamplesAvailable() { return std::string(VORLINDE_SAMPLES_DIR).size() > 0; }

// VORLINDE_SAMPLES_DIR is a build-machine path; Wine reaches "/" through drive Z:.
std::wstring SamplePath(const char* name) {
    std::string dir = VORLINDE_SAMPLES_DIR;
    if (!dir.empty() && dir.front() == '/') dir = "Z:" + dir;
    std::wstring path(dir.begin(), dir.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    path += L'\\';
    for (const char* p = name; *p; ++p) path += static_cast<wchar_t>(*p);
    return path;
}

namespace {
HWND dispatching = nullptr;
}

HWND DispatchingWindow() { return dispatching; }

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG msg;
        while (!done() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            dispatching = msg.hwnd;
            DispatchMessageA(&msg);
            dispatching = nullptr;
        }
    }
    return done();
}

TTestMember::TTestMember(std::vector<std::string>& log, std::wstring name) : log_(log), name_(std::move(name)) {
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&filter_));
}

TTestMember::~TTestMember() {
    if (filter_) filter_->Release();
}

HRESULT STDMETHODCALLTYPE TTestMember::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == vorlinde::IID_IGraphMember) {
        *object = static_cast<vorlinde::IGraphMember*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TTestMember::GetFilter(IBaseFilter** filter) {
    *filter = filter_;
    if (filter_) filter_->AddRef();
    return filter_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE TTestMember::GetName(LPWSTR name, ULONG capacity) {
    lstrcpynW(name, name_.c_str(), static_cast<int>(capacity));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestMember::NotifyMember(vorlinde::TMemberOperation operation, LONG_PTR) {
    static const char* const names[] = {"BeforeAdd", "AfterAdd", "BeforeRemove", "AfterRemove"};
    log_.push_back(std::string("member:") + names[operation]);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestListener::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == vorlinde::IID_IGraphListener) {
        *object = static_cast<vorlinde::IGraphListener*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TTestListener::GraphEvent(LONG event, LONG_PTR, LONG_PTR) {
    log_.push_back(name_ + ":graph:" + std::to_string(event));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTestListener::ControlEvent(vorlinde::TControlEventKind event, LONG param) {
    log_.push_back(name_ + ":control:" + std::to_string(event) + ":" + std::to_string(param));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TFakeInterfacesGraph::QueryInterface(REFIID iid, void** object) {
    IUnknown* fake = nullptr;
    if (iid == IID_IMediaControl) fake = control;
    if (iid == IID_IBasicAudio) fake = audio;
    if (iid == IID_IMediaSeeking) fake = seeking;
    if (!fake) return vorlinde::TFilterGraph::QueryInterface(iid, object);
    fake->AddRef();
    *object = fake;
    return S_OK;
}

}  // namespace mediatest
