// The windows every command shares: the error handler, the progress window and the
// question dialog, driven through their real widgets.
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <stdexcept>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/GraphicsIO.h"
#include "support/TempDir.h"
#include "ui/CommandGuard.h"
#include "ui/QtMessages.h"
#include "ui/TAskForm.h"
#include "ui/TMKDirForm.h"
#include "ui/TProgress.h"
#include "ui/UiTestSupport.h"

namespace fsc {
namespace {

using test::Find;

struct ErrorCase {
    const char* Kind;
    std::function<void()> Throw;
    std::string Shown;
};

std::vector<ErrorCase> ErrorCases() {
    return {
        {"EUserInputError", [] { throw EUserInputError("Nothing there to undo!"); },
         "Nothing there to undo!"},
        {"EFSC_Exception", [] { throw EFSC_Exception("Unable to open file"); },
         "Unable to open file"},
        {"std::runtime_error", [] { throw std::runtime_error("stoi"); }, UnknownErrorText},
        {"bad_alloc", [] { throw std::bad_alloc(); }, UnknownErrorText},
        {"an int", [] { throw 42; }, UnknownErrorText},
    };
}

TEST(ErrorHandler, ShowsTheProgramsOwnMessagesAndHidesAnyOther) {
    for (const ErrorCase& error : ErrorCases()) {
        SCOPED_TRACE(error.Kind);
        try {
            error.Throw();
        } catch (...) {
            EXPECT_EQ(ErrorMessage(std::current_exception()), error.Shown);
        }
    }
}

// An object whose event handler fails the way a command's slot does.
class FailingReceiver : public QObject {
public:
    explicit FailingReceiver(std::function<void()> fail) : fail(std::move(fail)) {}
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) fail();
        return QObject::event(event);
    }

private:
    std::function<void()> fail;
};

TEST(ErrorHandler, AnExceptionLeavingAnEventHandlerIsShownAndTheProgramGoesOn) {
    test::EnsureApplication();
    for (const ErrorCase& error : ErrorCases()) {
        SCOPED_TRACE(error.Kind);
        FailingReceiver receiver(error.Throw);
        std::string text, title;
        test::ReadNextMessageBox(text, title);
        QEvent event(QEvent::User);
        EXPECT_NO_THROW(QApplication::sendEvent(&receiver, &event));
        EXPECT_EQ(text, error.Shown);
        EXPECT_EQ(title, "Orvik Folioscope 2.13");
    }
}

TEST(ErrorHandler, AFailedCommandEndsAloneWithItsMessage) {
    test::EnsureApplication();
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    bool reachedAfter = false;
    RunCommand([&] {
        throw EUserInputError("No images! Please add images to the gallery.");
        reachedAfter = true;
    });
    EXPECT_FALSE(reachedAfter);
    EXPECT_EQ(text, "No images! Please add images to the gallery.");
}

