// The style option dialogs over a workspace: what reaches the template when nothing or
// something was edited through their controls, the slide scheme repair on leaving its box,
// the painted collage colour list, the image page dialog's template text, and the settings
// panel buttons and "Style" menu entries that open them.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "WorkflowFixture.h"
#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/Files.h"
#include "base/IShell.h"
#include "options/StyleOptions.h"
#include "support/TempDir.h"
#include "ui/CollageOptionsDialog.h"
#include "ui/ImagePageOptionsDialog.h"
#include "ui/ListOptionsDialog.h"
#include "ui/NavigationOptionsDialog.h"
#include "ui/ParagraphOptionsDialog.h"
#include "ui/QtMessages.h"
#include "ui/SettingsPanels.h"
#include "ui/SlideShowOptionsDialog.h"
#include "ui/TAskForm.h"
#include "ui/TProgramWindows.h"
#include "ui/TableOptionsDialog.h"
#include "ui/UiTestSupport.h"

namespace fsc {
namespace {

using test::Find;

// The dialogs are members, so the application must exist before any of them.
struct ApplicationFirst {
    ApplicationFirst() { test::EnsureApplication(); }
};

class StyleDialogsTest : public ::testing::Test {
protected:
    // The fields a build takes from the dialogs, starting from values no dialog gives.
    TTemplate Copied() {
        TTemplate tpl;
        tpl.TableBorder = 55;
        tpl.TableTDAlign = tpl.TableTDVAlign = tpl.ParaAlign = tpl.CollageType = "x";
        tpl.CollageBgColor = "x";
        tpl.OrderedList = tpl.CollageCenter = true;
        tpl.SlideWidth = tpl.SlideHeight = 7;
        CopyStyleOptionsToTemplate({ws.Table, ws.List, ws.Para, ws.Collage, ws.SlideShow}, tpl);
        return tpl;
    }

    void Close(QDialog& dialog) { Find<QPushButton>(&dialog, "CloseButton")->click(); }

