// The rules the panels apply as the user works: the advanced options question, the
// directory fields, the clipboard, image sets and gallery projects through their menus,
// the mouse on the image list and the wheel.
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "WorkflowFixture.h"
#include "app/AddImages.h"
#include "app/ImageListPanel.h"
#include "ui/TImagesPanel.h"

namespace fsc {
namespace {

using test::ChooseFile;
using test::Find;
using test::Windows;

class PanelRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        w = std::make_unique<Windows>();
    }
    std::unique_ptr<Windows> w;
};

TEST_F(PanelRulesTest, AdvancedOptionsAskFirstAndStayHiddenOnNo) {
    struct AnswerCase {
        const char* Button;
        bool Shown;
    };
    w->main.show();
    w->main.Tabs()->setCurrentIndex(ImagesTab);
    auto* box = Find<QCheckBox>(&w->main, "AdvancedCheckBox");
    auto* group = Find<QGroupBox>(&w->main, "AdvancedGroup");
    EXPECT_FALSE(group->isVisible());
    for (const AnswerCase& answer :
         {AnswerCase{"NoButton", false}, AnswerCase{"YesButton", true}}) {
        SCOPED_TRACE(answer.Button);
        QString statement;
        test::AnswerNextModal([&](QWidget* modal) {
            statement = Find<QLabel>(modal, "StatementLabel")->text();
            Find<QPushButton>(modal, answer.Button)->click();
        });
        box->click();
        EXPECT_EQ(statement, "Advanced Image Options are only for experts.");
        EXPECT_EQ(box->isChecked(), answer.Shown);
        EXPECT_EQ(group->isVisible(), answer.Shown);
        EXPECT_EQ(w->main.ImageListState().ShowAdvancedOptions, answer.Shown);
    }
}

TEST_F(PanelRulesTest, ShowingAdvancedOptionsGrowsTheWindowWhileTheScreenHasRoom) {
    w->main.show();
    w->main.Tabs()->setCurrentIndex(ImagesTab);
    auto* page = static_cast<QScrollArea*>(w->main.Tabs()->currentWidget());
    const int screenBottom = w->main.screen()->availableGeometry().bottom();
    struct GrowCase {
        int Height;
        bool Grows;
    };
    // Room below a low window; none when the window already reaches the screen's bottom.
    for (const GrowCase& grow : {GrowCase{300, true}, GrowCase{screenBottom, false}}) {
        SCOPED_TRACE(grow.Height);
        w->main.ImageListState().ShowAdvancedOptions = false;
        w->main.ImagesPanel().ShowImages();
        w->main.move(0, 0);
        w->main.resize(w->main.width(), grow.Height);
        QApplication::processEvents();
        test::ClickInNextModal("YesButton");
        Find<QCheckBox>(&w->main, "AdvancedCheckBox")->click();
        QApplication::processEvents();
        EXPECT_EQ(w->main.height() > grow.Height, grow.Grows);
        if (grow.Grows) {
            EXPECT_GE(page->viewport()->height(), page->widget()->sizeHint().height());
        }
    }
}

TEST_F(PanelRulesTest, AdvancedSwitchesAndFieldsGoToTheSelectedImage) {
    w->Picture("x.jpg");
    w->AddThroughDialog("\"x.jpg\"");
    w->Select(0);
    Find<QCheckBox>(&w->main, "noImageCheckBox")->click();
    Find<QCheckBox>(&w->main, "OtherLinkCheckbox")->click();
    w->Type("OtherLinkEdit", "https://example.org/");
    w->Type("FieldAEdit", "A");
    Find<QPlainTextEdit>(&w->main, "FieldCMemo")->setPlainText("  two\nlines  ");
    Find<QPlainTextEdit>(&w->main, "DescEdit")->setPlainText(" described ");
    const TThumbnail& image = w->ws.Images[0];
    EXPECT_TRUE(image.noImage);
    EXPECT_TRUE(image.useOtherLink);
    EXPECT_EQ(image.OtherLink, "https://example.org/");
    EXPECT_EQ(image.FieldA, "A");
    EXPECT_EQ(image.FieldC, "two\r\nlines");
    EXPECT_EQ(image.Description, "described");
}

