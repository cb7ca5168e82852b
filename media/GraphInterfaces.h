#pragma once
// The two interfaces through which a component takes part in a filter graph controller's graph:
// a graph member contributes a filter of its own, which the controller adds to the graph when
// the graph is created and removes before the graph is released; a graph listener is told of
// every graph event and of every control step (play, pause, stop, file rendering, activation).
//
// Both are COM interfaces: the controller keeps one counted reference to each member and
// listener while it is in its lists. Their methods must not let a C++ exception escape.
#include <windows.h>

#include <strmif.h>

namespace vorlinde {

// What NotifyMember tells a member about its filter.
enum TMemberOperation : LONG { BeforeAdd = 0, AfterAdd = 1, BeforeRemove = 2, AfterRemove = 3 };

// The control steps ControlEvent reports. Values 5 and 6 are reserved and never sent.
enum TControlEventKind : LONG {
    ctlPlay = 0,
    ctlPause = 1,
    ctlStop = 2,
    ctlFileRendering = 3,
    ctlFileRendered = 4,
    ctlActive = 7  // Param 1 after activation, 0 before deactivation
};

// {887F94DA-29E9-44C6-B48E-1FBF0FB59878}
inline constexpr GUID IID_IGraphMember = {0x887F94DA, 0x29E9, 0x44C6, {0xB4, 0x8E, 0x1F, 0xBF, 0x0F, 0xB5, 0x98, 0x78}};
// {6C0DCD7B-1A98-44EF-A6D5-E23CBC24E620}
inline constexpr GUID IID_IGraphListener = {0x6C0DCD7B, 0x1A98, 0x44EF, {0xA6, 0xD5, 0xE2, 0x3C, 0xBC, 0x24, 0xE6, 0x20}};

struct IGraphMember : public IUnknown {
    // The member's filter, as a new counted reference (null when it has none right now).
    virtual HRESULT STDMETHODCALLTYPE GetFilter(IBaseFilter** filter) = 0;
    // The filter's name in the graph, NUL-terminated, cut to `capacity` characters including
    // the NUL (the controller passes MAX_FILTER_NAME).
    virtual HRESULT STDMETHODCALLTYPE GetName(LPWSTR name, ULONG capacity) = 0;
    // Around adding the filter to the graph and removing it; `param` is always 0.
    virtual HRESULT STDMETHODCALLTYPE NotifyMember(TMemberOperation operation, LONG_PTR param) = 0;
};

struct IGraphListener : public IUnknown {
    // A raw graph event, before the controller's own events for it. The parameters are
    // pointer-sized: several events pass interface pointers or pointers to data.
    virtual HRESULT STDMETHODCALLTYPE GraphEvent(LONG event, LONG_PTR param1, LONG_PTR param2) = 0;
    // A control step of the controller: play, pause and stop before the call, file rendering
    // before and after building the graph, activation after it and deactivation before it.
    virtual HRESULT STDMETHODCALLTYPE ControlEvent(TControlEventKind event, LONG param) = 0;
};

}  // namespace vorlinde
