#include "app/AboutForm.h"

#include "app/ProgramState.h"
#include "framework/ClassBuilder.h"
#include "framework/ComponentBinding.h"
#include "framework/Exceptions.h"
#include "framework/Graphics.h"
#include "framework/RegIniFile.h"
#include "framework/StdCtrls.h"
#include "framework/StringUtils.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"

namespace vorlinde {

TForm2* Form2 = nullptr;

const vl::TClassInfo& TForm2::StaticClass() {
    static const vl::TClassInfo info = vl::TClassBuilder<TForm2>("TForm2", &vl::TForm::StaticClass()).Build();
    return info;
}

TForm2::TForm2(vl::TComponent* owner) : vl::TForm(owner) {
    RegisterHandler("FormCreate", &TForm2::FormCreate);
    RegisterHandler("suitempButton1Click", &TForm2::suitempButton1Click);
    LoadFromResource("TFORM2");
}

TForm2::~TForm2() {
    if (Form2 == this) Form2 = nullptr;
}

void TForm2::Loaded() {
    vl::TForm::Loaded();
    suiForm1 = vl::BindComponent<TsuiForm>(*this, "suiForm1");
    Label2 = vl::BindComponent<vl::TLabel>(*this, "Label2");
    Label3 = vl::BindComponent<vl::TLabel>(*this, "Label3");
    Label4 = vl::BindComponent<vl::TLabel>(*this, "Label4");
    suiURLLabel1 = vl::BindComponent<TsuiURLLabel>(*this, "suiURLLabel1");
    suiURLLabel2 = vl::BindComponent<TsuiURLLabel>(*this, "suiURLLabel2");
    Button1 = vl::BindComponent<TsuiButton>(*this, "Button1");
    suiThemeManager1 = vl::BindComponent<TsuiThemeManager>(*this, "suiThemeManager1");
}

void TForm2::FormCreate(vl::TObject*) {
    vl::TRegIniFile settings(kSettingsKey);
    std::string skinFileName = settings.ReadString("Options", "SkinFileName", "msn.sui");
    if (!vl::FileExists(skinFileName)) return;
    suiThemeManager1->SetUIStyle(TsuiUIStyle::FromThemeFile);
    suiThemeManager1->SetFileTheme(dynamic_cast<TsuiFileTheme*>(vl::FindGlobalComponent("Form1.suiFileTheme1")));
}

void TForm2::suitempButton1Click(vl::TObject*) { Close(); }

}  // namespace vorlinde
