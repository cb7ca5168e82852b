#pragma once
// TsuiMessageDialog: a skinned message box with one to three buttons, an optional icon and a
// text. Execute lays out a TfrmMsg window for the text: the label wraps at its width and grows,
// the buttons stand 20 pixels below the lower of label and icon, right to left from the window's
// right edge, and the window's height follows them.
#include <string>

#include "skin/controls/Dialog.h"

namespace vorlinde {

class TfrmMsg;

enum class TsuiIconType { suiNone = 0, suiWarning = 1, suiStop = 2, suiInformation = 3, suiHelp = 4 };

class TsuiMessageDialog : public TsuiDialog {
    VL_DECLARE_CLASS()
public:
    explicit TsuiMessageDialog(vl::TComponent* owner);

    // 1 to 3; other values are kept within that range.
    int ButtonCount() const { return buttonCount_; }
    void SetButtonCount(int count);
    // Button k of 1 to 3; other numbers are ignored (empty caption, no result).
    const std::string& ButtonCaption(int k) const;
    void SetButtonCaption(int k, const std::string& caption);
    int ButtonModalResult(int k) const;
    void SetButtonModalResult(int k, int result);
    TsuiIconType IconType() const { return iconType_; }
    void SetIconType(TsuiIconType type) { iconType_ = type; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }

    int Execute() override;

private:
    // Steps of Execute.
    void PlaceIcon(TfrmMsg& window);
    void AddButtons(TfrmMsg& window, int bottom);

    int buttonCount_ = 1;
    std::string captions_[3] = {"OK", "Cancel", "Cancel"};
    int results_[3] = {vl::mrOk, vl::mrCancel, vl::mrCancel};
    TsuiIconType iconType_ = TsuiIconType::suiNone;
    std::string text_ = "Hello world!";
};

}  // namespace vorlinde

template <>
struct vl::TEnumNames<vorlinde::TsuiIconType> {
    static const TEnumTable<vorlinde::TsuiIconType>& Table() {
        using I = vorlinde::TsuiIconType;
        static const TEnumTable<I> table = {{"suiNone", I::suiNone},
                                            {"suiWarning", I::suiWarning},
                                            {"suiStop", I::suiStop},
                                            {"suiInformation", I::suiInformation},
                                            {"suiHelp", I::suiHelp}};
        return table;
    }
};