TEST_F(PanelRulesTest, PreviewIsShrunkIntoItsBoxButNeverEnlarged) {
    struct PreviewCase {
        int Width, Height;
        int ShownWidth, ShownHeight;
    };
    const PreviewCase cases[] = {
        {450, 370, 225, 185},
        {900, 300, 225, 75},
        {150, 600, 46, 185},
        {100, 50, 100, 50},
    };
    w->main.show();
    w->main.Tabs()->setCurrentIndex(ImagesTab);
    Find<QCheckBox>(&w->main, "ShowImageCheckBox")->click();
    for (const PreviewCase& preview : cases) {
        SCOPED_TRACE(std::to_string(preview.Width) + " x " + std::to_string(preview.Height));
        w->ws.Images.clear();
        const std::string name = "p" + std::to_string(preview.Width) + ".jpg";
        AddOneFile(w->ws.Images, w->Picture(name, preview.Width, preview.Height));
        w->main.ImageListState().ItemIndex = 0;
        w->main.ImagesPanel().ShowImages();
        auto* label = Find<QLabel>(&w->main, "PreviewImage");
        EXPECT_TRUE(label->isVisible());
        const QPixmap shown = label->pixmap();
        EXPECT_EQ(shown.width(), preview.ShownWidth);
        EXPECT_EQ(shown.height(), preview.ShownHeight);
    }
    Find<QCheckBox>(&w->main, "ShowImageCheckBox")->click();
    EXPECT_FALSE(Find<QLabel>(&w->main, "PreviewImage")->isVisible());
}

TEST_F(PanelRulesTest, ImageDirectoryFieldRules) {
    struct DirCase {
        const char* Typed;
        const char* Stored;
        const char* Message;
    };
    const DirCase cases[] = {
        {"pics", "pics", ""},
        // Kept as typed; the build refuses a folder outside the HTML directory.
        {"\\pics", "\\pics", ""},
        {"c:\\pics", "images",
         "The image dir is a subdir of HTML dir. \":\" is not allowed in the name of subdir!"},
    };
    for (const DirCase& dir : cases) {
        SCOPED_TRACE(dir.Typed);
        std::string text, title;
        if (*dir.Message) test::ReadNextMessageBox(text, title);
        w->Type("ImageDirEdit", dir.Typed);
        EXPECT_EQ(w->ws.Main.ImageDir, dir.Stored);
        EXPECT_EQ(Find<QLineEdit>(&w->main, "ImageDirEdit")->text().toStdString(), dir.Stored);
        EXPECT_EQ(text, dir.Message);
    }
}

TEST_F(PanelRulesTest, LeavingTheHTMLFileFieldAddsTheExtension) {
    struct FileCase {
        const char* Typed;
        const char* Stored;
        bool Message;
    };
    const FileCase cases[] = {
        {" gallery ", "gallery.html", false},
        {"index.php", "index.php", false},
        {"notes.txt", "notes.txt.html", true},
    };
    for (const FileCase& file : cases) {
        SCOPED_TRACE(file.Typed);
        std::string text, title;
        QMessageBox::StandardButtons buttons;
        if (file.Message) test::ReadNextMessageBox(text, title, &buttons);
        w->Type("HTMLFileEdit", file.Typed);
        Find<QLineEdit>(&w->main, "HTMLFileEdit")->editingFinished();
        EXPECT_EQ(w->ws.Main.HTMLFile, file.Stored);
        EXPECT_EQ(Find<QLineEdit>(&w->main, "HTMLFileEdit")->text().toStdString(), file.Stored);
        if (file.Message) {
            EXPECT_EQ(title, "ERROR");
            EXPECT_EQ(buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
    }
}

TEST_F(PanelRulesTest, SelectingAnExistingPageAsksOnlyWhetherToBuildOnIt) {
    ForceDirectories(w->site);
    WriteFileBytes(w->site + "/page.html", "<html>mine</html>");
    w->ws.Main.HTMLDir = w->site;
    // Every window that comes up after the file dialog, by title; message boxes are
    // answered "Yes", the program's question "No".
    std::vector<std::string> asked;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        asked.push_back(modal->windowTitle().toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            test::AnswerNextModal(answer);
            box->button(QMessageBox::Yes)->click();
            return;
        }
        if (auto* no = modal->findChild<QPushButton*>("NoButton"))
            no->click();
        else
            modal->close();
    };
    test::AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(w->site + "/page.html"));
        test::AnswerNextModal(answer);
        static_cast<QDialog*>(dialog)->accept();
    });
    w->Click("SelectHTMLFileButton");
    EXPECT_EQ(asked, std::vector<std::string>{"QUESTION"});
    EXPECT_EQ(w->ws.Main.HTMLFile, "page.html");
    EXPECT_EQ(ReadFileBytes(w->site + "/page.html"), "<html>mine</html>");
}

TEST_F(PanelRulesTest, ClipboardWithoutPictureSaysSoAndWithOneSavesAJpeg) {
    QGuiApplication::clipboard()->setText("no picture");
    std::string text, title;
    test::ReadNextMessageBox(text, title);
    Find<QAction>(&w->main, "AddImageFromClipboard1")->trigger();
    EXPECT_EQ(text, "No image/bitmap image on clipboard.");
    EXPECT_TRUE(w->ws.Images.empty());

    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    QGuiApplication::clipboard()->setImage(picture);
    const std::string target = w->pictures + "/pasted.jpg";
    ChooseFile(w->pictures + "/pasted");
    Find<QAction>(&w->main, "AddImageFromClipboard1")->trigger();
    ASSERT_TRUE(FileExists(target));
    const TBitmap saved = LoadPicture(target);
    EXPECT_EQ(saved.Width, 64);
    EXPECT_EQ(saved.Height, 48);
    ASSERT_EQ(w->ws.Images.size(), 1u);
    EXPECT_EQ(w->ws.Images[0].Name, "pasted.jpg");
    EXPECT_EQ(w->main.Tabs()->currentIndex(), ImagesTab);
}