TEST(MessageBoxes, APictureThatCannotBeReadIsReportedWithOkAndCancel) {
    test::EnsureApplication();
    test::TempDir dir;
    const std::string path = dir / "broken.jpg";
    WriteFileBytes(path, "\xFF\xD8 no picture follows");
    QtMessages messages;
    std::string text, title;
    QMessageBox::StandardButtons buttons;
    test::ReadNextMessageBox(text, title, &buttons);
    EXPECT_ANY_THROW(IsValidImage(path, true, &messages));
    EXPECT_EQ(text, "Not a valid image!");
    EXPECT_EQ(title, "Error Occured");
    EXPECT_EQ(buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(TProgressWindow, ShowsRangePositionAndTextAndStaysOnTop) {
    test::EnsureApplication();
    TProgress progress;
    progress.Update(0, 3, "Folioscope. Adding Images.", 7);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Operation In Progress");
    EXPECT_TRUE(progress.windowFlags() & Qt::WindowStaysOnTopHint);
    auto* bar = Find<QProgressBar>(&progress, "ProgressBar");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 7);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(Find<QLabel>(&progress, "ProgressText")->text(), "Folioscope. Adding Images.");
    progress.Hide();
    EXPECT_FALSE(progress.isVisible());
}

TEST(TProgressWindow, AbortWithoutHandlerOnlySaysSo) {
    test::EnsureApplication();
    TProgress progress;
    progress.Update(0, 1, "working", 2);
    Find<QPushButton>(&progress, "AbortButton")->click();
    EXPECT_EQ(Find<QLabel>(&progress, "ProgressText")->text(),
              "Sorry, Abort not supported by this function!");
    EXPECT_EQ(Find<QProgressBar>(&progress, "ProgressBar")->value(), 1);
}

TEST(TProgressWindow, AbortClickedWhileALoopRunsReachesTheLoopAtItsNextUpdate) {
    test::EnsureApplication();
    TProgress progress;
    bool aborted = false;
    progress.SetAbortHandler([&] { aborted = true; });
    // The click arrives as an event, like a user's, while the loop is busy.
    QTimer::singleShot(0, &progress, [&] { Find<QPushButton>(&progress, "AbortButton")->click(); });
    int done = 0;
    for (int item = 0; item < 1000 && !aborted; ++item) {
        progress.Update(0, item + 1, "item", 1000);
        ++done;
    }
    EXPECT_TRUE(aborted);
    EXPECT_LT(done, 1000);
    progress.ResetAbortHandler();
    aborted = false;
    Find<QPushButton>(&progress, "AbortButton")->click();
    EXPECT_FALSE(aborted);
}

TEST(TAskFormDialog, OnlyYesAnswersTrue) {
    test::EnsureApplication();
    struct AnswerCase {
        const char* Button;
        bool Expected;
    };
    for (const AnswerCase& answer :
         {AnswerCase{"YesButton", true}, AnswerCase{"NoButton", false}}) {
        SCOPED_TRACE(answer.Button);
        TAskForm ask;
        QString statement, question;
        test::AnswerNextModal([&](QWidget* modal) {
            statement = Find<QLabel>(modal, "StatementLabel")->text();
            question = Find<QLabel>(modal, "QuestionLabel")->text();
            EXPECT_EQ(modal->windowTitle(), "QUESTION");
            Find<QPushButton>(modal, answer.Button)->click();
        });
        EXPECT_EQ(ask.Ask("Advanced Image Options are only for experts.",
                          "Are you sure, you want to continue?"),
                  answer.Expected);
        EXPECT_EQ(statement, "Advanced Image Options are only for experts.");
        EXPECT_EQ(question, "Are you sure, you want to continue?");
    }
}

// Where the desktop's own message boxes put Yes and OK against No and Cancel.
bool DesktopPutsAcceptFirst(QMessageBox::StandardButton accept, QMessageBox::StandardButton other) {
    QMessageBox box(QMessageBox::Question, "", "", accept | other);
    box.show();
    QApplication::processEvents();
    const bool first = box.button(accept)->x() < box.button(other)->x();
    box.hide();
    return first;
}

// The program's question and small dialogs order their buttons as the desktop's message
// boxes do, and keep the size of their contents, which leaves a window manager no reason to
// offer a maximise button or to stretch them into empty space.
TEST(TAskFormDialog, ButtonsInTheDesktopsOrderAndASizeOfItsOwn) {
    test::EnsureApplication();
    const bool yesFirst = DesktopPutsAcceptFirst(QMessageBox::Yes, QMessageBox::No);
    const bool okFirst = DesktopPutsAcceptFirst(QMessageBox::Ok, QMessageBox::Cancel);
    TAskForm ask;
    test::AnswerNextModal([&](QWidget* modal) {
        auto* yes = Find<QPushButton>(modal, "YesButton");
        auto* no = Find<QPushButton>(modal, "NoButton");
        EXPECT_EQ(yes->x() < no->x(), yesFirst);
        EXPECT_TRUE(no->isDefault());
        EXPECT_EQ(modal->minimumSize(), modal->maximumSize());
        no->click();
    });
    EXPECT_FALSE(ask.Ask("Image directory \"pics\" does already exists, but is called \"Pics\".",
                         "Change image dir to Pics"));

    TMKDirForm folder;
    test::AnswerNextModal([&](QWidget* modal) {
        auto* ok = Find<QPushButton>(modal, "OKButton");
        EXPECT_EQ(ok->x() < Find<QPushButton>(modal, "CancelButton")->x(), okFirst);
        EXPECT_NE(qobject_cast<QDialogButtonBox*>(ok->parentWidget()), nullptr);
        EXPECT_EQ(modal->minimumSize(), modal->maximumSize());
        Find<QPushButton>(modal, "CancelButton")->click();
    });
    EXPECT_FALSE(folder.Ask().has_value());
}

TEST(TAskFormDialog, ClosingTheWindowIsNo) {
    test::EnsureApplication();
    TAskForm ask;
    test::AnswerNextModal([](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(ask.Ask("The HTML-File x.html does already exist.",
                         "Use the existing file as HTML template? "));
}

}  // namespace
}  // namespace fsc
