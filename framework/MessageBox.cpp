#include "framework/MessageBox.h"

namespace vl {

TMessageBoxHandler MessageBoxHandler;

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type) {
    if (MessageBoxHandler) {
        // A failing replacement must not hide the message it was asked to show, least of all
        // when that message is itself the report of a failure.
        try {
            return MessageBoxHandler(owner, text, title, type);
        } catch (...) {
        }
    }
    return MessageBoxA(owner, text.c_str(), title.c_str(), type);
}

}  // namespace vl
