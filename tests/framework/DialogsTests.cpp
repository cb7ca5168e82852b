// The open-file dialog: what it hands the system and what it takes back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"

using namespace vl;

namespace {

// Answers the dialog as a user would: writes `result` into the file buffer.
class AnsweringDialog : public TOpenDialog {
public:
    explicit AnsweringDialog(std::string result, bool ok = true) : TOpenDialog(nullptr), result_(std::move(result)), ok_(ok) {}
    OPENFILENAMEA seen{};
    std::string seenFilter;

protected:
    BOOL RunDialog(OPENFILENAMEA& ofn) override {
        seen = ofn;
        for (const char* p = ofn.lpstrFilter; p && *p; p += std::strlen(p) + 1) seenFilter += std::string(p) + "|";
        std::memcpy(ofn.lpstrFile, result_.data(), result_.size());
        ofn.lpstrFile[result_.size()] = '\0';
        ofn.nFilterIndex = 3;
        return ok_;
    }

private:
    std::string result_;
    bool ok_;
};

}  // namespace

TEST(OpenDialogFilter, PipesBecomeNulSeparatedPairs) {
    std::string native = TOpenDialog::NativeFilter("All|*.asf;*.mpg|*.asf|*.asf");
    // The last NUL here and the one every std::string ends with make the double terminator.
    EXPECT_EQ(native, std::string("All\0*.asf;*.mpg\0*.asf\0*.asf\0", 28));
    EXPECT_EQ(TOpenDialog::NativeFilter(""), "");
}

TEST(OpenDialogOptions, MapToSystemFlagsWithTheExplorerLook) {
    DWORD flags = TOpenDialog::NativeFlags(ofHideReadOnly | ofFileMustExist | ofAllowMultiSelect);
    EXPECT_EQ(flags, static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT));
}

TEST(OpenDialogOptions, ComeFromAFormDescription) {
    TForm form(Application);
    form.LoadFromText(
        "object DialogForm: TForm\n"
        "  object opdMovie: TOpenDialog\n"
        "    Filter = 'All supported types|*.asf;*.mpg|*.asf|*.asf'\n"
        "    Options = [ofHideReadOnly, ofPathMustExist, ofEnableSizing]\n"
        "    Title = 'Add Movie'\n"
        "  end\n"
        "end\n");
    auto* dialog = dynamic_cast<TOpenDialog*>(form.FindComponent("opdMovie"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Options(), ofHideReadOnly | ofPathMustExist | ofEnableSizing);
    EXPECT_EQ(dialog->Title(), "Add Movie");
    EXPECT_EQ(dialog->FilterIndex(), 1);
}

TEST(OpenDialogExecute, ChosenFileAndFilterIndexAreTakenBack) {
    AnsweringDialog dialog("C:\\movies\\a.mpg");
    dialog.SetFilter("All|*.mpg|MPEG|*.mpg");
    dialog.SetTitle("Add Movie");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "C:\\movies\\a.mpg");
    EXPECT_EQ(dialog.FilterIndex(), 3);
    EXPECT_EQ(dialog.Files()->Count(), 1);
    EXPECT_EQ(dialog.seenFilter, "All|*.mpg|MPEG|*.mpg|");
    EXPECT_STREQ(dialog.seen.lpstrTitle, "Add Movie");
    EXPECT_EQ(dialog.seen.nFilterIndex, 1u);
    EXPECT_GE(dialog.seen.nMaxFile, 32768u);
}

TEST(OpenDialogExecute, MultipleChoicesBecomeFullPaths) {
    AnsweringDialog dialog(std::string("C:\\movies\0a.mpg\0b.wmv\0", 23));
    dialog.SetOptions(ofAllowMultiSelect);
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(dialog.Files()->Count(), 2);
    EXPECT_EQ(dialog.Files()->Strings(1), "C:\\movies\\b.wmv");
    EXPECT_EQ(dialog.FileName(), "C:\\movies\\a.mpg");
}

TEST(OpenDialogExecute, CancelReturnsFalseAndKeepsTheFileName) {
    AnsweringDialog dialog("ignored", false);
    dialog.SetFileName("old.mpg");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "old.mpg");
}

TEST(OpenDialogExecute, OverrideReplacesTheSystemDialog) {
    TOpenDialog::ExecuteOverride = [](TOpenDialog& d) {
        d.SetFileName("C:\\x.asf");
        return true;
    };
    TOpenDialog dialog(nullptr);
    bool ok = dialog.Execute();
    TOpenDialog::ExecuteOverride = nullptr;
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog.FileName(), "C:\\x.asf");
}
