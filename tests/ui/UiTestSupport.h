// What the window tests share: one application object for the test program, widgets found
// by object name, and answers to modal dialogs given from inside their event loop.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>

#include "ui/TFscApplication.h"

namespace fsc::test {

// The tests run with QT_QPA_PLATFORM=offscreen; the application lives until the end.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    new TFscApplication(argc, argv);
}

template <class Widget>
Widget* Find(QObject* parent, const char* objectName) {
    auto* widget = parent->findChild<Widget*>(objectName);
    if (!widget) ADD_FAILURE() << "no " << objectName;
    return widget;
}

// Runs `answer` on the next modal window as soon as it is shown, polling the event loop
// the dialog runs; the test fails when none appears within a few seconds. The progress
// window, modal while a loop runs, is not what a test answers.
inline void AnswerNextModal(std::function<void(QWidget*)> answer) {
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer = std::move(answer), tries, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->objectName() != "Progress") {
            answer(modal);
            return;
        }
        if (++*tries > 300) {
            ADD_FAILURE() << "no modal window appeared";
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// The text of the next message box, which is then closed; `buttons`, when given, gets the
// buttons it offered.
inline void ReadNextMessageBox(std::string& text, std::string& title,
                               QMessageBox::StandardButtons* buttons = nullptr,
                               QMessageBox::Icon* icon = nullptr) {
    AnswerNextModal([&text, &title, buttons, icon](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            ADD_FAILURE() << "the modal window is no message box";
            modal->close();
            return;
        }
        text = box->text().toStdString();
        title = box->windowTitle().toStdString();
        if (buttons) *buttons = box->standardButtons();
        if (icon) *icon = box->icon();
        box->accept();
    });
}

inline void ClickInNextModal(const char* buttonName) {
    AnswerNextModal([buttonName](QWidget* modal) {
        if (auto* button = modal->findChild<QAbstractButton*>(buttonName)) {
            button->click();
        } else {
            ADD_FAILURE() << "no button " << buttonName;
            modal->close();
        }
    });
}

}  // namespace fsc::test
