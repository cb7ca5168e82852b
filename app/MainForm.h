#pragma once
// The main window: the settings window the user sees, and the controller that owns every
// component of the program and receives every event.
#include <windows.h>

#include <string>

#include "framework/Control.h"
#include "framework/Form.h"
// The skinned controls of the window, whose operations its users call.
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/ListBox.h"
#include "skin/controls/RadioGroup.h"

struct IBaseFilter;

namespace vl {
class TLabel;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TTimer;
}  // namespace vl

namespace vorlinde {

class TDSVideoWindowEx2;
class TFilterGraph;
class TTrayIcon;
class TsuiFileTheme;
class TsuiForm;
class TsuiPopupMenu;
class TsuiThemeManager;

class TForm1 : public vl::TForm {
    VL_DECLARE_CLASS()
public:
    // Loads the window from its form description ("TFORM1") and runs FormCreate.
    explicit TForm1(vl::TComponent* owner);
    ~TForm1() override;

    // Components, bound by name once the form description is loaded.
    TsuiForm* suiForm1 = nullptr;
    vl::TLabel* lblList = nullptr;
    TsuiListBox* lsbMovie = nullptr;
    TsuiCheckBox* chkPreview = nullptr;
    TsuiCheckBox* chkAutoStart = nullptr;
    TsuiCheckBox* chkStartPlay = nullptr;
    TsuiRadioGroup* rdgOrder = nullptr;
    TsuiButton* btnAdd = nullptr;
    TsuiButton* btnDelete = nullptr;
    TsuiButton* btnUp = nullptr;
    TsuiButton* btnDown = nullptr;
    TsuiButton* btnClear = nullptr;
    TsuiButton* btnDesktop = nullptr;
    TsuiButton* Button1 = nullptr;
    TsuiButton* btnOk = nullptr;
    TsuiButton* btnCancel = nullptr;
    vl::TPanel* Panel1 = nullptr;
    TDSVideoWindowEx2* DSVideoWindowEx21 = nullptr;
    TFilterGraph* FilterGraph1 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TsuiPopupMenu* PopupMenu1 = nullptr;
    vl::TMenuItem* Pause1 = nullptr;
    vl::TMenuItem* Stop1 = nullptr;
    vl::TMenuItem* Options1 = nullptr;
    vl::TMenuItem* Help1 = nullptr;
    vl::TMenuItem* About1 = nullptr;
    vl::TMenuItem* Exit1 = nullptr;
    vl::TOpenDialog* opdMovie = nullptr;
    vl::TTimer* Timer1 = nullptr;
    TsuiThemeManager* suiThemeManager1 = nullptr;
    TsuiFileTheme* suiFileTheme1 = nullptr;

    // --- start-up, confirm and closing
    void FormCreate(vl::TObject* sender);
    void FormShow(vl::TObject* sender);
    void FormCloseQuery(vl::TObject* sender, bool& canClose);
    void FormKeyDown(vl::TObject* sender, WORD& key, vl::TShiftState shift);
    void Timer1Timer(vl::TObject* sender);
    void suitempbtnOkClick(vl::TObject* sender);
    void suitempbtnCancelClick(vl::TObject* sender);
    void TrayIcon1Startup(vl::TObject* sender, bool& showMainForm);

    // --- settings store
    void LoadSettings();
    void SaveSettings();

    // --- playlist and play order
    void suitempbtnAddClick(vl::TObject* sender);
    void suitempbtnDeleteClick(vl::TObject* sender);
    void suitempbtnUpClick(vl::TObject* sender);
    void suitempbtnDownClick(vl::TObject* sender);
    void suitempbtnClearClick(vl::TObject* sender);
    void suitemplsbMovieClick(vl::TObject* sender);
    void suitempchkPreviewClick(vl::TObject* sender);
    void InitAry();

    // --- playback
    void PlayNow(const std::string& fileName);
    void StartDesktopMovie();
    std::string NextDesktopFile();
    void StopNow();
    void FilterGraph1GraphComplete(vl::TObject* sender, HRESULT result, IBaseFilter* renderer);
    void Pause1Click(vl::TObject* sender);
    void Stop1Click(vl::TObject* sender);
    void suitempPopupMenu1Popup(vl::TObject* sender);
    void suitempbtnDesktopClick(vl::TObject* sender);

    // --- tray commands, help and About window
    void ShowHint();
    void TrayIcon1Click(vl::TObject* sender);
    void Options1Click(vl::TObject* sender);
    void Help1Click(vl::TObject* sender);
    void About1Click(vl::TObject* sender);
    void Exit1Click(vl::TObject* sender);
    void suiForm1TitleBarHelpBtnClick(vl::TObject* sender, int buttonIndex);
    void suitempButton1Click(vl::TObject* sender);

protected:
    void Loaded() override;

private:
    void RegisterHandlers();
    void BindComponents();
    // After "&Ok" (once saved) and "&Cancel": restart playback with a new order, go to the tray,
    // show the first-run balloon.
    void Confirm();
    bool PlaylistEmpty();
};

// The main window (null until created and after it is destroyed).
extern TForm1* Form1;

}  // namespace vorlinde
