#pragma once
// Helpers of the media suites: sample clip paths, a message loop with a time limit, a graph
// member and a graph listener that log what they are told, and stand-ins for graph interfaces
// whose results a test needs to choose.
#include <windows.h>

#include <dshow.h>

#include <functional>
#include <string>
#include <vector>

#include "media/FilterGraph.h"

namespace mediatest {

// Messages the central exception handler received.
std::vector<std::string>& RecordedExceptions();

bool SamplesAvailable();
// A sample clip's path as a Windows program sees it.
std::wstring SamplePath(const char* name);

// Dispatches messages until `done` is true or `milliseconds` have passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// The window the message being dispatched by PumpUntil was sent to (null outside it).
HWND DispatchingWindow();

// Counting IUnknown part shared by the test objects; they live on the test's stack, so the
// count only shows who holds them.
template <class... I>
class TCounted : public I... {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    ULONG Refs() const { return refs_; }

protected:
    ULONG refs_ = 1;
};

// Contributes a Video Renderer for its whole life and logs "<name>:<operation>".
class TTestMember : public TCounted<vorlinde::IGraphMember> {
public:
    TTestMember(std::vector<std::string>& log, std::wstring name = L"Member");
    ~TTestMember();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE GetFilter(IBaseFilter** filter) override;
    HRESULT STDMETHODCALLTYPE GetName(LPWSTR name, ULONG capacity) override;
    HRESULT STDMETHODCALLTYPE NotifyMember(vorlinde::TMemberOperation operation, LONG_PTR param) override;
    IBaseFilter* Filter() const { return filter_; }

private:
    std::vector<std::string>& log_;
    std::wstring name_;
    IBaseFilter* filter_ = nullptr;
};

// Logs "<name>:graph:<code>" and "<name>:control:<kind>:<param>".
class TTestListener : public TCounted<vorlinde::IGraphListener> {
public:
    TTestListener(std::vector<std::string>& log, std::string name = "L") : log_(log), name_(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE GraphEvent(LONG event, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT STDMETHODCALLTYPE ControlEvent(vorlinde::TControlEventKind event, LONG param) override;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// IDispatch methods of the automation interfaces, none of them used.
template <class I>
class TDispatchStub : public TCounted<I> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

// Media control answering with chosen results.
class TFakeMediaControl : public TDispatchStub<IMediaControl> {
public:
    HRESULT runResult = S_OK, pauseResult = S_OK, stopResult = S_OK;
    OAFilterState state = State_Stopped;
    HRESULT STDMETHODCALLTYPE Run() override { return runResult; }
    HRESULT STDMETHODCALLTYPE Pause() override { return pauseResult; }
    HRESULT STDMETHODCALLTYPE Stop() override { return stopResult; }
    HRESULT STDMETHODCALLTYPE GetState(LONG, OAFilterState* s) override {
        *s = state;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RenderFile(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddSourceFilter(BSTR, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_FilterCollection(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RegFilterCollection(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE StopWhenReady() override { return E_NOTIMPL; }
};

// Basic audio recording every value it is given.
class TFakeBasicAudio : public TDispatchStub<IBasicAudio> {
public:
    std::vector<long> volumes, balances;
    HRESULT STDMETHODCALLTYPE put_Volume(long v) override {
        volumes.push_back(v);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Volume(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Balance(long b) override {
        balances.push_back(b);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Balance(long*) override { return E_NOTIMPL; }
};

// Media seeking recording the rates it is given.
class TFakeMediaSeeking : public TCounted<IMediaSeeking> {
public:
    std::vector<double> rates;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE SetRate(double rate) override {
        rates.push_back(rate);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckCapabilities(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsFormatSupported(const GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryPreferredFormat(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTimeFormat(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsUsingTimeFormat(const GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTimeFormat(const GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStopPosition(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ConvertTimeFormat(LONGLONG*, const GUID*, LONGLONG, const GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPositions(LONGLONG*, DWORD, LONGLONG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG*, LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAvailable(LONGLONG*, LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRate(double*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPreroll(LONGLONG*) override { return E_NOTIMPL; }
};

// A controller whose interface queries for the stand-ins set here are answered by them;
// every other query goes the normal way.
class TFakeInterfacesGraph : public vorlinde::TFilterGraph {
public:
    TFakeInterfacesGraph() : vorlinde::TFilterGraph(nullptr) {}
    IMediaControl* control = nullptr;
    IBasicAudio* audio = nullptr;
    IMediaSeeking* seeking = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
};

}  // namespace mediatest
