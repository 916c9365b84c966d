// The Special window and the watermark editor: edits reach the workspace, the right-button
// question, the watermark text kept in step between both windows, the preview against the
// stamping routine's own output, and a gallery built with the watermark switched on.
#include <QCheckBox>
#include <QColorDialog>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <cstdlib>

#include "WorkflowFixture.h"
#include "base/IClock.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkTestPicture.h"
#include "platform/QtTextRasteriser.h"
#include "ui/BitmapImage.h"
#include "ui/TSpecialForm.h"
#include "ui/TWatermarkForm.h"

namespace fsc {
namespace {

using test::Find;

class SteppingClock : public IClock {
public:
    TDateTime Now() override { return Time; }
    TDateTime Time = 1000.0;
};

class CountingAsk : public IAsk {
public:
    bool Ask(const std::string&, const std::string&) override {
        ++Asked;
        return true;
    }
    int Asked = 0;
};

TWatermarkPositions PositionsOf(const WatermarkOptions& o) {
    TWatermarkPositions p{};
    p[wpLeftTop] = o.LT, p[wpLeftMiddle] = o.LM, p[wpLeftBottom] = o.LB;
    p[wpCenterTop] = o.CT, p[wpCenterMiddle] = o.CM, p[wpCenterBottom] = o.CB;
    p[wpRightTop] = o.RT, p[wpRightMiddle] = o.RM, p[wpRightBottom] = o.RB;
    return p;
}

TBitmap Stamped(TBitmap picture, const WatermarkOptions& o) {
    QtTextRasteriser rasteriser;
    Stamp(picture, o.Text, PositionsOf(o), o.AdjustSize, o.Font, o.Transparency, rasteriser);
    return picture;
}

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB888); }

void Type(QPlainTextEdit* memo, const char* text) {
    memo->selectAll();
    memo->insertPlainText(text);
}

void Leave(QWidget* widget) {
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(widget, &out);
}

class SpecialWindowTest : public ::testing::Test {
protected:
    QImage ShownPreview() { return Rgb(Find<QLabel>(&editor, "PreviewImage")->pixmap().toImage()); }

    // The windows below need the application before they are built.
    bool applicationReady = (test::EnsureApplication(), true);
    Workspace ws;
    SteppingClock clock;
    TAskForm ask;
    int mainChanged = 0;
    TWatermarkForm editor{ws, clock};
    TSpecialForm special{ws, ask, editor, [this] { ++mainChanged; }};
};

TEST_F(SpecialWindowTest, SwitchesAndTextsWriteThroughAndRefill) {
    SpecialOptions& s = ws.Special;
    // Linked pages, so the right-button switch asks nothing here.
    ws.Main.LinkToHTML = true;
    const std::pair<const char*, bool*> boxes[] = {
        {"AuthorCheckBox", &s.MetaAuthor},
        {"KeywordsCheckBox", &s.MetaKeywords},
        {"DescriptionCheckBox", &s.MetaDescription},
        {"KeywordsNameCheckBox", &s.KeywordsFromName},
        {"KeywordsHintDescCheckBox", &s.KeywordsFromHintDesc},
        {"DescriptionHintCheckBox", &s.DescriptionWithHint},
        {"RightButtonCheckBox", &s.DisableRightButton},
        {"WatermarkCheckBox", &s.Watermark},
        {"RemoveLocationCheckBox", &s.RemoveLocation},
    };
    for (const auto& [name, field] : boxes) {
        SCOPED_TRACE(name);
        auto* box = Find<QCheckBox>(&special, name);
        const bool before = *field;
        EXPECT_EQ(box->isChecked(), before);
        box->click();
        EXPECT_EQ(*field, !before);
    }
    const std::pair<const char*, std::string*> edits[] = {
        {"AuthorEdit", &s.Author},
        {"KeywordsEdit", &s.Keywords},
        {"DescriptionEdit", &s.Description},
        {"RightButtonMessageEdit", &s.RightButtonMessage},
    };
    for (const auto& [name, field] : edits) {
        SCOPED_TRACE(name);
        auto* edit = Find<QLineEdit>(&special, name);
        edit->selectAll();
        edit->insert(QString("typed into ") + name);
        EXPECT_EQ(*field, std::string("typed into ") + name);
    }
    EXPECT_EQ(Find<QLineEdit>(&special, "RightButtonMessageEdit")->text(),
              "typed into RightButtonMessageEdit");

    // A command (a template, a project) replaces the values; both windows show them again.
    s.Author = "Ann";
    s.MetaAuthor = false;
    s.WatermarkText = {"one", "two"};
    ws.Watermark.Transparency = 30;
    ws.Watermark.RB = true;
    s.RemoveLocation = true;
    special.ShowSettings();
    editor.ShowOptions();
    EXPECT_EQ(Find<QLineEdit>(&special, "AuthorEdit")->text(), "Ann");
    EXPECT_FALSE(Find<QCheckBox>(&special, "AuthorCheckBox")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(&special, "RemoveLocationCheckBox")->isChecked());
    EXPECT_EQ(Find<QPlainTextEdit>(&special, "WatermarkMemo")->toPlainText(), "one\ntwo");
    EXPECT_EQ(Find<QSlider>(&editor, "TransparencyTrackBar")->value(), 30);
    EXPECT_EQ(Find<QLabel>(&editor, "TransparencyLabel")->text(), "30");
    EXPECT_TRUE(Find<QCheckBox>(&editor, "RBCheckBox")->isChecked());
}

