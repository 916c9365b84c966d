// The options dialog writing its store, its extension list rules and folder pickers, and
// the start window handing over to the main window.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "app/AddImages.h"
#include "app/GalleryProject.h"
#include "app/Workspace.h"
#include "base/Files.h"
#include "base/IShell.h"
#include "engine/GalleryHistories.h"
#include "imaging/JpegWriter.h"
#include "imaging/TBitmap.h"
#include "options/ProgramOptions.h"
#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"
#include "ui/TFolioscopeForm.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgramWindows.h"
#include "ui/UiTestSupport.h"

namespace fsc {
namespace {

using test::Find;

class OptionsFormTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }

    ProgramOptions Stored() {
        QtSettingsStore reopened(storePath);
        return LoadProgramOptions(reopened);
    }
    void SetLines(TOptionsForm& form, const QString& text) {
        Find<QPlainTextEdit>(&form, "ExtMemo")->setPlainText(text);
    }
    QString Lines(TOptionsForm& form) {
        return Find<QPlainTextEdit>(&form, "ExtMemo")->toPlainText();
    }

    test::TempDir folder;
    std::string storePath = folder / "Folioscope.conf";
    QtSettingsStore store{storePath};
    ProgramOptions options;
};

TEST_F(OptionsFormTest, ShowsTheDefaultsOfAnEmptyStore) {
    options = LoadProgramOptions(store);
    TOptionsForm form(options, store);
    EXPECT_EQ(form.windowTitle(), "Options");
    EXPECT_EQ(Find<QSpinBox>(&form, "JPEGSpinEdit")->value(), 50);
    EXPECT_EQ(Find<QSpinBox>(&form, "JPEGSpinEdit")->minimum(), 5);
    EXPECT_EQ(Find<QSpinBox>(&form, "JPEGSpinEdit")->maximum(), 100);
    EXPECT_TRUE(Find<QCheckBox>(&form, "WizardCheckBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(&form, "HTMLDirCheckBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(&form, "ImageDirCheckBox")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(&form, "DefExtEdit")->text(), "html");
    EXPECT_EQ(Lines(form), "HTML\nHTM\nPHP\nASP\nCGI\nPL");
    EXPECT_TRUE(Find<QLineEdit>(&form, "HTMLDirEdit")->isReadOnly());
}

TEST_F(OptionsFormTest, HidingAndClosingBothWriteTheStore) {
    struct WriteCase {
        const char* How;
        std::function<void(TOptionsForm&)> End;
    };
    const std::vector<WriteCase> cases = {
        {"hide", [](TOptionsForm& form) { form.hide(); }},
        {"close", [](TOptionsForm& form) { form.close(); }},
        {"Close button",
         [](TOptionsForm& form) {
             Find<QDialogButtonBox>(&form, "CloseButtons")
                 ->button(QDialogButtonBox::Close)
                 ->click();
         }},
    };
    int quality = 60;
    for (const WriteCase& write : cases) {
        SCOPED_TRACE(write.How);
        TOptionsForm form(options, store);
        form.show();
        Find<QSpinBox>(&form, "JPEGSpinEdit")->setValue(quality);
        Find<QSpinBox>(&form, "WorkerThreadsSpinEdit")->setValue(3);
        Find<QCheckBox>(&form, "WizardCheckBox")->setChecked(false);
        Find<QLineEdit>(&form, "DefExtEdit")->setText("htm");
        Find<QLineEdit>(&form, "DefExtEdit")->textEdited("htm");
        write.End(form);
        const ProgramOptions stored = Stored();
        EXPECT_EQ(stored.JPEGCompression, quality);
        EXPECT_EQ(stored.WorkerThreads, 3);
        EXPECT_FALSE(stored.Wizard);
        EXPECT_EQ(stored.DefaultHTMLExt, "htm");
        quality += 10;
    }
}

// The spin field's own minimum came back as 50 at the next start.
TEST_F(OptionsFormTest, TheLowestQualityTheFieldTakesSurvivesARestart) {
    {
        TOptionsForm form(options, store);
        form.show();
        Find<QSpinBox>(&form, "JPEGSpinEdit")->setValue(5);
        form.close();
    }
    ProgramOptions restarted = Stored();
    TOptionsForm form(restarted, store);
    EXPECT_EQ(Find<QSpinBox>(&form, "JPEGSpinEdit")->value(), 5);
}

TEST_F(OptionsFormTest, ClosingSortsTheExtensionsAndDropsRepeats) {
    TOptionsForm form(options, store);
    form.show();
    SetLines(form, "HTML\nHTM\nPHP\nphp\nASP\ncgi");
    form.close();
    EXPECT_EQ(Lines(form), "ASP\ncgi\nHTM\nHTML\nPHP");
    EXPECT_EQ(Stored().HTMLExt, (TStringList{"ASP", "cgi", "HTM", "HTML", "PHP"}));
}

TEST_F(OptionsFormTest, RemovedHTMLAndHTMComeBackAtOnce) {
    struct RepairCase {
        const char* Typed;
        const char* Shown;
    };
    const RepairCase cases[] = {
        {"HTML\nPHP", "HTML\nHTM\nPHP"},
        {"HTM\nPHP", "HTML\nHTM\nPHP"},
        {"PHP", "HTML\nHTM\nPHP"},
        {"", "HTML\nHTM"},
        {"htm\nhtml\nASP", "htm\nhtml\nASP"},
    };
    TOptionsForm form(options, store);
    for (const RepairCase& repair : cases) {
        SCOPED_TRACE(repair.Typed);
        SetLines(form, repair.Typed);
        EXPECT_EQ(Lines(form), repair.Shown);
    }
}

TEST_F(OptionsFormTest, FolderPickerSwitchesItsBoxOnOrOff) {
    struct PickCase {
        const char* Button;
        const char* Box;
        const char* Edit;
        bool Choose;
    };
    const PickCase cases[] = {
        {"SelectHTMLDirButton", "HTMLDirCheckBox", "HTMLDirEdit", true},
        {"SelectHTMLDirButton", "HTMLDirCheckBox", "HTMLDirEdit", false},
        {"SelectImageDirButton", "ImageDirCheckBox", "ImageDirEdit", true},
        {"SelectImageDirButton", "ImageDirCheckBox", "ImageDirEdit", false},
    };
    TOptionsForm form(options, store);
    for (const PickCase& pick : cases) {
        SCOPED_TRACE(std::string(pick.Button) + (pick.Choose ? " chosen" : " cancelled"));
        test::AnswerNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            if (!pick.Choose) return dialog->reject();
            dialog->setDirectory(QString::fromStdString(folder.Path()));
            dialog->selectFile(QString::fromStdString(folder.Path()));
            static_cast<QDialog*>(dialog)->accept();
        });
        Find<QPushButton>(&form, pick.Button)->click();
        EXPECT_EQ(Find<QCheckBox>(&form, pick.Box)->isChecked(), pick.Choose);
        // A cancelled picker keeps the folder chosen before.
        EXPECT_EQ(Find<QLineEdit>(&form, pick.Edit)->text().toStdString(), folder.Path());
    }
    EXPECT_EQ(options.HTMLDir, folder.Path());
    EXPECT_FALSE(options.UseHTMLDir);
}

