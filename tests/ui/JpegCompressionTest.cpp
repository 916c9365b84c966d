// The per-image compression dialog through its real widgets: presets, which settings it
// hands back, the preview file and its size, the two zoom views, a preview file that cannot
// be written, and the dialog asked during a real build from the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "WorkflowFixture.h"
#include "engine/ImageCopyPicture.h"
#include "engine/LoadSourcePicture.h"
#include "imaging/PreviewPlacement.h"
#include "platform/QtTextRasteriser.h"
#include "ui/TQualitySlider.h"

namespace fsc {
namespace {

using test::Find;

TBitmap Gradient(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = picture.Row(y) + x * 3;
            pixel[0] = std::uint8_t(x * 255 / width);
            pixel[1] = std::uint8_t(y * 255 / height);
            pixel[2] = std::uint8_t((x / 8 + y / 8) % 2 ? 200 : 40);
        }
    return picture;
}

class JpegCompressionTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = std::make_unique<TJPEGCompressionForm>(program);
    }

    // Runs the dialog for the picture; `inside` acts in it while it is shown and must close it.
    TCompressionChoice Run(const TBitmap& picture, std::function<void()> inside) {
        test::AnswerNextModal([this, inside](QWidget* modal) {
            EXPECT_EQ(modal, form.get());
            inside();
        });
        return form->Execute(picture);
    }
    template <class Widget>
    Widget* Get(const char* name) {
        return Find<Widget>(form.get(), name);
    }
    void Click(const char* name) { Get<QAbstractButton>(name)->click(); }
    void SetSlider(int value) { Get<QSlider>("QualityTrackBar")->setValue(value); }
    std::string SizeText() { return Get<QLabel>("SizeLabel")->text().toStdString(); }
    std::string TempJpeg() const { return root / "state/folioscope/temp.jpg"; }

    test::TempDir root;
    test::ScopedEnv state{"XDG_STATE_HOME", root / "state"};
    ProgramOptions program;
    std::unique_ptr<TJPEGCompressionForm> form;
    const TBitmap picture = Gradient(120, 90);
};

TEST_F(JpegCompressionTest, StartsAtFiftyProgressiveAndMarksTheDefaultCompression) {
    auto* slider = Get<TQualitySlider>("QualityTrackBar");
    EXPECT_EQ(slider->value(), 50);
    EXPECT_TRUE(Get<QCheckBox>("ProgressiveCheckBox")->isChecked());
    EXPECT_TRUE(Get<QRadioButton>("FullImageRadioButton")->isChecked());
    EXPECT_EQ(SizeText(), "0 Bytes");
    EXPECT_EQ(Get<QComboBox>("PresetComboBox")->currentText(), "");
    EXPECT_EQ(Get<QComboBox>("PresetComboBox")->placeholderText(), "Defaults for WWW,...");

    // The mark follows the option at every showing; the lowest default gets none.
    for (const auto& [option, mark] : std::vector<std::pair<int, std::optional<int>>>{
             {50, 50}, {80, 80}, {6, 6}, {5, std::nullopt}}) {
        SCOPED_TRACE(option);
        program.JPEGCompression = option;
        std::optional<int> shown = -1;
        Run(picture, [&] {
            shown = slider->Mark();
            Click("OKButton");
        });
        EXPECT_EQ(shown, mark);
    }
}

TEST_F(JpegCompressionTest, PresetsFollowTheDefaultCompression) {
    const struct {
        int option;
        int entry;
        int slider;
        bool progressive;
    } cases[] = {
        {50, 0, 75, false},  {50, 1, 50, false}, {50, 2, 25, false}, {50, 3, 12, true},
        {80, 0, 100, false}, {80, 1, 80, false}, {80, 2, 40, false}, {80, 3, 12, true},
    };
    auto* presets = Get<QComboBox>("PresetComboBox");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << ", entry " << c.entry);
        program.JPEGCompression = c.option;
        // From the opposite state, so each entry has to set both.
        SetSlider(1);
        Get<QCheckBox>("ProgressiveCheckBox")->setChecked(!c.progressive);
        presets->activated(c.entry);
        EXPECT_EQ(Get<QSlider>("QualityTrackBar")->value(), c.slider);
        EXPECT_EQ(Get<QCheckBox>("ProgressiveCheckBox")->isChecked(), c.progressive);
        EXPECT_EQ(presets->currentIndex(), -1);
    }
}

