// A skinned form with a menu bar in each look, the pointer over its second caption, above an
// image panel that tiles a keyed picture over the form's background and shows a caption.
#include <windows.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "gallery/Gallery.h"
#include "skin/FileTheme.h"
#include "skin/MenuBar.h"
#include "skin/SkinForm.h"
#include "skin/ThemeManager.h"
#include "skin/controls/ImagePanel.h"

namespace {

const char kForm[] =
    "object MenuBarScene: TForm\n"
    "  Left = 60\n"
    "  Top = 60\n"
    "  ClientWidth = 360\n"
    "  ClientHeight = 200\n"
    "  object suiForm1: TsuiForm\n"
    "    Caption = 'Menu bar'\n"
    "    object Image1: TsuiImagePanel\n"
    "      Left = 20\n"
    "      Top = 70\n"
    "      Width = 320\n"
    "      Height = 100\n"
    "      Caption = '  Tiled picture  '\n"
    "      Transparent = True\n"
    "      Font.Height = -13\n"
    "      Font.Name = 'Tahoma'\n"
    "      Font.Style = [fsBold]\n"
    "      DrawStyle = suiTile\n"
    "    end\n"
    "  end\n"
    "  object MainMenu1: TsuiMainMenu\n"
    "    object File1: TMenuItem\n"
    "      Caption = '&File'\n"
    "      object Open1: TMenuItem\n"
    "        Caption = '&Open...'\n"
    "      end\n"
    "    end\n"
    "    object Edit1: TMenuItem\n"
    "      Caption = '&Edit'\n"
    "      object Cut1: TMenuItem\n"
    "        Caption = 'Cu&t'\n"
    "      end\n"
    "    end\n"
    "    object View1: TMenuItem\n"
    "      Caption = '&View'\n"
    "      Enabled = False\n"
    "    end\n"
    "    object Help1: TMenuItem\n"
    "      Caption = '&Help'\n"
    "    end\n"
    "  end\n"
    "  object suiFileTheme1: TsuiFileTheme\n"
    "  end\n"
    "  object suiThemeManager1: TsuiThemeManager\n"
    "    CompList.Strings = (\n"
    "      'suiForm1'\n"
    "      'MainMenu1')\n"
    "  end\n"
    "end\n";

}  // namespace

GALLERY_SCENE("menubar", [](const gallery::TLook& look) {
    auto form = std::make_unique<vl::TForm>(vl::Application);
    form->LoadFromText(kForm);
    auto* frame = dynamic_cast<vorlinde::TsuiForm*>(form->FindComponent("suiForm1"));
    auto* manager = dynamic_cast<vorlinde::TsuiThemeManager*>(form->FindComponent("suiThemeManager1"));
    auto* theme = dynamic_cast<vorlinde::TsuiFileTheme*>(form->FindComponent("suiFileTheme1"));
    auto* image = dynamic_cast<vorlinde::TsuiImagePanel*>(form->FindComponent("Image1"));
    if (!frame || !manager || !theme || !image || !frame->MenuBar()) return;
    // The icon strip is keyed on magenta: drawn without its key, as a program would show it.
    image->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), "MSGDLG");
    image->Picture()->Bitmap()->SetTransparent(true);
    gallery::ApplyLook(look, *manager, theme);
    form->Show();
    SetForegroundWindow(form->Handle());
    const RECT edit = frame->MenuBar()->ButtonRect(1);
    const POINT p = frame->MenuBar()->ClientToScreen(POINT{(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2});
    gallery::MoveMouseTo(p.x, p.y);
    gallery::PumpFor(200);
    gallery::CaptureWindow("menubar-" + look.name, form->Handle(), 4);
    form.reset();
    gallery::PumpFor(50);
});