TEST(StartWindow, EitherButtonSetsTheWizardOptionAndProceedsOnce) {
    test::EnsureApplication();
    struct StartCase {
        const char* Button;
        bool Wizard;
    };
    for (const StartCase& start :
         {StartCase{"UseWizardButton", true}, StartCase{"NoWizardButton", false}}) {
        SCOPED_TRACE(start.Button);
        ProgramOptions options;
        options.Wizard = !start.Wizard;
        int proceeded = 0;
        TFolioscopeForm form(options, [&] { ++proceeded; });
        EXPECT_EQ(form.windowTitle(), "Orvik Folioscope 2.13");
        form.show();
        Find<QPushButton>(&form, start.Button)->click();
        EXPECT_EQ(options.Wizard, start.Wizard);
        EXPECT_FALSE(form.isVisible());
        // The start timer fires later and must not proceed a second time.
        QTest::qWait(200);
        EXPECT_EQ(proceeded, 1);
    }
}

TEST(StartWindow, ProceedsByItselfWithoutAClick) {
    test::EnsureApplication();
    ProgramOptions options;
    int proceeded = 0;
    TFolioscopeForm form(options, [&] { ++proceeded; });
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return proceeded > 0; }, 2000));
    EXPECT_EQ(proceeded, 1);
    EXPECT_TRUE(options.Wizard);
    EXPECT_FALSE(form.isVisible());
    EXPECT_NE(form.PictureFilter().find("All images ("), std::string::npos);
}

