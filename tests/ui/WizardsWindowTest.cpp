// The wizards on real widgets: the gallery wizard walked from the first step to a built
// gallery, the colour wizard's code, and the scheme wizard replacing scheme texts.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "WorkflowFixture.h"
#include "app/CreateGallery.h"
#include "templates/ColourWizard.h"
#include "templates/TScheme.h"
#include "ui/TColorWizardForm.h"
#include "ui/THelpForm.h"
#include "ui/TImagesPanel.h"
#include "ui/TSchemeEditorForm.h"
#include "ui/TSchemeWizardForm.h"
#include "ui/TSchemeWizardGalNavForm.h"
#include "ui/TSpecialForm.h"
#include "ui/TThumbnailWizardForm.h"
#include "ui/TThumbnailWizardSchemeWizardForm.h"
#include "ui/TemplateSelectionDialog.h"

namespace fsc {
namespace {

using test::Find;
using test::Windows;

// A line list as a text box shows it.
std::string Shown(const TStringList& lines) {
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index)
        text += (index ? "\n" : "") + lines[index];
    return text;
}

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
                                *w->main.findChild<TemplateSelectionDialog*>(), *launcher, w->ask,
                                w->main.Services(), [this] { ++finished; }});
    }
    // Shows the wizard; the template dialog it opens first is answered with `button`.
    void Start(const char* button = "OKButton") {
        // The dialog's add-parameter window has an "OK" of its own; the panel's is meant.
        bool answered = false;
        test::AnswerNextModal([button, &answered](QWidget* modal) {
            answered = true;
            auto* dialog = qobject_cast<TemplateSelectionDialog*>(modal);
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
    const auto shown = [label] { return label->palette().color(QPalette::WindowText); };
    const QColor first = shown();
    QTRY_VERIFY(shown() != first);
    const QColor second = shown();
    QTRY_VERIFY(shown() == first);
    // One of the two is the warm one, one the cool one.
    EXPECT_NE(first.red() > first.blue(), second.red() > second.blue());
    Type("HTMLFileEdit", "gallery.html");
    QTRY_VERIFY(Button("NextButton")->isEnabled());
    QTest::qWait(600);
    const QColor settled = shown();
    QTest::qWait(600);
    EXPECT_EQ(shown(), settled);
    EXPECT_LT(settled.red(), settled.blue()) << "the cool colour stays";
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
    void ClickPalette(int x, int y) {
        QTest::mouseClick(Find<QLabel>(&wizard, "PaletteImage"), Qt::LeftButton, {}, QPoint(x, y));
    }
    QSpinBox* Spin(const char* name) { return Find<QSpinBox>(&wizard, name); }
    // ctest runs each test in a process of its own, so the application must exist before
    // the wizard member is made.
    struct TApplicationFirst {
        TApplicationFirst() { test::EnsureApplication(); }
    } applicationFirst;
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
    auto* templates = w.main.findChild<TemplateSelectionDialog*>();
    auto* button = Find<QPushButton>(templates->Panel(), "ColorWizardButton");
    // This test's own wizard in place of the main window's.
    templates->SetColourWizard([this] { wizard.Open(); });
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

    // From the template dialog shown modally the wizard is modal too, so it can be used.
    test::AnswerNextModal([&](QWidget* modal) {
        ASSERT_EQ(modal, templates);
        test::AnswerNextModal([&](QWidget* inner) {
            EXPECT_EQ(inner, &wizard);
            Find<QPushButton>(&wizard, "CloseCopyButton")->click();
        });
        button->click();
        templates->close();
    });
    templates->exec();
    EXPECT_FALSE(wizard.isVisible());
}

class SchemeWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
        editor = w->main.findChild<TSchemeEditorForm*>();
        contents = std::make_unique<TSchemeWizardGalNavForm>(w->ws);
        wizard = std::make_unique<TSchemeWizardForm>(w->ws, *contents, *editor,
                                                     *w->main.findChild<THelpForm*>());
        editor->SetWizard([this] { wizard->EditSchemeOfEditor(); });
    }
    // Opens the wizard from the scheme editor's "use Wizard" and acts in it.
    void FromEditor(int kind, std::function<void()> act) {
        editor->EditScheme(kind);
        test::AnswerNextModal([act](QWidget*) { act(); });
        Find<QPushButton>(editor->Panel(), "SchemeWizardButton")->click();
        EXPECT_FALSE(wizard->isVisible());
    }
    // A click near the left edge, where a radio button's or check box's indicator is.
    void Touch(const char* name) {
        QWidget* widget = Find<QWidget>(wizard.get(), name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }
    void Click(const char* name) { Find<QPushButton>(wizard.get(), name)->click(); }
    QString Caption() { return Find<QGroupBox>(wizard.get(), "PageGroupBox")->title(); }
    std::string EditorText() {
        return QStringToBytes(Find<QPlainTextEdit>(editor->Panel(), "SchemeMemo")->toPlainText());
    }

    std::unique_ptr<Windows> w;
    TSchemeEditorForm* editor = nullptr;
    std::unique_ptr<TSchemeWizardGalNavForm> contents;
    std::unique_ptr<TSchemeWizardForm> wizard;
};

TEST_F(SchemeWizardTest, TheWizardsChoiceReplacesTheEditedScheme) {
    const TStringList before = w->ws.Schemes.Navigation.Text;
    FromEditor(SchemeNavigation, [&] {
        EXPECT_EQ(Caption(), "Navigation Scheme Wizard");
        EXPECT_FALSE(Find<QPushButton>(wizard.get(), "NextButton")->isVisible());
        EXPECT_EQ(Find<QPlainTextEdit>(wizard.get(), "SchemeMemo")->toPlainText().toStdString(),
                  Shown(before));
        EXPECT_FALSE(wizard->UsesWizard());
        // The help over the modal wizard must take input too.
        test::AnswerNextModal([](QWidget* modal) {
            EXPECT_EQ(modal->objectName(), "HelpForm");
            modal->close();
        });
        Click("HelpButton");
        Touch("NearNumbersRadioButton");
        EXPECT_TRUE(wizard->UsesWizard());
        Find<QSpinBox>(wizard.get(), "NearPagesSpinEdit")->setValue(2);
        Click("OKButton");
    });
    const TStringList expected = NavigationWizardScheme(TNavigationStyle::NearNumbers, 2);
    EXPECT_EQ(w->ws.Schemes.Navigation.Text, expected);
    EXPECT_EQ(EditorText(), Shown(expected));
    // The borrowed group is back in its own window.
    EXPECT_TRUE(contents->isAncestorOf(contents->NavigationPanel()));
}

TEST_F(SchemeWizardTest, TypedTextIsKeptAndCancelChangesNothing) {
    FromEditor(SchemeGallery, [&] {
        Touch("PlacementRadioButton4");
        auto* memo = Find<QPlainTextEdit>(wizard.get(), "SchemeMemo");
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, "X");
        EXPECT_FALSE(wizard->UsesWizard());
        Click("OKButton");
    });
    EXPECT_EQ(w->ws.Schemes.Gallery.Text.back().back(), 'X');
    const TStringList kept = w->ws.Schemes.Gallery.Text;
    FromEditor(SchemeGallery, [&] {
        Touch("CenteredCheckBox");
        Click("CancelButton");
    });
    EXPECT_EQ(w->ws.Schemes.Gallery.Text, kept);
}