    ApplicationFirst application;
    Workspace ws;
    test::RecordingShell shell;
    TableOptionsDialog table{ws.Table};
    ListOptionsDialog list{ws.List};
    ParagraphOptionsDialog para{ws.Para};
    CollageOptionsDialog collage{ws.Collage};
    SlideShowOptionsDialog slideShow{ws.SlideShow, shell};
    NavigationOptionsDialog navigation;
    ImagePageOptionsDialog imageHTML{ws};
};

TEST_F(StyleDialogsTest, UntouchedDialogsGiveTheStartValues) {
    // Opening and closing each dialog must not change what it holds.
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{&table, &list, &para, &collage, &slideShow, &navigation}) {
        dialog->show();
        Close(*dialog);
        EXPECT_FALSE(dialog->isVisible()) << dialog->windowTitle().toStdString();
    }
    const TTemplate tpl = Copied();
    EXPECT_EQ(tpl.TableBorder, 0);
    EXPECT_EQ(tpl.TableTDAlign, "center");
    EXPECT_EQ(tpl.TableTDVAlign, "middle");
    EXPECT_FALSE(tpl.OrderedList);
    EXPECT_EQ(tpl.ParaAlign, "left");
    EXPECT_EQ(tpl.CollageType, "TABLE");
    EXPECT_EQ(tpl.CollageBgColor, "black = #000000 ");
    EXPECT_FALSE(tpl.CollageCenter);
    EXPECT_EQ(tpl.SlideWidth, -1);
    EXPECT_EQ(tpl.SlideHeight, 300);
    EXPECT_EQ(tpl.SlideScheme, (TStringList{"<CENTER>", "<!-SLIDES->", "<br>", "<!-PREVBUTTON->",
                                            "<!-NEXTBUTTON->", "</CENTER>"}));
    EXPECT_EQ(Find<QPlainTextEdit>(&slideShow, "SlideSchemeMemo")->toPlainText(),
              "<CENTER>\n<!-SLIDES->\n<br>\n<!-PREVBUTTON->\n<!-NEXTBUTTON->\n</CENTER>");
    EXPECT_EQ(Find<QComboBox>(&collage, "ComboBox1")->count(), 136);
    EXPECT_EQ(table.windowTitle(), "Options Table");
    EXPECT_EQ(collage.windowTitle(), "Options Collage/Image Map");
    EXPECT_EQ(navigation.windowTitle(), "Options Navigation");
}

TEST_F(StyleDialogsTest, EditsThroughTheControlsReachTheTemplate) {
    QTest::keyClicks(Find<QLineEdit>(&table, "CSSClassEdit"), "grid");
    Find<QSpinBox>(&table, "BorderEdit")->setValue(2);
    QTest::keyClicks(Find<QLineEdit>(&table, "TableWidthEdit"), "90%");
    Find<QRadioButton>(&table, "TDRightRadioButton")->click();
    Find<QRadioButton>(&table, "TDBottomRadioButton")->click();
    Find<QRadioButton>(&list, "OrderedListRadioButton")->click();
    QTest::keyClicks(Find<QLineEdit>(&list, "CSSClassEdit"), "class=\"l\"");
    Find<QRadioButton>(&para, "CenterRadioButton")->click();
    Find<QRadioButton>(&collage, "CircleRadioButton")->click();
    Find<QCheckBox>(&collage, "CenterCheckbox")->click();
    Find<QSpinBox>(&slideShow, "SlideWidthHeightSpinEdit")->setValue(450);
    Find<QCheckBox>(&slideShow, "SlideWidthCheckBox")->click();

    TTemplate tpl = Copied();
    EXPECT_EQ(tpl.TableCSS, "grid");
    EXPECT_EQ(tpl.TableBorder, 2);
    EXPECT_EQ(tpl.TableWidth, "90%");
    EXPECT_EQ(tpl.TableTDAlign, "right");
    EXPECT_EQ(tpl.TableTDVAlign, "bottom");
    EXPECT_TRUE(tpl.OrderedList);
    EXPECT_EQ(tpl.ListCSS, "class=\"l\"");
    EXPECT_EQ(tpl.ParaAlign, "center");
    EXPECT_EQ(tpl.CollageType, "CIRCLE");
    EXPECT_TRUE(tpl.CollageCenter);
    EXPECT_EQ(tpl.SlideWidth, 450);
    EXPECT_EQ(tpl.SlideHeight, 450);

    Find<QCheckBox>(&slideShow, "SlideWidthCheckBox")->click();
    Find<QCheckBox>(&slideShow, "SlideHeightCheckBox")->click();
    tpl = Copied();
    EXPECT_EQ(tpl.SlideWidth, -1);
    EXPECT_EQ(tpl.SlideHeight, -1);

    // Values changed behind a hidden dialog, as applying a template does, show on opening.
    ws.Table.Border = 9;
    table.show();
    EXPECT_EQ(Find<QSpinBox>(&table, "BorderEdit")->value(), 9);
    Close(table);
}

// The scheme box loses the focus to the size field, as a user's click or Tab moves it.
class SlideSchemeTest : public StyleDialogsTest {
protected:
    void SetUp() override {
        slideShow.show();
        slideShow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&slideShow));
        memo = Find<QPlainTextEdit>(&slideShow, "SlideSchemeMemo");
    }

    // The message shown on leaving the box with `scheme` in it; empty when none appeared.
    std::string Leave(const QString& scheme) {
        // A message box shown before took the activation away for a while.
        slideShow.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&slideShow));
        memo->setFocus(Qt::TabFocusReason);
        memo->setPlainText(scheme);
        std::string text;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text().toStdString();
                box->accept();
            }
        });
        closer.start(10);
        Find<QSpinBox>(&slideShow, "SlideWidthHeightSpinEdit")->setFocus(Qt::TabFocusReason);
        return text;
    }

    QPlainTextEdit* memo = nullptr;
};

TEST_F(SlideSchemeTest, LeavingTheBoxRepairsTheSchemeOneTagAtATime) {
    EXPECT_EQ(Leave("<!-SLIDES->"), "Warning: There must be a button in the scheme!");
    EXPECT_EQ(memo->toPlainText(), "<!-SLIDES-><!-PREVBUTTON-> <!-NEXTBUTTON->");
    EXPECT_EQ(ws.SlideShow.SlideScheme, TStringList{"<!-SLIDES-><!-PREVBUTTON-> <!-NEXTBUTTON->"});

    EXPECT_EQ(Leave("<b>\n<!-NEXTBUTTON->"), "<!-SLIDES-> must be in the scheme!");
    EXPECT_EQ(memo->toPlainText(), "<!-SLIDES-><br><b>\n<!-NEXTBUTTON->");

    // Both missing: the slides first, the buttons on the next leaving.
    EXPECT_EQ(Leave("<p>"), "<!-SLIDES-> must be in the scheme!");
    memo->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Leave(memo->toPlainText()), "Warning: There must be a button in the scheme!");
    EXPECT_EQ(memo->toPlainText(), "<!-SLIDES-><br><p><!-PREVBUTTON-> <!-NEXTBUTTON->");
}