TEST_F(SpecialWindowTest, TheGroupsAreTheTwoPanelsForTheTab) {
    EXPECT_EQ(special.MetaTagsPanel()->title(), "Meta Tags");
    EXPECT_EQ(special.ProtectPanel()->title(), "Protect your images");
    // Borrowed by another window, the panels keep working and can be given back.
    QWidget page;
    auto* layout = new QHBoxLayout(&page);
    layout->addWidget(special.MetaTagsPanel());
    layout->addWidget(special.ProtectPanel());
    Find<QCheckBox>(&page, "AuthorCheckBox")->click();
    EXPECT_TRUE(ws.Special.MetaAuthor);
    special.TakeBackPanels();
    EXPECT_EQ(special.MetaTagsPanel()->parentWidget(), &special);
    EXPECT_EQ(special.ProtectPanel()->parentWidget(), &special);
}

TEST_F(SpecialWindowTest, DisablingTheRightButtonOffersToLinkToPages) {
    struct Case {
        const char* Answer;
        bool Linked;
    };
    for (const Case& c : {Case{"YesButton", true}, Case{"NoButton", false}}) {
        SCOPED_TRACE(c.Answer);
        ws.Main.LinkToHTML = false;
        ws.Special.DisableRightButton = false;
        special.ShowSettings();
        mainChanged = 0;
        std::string statement, question;
        test::AnswerNextModal([&](QWidget* modal) {
            statement = Find<QLabel>(modal, "StatementLabel")->text().toStdString();
            question = Find<QLabel>(modal, "QuestionLabel")->text().toStdString();
            Find<QAbstractButton>(modal, c.Answer)->click();
        });
        Find<QCheckBox>(&special, "RightButtonCheckBox")->click();
        EXPECT_EQ(statement,
                  "Warning: To disable the right mouse button does only help when \"Link to "
                  "HTML\"");
        EXPECT_EQ(question, "under \"General\" is checked. Check \"Link to HTML\"?");
        // The switch stays on either way; only Yes links the thumbnails to pages.
        EXPECT_TRUE(ws.Special.DisableRightButton);
        EXPECT_EQ(ws.Main.LinkToHTML, c.Linked);
        EXPECT_EQ(mainChanged, c.Linked ? 1 : 0);
    }
}

TEST_F(SpecialWindowTest, TheRightButtonQuestionComesOnlyWhenItHelps) {
    CountingAsk counting;
    TSpecialForm window{ws, counting, editor};
    auto* box = Find<QCheckBox>(&window, "RightButtonCheckBox");
    ws.Main.LinkToHTML = true;
    box->click();  // on, already linked
    box->click();  // off
    ws.Main.LinkToHTML = false;
    ws.Special.DisableRightButton = true;
    window.ShowSettings();  // a refill is no click
    box->click();           // off
    EXPECT_EQ(counting.Asked, 0);
}

