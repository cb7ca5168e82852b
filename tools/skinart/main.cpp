// skinart: draws the skin art that the build compiles into the program and into "msn.sui".
//
//   skinart --out DIR            every built-in bitmap as DIR/<NAME>.bmp, and DIR/skin_bitmaps.rc
//                                naming them as bitmap resources
//   skinart --theme DIR          the bitmaps of the msn theme as DIR/<ItemName>.bmp
//   skinart --sheet FILE.png     the contact sheet of all of it
//   skinart --previews FILE.png  only the assembled previews of the looks
//   skinart --form FILE.form     draws the pictures anew that the form description tags with
//                                "// art: NAME" (the dialogs' title bars); may be repeated
//   skinart --forms FILE.form    puts the title bar pictures into a form description's frame
//                                (the file is rewritten; give it once per form)
//   skinart --check-form FILE    fails when the form's title bar pictures are not the ones
//                                --forms writes
//
// Options combine; the pictures are the same on every run.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ContactSheet.h"
#include "DialogArt.h"
#include "FormArt.h"
#include "IndexedBitmap.h"
#include "Preview.h"
#include "Styles.h"
#include "skin/ThemeItems.h"

namespace {

using vl::TBitmapImage;

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Resource scripts want forward slashes or doubled backslashes; forward slashes serve both.
std::string ForRc(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// The preview of built-in style 1 to 5, with the offsets and colours of the item table.
skinart::PreviewLook BuiltInPreview(const std::map<std::string, TBitmapImage>& art, int style) {
    const std::string prefix(vorlinde::BuiltInStylePrefix(style));
    auto value = [style](int item) { return vorlinde::ThemeItemInfo(item)->values[style - 1]; };
    auto pic = [&](const char* element) { return &art.at(prefix + element); };
    namespace I = vorlinde::ThemeItem;
    skinart::PreviewLook look{};
    look.titleLeft = pic("TITLE_LEFT");
    look.titleClient = pic("TITLE_CLIENT");
    look.titleRight = pic("TITLE_RIGHT");
    look.titleButtons = pic("TITLEBTN");
    look.button = pic("BUTTON");
    look.checkBox = pic("CHECKBOX");
    look.radio = pic("RADIOBUTTON");
    look.scrollButtons = pic("SCROLLBAR_BUTTON");
    look.scrollThumb = pic("SCROLLBAR_TRACK");
    look.formPattern = style == 1 ? &art.at("MACOS_FORM_BACKGROUND")
                                  : (style == 4 ? &art.at("PROTEIN_FORM_BACKGROUND") : nullptr);
    look.leftOffset = value(I::TitleBarButtonLeftOffsetInt);
    look.rightOffset = value(I::TitleBarButtonRightOffsetInt);
    look.buttonTop = value(I::TitleBarButtonTopInt);
    look.buttonTransparent = value(I::ButtonTransparentBool) != 0;
    look.titleButtonTransparent = value(I::TitleBarButtonTransparentBool) != 0;
    look.formColor = static_cast<uint32_t>(value(I::FormBackgroundColor));
    look.borderColor = static_cast<uint32_t>(value(I::FormBorderColor));
    look.borderWidth = value(I::FormBorderWidthInt);
    look.scrollColor = static_cast<uint32_t>(value(I::ScrollBarBackgroundColor));
    look.darkCaption = style == 1;
    return look;
}

// The msn theme's preview, with the numbers of tools/themes/msn.txt.
skinart::PreviewLook MsnPreview(const std::map<std::string, TBitmapImage>& theme) {
    skinart::PreviewLook look{};
    look.titleLeft = &theme.at("TitleBarLeftImage");
    look.titleClient = &theme.at("TitleBarClientImage");
    look.titleRight = &theme.at("TitleBarRightImage");
    look.titleButtons = &theme.at("TitleBarButtonImage");
    look.button = &theme.at("ButtonImage");
    look.checkBox = &theme.at("CheckBoxImage");
    look.radio = &theme.at("RadioButtonImage");
    look.scrollButtons = &theme.at("ScrollBarButtonImage");
    look.scrollThumb = &theme.at("ScrollBarSliderImage");
    look.leftOffset = 3;
    look.rightOffset = -3;
    look.buttonTop = 6;
    look.buttonTransparent = true;
    look.titleButtonTransparent = true;
    look.formColor = vorlinde::ColorRGB(244, 248, 242);
    look.borderColor = vorlinde::ColorRGB(46, 120, 90);
    look.borderWidth = 1;
    look.scrollColor = vorlinde::ColorRGB(236, 242, 234);
    return look;
}

int Usage() {
    std::cerr << "usage: skinart [--out DIR] [--theme DIR] [--sheet FILE.png] [--previews FILE.png]"
                 " [--forms FILE.form]... [--check-form FILE.form]...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir, themeDir, sheetFile, previewFile;
    std::vector<std::string> taggedForms, formFiles, checkedForms;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        if (arg == "--out") outDir = argv[++i];
        else if (arg == "--theme") themeDir = argv[++i];
        else if (arg == "--sheet") sheetFile = argv[++i];
        else if (arg == "--previews") previewFile = argv[++i];
        else if (arg == "--form") taggedForms.push_back(argv[++i]);
        else if (arg == "--forms") formFiles.push_back(argv[++i]);
        else if (arg == "--check-form") checkedForms.push_back(argv[++i]);
        else return Usage();
    }
    if (outDir.empty() && themeDir.empty() && sheetFile.empty() && previewFile.empty() && taggedForms.empty() &&
        formFiles.empty() && checkedForms.empty())
        return Usage();

    try {
        if (!taggedForms.empty()) {
            const auto formArt = skinart::PaintDialogFormArt();
            for (const std::string& path : taggedForms) {
                std::ifstream in(path, std::ios::binary);
                std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                std::string error;
                if (!in.good() && !in.eof()) error = "cannot read the file";
                else if (skinart::RefreshFormArt(text, formArt, error) && WriteText(path, text)) continue;
                std::cerr << "skinart: " << path << ": " << (error.empty() ? "cannot write the file" : error) << "\n";
                return 1;
            }
        }
        const std::map<std::string, TBitmapImage> art = skinart::PaintBuiltInArt();
        const std::map<std::string, TBitmapImage> theme = skinart::PaintMsnThemeArt();

        for (const std::string& form : formFiles) {
            const std::string text = ReadText(form);
            const std::string rewritten = skinart::RewriteFormArt(text, art);
            if (rewritten != text && !WriteText(form, rewritten)) {
                std::cerr << "skinart: cannot write " << form << "\n";
                return 1;
            }
        }
        for (const std::string& form : checkedForms) {
            const std::string text = ReadText(form);
            if (skinart::RewriteFormArt(text, art) != text) {
                std::cerr << "skinart: the title bar pictures in " << form
                          << " are out of date; run skinart --forms " << form << "\n";
                return 1;
            }
        }
        if (!outDir.empty()) {
            std::string rc =
                "// Generated by tools/skinart: the bitmaps of the built-in UI styles.\n";
            for (const vorlinde::TsuiBuiltInBitmap& b : vorlinde::BuiltInBitmaps()) {
                const std::string path = outDir + "/" + b.name + ".bmp";
                // The message icons are stored with a palette, as 256-colour art.
                const std::vector<uint8_t> file = std::string_view(b.name) == "MSGDLG"
                                                      ? skinart::EncodeIndexedBitmapFile(art.at(b.name), 8)
                                                      : vl::EncodeBitmapFile(art.at(b.name), 24);
                if (!WriteFile(path, file)) {
                    std::cerr << "skinart: cannot write " << path << "\n";
                    return 1;
                }
                rc += std::string(b.name) + " BITMAP \"" + ForRc(path) + "\"\n";
            }
            if (!WriteText(outDir + "/skin_bitmaps.rc", rc)) {
                std::cerr << "skinart: cannot write " << outDir << "/skin_bitmaps.rc\n";
                return 1;
            }
        }
        if (!themeDir.empty()) {
            for (const auto& [item, image] : theme) {
                const std::string path = themeDir + "/" + item + ".bmp";
                if (!WriteFile(path, vl::EncodeBitmapFile(image, 24))) {
                    std::cerr << "skinart: cannot write " << path << "\n";
                    return 1;
                }
            }
        }
        if (!sheetFile.empty() || !previewFile.empty()) {
            std::vector<skinart::SheetSection> sections;
            std::vector<std::unique_ptr<TBitmapImage>> previews;
            const char* titles[] = {"Shared", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
            for (int style = 1; style <= vorlinde::kBuiltInStyleCount; ++style) {
                skinart::SheetSection s{titles[style], {}};
                previews.push_back(std::make_unique<TBitmapImage>(skinart::PaintPreview(BuiltInPreview(art, style))));
                s.images.push_back({"PREVIEW", previews.back().get(), 2});
                for (const vorlinde::TsuiBuiltInBitmap& b : vorlinde::BuiltInBitmaps())
                    if (b.style == style) s.images.push_back({b.name, &art.at(b.name)});
                sections.push_back(std::move(s));
            }
            skinart::SheetSection shared{titles[0], {}};
            for (const vorlinde::TsuiBuiltInBitmap& b : vorlinde::BuiltInBitmaps())
                if (b.style == 0) shared.images.push_back({b.name, &art.at(b.name)});
            sections.push_back(std::move(shared));
            skinart::SheetSection msn{"msn.sui", {}};
            previews.push_back(std::make_unique<TBitmapImage>(skinart::PaintPreview(MsnPreview(theme))));
            msn.images.push_back({"PREVIEW", previews.back().get(), 2});
            for (const auto& [item, image] : theme) msn.images.push_back({item, &image});
            sections.push_back(std::move(msn));
            if (!sheetFile.empty() &&
                !WriteFile(sheetFile, skinart::EncodePng(skinart::ComposeContactSheet(sections, 1600)))) {
                std::cerr << "skinart: cannot write " << sheetFile << "\n";
                return 1;
            }
            if (!previewFile.empty()) {
                skinart::SheetSection all{"Previews", {}};
                for (const skinart::SheetSection& s : sections)
                    for (const skinart::SheetImage& i : s.images)
                        if (i.label == "PREVIEW") all.images.push_back({s.title, i.image, 2});
                if (!WriteFile(previewFile, skinart::EncodePng(skinart::ComposeContactSheet({all}, 1400)))) {
                    std::cerr << "skinart: cannot write " << previewFile << "\n";
                    return 1;
                }
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "skinart: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