TEST_F(SchemeWizardTest, TheSequenceWritesEveryPageAndKeepsTheFieldSets) {
    test::AnswerNextModal([&](QWidget*) {
        const char* const captions[] = {"Gallery Scheme Wizard", "Navigation Scheme Wizard",
                                        "Thumbnail Scheme Wizard", "Image Scheme Wizard"};
        for (int page = 0; page < 4; ++page) {
            SCOPED_TRACE(page);
            EXPECT_EQ(Caption(), captions[page]);
            EXPECT_EQ(Find<QPushButton>(wizard.get(), "NextButton")->text(),
                      page == 3 ? "Done" : "Next");
            if (page == 0) Touch("PlacementRadioButton2");
            if (page == 2) {
                Touch("LayoutBRadioButton");
                Find<QLineEdit>(wizard.get(), "BLUEdit")->setText("<i>");
            }
            if (page == 3) Touch("ALOEdit");
            Click("NextButton");
        }
    });
    wizard->RunSequence();
    EXPECT_EQ(w->ws.Schemes.Gallery.Text,
              GalleryWizardScheme(TNavigationPlacement::OnBottom, false));
    // The navigation page was left on "use current scheme".
    EXPECT_EQ(w->ws.Schemes.Navigation.Text, DefaultSchemeText(SchemeNavigation));
    EXPECT_TRUE(w->ws.SchemeWizard.ThumbnailSet.LayoutB);
    EXPECT_EQ(w->ws.SchemeWizard.ThumbnailSet.B.LU, "<i>");
    EXPECT_EQ(w->ws.Schemes.Thumbnail.Text, ThumbnailWizardScheme(w->ws.SchemeWizard.ThumbnailSet));
    EXPECT_EQ(w->ws.Schemes.Image.Text, ImageWizardScheme(DefaultImageWizardSet()));

    // Back on the first page applies it and closes; the thumbnail set shows its values again.
    test::AnswerNextModal([&](QWidget*) {
        Touch("PlacementRadioButton1");
        Click("BackButton");
    });
    wizard->RunSequence();
    EXPECT_EQ(w->ws.Schemes.Gallery.Text, GalleryWizardScheme(TNavigationPlacement::OnTop, false));
    FromEditor(SchemeThumbnail, [&] {
        EXPECT_TRUE(Find<QRadioButton>(wizard.get(), "LayoutBRadioButton")->isChecked());
        EXPECT_EQ(Find<QLineEdit>(wizard.get(), "BLUEdit")->text(), "<i>");
        Click("RestoreDefaultsButton");
        EXPECT_TRUE(Find<QRadioButton>(wizard.get(), "LayoutARadioButton")->isChecked());
        Click("CancelButton");
    });
    EXPECT_EQ(w->ws.SchemeWizard.ThumbnailSet, DefaultThumbnailWizardSet());
}

}  // namespace
}  // namespace fsc