TEST_F(SlideSchemeTest, ACompleteSchemeInAnyCaseIsLeftAlone) {
    EXPECT_EQ(Leave("<!-slides-> <!-lastbutton->"), "");
    EXPECT_EQ(memo->toPlainText(), "<!-slides-> <!-lastbutton->");
}

// The share of the pixels near `colour`; the style may shade the ground slightly.
double Share(const QImage& image, QRgb colour) {
    const auto near = [](int a, int b) { return std::abs(a - b) <= 0x30; };
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (near(qRed(pixel), qRed(colour)) && near(qGreen(pixel), qGreen(colour)) &&
                near(qBlue(pixel), qBlue(colour)))
                ++count;
        }
    return double(count) / (image.width() * image.height());
}

TEST_F(StyleDialogsTest, TheColourListIsPaintedInItsColourWithReadableText) {
    collage.show();
    auto* combo = Find<QComboBox>(&collage, "ComboBox1");
    EXPECT_FALSE(combo->isEditable());
    // Navy gets white text, silver black.
    struct Case {
        const char* Entry;
        QRgb Background;
        QRgb Text;
    };
    for (const Case& c : {Case{"navy = #000080 ", qRgb(0, 0, 0x80), qRgb(255, 255, 255)},
                          Case{"silver =  #C0C0C0 ", qRgb(0xC0, 0xC0, 0xC0), qRgb(0, 0, 0)}}) {
        const int index = combo->findText(c.Entry);
        ASSERT_GE(index, 0) << c.Entry;
        combo->setCurrentIndex(index);
        EXPECT_EQ(ws.Collage.BackgroundColor, c.Entry);
        const QImage painted = combo->grab().toImage();
        EXPECT_GT(Share(painted, c.Background), 0.5) << c.Entry;
        // The entry's text, drawn in the contrast colour.
        EXPECT_GT(Share(painted, c.Text), 0.01) << c.Entry;
        EXPECT_EQ(Copied().CollageBgColor, c.Entry);
    }
    Close(collage);
}

TEST_F(StyleDialogsTest, SlideShowHelpOpensTheShippedPage) {
    Find<QPushButton>(&slideShow, "HelpButton")->click();
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(shell.Opened[0]).filename(), "Style.html");
    EXPECT_TRUE(FileExists(shell.Opened[0]));
}

class ImageHTMLTest : public StyleDialogsTest {
protected:
    // "Load", with `name` typed into the real file dialog; `afterChoice` runs once the
    // dialog has been answered and before the file is read.
    void Load(const std::string& name, std::function<void()> afterChoice = {}) {
        test::AnswerNextModal([this, name, afterChoice](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(QString::fromStdString(folder.Path()));
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
            static_cast<QDialog*>(dialog)->accept();
            if (afterChoice) afterChoice();
        });
        Find<QPushButton>(&imageHTML, "LoadButton")->click();
    }
    QString Shown() { return Find<QPlainTextEdit>(&imageHTML, "Memo1")->toPlainText(); }

    test::TempDir folder;
};

TEST_F(ImageHTMLTest, ATemplateWithoutSkeletonTakesTheBoxTextAndGetsTheEditsBack) {
    ws.Template.ImagePageSkeleton.clear();
    imageHTML.show();
    EXPECT_EQ(ws.Template.ImagePageSkeleton, DefaultImageHTMLText());
    EXPECT_EQ(
        Shown(),
        "<!DOCTYPE html>\n<HTML lang=\"en\"><HEAD><meta charset=\"utf-8\"><meta "
        "name=\"viewport\" content=\"width=device-width, initial-scale=1\"><TITLE><!-NAME-></TITLE>"
        "</HEAD>\n<BODY><!-IMAGE-> \n<br> </BODY></HTML>");
    Find<QPlainTextEdit>(&imageHTML, "Memo1")->setPlainText("<p><!-IMAGE-></p>\n<p>end</p>");
    Close(imageHTML);
    EXPECT_EQ(ws.Template.ImagePageSkeleton, (TStringList{"<p><!-IMAGE-></p>", "<p>end</p>"}));

    // A template with its own skeleton shows that one.
    ws.Template.ImagePageSkeleton = {"<div><!-IMAGE-></div>"};
    imageHTML.show();
    EXPECT_EQ(Shown(), "<div><!-IMAGE-></div>");
    Close(imageHTML);
}

