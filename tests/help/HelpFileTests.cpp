// HELP.chm beside vorlinde.exe: a compiled help file holding the pages the program's help
// commands lead to.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

// VORLINDE_HELP_FILE is a build-machine path; under Wine a Unix path is reached through Z:.
std::string HelpPath() {
    std::string path = VORLINDE_HELP_FILE;
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string HelpBytes() {
    std::ifstream file(HelpPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(HelpFile, LiesBesideTheProgram) {
    std::ifstream file(HelpPath(), std::ios::binary);
    EXPECT_TRUE(file.good()) << HelpPath();
}

TEST(HelpFile, IsACompiledHelpFile) {
    const std::string bytes = HelpBytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), "ITSF");
}

TEST(HelpFile, HoldsItsFourPagesContentsAndIndex) {
    const std::string bytes = HelpBytes();
    for (const char* name : {"/index.html", "/settings.html", "/tray.html", "/themes.html", "/toc.hhc", "/index.hhk"})
        EXPECT_NE(bytes.find(name), std::string::npos) << name;
}

}  // namespace