class NoShell : public IShell {
public:
    void Open(const std::string&) override {}
};

TEST(ProgramStart, TheMainWindowFollowsTheStartWindowWithTheDefaultHTMLDirectory) {
    test::EnsureApplication();
    struct StartCase {
        const char* What;
        bool UseHTMLDir;
        bool Blank;
        bool Expected;
    };
    const StartCase cases[] = {
        {"option on", true, false, true},
        {"option off", false, false, false},
        {"option on, folder blank", true, true, false},
    };
    for (const StartCase& start : cases) {
        SCOPED_TRACE(start.What);
        test::TempDir folder;
        test::ScopedEnv desktop("XDG_DESKTOP_DIR", folder / "desktop");
        ForceDirectories(folder / "desktop");
        ForceDirectories(folder / "web");
        ProgramOptions options;
        options.Wizard = false;
        options.UseHTMLDir = start.UseHTMLDir;
        options.HTMLDir = start.Blank ? " " : folder / "web";
        QtSettingsStore store(folder / "Folioscope.conf");
        Workspace ws(options);
        NoShell shell;
        TProgramWindows windows(ws, store, shell);
        windows.Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.Main.isVisible(); }, 3000));
        EXPECT_FALSE(windows.StartWindow.isVisible());
        EXPECT_EQ(Find<QLineEdit>(&windows.Main, "HTMLDIREdit")->text().toStdString(),
                  start.Expected ? folder / "web" : folder / "desktop");
        windows.Main.close();
    }
}

TEST(ProgramStart, StartWithWizardShowsTheWizardBeforeTheMainWindow) {
    test::EnsureApplication();
    test::TempDir folder;
    ProgramOptions options;
    ASSERT_TRUE(options.Wizard);
    QtSettingsStore store(folder / "Folioscope.conf");
    Workspace ws(options);
    NoShell shell;
    TProgramWindows windows(ws, store, shell);
    QString title;
    bool mainShown = true;
    // The wizard asks for a template first; cancelling that leaves the wizard at step 1.
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        if (modal->windowTitle() == "Folioscope Select Template") {
            test::AnswerNextModal(answer);
            Find<QPushButton>(Find<QWidget>(modal, "Panel1"), "CancelButton")->click();
            return;
        }
        title = modal->windowTitle();
        mainShown = windows.Main.isVisible();
        Find<QPushButton>(modal, "CloseWizardButton")->click();
    };
    test::AnswerNextModal(answer);
    windows.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.Main.isVisible(); }, 3000));
    EXPECT_TRUE(title.startsWith("Folioscope Wizard")) << title.toStdString();
    EXPECT_FALSE(mainShown);
    EXPECT_EQ(windows.Main.Tabs()->currentIndex(), GeneralTab);
    windows.Main.close();
}

