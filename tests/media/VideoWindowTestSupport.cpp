#include "VideoWindowTestSupport.h"

#include <vector>

namespace videotest {

using vorlinde::TComPtr;

namespace {

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (const wchar_t* p = text; *p; ++p) result += static_cast<char>(*p);
    return result;
}

std::string FilterName(IBaseFilter* filter) {
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info))) return "?";
    if (info.pGraph) info.pGraph->Release();
    return Narrow(info.achName);
}

std::string PinName(IPin* pin) {
    PIN_INFO info{};
    if (FAILED(pin->QueryPinInfo(&info))) return "?";
    std::string owner = info.pFilter ? FilterName(info.pFilter) : "?";
    if (info.pFilter) info.pFilter->Release();
    return owner + "." + Narrow(info.achName);
}

template <class F>
void ForEachFilter(vorlinde::TFilterGraph& graph, F&& f) {
    auto manager = graph.Query<IFilterGraph>(IID_IFilterGraph);
    if (!manager) return;
    TComPtr<IEnumFilters> filters;
    manager->EnumFilters(filters.Receive());
    TComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.Receive(), nullptr) == S_OK) f(filter.Get());
}

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

}  // namespace

TConnections Connections(vorlinde::TFilterGraph& graph) {
    TConnections result;
    ForEachFilter(graph, [&](IBaseFilter* filter) {
        TComPtr<IEnumPins> pins;
        filter->EnumPins(pins.Receive());
        TComPtr<IPin> pin, peer;
        while (pins->Next(1, pin.Receive(), nullptr) == S_OK) {
            PIN_DIRECTION direction;
            pin->QueryDirection(&direction);
            if (direction == PINDIR_OUTPUT && SUCCEEDED(pin->ConnectedTo(peer.Receive())))
                result.insert(PinName(pin.Get()) + " -> " + PinName(peer.Get()));
        }
    });
    return result;
}

std::set<std::wstring> FilterNames(vorlinde::TFilterGraph& graph) {
    std::set<std::wstring> names;
    ForEachFilter(graph, [&](IBaseFilter* filter) {
        FILTER_INFO info{};
        filter->QueryFilterInfo(&info);
        if (info.pGraph) info.pGraph->Release();
        names.insert(info.achName);
    });
    return names;
}

bool InGraph(vorlinde::TFilterGraph& graph, IBaseFilter* filter) {
    bool found = false;
    ForEachFilter(graph, [&](IBaseFilter* f) { found = found || vorlinde::SameComObject(f, filter); });
    return found;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

TVideoHost::TVideoHost(vorlinde::TDSVideoWindowEx2* window, bool activate) {
    form_ = std::make_unique<vl::TForm>(nullptr);
    form_->SetBorderStyle(vl::TFormBorderStyle::None);
    form_->SetBounds(100, 100, 207, 135);
    form_->SetColor(0x808080);
    window_ = window ? window : new vorlinde::TDSVideoWindowEx2(form_.get());
    if (window_->Owner() != form_.get()) form_->InsertComponent(window_);
    window_->SetName("VideoWindow1");
    window_->SetParent(form_.get());
    window_->SetAlign(vl::TAlign::Client);
    form_->Show();
    window_->SetFilterGraph(&graph_);
    if (activate) graph_.SetActive(true);
}

void TVideoHost::DestroyWindow() {
    delete window_;
    window_ = nullptr;
}

TVideoHost::~TVideoHost() {
    // Every graph is released before the window and the form go.
    if (graph_.Active()) {
        graph_.Stop();
        graph_.SetActive(false);
    }
    DestroyWindow();
    form_.reset();
}

bool ReadWallpaperValue(std::string& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    const bool found =
        RegQueryValueExA(key, "Wallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    value = found ? buffer : "";
    return found;
}

void WriteWallpaperValue(const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void DeleteWallpaperValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "Wallpaper");
    RegCloseKey(key);
}

TDesktopSettingsGuard::TDesktopSettingsGuard() {
    hadValue_ = ReadWallpaperValue(value_);
    color_ = GetSysColor(COLOR_BACKGROUND);
}

TDesktopSettingsGuard::~TDesktopSettingsGuard() {
    if (hadValue_) WriteWallpaperValue(value_);
    else DeleteWallpaperValue();
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &color_);
}

}  // namespace videotest
