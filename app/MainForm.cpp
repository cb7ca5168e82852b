#include "app/MainForm.h"

#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/StringUtils.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"
#include "skin/FileTheme.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/controls/PopupMenu.h"
#include "tray/TrayIcon.h"

namespace vorlinde {

TForm1* Form1 = nullptr;

const vl::TClassInfo& TForm1::StaticClass() {
    static const vl::TClassInfo info = vl::TClassBuilder<TForm1>("TForm1", &vl::TForm::StaticClass()).Build();
    return info;
}

TForm1::TForm1(vl::TComponent* owner) : vl::TForm(owner) {
    RegisterHandlers();
    LoadFromResource("TFORM1");
}

TForm1::~TForm1() {
    // The program-wide state lives as long as the main window.
    RegSettings.reset();
    ExeFolder.clear();
    PlayOrderArray.clear();
    PlayPosition = 0;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::RegisterHandlers() {
    RegisterHandler("FormCreate", &TForm1::FormCreate);
    RegisterHandler("FormShow", &TForm1::FormShow);
    RegisterHandler("FormCloseQuery", &TForm1::FormCloseQuery);
    RegisterHandler("FormKeyDown", &TForm1::FormKeyDown);
    RegisterHandler("Timer1Timer", &TForm1::Timer1Timer);
    RegisterHandler("suitempbtnOkClick", &TForm1::suitempbtnOkClick);
    RegisterHandler("suitempbtnCancelClick", &TForm1::suitempbtnCancelClick);
    RegisterHandler("TrayIcon1Startup", &TForm1::TrayIcon1Startup);
    RegisterHandler("suitempbtnAddClick", &TForm1::suitempbtnAddClick);
    RegisterHandler("suitempbtnDeleteClick", &TForm1::suitempbtnDeleteClick);
    RegisterHandler("suitempbtnUpClick", &TForm1::suitempbtnUpClick);
    RegisterHandler("suitempbtnDownClick", &TForm1::suitempbtnDownClick);
    RegisterHandler("suitempbtnClearClick", &TForm1::suitempbtnClearClick);
    RegisterHandler("suitemplsbMovieClick", &TForm1::suitemplsbMovieClick);
    RegisterHandler("suitempchkPreviewClick", &TForm1::suitempchkPreviewClick);
    RegisterHandler("FilterGraph1GraphComplete", &TForm1::FilterGraph1GraphComplete);
    RegisterHandler("Pause1Click", &TForm1::Pause1Click);
    RegisterHandler("Stop1Click", &TForm1::Stop1Click);
    RegisterHandler("suitempPopupMenu1Popup", &TForm1::suitempPopupMenu1Popup);
    RegisterHandler("suitempbtnDesktopClick", &TForm1::suitempbtnDesktopClick);
    RegisterHandler("TrayIcon1Click", &TForm1::TrayIcon1Click);
    RegisterHandler("Options1Click", &TForm1::Options1Click);
    RegisterHandler("Help1Click", &TForm1::Help1Click);
    RegisterHandler("About1Click", &TForm1::About1Click);
    RegisterHandler("Exit1Click", &TForm1::Exit1Click);
    RegisterHandler("suiForm1TitleBarHelpBtnClick", &TForm1::suiForm1TitleBarHelpBtnClick);
    RegisterHandler("suitempButton1Click", &TForm1::suitempButton1Click);
}

namespace {
// The component of `form` named `name`, which the form description must have created.
template <class T>
T* Bind(vl::TComponent& form, const char* name) {
    T* component = dynamic_cast<T*>(form.FindComponent(name));
    if (!component) throw vl::EReadError(std::string("Component ") + name + " missing from the main window");
    return component;
}
}  // namespace

void TForm1::BindComponents() {
    suiForm1 = Bind<TsuiForm>(*this, "suiForm1");
    lblList = Bind<vl::TLabel>(*this, "lblList");
    lsbMovie = Bind<TsuiListBox>(*this, "lsbMovie");
    chkPreview = Bind<TsuiCheckBox>(*this, "chkPreview");
    chkAutoStart = Bind<TsuiCheckBox>(*this, "chkAutoStart");
    chkStartPlay = Bind<TsuiCheckBox>(*this, "chkStartPlay");
    rdgOrder = Bind<TsuiRadioGroup>(*this, "rdgOrder");
    btnAdd = Bind<TsuiButton>(*this, "btnAdd");
    btnDelete = Bind<TsuiButton>(*this, "btnDelete");
    btnUp = Bind<TsuiButton>(*this, "btnUp");
    btnDown = Bind<TsuiButton>(*this, "btnDown");
    btnClear = Bind<TsuiButton>(*this, "btnClear");
    btnDesktop = Bind<TsuiButton>(*this, "btnDesktop");
    Button1 = Bind<TsuiButton>(*this, "Button1");
    btnOk = Bind<TsuiButton>(*this, "btnOk");
    btnCancel = Bind<TsuiButton>(*this, "btnCancel");
    Panel1 = Bind<vl::TPanel>(*this, "Panel1");
    DSVideoWindowEx21 = Bind<TDSVideoWindowEx2>(*this, "DSVideoWindowEx21");
    FilterGraph1 = Bind<TFilterGraph>(*this, "FilterGraph1");
    TrayIcon1 = Bind<TTrayIcon>(*this, "TrayIcon1");
    PopupMenu1 = Bind<TsuiPopupMenu>(*this, "PopupMenu1");
    Pause1 = Bind<vl::TMenuItem>(*this, "Pause1");
    Stop1 = Bind<vl::TMenuItem>(*this, "Stop1");
    Options1 = Bind<vl::TMenuItem>(*this, "Options1");
    Help1 = Bind<vl::TMenuItem>(*this, "Help1");
    About1 = Bind<vl::TMenuItem>(*this, "About1");
    Exit1 = Bind<vl::TMenuItem>(*this, "Exit1");
    opdMovie = Bind<vl::TOpenDialog>(*this, "opdMovie");
    Timer1 = Bind<vl::TTimer>(*this, "Timer1");
    suiThemeManager1 = Bind<TsuiThemeManager>(*this, "suiThemeManager1");
    suiFileTheme1 = Bind<TsuiFileTheme>(*this, "suiFileTheme1");
}

void TForm1::Loaded() {
    vl::TForm::Loaded();
    BindComponents();
}

bool TForm1::PlaylistEmpty() { return lsbMovie->Items()->Count() == 0; }

void TForm1::FormCreate(vl::TObject*) {
    const TTrayNotificationHold hold;
    RegSettings = std::make_unique<vl::TRegIniFile>(kSettingsKey);
    LoadSettings();
    ExeFolder = vl::ExtractFilePath(vl::Application->ExeName());
    if (PlaylistEmpty()) {
        // Nothing to play: show the settings window shortly after start.
        Timer1->SetEnabled(true);
        return;
    }
    InitAry();
    StartDesktopMovie();
    ShowHint();
}

void TForm1::FormShow(vl::TObject*) {}

void TForm1::FormCloseQuery(vl::TObject*, bool&) {
    const TTrayNotificationHold hold;
    // A close request that arrives while the tray menu is open (its loop dispatches it) ends
    // the menu too: otherwise the menu's loop would go on and the program would not end.
    EndMenu();
    DSVideoWindowEx21->NormalPlayback();
    FilterGraph1->Stop();
    FilterGraph1->ClearGraph();
    FilterGraph1->SetActive(false);
}

void TForm1::Timer1Timer(vl::TObject*) {
    Timer1->SetEnabled(false);
    TrayIcon1->ShowMainForm();
}

void TForm1::suitempbtnOkClick(vl::TObject*) {
    SaveSettings();
    Confirm();
}

void TForm1::suitempbtnCancelClick(vl::TObject*) { Confirm(); }

void TForm1::Confirm() {
    const TTrayNotificationHold hold;
    if (!PlaylistEmpty()) {
        InitAry();
        StartDesktopMovie();
    }
    vl::Application->Minimize();
    ShowHint();
}

void TForm1::TrayIcon1Startup(vl::TObject*, bool& showMainForm) { showMainForm = false; }

}  // namespace vorlinde
