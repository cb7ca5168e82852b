#include "app/AboutForm.h"

#include "app/ProgramState.h"
#include "app/ShellOpen.h"
#include "framework/ClassBuilder.h"
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

namespace {
template <class T>
T* Bind(vl::TComponent& form, const char* name) {
    T* component = dynamic_cast<T*>(form.FindComponent(name));
    if (!component) throw vl::EReadError(std::string("Component ") + name + " missing from the About window");
    return component;
}

// A plain label acting as a link: blue, red while the mouse is over it, and a click opens its
// target through the shell when the target is not blank.
void MakeLink(vl::TLabel& label, const std::string& target) {
    label.OnMouseEnter = [&label](vl::TObject*) { label.Font()->SetColor(vl::clRed); };
    label.OnMouseLeave = [&label](vl::TObject*) { label.Font()->SetColor(vl::clBlue); };
    label.OnClick = [target](vl::TObject*) {
        const std::string trimmed = vl::Trim(target);
        if (!trimmed.empty()) ShellOpen(nullptr, "open", trimmed, nullptr, nullptr, SW_SHOWNORMAL);
    };
}
}  // namespace

void TForm2::Loaded() {
    vl::TForm::Loaded();
    suiForm1 = Bind<TsuiForm>(*this, "suiForm1");
    Label2 = Bind<vl::TLabel>(*this, "Label2");
    Label3 = Bind<vl::TLabel>(*this, "Label3");
    Label4 = Bind<vl::TLabel>(*this, "Label4");
    suiURLLabel1 = Bind<vl::TLabel>(*this, "suiURLLabel1");
    suiURLLabel2 = Bind<vl::TLabel>(*this, "suiURLLabel2");
    Button1 = Bind<TsuiButton>(*this, "Button1");
    suiThemeManager1 = Bind<TsuiThemeManager>(*this, "suiThemeManager1");
    // The web site's address is the caption; the mail link writes to the address it shows.
    MakeLink(*suiURLLabel1, suiURLLabel1->Caption());
    MakeLink(*suiURLLabel2, "mailto:" + suiURLLabel2->Caption());
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