TEST_F(ImageHTMLTest, LoadReplacesTheTextAndAnUnreadableFileLeavesIt) {
    SaveLines(folder / "page.html", {"<html>", "<body><!-IMAGE-></body>", "</html>"});
    imageHTML.show();
    Load("page.html");
    EXPECT_EQ(Shown(), "<html>\n<body><!-IMAGE-></body>\n</html>");

    // The file goes away between the choice and the reading.
    SaveLines(folder / "gone.html", {"<p>gone</p>"});
    std::string message, title;
    Load("gone.html", [&] {
        std::filesystem::remove(folder / "gone.html");
        test::ReadNextMessageBox(message, title);
    });
    EXPECT_NE(message.find("gone.html"), std::string::npos) << message;
    EXPECT_EQ(Shown(), "<html>\n<body><!-IMAGE-></body>\n</html>");
    Close(imageHTML);
    EXPECT_EQ(ws.Template.ImagePageSkeleton,
              (TStringList{"<html>", "<body><!-IMAGE-></body>", "</html>"}));
}

TEST_F(StyleDialogsTest, SettingsPanelButtonsOpenTheirDialogs) {
    QtMessages messages;
    TAskForm ask;
    SettingsPanels settings(ws, messages, ask);
    auto* tableButton = Find<QPushButton>(&settings, "TableOptionsButton");
    auto* imageHTMLButton = Find<QPushButton>(&settings, "ImageHTMLOptionsButton");
    EXPECT_FALSE(tableButton->isEnabled());

    settings.SetStyleDialogs({&table, &list, &para, &collage, &slideShow, &navigation, &imageHTML});
    const std::map<const char*, QDialog*> opens = {
        {"ListOptionsButton", &list},           {"ParaOptionsButton", &para},
        {"SlideShowOptionsButton", &slideShow}, {"TableOptionsButton", &table},
        {"CollageOptionsButton", &collage},
    };
    for (const auto& [name, dialog] : opens) {
        QString opened;
        test::AnswerNextModal([&opened](QWidget* modal) {
            opened = modal->windowTitle();
            Find<QPushButton>(modal, "CloseButton")->click();
        });
        Find<QPushButton>(&settings, name)->click();
        EXPECT_EQ(opened, dialog->windowTitle()) << name;
    }

    // Image pages exist only while thumbnails link to them.
    EXPECT_FALSE(imageHTMLButton->isEnabled());
    Find<QCheckBox>(&settings, "LinkToHTMLCheckBox")->click();
    EXPECT_TRUE(imageHTMLButton->isEnabled());
    test::ClickInNextModal("CloseButton");
    imageHTMLButton->click();
    EXPECT_FALSE(imageHTML.isVisible());
    Find<QCheckBox>(&settings, "LinkToHTMLCheckBox")->click();
    EXPECT_FALSE(imageHTMLButton->isEnabled());
}

// The program's own windows, wired as at start-up.
TEST(StyleMenuTest, EveryEntryAndButtonOpensItsDialog) {
    test::EnsureApplication();
    test::TempDir folder;
    test::ScopedEnv state{"XDG_STATE_HOME", folder / "state"};
    QtSettingsStore store(folder / "Folioscope.conf");
    Workspace ws;
    test::RecordingShell shell;
    TProgramWindows windows(ws, store, shell);
    // The caption of the modal window that `open` shows, closed with its "Close".
    const auto opened = [](const std::function<void()>& open) {
        std::string caption;
        test::AnswerNextModal([&caption](QWidget* modal) {
            caption = modal->windowTitle().toStdString();
            Find<QPushButton>(modal, "CloseButton")->click();
        });
        open();
        return caption;
    };
    const std::pair<const char*, const char*> entries[] = {
        {"ListOptions1", "Options List"},
        {"ParagraphOptions1", "Options Paragraph"},
        {"SlideShowOptions1", "Options Slide Show"},
        {"TableOptions1", "Options Table"},
        {"CollageOptions1", "Options Collage/Image Map"},
        {"NavigationOptions1", "Options Navigation"},
    };
    for (const auto& [entry, caption] : entries) {
        auto* action = Find<QAction>(&windows.Main, entry);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isEnabled()) << entry;
        EXPECT_EQ(opened([action] { action->trigger(); }), caption);
    }
    EXPECT_EQ(opened([&] { Find<QPushButton>(&windows.Main, "CollageOptionsButton")->click(); }),
              "Options Collage/Image Map");
    Find<QCheckBox>(&windows.Main, "LinkToHTMLCheckBox")->click();
    EXPECT_EQ(opened([&] { Find<QPushButton>(&windows.Main, "ImageHTMLOptionsButton")->click(); }),
              "Options Image HTML");
}

}  // namespace
}  // namespace fsc
