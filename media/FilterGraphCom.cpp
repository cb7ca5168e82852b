// TFilterGraph as a COM object: its own interfaces, then the graph objects' while active; the
// service that leads from a graph to its TFilterGraph; the graph-building callbacks.
#include "framework/Control.h"
#include "media/FilterGraph.h"
#include "media/GraphUtils.h"

namespace vorlinde {

namespace {

// A string property of a property bag; empty when it is missing or not a string.
std::wstring ReadBagString(IPropertyBag* bag, const wchar_t* name, bool& found) {
    found = false;
    VARIANT value;
    VariantInit(&value);
    std::wstring result;
    if (SUCCEEDED(bag->Read(name, &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal) {
        result.assign(value.bstrVal, SysStringLen(value.bstrVal));
        found = true;
    }
    VariantClear(&value);
    return result;
}

}  // namespace

HRESULT STDMETHODCALLTYPE TFilterGraph::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IServiceProvider)
        *object = static_cast<IServiceProvider*>(this);
    else if (iid == IID_IAMGraphBuilderCallback)
        *object = static_cast<IAMGraphBuilderCallback*>(this);
    else if (iid == IID_FilterGraphCallback)
        *object = static_cast<IAMFilterGraphCallback*>(this);
    if (*object) {
        AddRef();
        return S_OK;
    }
    if (!active_) return E_NOINTERFACE;
    switch (mode_) {
        case TGraphMode::gmNormal: break;
        case TGraphMode::gmCapture:
            if (captureBuilder_ && SUCCEEDED(captureBuilder_->QueryInterface(iid, object)) && *object) return S_OK;
            break;
        case TGraphMode::gmDVD:
            if (dvdBuilder_) {
                if (SUCCEEDED(dvdBuilder_->QueryInterface(iid, object)) && *object) return S_OK;
                *object = nullptr;
                if (SUCCEEDED(dvdBuilder_->GetDvdInterface(iid, object)) && *object) return S_OK;
            }
            break;
    }
    *object = nullptr;
    if (graph_ && SUCCEEDED(graph_->QueryInterface(iid, object)) && *object) return S_OK;
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TFilterGraph::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&externalRefs_)); }

ULONG STDMETHODCALLTYPE TFilterGraph::Release() { return static_cast<ULONG>(InterlockedDecrement(&externalRefs_)); }

HRESULT STDMETHODCALLTYPE TFilterGraph::QueryService(REFGUID service, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (service == IID_IFilterGraphOwner && iid == IID_IFilterGraphOwner) {
        *object = static_cast<TFilterGraph*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TFilterGraph::SelectedFilter(IMoniker* moniker) {
    try {
        if (!OnSelectedFilter) return S_OK;
        CLSID classId = GUID_NULL;
        std::wstring friendlyName;
        TComPtr<IPropertyBag> bag;
        if (moniker) moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid());
        if (bag) {
            bool found = false;
            const std::wstring classText = ReadBagString(bag.Get(), L"CLSID", found);
            if (!found || FAILED(CLSIDFromString(classText.c_str(), &classId))) classId = GUID_NULL;
            friendlyName = ReadBagString(bag.Get(), L"FriendlyName", found);
        }
        return OnSelectedFilter(this, moniker, friendlyName, classId) ? S_OK : E_FAIL;
    } catch (...) {
        vl::HandleCallbackException(this);
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE TFilterGraph::CreatedFilter(IBaseFilter* filter) {
    try {
        if (!OnCreatedFilter) return S_OK;
        CLSID classId = GUID_NULL;
        if (filter) filter->GetClassID(&classId);
        return OnCreatedFilter(this, filter, classId) ? S_OK : E_FAIL;
    } catch (...) {
        vl::HandleCallbackException(this);
        return E_FAIL;
    }
}

HRESULT TFilterGraph::UnableToRender(IPin* pin) {
    try {
        if (!pin) return S_FALSE;
        TComPtr<IBaseFilter> filter = PinOwner(pin);
        if (!filter) return S_FALSE;
        FILTER_INFO filterInfo{};
        if (FAILED(filter->QueryFilterInfo(&filterInfo))) return S_FALSE;
        auto graph = TComPtr<IFilterGraph>::Adopt(filterInfo.pGraph);
        if (!graph) return S_FALSE;
        auto services = graph.As<IServiceProvider>(IID_IServiceProvider);
        void* owner = nullptr;
        if (!services || FAILED(services->QueryService(IID_IFilterGraphOwner, IID_IFilterGraphOwner, &owner)) || !owner)
            return S_FALSE;
        auto* ownerGraph = static_cast<TFilterGraph*>(owner);
        if (!ownerGraph->OnUnableToRender) return S_FALSE;
        return ownerGraph->OnUnableToRender(ownerGraph, pin) ? S_OK : S_FALSE;
    } catch (...) {
        vl::HandleCallbackException(this);
        return S_FALSE;
    }
}

}  // namespace vorlinde