TEST_F(JpegCompressionTest, HandsBackTheSettingsOfTheLastPreview) {
    // Shown at 50, progressive: the preview on showing is what counts, not the controls'
    // later state, whichever way they changed.
    TCompressionChoice choice = Run(picture, [&] {
        SetSlider(20);
        Get<QCheckBox>("ProgressiveCheckBox")->setChecked(false);
        Get<QComboBox>("PresetComboBox")->activated(0);
        Click("OKButton");
    });
    EXPECT_EQ(choice.Result, TCompressionResult::OK);
    EXPECT_EQ(choice.Settings, (TJpegSettings{50, true}));

    // The controls kept their last state, and the next showing previews with it.
    choice = Run(picture, [&] {
        EXPECT_EQ(Get<QSlider>("QualityTrackBar")->value(), 75);
        EXPECT_FALSE(Get<QCheckBox>("ProgressiveCheckBox")->isChecked());
        SetSlider(90);
        Click("PreviewButton");
        SetSlider(10);
        Click("AllButton");
    });
    EXPECT_EQ(choice.Result, TCompressionResult::All);
    EXPECT_EQ(choice.Settings, (TJpegSettings{90, false}));

    choice = Run(picture, [&] {
        Get<QCheckBox>("ProgressiveCheckBox")->setChecked(true);
        SetSlider(60);
        // A click on the zoom choice already made also previews.
        Click("FullImageRadioButton");
        Click("CancelButton");
    });
    EXPECT_EQ(choice.Result, TCompressionResult::Cancel);
    EXPECT_EQ(choice.Settings, (TJpegSettings{60, true}));
}

TEST_F(JpegCompressionTest, ThePreviewIsTheTempFileAndTheLabelItsSize) {
    struct Seen {
        std::string label;
        std::string file;
    };
    std::vector<Seen> seen;
    auto look = [&] { seen.push_back({SizeText(), ReadFileBytes(TempJpeg())}); };
    Run(picture, [&] {
        look();
        SetSlider(10);
        Get<QCheckBox>("ProgressiveCheckBox")->setChecked(false);
        Click("PreviewButton");
        look();
        // Moving the slider alone writes nothing.
        SetSlider(95);
        look();
        Click("OKButton");
    });
    ASSERT_EQ(seen.size(), 3u);
    const std::string atShow = EncodeJpeg(picture, 50, true);
    const std::string atTen = EncodeJpeg(picture, 10, false);
    EXPECT_EQ(seen[0].file, atShow);
    EXPECT_EQ(seen[0].label, std::to_string(atShow.size()) + " Bytes");
    EXPECT_EQ(seen[1].file, atTen);
    EXPECT_EQ(seen[1].label, std::to_string(atTen.size()) + " Bytes");
    EXPECT_LT(atTen.size(), atShow.size());
    EXPECT_EQ(seen[2].file, atTen);
    EXPECT_EQ(seen[2].label, seen[1].label);
}

TEST_F(JpegCompressionTest, AnUnwritablePreviewFileIsReportedAndTheDialogStaysOpen) {
    // A plain file where the state folder should be.
    WriteFileBytes(root / "blocked", "");
    test::ScopedEnv blocked{"XDG_STATE_HOME", root / "blocked"};
    std::vector<std::string> messages;
    bool openAfterwards = false;
    std::string sizeAfterwards;
    auto readError = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        messages.push_back(box->text().toStdString());
        box->accept();
    };
    // The first preview fails while the dialog is being shown, the second on the button.
    test::AnswerNextModal([&](QWidget* modal) {
        readError(modal);
        test::AnswerNextModal([&](QWidget* dialog) {
            EXPECT_EQ(dialog, form.get());
            test::AnswerNextModal(readError);
            SetSlider(30);
            Click("PreviewButton");
            openAfterwards = form->isVisible();
            sizeAfterwards = SizeText();
            Click("OKButton");
        });
    });
    const TCompressionChoice choice = form->Execute(picture);
    ASSERT_EQ(messages.size(), 2u);
    for (const std::string& message : messages) {
        EXPECT_NE(message.find(root / "blocked"), std::string::npos) << message;
    }
    EXPECT_TRUE(openAfterwards);
    EXPECT_EQ(sizeAfterwards, "0 Bytes");
    // No preview was seen, so the failed attempt at 30 does not count.
    EXPECT_EQ(choice.Settings, (TJpegSettings{50, true}));
}

