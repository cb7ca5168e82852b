#pragma once
// TsuiDialog: the common part of the skinned message and input dialogs. A non-visual
// component that holds what each run of the dialog gives its window: caption, position, fonts,
// UI style and file theme. Execute builds the window from its form description, shows it
// modally, frees it and returns the modal result; nothing of the window outlives the call.
#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "skin/UIStyle.h"
#include "skin/controls/ThemeLook.h"

namespace vorlinde {

class TsuiFileTheme;
class TsuiForm;

class TsuiDialog : public vl::TComponent {
    VL_DECLARE_CLASS()
public:
    // Takes the UI style of the skinned frame on `owner` (DeepBlue without one).
    explicit TsuiDialog(vl::TComponent* owner);
    ~TsuiDialog() override;

    TsuiFileTheme* FileTheme() const { return fileTheme_.Get(); }
    // Stores the reference, then applies UIStyle again.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    // MacOS draws a light title bar: the caption font turns black.
    void SetUIStyle(TsuiUIStyle style);
    vl::TPosition Position() const { return position_; }
    void SetPosition(vl::TPosition position) { position_ = position; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    // The window's font and the title bar's; the setters copy the font given.
    vl::TFont* Font() { return &font_; }
    void SetFont(const vl::TFont& font) { font_.Assign(font); }
    vl::TFont* CaptionFont() { return &captionFont_; }
    void SetCaptionFont(const vl::TFont& font) { captionFont_.Assign(font); }
    // The cursor over the dialog's buttons (a vl::cr* identifier).
    int ButtonCursor() const { return buttonCursor_; }
    void SetButtonCursor(int cursor) { buttonCursor_ = cursor; }

    // Builds, shows modally and frees the window; the modal result.
    virtual int Execute() = 0;

protected:
    // The dialog's theme going away leaves DeepBlue.
    void Notification(vl::TComponent* component, vl::TOperation operation) override;
    // What both windows get before they show: the position, the frame taking the native
    // caption away again, and the frame's caption, style, theme and title font.
    void PrepareWindow(vl::TForm& window, TsuiForm& frame);

private:
    TsuiThemeLink fileTheme_;
    TsuiUIStyle uiStyle_;
    vl::TPosition position_ = vl::TPosition::ScreenCenter;
    std::string caption_ = "suiDialog";
    vl::TFont font_;
    vl::TFont captionFont_;
    int buttonCursor_ = vl::crHandPoint;
};

}  // namespace vorlinde
