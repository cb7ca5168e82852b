#include "VideoWindowTestSupport.h"

#include "GraphTestSupport.h"
#include "media/GraphUtils.h"

namespace videotest {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

}  // namespace

TConnections Connections(vorlinde::TFilterGraph& graph) {
    return graphtest::Connections(graph.Query<IFilterGraph>(IID_IFilterGraph).Get());
}

std::set<std::wstring> FilterNames(vorlinde::TFilterGraph& graph) {
    std::set<std::wstring> names;
    for (const auto& filter : vorlinde::GraphFilters(graph.Query<IFilterGraph>(IID_IFilterGraph).Get())) {
        FILTER_INFO info{};
        filter->QueryFilterInfo(&info);
        if (info.pGraph) info.pGraph->Release();
        names.insert(info.achName);
    }
    return names;
}

bool InGraph(vorlinde::TFilterGraph& graph, IBaseFilter* filter) {
    for (const auto& f : vorlinde::GraphFilters(graph.Query<IFilterGraph>(IID_IFilterGraph).Get()))
        if (vorlinde::SameComObject(f.Get(), filter)) return true;
    return false;
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
