#pragma once
// Shared by the tray suites: a fixture that records the records sent to the shell instead of
// sending them, builds a main window to own the icon, delivers notifications as the shell
// posts them, and logs the icon's events in the order they were raised.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "tray/TrayIcon.h"

namespace traytest {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA data;
};

class TrayTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A plain form, made the application's main window, to own tray icons.
    vl::TForm* MainForm();
    // A tray icon owned by the main form (created on first use).
    vorlinde::TTrayIcon* Icon();
    // Logs every event of `icon` into `events` ("click", "down:left", "menu", ...).
    void RecordEvents(vorlinde::TTrayIcon& icon);

    // Posts a notification as the shell does, for `id` (default: the icon's identifier).
    static void Post(vorlinde::TTrayIcon& icon, UINT code);
    static void PostFor(UINT id, UINT code);
    // Handles every pending message.
    static void Deliver();

    // Number of shell calls with this message.
    int Count(DWORD message) const;
    const ShellCall& Last() const { return shellCalls.back(); }
    int CountEvent(const std::string& name) const;

    std::vector<ShellCall> shellCalls;
    std::vector<std::string> events;
    std::vector<std::string> exceptions;
    BOOL shellAnswer = TRUE;

private:
    vl::TForm* form_ = nullptr;
    vorlinde::TTrayIcon* icon_ = nullptr;
};

// The text of a fixed-size character field of the record.
template <size_t N>
std::string Field(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace traytest
