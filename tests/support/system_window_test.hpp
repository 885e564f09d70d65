#pragma once
// Shared pieces of the tests that drive the system's windows on real widgets: the project's
// pictures, the widgets behind controls, and message boxes answered as they open.
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialogs/dialogs.hpp"
#include "framework/pictures/picture.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/window.hpp"
#include "tests/support/test_presenter.hpp"
#include "tests/support/test_resources.hpp"

inline QWidget* Native(const fw::RectControl* control) {
    return fw::detail::NativeWidget(fw::NotNil(control));
}

inline QWidget* ContentOf(const fw::Window* window) {
    return fw::detail::NativeWindow(fw::NotNil(window))->centralWidget();
}

// Makes the window the active one, so that its controls can take the keyboard focus.
inline bool Activate(const fw::Window* window) {
    QMainWindow* native = fw::detail::NativeWindow(fw::NotNil(window));
    native->activateWindow();
    return QTest::qWaitForWindowActive(native);
}

inline bool Exists(const char* fullName) { return fw::GetImplicitWindow(fullName) != nullptr; }

inline bool Shown(const char* fullName) {
    const fw::Window* window = fw::GetImplicitWindow(fullName);
    return window != nullptr && window->IsVisible();
}

// Every message box is recorded and dismissed as soon as it is open; `modal` records
// whether each one was modal while it stood.
struct MessageLog {
    std::vector<std::string> texts;
    std::vector<bool> modal;
    std::function<void(const std::string&)> whileOpen;

    MessageLog() {
        fw::SetMessageBoxObserver([this](const std::string& text) {
            texts.push_back(text);
            modal.push_back(QApplication::activeModalWidget() != nullptr);
            if (whileOpen) whileOpen(text);
            fw::DismissMessageBox();
        });
    }
    ~MessageLog() { fw::SetMessageBoxObserver({}); }
};

class SystemWindowTest : public ::testing::Test {
protected:
    void SetUp() override { fw::SetResourceFolder(ORV_RESOURCES_DIR); }
};