TEST_F(SpecialWindowTest, PreviewIsTheStampOfTheTestPictureAfterEveryChange) {
    auto* memo = Find<QPlainTextEdit>(&editor, "TextMemo");
    auto* slider = Find<QSlider>(&editor, "TransparencyTrackBar");
    struct Step {
        const char* What;
        std::function<void()> Act;
    };
    const std::vector<Step> steps = {
        {"text", [&] { Type(memo, "Folio\nscope"); }},
        {"another position", [&] { Find<QCheckBox>(&editor, "CMCheckBox")->click(); }},
        {"bottom left off", [&] { Find<QCheckBox>(&editor, "LBCheckBox")->click(); }},
        {"opaque", [&] { slider->setValue(0); }},
        {"transparent", [&] { slider->setValue(250); }},
        {"fixed size", [&] { Find<QCheckBox>(&editor, "AdjustSizeCheckBox")->click(); }},
        {"all nine",
         [&] {
             for (const char* name : {"LTCheckBox", "LMCheckBox", "LBCheckBox", "CTCheckBox",
                                      "CBCheckBox", "RTCheckBox", "RMCheckBox", "RBCheckBox"})
                 Find<QCheckBox>(&editor, name)->click();
         }},
    };
    QImage previous = ShownPreview();
    // Empty text: the bare test picture.
    EXPECT_EQ(previous, Rgb(ToImage(WatermarkTestPicture())));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.What);
        clock.Time += 1;
        step.Act();
        const QImage shown = ShownPreview();
        EXPECT_EQ(shown, Rgb(ToImage(Stamped(WatermarkTestPicture(), ws.Watermark))));
        EXPECT_EQ(shown, Rgb(editor.PreviewPicture()));
        EXPECT_NE(shown, previous);
        // Every refresh dates the change, so older copies are stamped again.
        EXPECT_EQ(ws.Watermark.Changed, clock.Time);
        previous = shown;
    }
    EXPECT_EQ(ws.Watermark.Text, (TStringList{"Folio", "scope"}));
    EXPECT_EQ(ws.Watermark.Transparency, 250);
    EXPECT_FALSE(ws.Watermark.AdjustSize);
    EXPECT_TRUE(ws.Watermark.LT && ws.Watermark.CM && ws.Watermark.RB);
}

TEST_F(SpecialWindowTest, FontAndColourComeFromTheirDialogs) {
    Type(Find<QPlainTextEdit>(&editor, "TextMemo"), "Mark");
    // An installed family with a bold face; the default family may be an alias without one.
    QString family;
    for (const QString& candidate : QFontDatabase::families()) {
        if (QFontDatabase::styles(candidate).contains("Bold")) {
            family = candidate;
            break;
        }
    }
    ASSERT_FALSE(family.isEmpty());
    test::AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        QFont chosen(family, 20);
        chosen.setBold(true);
        chosen.setUnderline(true);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    Find<QPushButton>(&editor, "EditFontButton")->click();
    const TFontSpec& font = ws.Watermark.Font;
    EXPECT_EQ(font.Name, family.toStdString());
    EXPECT_EQ(font.Size, 20);
    EXPECT_TRUE(font.Bold);
    EXPECT_TRUE(font.Underline);
    EXPECT_FALSE(font.Italic);
    EXPECT_EQ(Find<QLabel>(&editor, "FontLabel")->text(), "20 " + family);
    EXPECT_EQ(ShownPreview(), Rgb(ToImage(Stamped(WatermarkTestPicture(), ws.Watermark))));

    test::AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(QColor(255, 255, 255));
        dialog->accept();
    });
    Find<QPushButton>(&editor, "FontColourButton")->click();
    EXPECT_EQ(font.Red, 255);
    EXPECT_EQ(font.Green, 255);
    EXPECT_EQ(font.Blue, 255);
    // White text is stamped too (its key colour is not white).
    EXPECT_NE(ShownPreview(), Rgb(ToImage(WatermarkTestPicture())));
    EXPECT_EQ(ShownPreview(), Rgb(ToImage(Stamped(WatermarkTestPicture(), ws.Watermark))));

    // Cancel keeps what was there.
    const WatermarkOptions before = ws.Watermark;
    for (const char* button : {"EditFontButton", "FontColourButton"}) {
        SCOPED_TRACE(button);
        test::AnswerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        Find<QPushButton>(&editor, button)->click();
        EXPECT_EQ(ws.Watermark.Font, before.Font);
    }
}

TEST_F(SpecialWindowTest, WatermarkTextIsKeptInStepBetweenBothWindows) {
    auto* specialMemo = Find<QPlainTextEdit>(&special, "WatermarkMemo");
    auto* editorMemo = Find<QPlainTextEdit>(&editor, "TextMemo");
    // The editor starts empty and the Special window with its default lines.
    EXPECT_TRUE(ws.Watermark.Text.empty());
    EXPECT_EQ(ws.Special.WatermarkText, DefaultWatermarkText());

    // Typing in the Special window reaches the editor and its preview at once.
    clock.Time = 2000;
    Type(specialMemo, "(c) Ann\nann.example");
    const TStringList typed = {"(c) Ann", "ann.example"};
    EXPECT_EQ(ws.Special.WatermarkText, typed);
    EXPECT_EQ(ws.Watermark.Text, typed);
    EXPECT_EQ(editorMemo->toPlainText(), "(c) Ann\nann.example");
    EXPECT_EQ(ws.Watermark.Changed, 2000);
    EXPECT_EQ(ShownPreview(), Rgb(ToImage(Stamped(WatermarkTestPicture(), ws.Watermark))));

    // Leaving the editor's box hands its text back.
    Type(editorMemo, "edited in the editor");
    Leave(editorMemo);
    EXPECT_EQ(ws.Special.WatermarkText, TStringList{"edited in the editor"});
    EXPECT_EQ(specialMemo->toPlainText(), "edited in the editor");

    // The switch copies the text over and dates the change, so that copies made while the
    // watermark was off are stamped by the next build.
    ws.Watermark.Text = {"stale"};
    clock.Time = 3000;
    Find<QCheckBox>(&special, "WatermarkCheckBox")->click();
    EXPECT_TRUE(ws.Special.Watermark);
    EXPECT_EQ(ws.Watermark.Text, TStringList{"edited in the editor"});
    EXPECT_EQ(ws.Watermark.Changed, 3000);
}

