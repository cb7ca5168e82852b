#pragma once
// The About window: created at start right after the main window, hidden until asked for.
#include "framework/Form.h"
// The window's skinned button and link labels, whose operations its users call.
#include "skin/controls/Button.h"
#include "skin/controls/URLLabel.h"

namespace vl {
class TLabel;
}  // namespace vl

namespace vorlinde {

class TsuiForm;
class TsuiThemeManager;

class TForm2 : public vl::TForm {
    VL_DECLARE_CLASS()
public:
    // Loads the window from its form description ("TFORM2") and runs FormCreate. The main
    // window must exist: the About window draws from its file theme.
    explicit TForm2(vl::TComponent* owner);
    ~TForm2() override;

    TsuiForm* suiForm1 = nullptr;
    vl::TLabel* Label2 = nullptr;
    vl::TLabel* Label3 = nullptr;
    vl::TLabel* Label4 = nullptr;
    TsuiURLLabel* suiURLLabel1 = nullptr;
    TsuiURLLabel* suiURLLabel2 = nullptr;
    TsuiButton* Button1 = nullptr;
    TsuiThemeManager* suiThemeManager1 = nullptr;

    // Follows the theme file when the one named by "SkinFileName" exists.
    void FormCreate(vl::TObject* sender);
    // "&Close": hides the window (ends its modal showing).
    void suitempButton1Click(vl::TObject* sender);

protected:
    void Loaded() override;
};

// The About window (null until created and after it is destroyed).
extern TForm2* Form2;

}  // namespace vorlinde
