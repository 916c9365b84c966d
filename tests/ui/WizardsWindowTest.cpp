// The wizards on real widgets: the gallery wizard walked from the first step to a built
// gallery, and the colour wizard's code.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include "WorkflowFixture.h"
#include "app/CreateGallery.h"
#include "templates/ColourWizard.h"
#include "ui/TColorWizardForm.h"
#include "ui/TImagesPanel.h"
#include "ui/TRirevidedOzizidoTemplateForm.h"
#include "ui/TSpecialForm.h"
#include "ui/TThumbnailWizardForm.h"
#include "ui/TThumbnailWizardSchemeWizardForm.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

// Clicks "Yes" (or "No") in the next question dialog.
void AnswerNextQuestion(bool yes) {
    test::AnswerNextModal([yes](QWidget* modal) {
        for (auto* button : modal->findChildren<QPushButton*>())
            if (button->text() == (yes ? "Yes" : "No")) return button->click();
        ADD_FAILURE() << "no question dialog";
        modal->close();
    });
}

class GalleryWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        launcher = std::make_unique<TThumbnailWizardSchemeWizardForm>(
            *w->main.findChild<TSpecialForm*>(), [this] { ++schemeWizardRuns; });
        wizard = std::make_unique<TThumbnailWizardForm>(
            TGalleryWizardParts{w->ws, w->settings, w->main.ImagesPanel(),
                                *w->main.findChild<TRirevidedOzizidoTemplateForm*>(), *launcher,
                                w->ask, w->main.Services(), [this] { ++finished; }});
    }
    // Shows the wizard; the template dialog it opens first is answered with `button`.
    void Start(const char* button = "OKButton") {
        // The dialog's add-parameter window has an "OK" of its own; the panel's is meant.
        bool answered = false;
        test::AnswerNextModal([button, &answered](QWidget* modal) {
            answered = true;
            auto* dialog = qobject_cast<TRirevidedOzizidoTemplateForm*>(modal);
            ASSERT_NE(dialog, nullptr);
            Find<QPushButton>(dialog->Panel(), button)->click();
        });
        wizard->show();
        QTRY_VERIFY(answered && !QApplication::activeModalWidget());
        ASSERT_EQ(wizard->Step(), 1);
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(wizard.get(), name); }
    void Type(const char* editName, const std::string& text) {
        auto* edit = Find<QLineEdit>(wizard.get(), editName);
        edit->selectAll();
        edit->insert(QString::fromStdString(text));
    }

    std::unique_ptr<Windows> w;
    std::unique_ptr<TThumbnailWizardSchemeWizardForm> launcher;
    std::unique_ptr<TThumbnailWizardForm> wizard;
    int schemeWizardRuns = 0;
    int finished = 0;
};

TEST_F(GalleryWizardTest, WalksFromPicturesToABuiltGallery) {
    w->Picture("one.jpg");
    w->Picture("two.jpg");
    w->AddThroughDialog("\"one.jpg\" \"two.jpg\"");
    w->ws.Main.HTMLFile.clear();
    w->settings.ShowSettings();
    Start();
    EXPECT_EQ(wizard->windowTitle(), "Folioscope Wizard - Step 1");

    // Without an HTML file name the first step cannot be left.
    QTRY_VERIFY(!Button("NextButton")->isEnabled());
    EXPECT_FALSE(Button("BackButton")->isEnabled());
    Type("HTMLDIREdit", w->site);
    Type("HTMLFileEdit", "index.html");
    QTRY_VERIFY(Button("NextButton")->isEnabled());

    // Each step shows its own panel inside the wizard and returns the previous one.
    QWidget* const panels[] = {
        w->settings.DirectoriesPanel(), w->settings.StylePanel(), w->settings.ThumbnailPanel(),
        w->settings.ResizePanel(),      launcher->Panel(),        &w->main.ImagesPanel()};
    for (int step = 1; step <= WizardSteps; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(wizard->Step(), step);
        EXPECT_EQ(Find<QGroupBox>(wizard.get(), "StepGroupBox")->title(),
                  QString("Step %1").arg(step));
        EXPECT_TRUE(wizard->isAncestorOf(panels[step - 1]));
        if (step > 1) {
            EXPECT_FALSE(wizard->isAncestorOf(panels[step - 2]));
        }
        EXPECT_EQ(Button("NextButton")->text(), step == WizardSteps ? "Let's go!" : "Next");
        if (step < WizardSteps) Button("NextButton")->click();
    }
    Button("BackButton")->click();
    EXPECT_EQ(wizard->Step(), 5);
    Button("NextButton")->click();

    AnswerNextQuestion(true);
    Button("NextButton")->click();
    EXPECT_FALSE(wizard->isVisible());
    // Every panel is home again, on the main window.
    for (QWidget* panel : panels)
        if (panel != launcher->Panel()) {
            EXPECT_TRUE(w->main.isAncestorOf(panel));
        }
    QTRY_COMPARE(finished, 1);
    for (const char* file : {"index.html", "images/one.jpg", "images/two_th.jpg"}) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(FileExists(w->site + "/" + file));
    }
    ASSERT_EQ(w->shell.Opened.size(), 1u);
    EXPECT_EQ(w->shell.Opened[0], GalleryFilePath(w->ws));
}