TEST_F(SpecialWindowTest, EditWatermarkOptionsSwitchesOnAndEditsTheTextInTheEditor) {
    ws.Watermark.Text = {"old editor text"};
    std::string shownText;
    bool modalEditor = false;
    test::AnswerNextModal([&](QWidget* modal) {
        modalEditor = modal == &editor;
        auto* memo = Find<QPlainTextEdit>(modal, "TextMemo");
        shownText = memo->toPlainText().toStdString();
        Type(memo, "new\ntext");
        Leave(memo);
        Find<QPushButton>(modal, "CloseButton")->click();
    });
    Find<QPushButton>(&special, "EditWatermarkButton")->click();
    EXPECT_TRUE(modalEditor);
    EXPECT_EQ(shownText, "Created with Folioscope\n" + DefaultWatermarkText()[1]);
    EXPECT_TRUE(ws.Special.Watermark);
    EXPECT_TRUE(Find<QCheckBox>(&special, "WatermarkCheckBox")->isChecked());
    EXPECT_EQ(ws.Special.WatermarkText, (TStringList{"new", "text"}));
    EXPECT_EQ(Find<QPlainTextEdit>(&special, "WatermarkMemo")->toPlainText(), "new\ntext");
}

// Mean difference per channel between two pictures of one size within a rectangle.
double MeanDifference(const TBitmap& a, const TBitmap& b, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0 * 3; x < x1 * 3; ++x) {
            sum += std::abs(int(a.Row(y)[x]) - int(b.Row(y)[x]));
            ++count;
        }
    return count ? sum / count : 0;
}

TEST(SpecialWindowBuildTest, SwitchingTheWatermarkOnStampsTheNextBuildsCopies) {
    test::EnsureApplication();
    test::Windows w;
    TSystemClock clock;
    TWatermarkForm editor{w.ws, clock};
    TSpecialForm special{w.ws, w.ask, editor};
    const std::string source = w.Picture("photo.jpg", 320, 240);
    w.AddThroughDialog("\"photo.jpg\"");
    w.ws.Main.HTMLDir = w.site;
    w.ws.Main.HTMLFile = "index.html";
    const std::string copy = w.site + "/images/photo.jpg";
    const TBitmap original = LoadPicture(source);

    // Opaque black text in the middle, set up before the first build, so that only the
    // switch changes between the two builds.
    Type(Find<QPlainTextEdit>(&special, "WatermarkMemo"), "(c) Folio");
    Find<QCheckBox>(&editor, "LBCheckBox")->click();
    Find<QCheckBox>(&editor, "CMCheckBox")->click();
    Find<QSlider>(&editor, "TransparencyTrackBar")->setValue(0);

    // Without the watermark the copy is the picture itself.
    Find<QAction>(&w.main, "CreateGallery1")->trigger();
    ASSERT_TRUE(FileExists(copy));
    EXPECT_EQ(LoadPicture(copy), original);

    // The copy on disk is newer than every editor change; the switch alone must redo it.
    Find<QCheckBox>(&special, "WatermarkCheckBox")->click();
    Find<QAction>(&w.main, "CreateGallery1")->trigger();

    const TBitmap written = LoadPicture(copy);
    const TBitmap expected = Stamped(original, w.ws.Watermark);
    ASSERT_EQ(written.Width, expected.Width);
    ASSERT_EQ(written.Height, expected.Height);
    const int x0 = 20, y0 = 90, x1 = 300, y1 = 150;
    const double toExpected = MeanDifference(written, expected, x0, y0, x1, y1);
    const double toOriginal = MeanDifference(written, original, x0, y0, x1, y1);
    // JPEG leaves a little noise; the stamp itself is far larger.
    EXPECT_LT(toExpected * 3, toOriginal) << toExpected << " vs " << toOriginal;
    EXPECT_LT(toExpected, 12.0);
}

}  // namespace
}  // namespace fsc
