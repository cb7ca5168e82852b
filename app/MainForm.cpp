#include "app/MainForm.h"

#include "app/ProgramState.h"
#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/ComponentBinding.h"
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

void TForm1::BindComponents() {
    suiForm1 = vl::BindComponent<TsuiForm>(*this, "suiForm1");
    lblList = vl::BindComponent<vl::TLabel>(*this, "lblList");
    lsbMovie = vl::BindComponent<TsuiListBox>(*this, "lsbMovie");
    chkPreview = vl::BindComponent<TsuiCheckBox>(*this, "chkPreview");
    chkAutoStart = vl::BindComponent<TsuiCheckBox>(*this, "chkAutoStart");
    chkStartPlay = vl::BindComponent<TsuiCheckBox>(*this, "chkStartPlay");
    rdgOrder = vl::BindComponent<TsuiRadioGroup>(*this, "rdgOrder");
    btnAdd = vl::BindComponent<TsuiButton>(*this, "btnAdd");
    btnDelete = vl::BindComponent<TsuiButton>(*this, "btnDelete");
    btnUp = vl::BindComponent<TsuiButton>(*this, "btnUp");
    btnDown = vl::BindComponent<TsuiButton>(*this, "btnDown");
    btnClear = vl::BindComponent<TsuiButton>(*this, "btnClear");
    btnDesktop = vl::BindComponent<TsuiButton>(*this, "btnDesktop");
    Button1 = vl::BindComponent<TsuiButton>(*this, "Button1");
    btnOk = vl::BindComponent<TsuiButton>(*this, "btnOk");
    btnCancel = vl::BindComponent<TsuiButton>(*this, "btnCancel");
    Panel1 = vl::BindComponent<vl::TPanel>(*this, "Panel1");
    DSVideoWindowEx21 = vl::BindComponent<TDSVideoWindowEx2>(*this, "DSVideoWindowEx21");
    FilterGraph1 = vl::BindComponent<TFilterGraph>(*this, "FilterGraph1");
    TrayIcon1 = vl::BindComponent<TTrayIcon>(*this, "TrayIcon1");
    PopupMenu1 = vl::BindComponent<TsuiPopupMenu>(*this, "PopupMenu1");
    Pause1 = vl::BindComponent<vl::TMenuItem>(*this, "Pause1");
    Stop1 = vl::BindComponent<vl::TMenuItem>(*this, "Stop1");
    Options1 = vl::BindComponent<vl::TMenuItem>(*this, "Options1");
    Help1 = vl::BindComponent<vl::TMenuItem>(*this, "Help1");
    About1 = vl::BindComponent<vl::TMenuItem>(*this, "About1");
    Exit1 = vl::BindComponent<vl::TMenuItem>(*this, "Exit1");
    opdMovie = vl::BindComponent<vl::TOpenDialog>(*this, "opdMovie");
    Timer1 = vl::BindComponent<vl::TTimer>(*this, "Timer1");
    suiThemeManager1 = vl::BindComponent<TsuiThemeManager>(*this, "suiThemeManager1");
    suiFileTheme1 = vl::BindComponent<TsuiFileTheme>(*this, "suiFileTheme1");
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
