// Where the desktop layer goes on each stand-in shell layout (tests/support/StandInShell.cpp),
// in a process that Wine tells it runs on Windows 10, and when that place is gone.
#include <windows.h>

#include <gtest/gtest.h>

#include "OverlayTestSupport.h"
#include "ShellStandIn.h"
#include "WindowsVersion.h"
#include "platform/DesktopHost.h"

namespace vorlinde::platform::test {
namespace {

TEST(DesktopHost, WithoutAShellIsTheTopMostSurface) {
    if (RunAsWindows10()) return;
    const TDesktopHost host = FindDesktopHost();
    EXPECT_EQ(host.kind, TDesktopHostKind::TopMost);
    EXPECT_EQ(host.parent, nullptr);
    EXPECT_EQ(host.shell, nullptr);
}

TEST(DesktopHost, WorkerWLayoutGivesTheBackgroundWorkerWBehindTheIcons) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    ASSERT_EQ(host.kind, TDesktopHostKind::BackgroundWorker);
    EXPECT_EQ(host.shell, shell.Progman());
    EXPECT_EQ(host.icons, shell.IconView());
    // 0x052C moved the icons into a WorkerW of their own; the host is the one behind it.
    ASSERT_NE(shell.IconHolder(), shell.Progman());
    EXPECT_EQ(host.parent, shell.Wallpaper());
    EXPECT_TRUE(DesktopHostStands(host));
}

TEST(DesktopHost, ProgmanLayoutGivesProgmanBelowTheIcons) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    ASSERT_EQ(host.kind, TDesktopHostKind::UnderIcons);
    EXPECT_EQ(host.parent, shell.Progman());
    EXPECT_EQ(host.icons, shell.IconView());
    EXPECT_EQ(GetParent(host.icons), shell.Progman());
    EXPECT_TRUE(DesktopHostStands(host));
}

TEST(DesktopHost, NoWorkerWAfter052CFallsBackToTheTopMostSurface) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    EXPECT_EQ(host.kind, TDesktopHostKind::TopMost);
    EXPECT_EQ(host.parent, nullptr);
    EXPECT_EQ(host.shell, shell.Progman());
    EXPECT_EQ(host.icons, shell.IconView());
}

TEST(DesktopHost, NoIconsFallsBackToTheTopMostSurfaceThoughAWorkerWCame) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoIcons);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    EXPECT_EQ(host.kind, TDesktopHostKind::TopMost);
    EXPECT_EQ(host.shell, shell.Progman());
    EXPECT_EQ(host.icons, nullptr);
    EXPECT_NE(shell.Wallpaper(), nullptr);
}

TEST(DesktopHost, FallsWhenTheShellEnds) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    ASSERT_EQ(host.kind, TDesktopHostKind::BackgroundWorker);
    shell.Kill();
    EXPECT_FALSE(DesktopHostStands(host));
}

TEST(DesktopHost, TopMostHostFallsWhenItsShellEnds) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutNoWorkerW);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    ASSERT_EQ(host.kind, TDesktopHostKind::TopMost);
    EXPECT_TRUE(DesktopHostStands(host));
    shell.Kill();
    EXPECT_FALSE(DesktopHostStands(host));
}

TEST(DesktopHost, FallsWhenTheIconViewIsNoLongerProgmansChild) {
    if (RunAsWindows10()) return;
    TShellStandIn shell(standin::kLayoutProgman);
    ASSERT_TRUE(shell.Started());
    TDesktopHost host = FindDesktopHost();
    ASSERT_EQ(host.kind, TDesktopHostKind::UnderIcons);
    // The icons found elsewhere: a top-level window of the shell.
    host.icons = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_NE(host.icons, nullptr);
    EXPECT_FALSE(DesktopHostStands(host));
}

// The prefix's own report, Windows 7: no background window is asked for, even with a shell.
TEST(DesktopHost, BeforeWindows8TheShellIsNotAsked) {
    TShellStandIn shell(standin::kLayoutWorkerW);
    ASSERT_TRUE(shell.Started());
    const TDesktopHost host = FindDesktopHost();
    EXPECT_EQ(host.kind, TDesktopHostKind::TopMost);
    PumpMessages(50);
    EXPECT_EQ(shell.IconHolder(), shell.Progman()) << "0x052C was sent";
}

}  // namespace
}  // namespace vorlinde::platform::test