TEST_F(JpegCompressionTest, FullViewFitsTheBoxAndOneToOneScrollsBothViewsTogether) {
    const TBitmap large = Gradient(900, 700);
    Run(large, [&] {
        auto* sourceView = Get<QLabel>("ImageFullView");
        auto* previewView = Get<QLabel>("PreviewFullView");
        auto* sourceBox = Get<QScrollArea>("ImageScrollBox");
        auto* previewBox = Get<QScrollArea>("PreviewScrollBox");
        auto* imageGroup = Get<QGroupBox>("ImageGroupBox");
        const TPlacement fitted =
            FullImagePlacement(900, 700, imageGroup->width(), imageGroup->height());
        EXPECT_EQ(sourceView->geometry(),
                  QRect(fitted.Left, fitted.Top, fitted.Width, fitted.Height));
        EXPECT_LT(fitted.Width, 900);
        EXPECT_TRUE(sourceView->isVisible());
        EXPECT_TRUE(previewView->isVisible());
        EXPECT_FALSE(sourceBox->isVisible());
        EXPECT_FALSE(previewView->pixmap().isNull());

        Click("OneToOneRadioButton");
        EXPECT_FALSE(sourceView->isVisible());
        EXPECT_TRUE(sourceBox->isVisible());
        EXPECT_TRUE(previewBox->isVisible());
        EXPECT_EQ(sourceBox->widget()->size(), QSize(900, 700));
        EXPECT_EQ(previewBox->widget()->size(), QSize(900, 700));
        sourceBox->horizontalScrollBar()->setValue(120);
        sourceBox->verticalScrollBar()->setValue(80);
        EXPECT_EQ(previewBox->horizontalScrollBar()->value(), 120);
        EXPECT_EQ(previewBox->verticalScrollBar()->value(), 80);
        previewBox->verticalScrollBar()->setValue(30);
        EXPECT_EQ(sourceBox->verticalScrollBar()->value(), 30);
        // A new preview keeps the place scrolled to.
        Click("PreviewButton");
        EXPECT_EQ(sourceBox->horizontalScrollBar()->value(), 120);
        EXPECT_EQ(previewBox->verticalScrollBar()->value(), 30);

        Click("FullImageRadioButton");
        EXPECT_TRUE(sourceView->isVisible());
        EXPECT_FALSE(previewBox->isVisible());
        Click("OKButton");
    });
}

// A click through the window the button is in, as the window system would deliver it, so
// that a window blocked by a modal one does not get it (QTest's widget clicks skip that).
void ClickOnScreen(QWidget* button) {
    QWidget* window = button->window();
    const QPoint where = button->mapTo(window, button->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, where);
}

// "Let's go" with the per-image dialog on: the dialog comes up over the progress window,
// takes real clicks, is asked once for all three pictures, and the copies are what it chose.
TEST(JpegCompressionBuild, UseForAllImagesAsksOnceAndWritesTheChosenCompression) {
    test::EnsureApplication();
    test::Windows w;
    const std::vector<std::string> names = {"a.jpg", "b.jpg", "c.jpg"};
    for (const std::string& name : names) w.Picture(name);
    w.AddThroughDialog("\"a.jpg\" \"b.jpg\" \"c.jpg\"");
    w.main.Tabs()->setCurrentIndex(GeneralTab);
    w.Type("HTMLDIREdit", w.site.c_str());
    w.Type("HTMLFileEdit", "index.html");
    Find<QCheckBox>(&w.main, "ResizeWidthCheckBox")->click();
    Find<QSpinBox>(&w.main, "GreaterThanEdit")->setValue(100);
    Find<QCheckBox>(&w.main, "AdjustCompressionCheckBox")->click();

    int asked = 0;
    bool overProgress = false;
    bool abortBlocked = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        if (QApplication::activeModalWidget() != &w.compression || !w.compression.isVisible())
            return;
        ++asked;
        overProgress = w.progress.isVisible();
        // Clicks as the window system delivers them, which a blocked window does not get:
        // "Abort" of the progress window is held back while the dialog is up.
        ClickOnScreen(Find<QPushButton>(&w.progress, "AbortButton"));
        abortBlocked = !w.ws.LastImages->Abort;
        Find<QSlider>(&w.compression, "QualityTrackBar")->setValue(30);
        Find<QCheckBox>(&w.compression, "ProgressiveCheckBox")->setChecked(true);
        ClickOnScreen(Find<QPushButton>(&w.compression, "PreviewButton"));
        ClickOnScreen(Find<QPushButton>(&w.compression, "AllButton"));
    });
    watch.start(5);
    Find<QAction>(&w.main, "CreateGallery1")->trigger();
    watch.stop();

    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(overProgress);
    EXPECT_TRUE(abortBlocked);
    ASSERT_TRUE(w.ws.LastImages);
    QtTextRasteriser rasteriser;
    for (const TThumbnail& thumb : w.ws.Images) {
        SCOPED_TRACE(thumb.Name);
        const std::string written = ReadFileBytes(w.site + "/images/" + thumb.Name);
        // The copy the build makes of the whole source, encoded as the dialog chose.
        TBitmap source = LoadSourcePicture(thumb.FileName, nullptr);
        const TSize size = CopySize(*w.ws.LastImages, {source.Width, source.Height});
        const TBitmap copy = CopyPictureFrom(std::move(source), size, *w.ws.LastImages, rasteriser);
        EXPECT_EQ(copy.Width, 100);
        EXPECT_EQ(written, EncodeJpeg(copy, 30, true));
        EXPECT_EQ(thumb.CopyQuality, 30);
    }
    EXPECT_EQ(w.shell.Opened.size(), 1u);
}

}  // namespace
}  // namespace fsc