// After a crash the question about the unfinished build must be the window the user can
// answer: the wizard opened behind it once, and Yes did nothing until both were closed.
TEST(ProgramStart, TheRecoveryQuestionComesFirstAndYesUndoesBeforeTheWizard) {
    test::EnsureApplication();
    test::TempDir folder;
    const std::string histories = folder / "history";
    const std::string gallery = folder / "web/index.html";
    ForceDirectories(folder / "web");
    {
        // A build begins, and the process dies with it (which lets the history go).
        TBuildJournal dying;
        AttachHistory(dying, histories, gallery);
        dying.AddCreated(gallery);
        WriteFileBytes(gallery, "half a page");
    }
    ASSERT_EQ(UnfinishedBuilds(histories).size(), 1u);

    ProgramOptions options;
    ASSERT_TRUE(options.Wizard);
    QtSettingsStore store(folder / "Folioscope.conf");
    Workspace ws(options);
    ws.HistoryFolder = histories;
    NoShell shell;
    TProgramWindows windows(ws, store, shell);
    std::vector<QString> modals;
    std::size_t unfinishedAtWizard = 99;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        modals.push_back(modal->objectName());
        if (modal == &windows.Ask) {
            // Nothing else is open under it that would take the answer's place.
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window != modal && window->isVisible()) {
                    ADD_FAILURE() << "open under the question: "
                                  << window->windowTitle().toStdString();
                }
            }
            EXPECT_NE(Find<QLabel>(modal, "StatementLabel")->text().indexOf("did not finish"), -1);
            test::AnswerNextModal(answer);
            Find<QPushButton>(modal, "YesButton")->click();
            return;
        }
        if (unfinishedAtWizard == 99) unfinishedAtWizard = UnfinishedBuilds(histories).size();
        if (modal->windowTitle() == "Folioscope Select Template") {
            test::AnswerNextModal(answer);
            Find<QPushButton>(Find<QWidget>(modal, "Panel1"), "CancelButton")->click();
            return;
        }
        Find<QPushButton>(modal, "CloseWizardButton")->click();
    };
    test::AnswerNextModal(answer);
    windows.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.Main.isVisible(); }, 3000));
    ASSERT_GE(modals.size(), 2u);
    EXPECT_EQ(modals[0], "AskForm");
    EXPECT_EQ(unfinishedAtWizard, 0u);
    EXPECT_TRUE(UnfinishedBuilds(histories).empty());
    EXPECT_FALSE(FileExists(gallery));
    windows.Main.close();
}

// What a file manager does on a double click or a drop on the program's icon: the files come
// as arguments, and the main window opens them instead of starting the wizard.
TEST(ProgramStart, FilesGivenAtStartAreOpenedInTheMainWindowInsteadOfTheWizard) {
    test::EnsureApplication();
    test::TempDir folder;
    const std::string first = folder / "first.jpg", second = folder / "second.jpg";
    WriteFileBytes(first, EncodeJpeg(TBitmap(40, 30), 80, false));
    WriteFileBytes(second, EncodeJpeg(TBitmap(30, 40), 80, false));
    ProgramOptions options;
    ASSERT_TRUE(options.Wizard);
    QtSettingsStore store(folder / "Folioscope.conf");
    Workspace ws(options);
    NoShell shell;
    TProgramWindows windows(ws, store, shell);

    Workspace project;
    project.Main.HTMLDir = folder / "web";
    AddOneFile(project.Images, first);
    const std::string gallery = folder / "holiday.gal";
    SaveGalleryProject(project, gallery, windows.Messages, windows.Progress);

    // The project comes first though named last: opening it replaces the image list.
    windows.Start({second, gallery});
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.Main.isVisible(); }, 3000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no wizard";
    EXPECT_EQ(Find<QLineEdit>(&windows.Main, "HTMLDIREdit")->text().toStdString(), folder / "web");
    ASSERT_EQ(ws.Images.size(), 2u);
    EXPECT_EQ(ws.Images[1].FileName, second);
    EXPECT_EQ(windows.Main.Tabs()->currentIndex(), ImagesTab);
    // The picture added to the opened project is not saved in it yet.
    EXPECT_TRUE(windows.Main.HasUnsavedChanges());
    test::AnswerNextModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Discard)->click();
    });
    windows.Main.close();
}

}  // namespace
}  // namespace fsc
