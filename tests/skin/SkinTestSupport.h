#pragma once
// Helpers of the skin engine tests: stand-in skinned components that record how their UIStyle
// and FileTheme are set, theme files written to disk for a test's lifetime, and small bitmap
// helpers.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/Graphics.h"
#include "skin/FileTheme.h"
#include "skin/UIStyle.h"
#include "suiwriter/ThemeFileWriter.h"

namespace skintest {

// Every UIStyle and FileTheme assignment to the recording components, oldest first, as
// "<name>.UIStyle=<ordinal>" or "<name>.FileTheme=<theme name or nil>".
std::vector<std::string>& SetterLog();

// A skinned control as the theme manager and the file theme see it: publishes UIStyle and
// FileTheme (readable), and records each assignment.
class TsuiTestControl : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiTestControl(vl::TComponent* owner);
    ~TsuiTestControl() override;
    vorlinde::TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(vorlinde::TsuiUIStyle style);
    vorlinde::TsuiFileTheme* FileTheme() const { return theme_; }
    void SetFileTheme(vorlinde::TsuiFileTheme* theme);

protected:
    void Notification(vl::TComponent* component, vl::TOperation operation) override;

private:
    vorlinde::TsuiUIStyle style_ = vorlinde::TsuiUIStyle::DeepBlue;
    vorlinde::TsuiFileTheme* theme_ = nullptr;
};

// The same properties on a class whose name does not begin with "Tsui".
class TPlainTestControl : public TsuiTestControl {
    VL_DECLARE_CLASS()
public:
    using TsuiTestControl::TsuiTestControl;
};

// A control that publishes only UIStyle.
class TsuiStyleOnlyControl : public vl::TWinControl {
    VL_DECLARE_CLASS()
public:
    explicit TsuiStyleOnlyControl(vl::TComponent* owner) : vl::TWinControl(owner) {}
    vorlinde::TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(vorlinde::TsuiUIStyle style);

private:
    vorlinde::TsuiUIStyle style_ = vorlinde::TsuiUIStyle::DeepBlue;
};

void RegisterTestClasses();

// A form owned by the application, destroyed with the test.
std::unique_ptr<vl::TForm> MakeForm();

template <class T>
T* AddControl(vl::TForm& form, const std::string& name, vl::TWinControl* parent = nullptr) {
    auto* c = new T(&form);
    c->SetName(name);
    c->SetParent(parent ? parent : &form);
    return c;
}

// The folder of the test executable, with a trailing backslash.
std::string ExeFolder();
// A file name no other test uses ("<stem>-<counter>-<process id>.sui").
std::string UniqueName(const std::string& stem);

// A file with the given bytes, deleted when the object ends.
class TempFile {
public:
    TempFile(std::string path, const std::vector<uint8_t>& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Rewrite(const std::vector<uint8_t>& bytes);

private:
    std::string path_;
};

// A .bmp file image w x h of one colour (0x00BBGGRR).
std::vector<uint8_t> SolidBmp(int w, int h, uint32_t color);
// A .bmp file image whose column x has the colour RGB(x, 0, 255 - x).
std::vector<uint8_t> ColumnBmp(int w, int h);

// The colour of a bitmap pixel as 0x00BBGGRR.
uint32_t PixelAt(vl::TBitmap& bitmap, int x, int y);
void SetPixelAt(vl::TBitmap& bitmap, int x, int y, uint32_t color);

// A theme file's bytes with the given header size.
std::vector<uint8_t> WithHeaderSize(std::vector<uint8_t> file, uint32_t size);

}  // namespace skintest
