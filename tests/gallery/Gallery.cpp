#include "gallery/Gallery.h"

#include "framework/Application.h"
#include "framework/Graphics.h"
#include "skin/FileTheme.h"
#include "skin/ThemeManager.h"

namespace gallery {

const std::vector<TLook>& Looks() {
    using vorlinde::TsuiUIStyle;
    static const std::vector<TLook> looks = {
        {"MacOS", TsuiUIStyle::MacOS},         {"WinXP", TsuiUIStyle::WinXP},
        {"DeepBlue", TsuiUIStyle::DeepBlue},   {"Protein", TsuiUIStyle::Protein},
        {"BlueGlass", TsuiUIStyle::BlueGlass}, {"msn", TsuiUIStyle::FromThemeFile},
    };
    return looks;
}

std::string ThemeFilePath() {
    std::string path = std::string(VORLINDE_PROGRAM_DIR) + "/msn.sui";
    if (path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void ApplyLook(const TLook& look, vorlinde::TsuiThemeManager& manager, vorlinde::TsuiFileTheme* theme) {
    if (look.style == vorlinde::TsuiUIStyle::FromThemeFile && theme) {
        theme->SetThemeFile(ThemeFilePath());
        manager.SetUIStyle(vorlinde::TsuiUIStyle::FromThemeFile);
        manager.SetFileTheme(theme);
    } else {
        manager.SetFileTheme(nullptr);
        manager.SetUIStyle(look.style);
    }
}

void PrepareEmptySettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde");
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Vorlinde\\Options", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        const char off[] = "0";
        RegSetValueExA(key, "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>(off), sizeof(off));
        RegCloseKey(key);
    }
}

void Capture(const std::string& name, const RECT& screenRect) {
    const int width = screenRect.right - screenRect.left, height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0) return;
    vl::TBitmap picture(width, height);
    {
        vl::TScreenDC screen;
        BitBlt(picture.Canvas().Handle(), 0, 0, width, height, screen.Get(), screenRect.left, screenRect.top,
               SRCCOPY);
    }
    picture.SetPixelFormat(vl::TPixelFormat::Bit24);
    picture.SaveToFile(OutputFolder() + "\\" + name + ".bmp");
}

void CaptureWindow(const std::string& name, HWND window, int margin) {
    RECT rect{};
    GetWindowRect(window, &rect);
    InflateRect(&rect, margin, margin);
    Capture(name, rect);
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        vl::Application->ProcessMessages();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

void MoveMouseTo(int x, int y) {
    SetCursorPos(x, y);
    PumpFor(60);
}

TSceneRegistration::TSceneRegistration(const char* name, TScene scene) {
    Scenes().push_back({name, std::move(scene)});
}

std::vector<TNamedScene>& Scenes() {
    static std::vector<TNamedScene> scenes;
    return scenes;
}

std::string& OutputFolder() {
    static std::string folder = ".";
    return folder;
}

}  // namespace gallery
