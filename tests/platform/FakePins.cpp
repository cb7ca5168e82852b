#include "FakePins.h"

#include <cstring>

namespace vorlinde::platform::test {

HRESULT WINAPI TFakeOutputPin::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *object = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT WINAPI TFakeOutputPin::ConnectedTo(IPin** pin) {
    *pin = nullptr;
    return VFW_E_NOT_CONNECTED;
}

HRESULT WINAPI TFakeOutputPin::QueryPinInfo(PIN_INFO* info) {
    std::memset(info, 0, sizeof *info);
    info->dir = PINDIR_OUTPUT;
    return S_OK;
}

HRESULT WINAPI TFakeOutputPin::QueryDirection(PIN_DIRECTION* direction) {
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

TFakeInputPin::TFakeInputPin() {
    CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator, own.ReceiveVoid());
}

TFakeInputPin::~TFakeInputPin() {
    if (peer) peer->Release();
}

HRESULT WINAPI TFakeInputPin::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *object = static_cast<IPin*>(this);
    } else if (IsEqualIID(iid, IID_IMemInputPin)) {
        *object = static_cast<IMemInputPin*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE*) {
    if (peer) return VFW_E_ALREADY_CONNECTED;
    peer = connector;
    peer->AddRef();
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::Disconnect() {
    if (!peer) return S_FALSE;
    peer->Release();
    peer = nullptr;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::ConnectedTo(IPin** pin) {
    *pin = peer;
    if (!peer) return VFW_E_NOT_CONNECTED;
    peer->AddRef();
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::QueryPinInfo(PIN_INFO* info) {
    std::memset(info, 0, sizeof *info);
    info->dir = PINDIR_INPUT;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::QueryDirection(PIN_DIRECTION* direction) {
    *direction = PINDIR_INPUT;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::EndOfStream() {
    ++endOfStreams;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::BeginFlush() {
    ++beginFlushes;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::EndFlush() {
    ++endFlushes;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {
    ++newSegments;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::GetAllocator(IMemAllocator** allocator) {
    own.CopyTo(allocator);
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
    if (!acceptForeignAllocator && allocator != own.Get()) return E_FAIL;
    notified = allocator;
    return S_OK;
}

HRESULT WINAPI TFakeInputPin::Receive(IMediaSample* sample) {
    samples.push_back(sample);
    BYTE* bytes = nullptr;
    sample->GetPointer(&bytes);
    data.emplace_back(bytes, bytes + sample->GetActualDataLength());
    REFERENCE_TIME start = -1, stop = -1;
    sample->GetTime(&start, &stop);
    starts.push_back(start);
    return S_OK;
}

}  // namespace vorlinde::platform::test
