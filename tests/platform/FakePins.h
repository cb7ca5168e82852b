#pragma once
// Hand-driven stand-ins for the filters around the mixer: an upstream output pin and a
// downstream input pin that records what reaches it.
#include <windows.h>

#include <dshow.h>

#include <vector>

#include "platform/ComPtr.h"

namespace vorlinde::platform::test {

// An output pin with no filter; it only answers what a connected input asks of it.
class TFakeOutputPin final : public IPin {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    ULONG WINAPI Release() override { return static_cast<ULONG>(InterlockedDecrement(&references)); }
    HRESULT WINAPI Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT WINAPI ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT WINAPI Disconnect() override { return S_OK; }
    HRESULT WINAPI ConnectedTo(IPin** pin) override;
    HRESULT WINAPI ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryPinInfo(PIN_INFO* info) override;
    HRESULT WINAPI QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT WINAPI QueryId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryAccept(const AM_MEDIA_TYPE*) override { return S_OK; }
    HRESULT WINAPI EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT WINAPI EndOfStream() override { return E_UNEXPECTED; }
    HRESULT WINAPI BeginFlush() override { return E_UNEXPECTED; }
    HRESULT WINAPI EndFlush() override { return E_UNEXPECTED; }
    HRESULT WINAPI NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return E_UNEXPECTED; }

    LONG references = 1;
};

// An input pin with IMemInputPin and an allocator of its own; records what it receives.
class TFakeInputPin final : public IPin, public IMemInputPin {
public:
    TFakeInputPin();
    ~TFakeInputPin();

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    ULONG WINAPI Release() override { return static_cast<ULONG>(InterlockedDecrement(&references)); }
    HRESULT WINAPI Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT WINAPI ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT WINAPI Disconnect() override;
    HRESULT WINAPI ConnectedTo(IPin** pin) override;
    HRESULT WINAPI ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryPinInfo(PIN_INFO* info) override;
    HRESULT WINAPI QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT WINAPI QueryId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryAccept(const AM_MEDIA_TYPE*) override { return S_OK; }
    HRESULT WINAPI EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    HRESULT WINAPI QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT WINAPI EndOfStream() override;
    HRESULT WINAPI BeginFlush() override;
    HRESULT WINAPI EndFlush() override;
    HRESULT WINAPI NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    HRESULT WINAPI GetAllocator(IMemAllocator** allocator) override;
    HRESULT WINAPI NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    HRESULT WINAPI GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    HRESULT WINAPI Receive(IMediaSample* sample) override;
    HRESULT WINAPI ReceiveMultiple(IMediaSample**, long, long*) override { return E_NOTIMPL; }
    HRESULT WINAPI ReceiveCanBlock() override { return S_FALSE; }

    // Settings.
    bool acceptForeignAllocator = true;  // take an allocator that is not its own
    // Records.
    LONG references = 1;
    IPin* peer = nullptr;  // counted while connected
    IMemAllocator* notified = nullptr;  // not counted: compared only
    TComPtr<IMemAllocator> own;
    std::vector<IMediaSample*> samples;  // not counted: compared only
    std::vector<std::vector<BYTE>> data;
    std::vector<REFERENCE_TIME> starts;
    int endOfStreams = 0;
    int beginFlushes = 0;
    int endFlushes = 0;
    int newSegments = 0;
};

}  // namespace vorlinde::platform::test