TEST_F(PanelRulesTest, ImageSetAndGalleryProjectRoundTripThroughTheMenus) {
    w->Picture("a.jpg");
    w->Picture("b.jpg");
    w->AddThroughDialog("\"a.jpg\" \"b.jpg\"");
    w->ws.Images[0].Hint = "first";
    // Two lines typed into the description box, as the user types them.
    w->Select(0);
    auto* description = Find<QPlainTextEdit>(&w->main, "DescEdit");
    QTest::keyClicks(description, "one");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "two");
    w->ws.Main.HTMLDir = w->site;
    w->ws.Main.HTMLFile = "index.html";
    w->ws.Main.Cols = 4;
    const std::string set = w->root / "holiday.set";
    ChooseFile(set);
    Find<QAction>(&w->main, "SaveSetInfos1")->trigger();
    ASSERT_TRUE(FileExists(set));
    // The set's line end inside the text, too.
    EXPECT_NE(ReadFileBytes(set).find("Description#>one\r\ntwo<#THUMB"), std::string::npos);
    const std::string project = w->root / "holiday.gal";
    ChooseFile(project);
    Find<QAction>(&w->main, "SaveGallery1")->trigger();
    ASSERT_TRUE(FileExists(project));

    Windows other;
    ChooseFile(set);
    Find<QAction>(&other.main, "AddSetOfImages1")->trigger();
    EXPECT_EQ(other.ImageNames(), w->ImageNames());
    EXPECT_EQ(other.ListedNames(), w->ImageNames());
    EXPECT_EQ(other.ws.Images[0].Hint, "first");
    EXPECT_EQ(other.ws.Images[0].Description, "one\r\ntwo");

    Windows third;
    ChooseFile(project);
    Find<QAction>(&third.main, "OpenGallery1")->trigger();
    EXPECT_EQ(third.ListedNames(), w->ImageNames());
    // The opened project's settings are shown, not only stored.
    EXPECT_EQ(Find<QLineEdit>(&third.main, "HTMLFileEdit")->text(), "index.html");
    EXPECT_EQ(Find<QSpinBox>(&third.main, "ColEdit")->value(), 4);
}

TEST_F(PanelRulesTest, ClicksOnTheListOpenThePictureDialogOnce) {
    struct ClickCase {
        const char* What;
        bool Filled;
        Qt::MouseButton Button;
        int Dialogs;
    };
    const ClickCase cases[] = {
        {"left click into the empty list", false, Qt::LeftButton, 1},
        {"right click into the empty list", false, Qt::RightButton, 1},
        {"right click into a filled list", true, Qt::RightButton, 1},
        {"left click into a filled list", true, Qt::LeftButton, 0},
    };
    w->Picture("x.jpg");
    w->main.show();
    for (const ClickCase& click : cases) {
        SCOPED_TRACE(click.What);
        w->ws.Images.clear();
        if (click.Filled) AddOneFile(w->ws.Images, w->pictures + "/x.jpg");
        w->main.ImagesPanel().ShowImages();
        w->main.Tabs()->setCurrentIndex(ImagesTab);
        int dialogs = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                ++dialogs;
                static_cast<QDialog*>(dialog)->reject();
            }
        });
        poll.start(5);
        QWidget* viewport = Find<QListWidget>(&w->main, "ImagesListBox")->viewport();
        QTest::mouseClick(viewport, click.Button, {}, QPoint(5, 60));
        QTest::qWait(300);
        EXPECT_EQ(dialogs, click.Dialogs);
    }
}

TEST_F(PanelRulesTest, TheWheelScrollsOnlyTheImagesPage) {
    w->main.resize(500, 300);
    w->main.show();
    struct WheelCase {
        int Tab;
        int Moved;
    };
    for (const WheelCase& wheel : {WheelCase{ImagesTab, 10}, WheelCase{GeneralTab, 0}}) {
        SCOPED_TRACE(wheel.Tab);
        w->main.Tabs()->setCurrentIndex(wheel.Tab);
        QApplication::processEvents();
        auto* page = static_cast<QScrollArea*>(w->main.Tabs()->currentWidget());
        QScrollBar* bar = page->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 20) << "the page must be taller than the window";
        bar->setValue(0);
        const QPointF inside(2, 2);
        QWheelEvent down(inside, page->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page->viewport(), &down);
        EXPECT_EQ(bar->value(), wheel.Moved);
    }
}

}  // namespace
}  // namespace fsc