TEST_F(GalleryWizardTest, AnsweringNoBuildsNothingAndClosingGivesThePanelBack) {
    w->Picture("one.jpg");
    w->AddThroughDialog("\"one.jpg\"");
    w->ws.Main.HTMLDir = w->site;
    w->ws.Main.HTMLFile = "index.html";
    w->settings.ShowSettings();
    Start("CancelButton");
    Button("NextButton")->click();
    ASSERT_TRUE(wizard->isAncestorOf(w->settings.StylePanel()));
    Button("CloseWizardButton")->click();
    EXPECT_TRUE(w->main.isAncestorOf(w->settings.StylePanel()));
    EXPECT_FALSE(wizard->isVisible());

    Start();
    for (int step = 1; step < WizardSteps; ++step) Button("NextButton")->click();
    AnswerNextQuestion(false);
    Button("NextButton")->click();
    QTRY_COMPARE(finished, 1);
    EXPECT_FALSE(FileExists(w->site + "/index.html"));
}

TEST_F(GalleryWizardTest, TheHTMLFileLabelBlinksWhileTheNameIsMissing) {
    w->ws.Main.HTMLFile.clear();
    w->settings.ShowSettings();
    Start();
    QLabel* label = nullptr;
    for (auto* candidate : w->settings.DirectoriesPanel()->findChildren<QLabel*>())
        if (candidate->text() == "HTML-File") label = candidate;
    ASSERT_NE(label, nullptr);
    const QString first = label->styleSheet();
    QTRY_VERIFY(label->styleSheet() != first);
    QTRY_VERIFY(label->styleSheet() == first);
    EXPECT_TRUE(first.contains("#800000") || first.contains("#008080"));
    Type("HTMLFileEdit", "gallery.html");
    QTRY_VERIFY(Button("NextButton")->isEnabled());
    QTest::qWait(600);
    EXPECT_EQ(label->styleSheet(), "color: #008080;");
}

TEST_F(GalleryWizardTest, TheSchemesStepStartsTheSchemeWizard) {
    w->ws.Main.HTMLFile = "index.html";
    Start();
    wizard->GoToStep(5);
    Find<QPushButton>(wizard.get(), "StartSchemeWizardButton")->click();
    EXPECT_EQ(schemeWizardRuns, 1);
    // The Special window shows its groups on its own and the main window gets them back.
    auto* special = w->main.findChild<TSpecialForm*>();
    test::AnswerNextModal([special](QWidget* modal) {
        EXPECT_EQ(modal, special);
        EXPECT_TRUE(special->isAncestorOf(special->MetaTagsPanel()));
        modal->close();
    });
    Find<QPushButton>(wizard.get(), "SpecialOptionsButton")->click();
    EXPECT_TRUE(w->main.isAncestorOf(special->MetaTagsPanel()));
    EXPECT_TRUE(w->main.isAncestorOf(special->ProtectPanel()));
}

class ColourWizardTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }
    void ClickPalette(int x, int y) {
        QTest::mouseClick(Find<QLabel>(&wizard, "PaletteImage"), Qt::LeftButton, {}, QPoint(x, y));
    }
    QSpinBox* Spin(const char* name) { return Find<QSpinBox>(&wizard, name); }
    TColorWizardForm wizard;
};

TEST_F(ColourWizardTest, APaletteClickSetsTheSpinBoxesAndTheCode) {
    wizard.show();
    for (const QPoint at : {QPoint(1, 2), QPoint(70, 20), QPoint(126, 126), QPoint(33, 47)}) {
        SCOPED_TRACE(at.x() * 1000 + at.y());
        ClickPalette(at.x(), at.y());
        const TColour expected = PaletteColour(at.x(), at.y());
        EXPECT_EQ(wizard.Colour(), expected);
        EXPECT_EQ(wizard.Code().toStdString(), ColourWizardCode(expected));
    }
    Spin("RedSpinEdit")->setValue(255);
    Spin("GreenSpinEdit")->setValue(0);
    Spin("BlueSpinEdit")->setValue(0);
    EXPECT_EQ(Find<QLineEdit>(&wizard, "CodeEdit")->text(), "\"#FF0000\"");
    EXPECT_TRUE(Find<QLineEdit>(&wizard, "CodeEdit")->isReadOnly());
}

TEST_F(ColourWizardTest, TheTemplatePanelOpensItAndClosingCopiesTheCode) {
    Windows w;
    auto* templates = w.main.findChild<TRirevidedOzizidoTemplateForm*>();
    auto* button = Find<QPushButton>(templates->Panel(), "ColorWizardButton");
    EXPECT_FALSE(button->isEnabled());
    templates->SetColourWizard([this] { wizard.show(); });
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_TRUE(wizard.isVisible());
    Spin("RedSpinEdit")->setValue(0x12);
    Spin("GreenSpinEdit")->setValue(0xAB);
    Spin("BlueSpinEdit")->setValue(0xFE);
    QGuiApplication::clipboard()->setText("old");
    Find<QPushButton>(&wizard, "CloseCopyButton")->click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "\"#12ABFE\"");
}

}  // namespace
}  // namespace fsc
