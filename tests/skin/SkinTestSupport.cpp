#include "SkinTestSupport.h"

#include <cstring>
#include <fstream>

#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/StringUtils.h"
#include "framework/BitmapFile.h"

namespace skintest {

std::vector<std::string>& SetterLog() {
    static std::vector<std::string> log;
    return log;
}

const vl::TClassInfo& TsuiTestControl::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiTestControl>("TsuiTestControl", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("UIStyle", &TsuiTestControl::SetUIStyle, &TsuiTestControl::UIStyle)
            .Reference("FileTheme", &TsuiTestControl::SetFileTheme, &TsuiTestControl::FileTheme)
            .Build();
    return info;
}

TsuiTestControl::TsuiTestControl(vl::TComponent* owner) : vl::TWinControl(owner) {}

TsuiTestControl::~TsuiTestControl() {
    if (theme_) RemoveFreeNotification(theme_);
}

void TsuiTestControl::SetUIStyle(vorlinde::TsuiUIStyle style) {
    style_ = style;
    SetterLog().push_back(Name() + ".UIStyle=" + std::to_string(static_cast<int>(style)));
}

void TsuiTestControl::SetFileTheme(vorlinde::TsuiFileTheme* theme) {
    if (theme_ && theme_ != theme) RemoveFreeNotification(theme_);
    theme_ = theme;
    if (theme) FreeNotification(theme);
    SetterLog().push_back(Name() + ".FileTheme=" + (theme ? theme->Name() : std::string("nil")));
}

void TsuiTestControl::Notification(vl::TComponent* component, vl::TOperation operation) {
    vl::TWinControl::Notification(component, operation);
    if (operation == vl::TOperation::Remove && component == theme_) theme_ = nullptr;
}

const vl::TClassInfo& TPlainTestControl::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TPlainTestControl>("TPlainTestControl", &TsuiTestControl::StaticClass()).Creatable().Build();
    return info;
}

const vl::TClassInfo& TsuiStyleOnlyControl::StaticClass() {
    static const vl::TClassInfo info =
        vl::TClassBuilder<TsuiStyleOnlyControl>("TsuiStyleOnlyControl", &vl::TWinControl::StaticClass())
            .Creatable()
            .Prop("UIStyle", &TsuiStyleOnlyControl::SetUIStyle, &TsuiStyleOnlyControl::UIStyle)
            .Build();
    return info;
}

void TsuiStyleOnlyControl::SetUIStyle(vorlinde::TsuiUIStyle style) {
    style_ = style;
    SetterLog().push_back(Name() + ".UIStyle=" + std::to_string(static_cast<int>(style)));
}

void RegisterTestClasses() {
    vl::RegisterComponentClass(TsuiTestControl::StaticClass());
    vl::RegisterComponentClass(TPlainTestControl::StaticClass());
    vl::RegisterComponentClass(TsuiStyleOnlyControl::StaticClass());
}

std::unique_ptr<vl::TForm> MakeForm() { return std::make_unique<vl::TForm>(vl::Application); }

std::string ExeFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return vl::ExtractFilePath(std::string(path, n));
}

std::string UniqueName(const std::string& stem) {
    static int counter = 0;
    return stem + "-" + std::to_string(++counter) + "-" + std::to_string(GetCurrentProcessId()) + ".sui";
}

TempFile::TempFile(std::string path, const std::vector<uint8_t>& bytes) : path_(std::move(path)) { Rewrite(bytes); }

TempFile::~TempFile() { DeleteFileA(path_.c_str()); }

void TempFile::Rewrite(const std::vector<uint8_t>& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> SolidBmp(int w, int h, uint32_t color) {
    vl::TBitmapImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<uint8_t>(color >> 16);
            p[1] = static_cast<uint8_t>(color >> 8);
            p[2] = static_cast<uint8_t>(color);
        }
    return vl::EncodeBitmapFile(img, 24);
}

std::vector<uint8_t> ColumnBmp(int w, int h) {
    vl::TBitmapImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Pixel(x, y);
            p[0] = static_cast<uint8_t>(255 - x);
            p[1] = 0;
            p[2] = static_cast<uint8_t>(x);
        }
    return vl::EncodeBitmapFile(img, 24);
}

uint32_t PixelAt(vl::TBitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.ScanLine(y) + x * 4;
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

void SetPixelAt(vl::TBitmap& bitmap, int x, int y, uint32_t color) {
    uint8_t* p = bitmap.ScanLine(y) + x * 4;
    p[0] = static_cast<uint8_t>(color >> 16);
    p[1] = static_cast<uint8_t>(color >> 8);
    p[2] = static_cast<uint8_t>(color);
}

std::vector<uint8_t> WithHeaderSize(std::vector<uint8_t> file, uint32_t size) {
    suiwriter::PokeU32(file, 12, size);
    return file;
}

}  // namespace skintest
