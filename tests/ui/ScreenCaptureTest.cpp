// Screen capture on a real X server: the tests start their own Xvfb (black root, no window
// manager), place windows with known pixels on it and capture them through the real
// capture windows and the X11 grabber.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "WorkflowFixture.h"
#include "base/AppFolders.h"
#include "imaging/GraphicsIO.h"
#include "platform/IScreenGrabber.h"
#include "ui/BitmapImage.h"
#include "ui/TCaptureDo.h"
#include "ui/TCapturer.h"

namespace fsc {
namespace {

using test::Find;

constexpr int ScreenWidth = 1600;
constexpr int ScreenHeight = 1000;

// A window whose every pixel the test knows: red and green count the pixel's place.
class TPatternWindow : public QWidget {
public:
    explicit TPatternWindow(QRect geometry) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(geometry);
    }
    static QRgb Pattern(int x, int y) { return qRgb(x % 256, y % 256, 200); }
    // From now on the window is one flat colour.
    void Fill(QColor colour) {
        flat = colour;
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage image(size(), QImage::Format_RGB32);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                image.setPixel(x, y, flat.isValid() ? flat.rgb() : Pattern(x, y));
        QPainter(this).drawImage(0, 0, image);
    }

private:
    QColor flat;
};

// Shows the window and waits until the server shows its pixels.
void ShowOnScreen(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(150);
}

// Differences between `picture`, whose top-left lies at `origin` of the screen, and the
// pattern window at `window`, over the screen's `area` (the whole window when empty);
// `tolerance` for a picture that went through JPEG.
int PatternMismatches(const QImage& picture, QPoint origin, const QRect& window, int tolerance = 0,
                      QRect area = {}) {
    if (area.isEmpty()) area = window;
    int wrong = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb seen = picture.pixel(x - origin.x(), y - origin.y());
            const QRgb wanted = TPatternWindow::Pattern(x - window.left(), y - window.top());
            if (std::abs(qRed(seen) - qRed(wanted)) > tolerance ||
                std::abs(qGreen(seen) - qGreen(wanted)) > tolerance ||
                std::abs(qBlue(seen) - qBlue(wanted)) > tolerance)
                ++wrong;
        }
    return wrong;
}

class ScreenCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        grabber = CreateScreenGrabber();
        mainWindow = std::make_unique<QWidget>();
    }
    // Runs `action` on the grab window once it shows modally for the rectangle choice.
    static void OnRectangleChoice(std::function<void(TCaptureDo&)> action) {
        test::AnswerNextModal([action = std::move(action)](QWidget* modal) {
            auto* chooser = qobject_cast<TCaptureDo*>(modal);
            ASSERT_NE(chooser, nullptr);
            action(*chooser);
        });
    }
    static void Mouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&target, &event);
    }
    // Press at `from`, drag to `to`, release, as the user frames a rectangle.
    static void Drag(QWidget& target, QPoint from, QPoint to) {
        Mouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(target, QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    std::unique_ptr<IScreenGrabber> grabber;
    // What "Hide" hides where the test needs no real main window.
    std::unique_ptr<QWidget> mainWindow;
};

TEST_F(ScreenCaptureTest, MenuEntryCapturesTheDesktopWithoutTheMainWindowAndAddsTheJpeg) {
    test::Windows windows;
    TPatternWindow pattern({1250, 100, 250, 200});
    ShowOnScreen(pattern);
    windows.main.move(0, 0);
    ShowOnScreen(windows.main);
    const QRect mainArea = windows.main.frameGeometry();
    ASSERT_LT(mainArea.right(), pattern.geometry().left());
    const std::string target = windows.root / "screen.jpg";

    test::AnswerNextModal([&](QWidget* modal) {
        ASSERT_EQ(modal->windowTitle(), "Folioscope Screen Capturer");
        EXPECT_TRUE(Find<QCheckBox>(modal, "HideBox")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(modal, "RectangleRadio")->isChecked());
        // An emptied hot-key field becomes "<" when left.
        auto* hotKey = Find<QLineEdit>(modal, "HotKeyEdit");
        hotKey->clear();
        emit hotKey->editingFinished();
        EXPECT_EQ(hotKey->text(), "<");
        Find<QPushButton>(modal, "HelpButton")->click();
        EXPECT_EQ(windows.shell.Opened, std::vector<std::string>{DataFolder() + "/Capturer.html"});
        EXPECT_TRUE(FileExists(DataFolder() + "/Capturer.html"));
        Find<QRadioButton>(modal, "DesktopRadio")->click();
        // The save dialog follows the capture.
        test::ChooseFile(target);
        Find<QPushButton>(modal, "CaptureButton")->click();
    });
    Find<QAction>(&windows.main, "AddImageByCapturing1")->trigger();

    EXPECT_TRUE(windows.main.isVisible());
    ASSERT_EQ(windows.ws.Images.size(), 1u);
    EXPECT_EQ(windows.ws.Images[0].FileName, target);
    const QImage saved = ToImage(LoadPicture(target));
    ASSERT_EQ(saved.size(), QSize(ScreenWidth, ScreenHeight));
    // Where the main window stood, the black root shows.
    int lit = 0;
    for (int y = mainArea.top() + 2; y < mainArea.bottom() - 2; y += 7)
        for (int x = mainArea.left() + 2; x < mainArea.right() - 2; x += 7)
            if (qGray(saved.pixel(x, y)) > 24) ++lit;
    EXPECT_EQ(lit, 0);
    EXPECT_EQ(PatternMismatches(saved, {0, 0}, pattern.geometry(), 24,
                                pattern.geometry().adjusted(4, 4, -4, -4)),
              0);
}

TEST_F(ScreenCaptureTest, ActiveWindowGivesThatWindowsSizeAndPixels) {
    TPatternWindow other({40, 40, 300, 200});
    TPatternWindow active({700, 300, 230, 170});
    ShowOnScreen(other);
    ShowOnScreen(active);
    ShowOnScreen(*mainWindow);
    test::RecordingShell shell;
    TCapturer capturer(*grabber, *mainWindow, shell);
    capturer.Settings().What = TCaptureWhat::ActiveWindow;
    // The user brings the window to the front while the delay runs.
    QTimer::singleShot(200, &active, [&] { active.activateWindow(); });
    const std::optional<TBitmap> picture = capturer.Capture();
    ASSERT_TRUE(picture);
    const QImage image = ToImage(*picture);
    ASSERT_EQ(image.size(), active.size());
    EXPECT_EQ(PatternMismatches(image, active.pos(), active.geometry()), 0);
}

TEST_F(ScreenCaptureTest, RectangleNeedsMoreThanTenPixelsEachWayAndEscapeKeepsTheDesktop) {
    TPatternWindow pattern({500, 400, 200, 150});
    ShowOnScreen(pattern);
    test::RecordingShell shell;
    TCapturer capturer(*grabber, *mainWindow, shell);
    ASSERT_EQ(capturer.Settings().What, TCaptureWhat::Rectangle);
    const QPoint corner = pattern.pos();
    OnRectangleChoice([corner](TCaptureDo& chooser) {
        EXPECT_EQ(chooser.geometry(), QRect(0, 0, ScreenWidth, ScreenHeight));
        // The frozen copy says what to do, until a frame is begun.
        auto* instruction = chooser.findChild<QLabel*>("InstructionLabel");
        ASSERT_NE(instruction, nullptr);
        EXPECT_TRUE(instruction->isVisible());
        EXPECT_TRUE(chooser.rect().contains(instruction->geometry()));
        EXPECT_TRUE(instruction->text().contains("Esc"));
        // Drawn leftwards and upwards: 10 x 50 pixels, one too narrow.
        Drag(chooser, corner + QPoint(30, 80), corner + QPoint(21, 31));
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_EQ(chooser.Frame(), QRect(corner + QPoint(21, 31), QSize(1, 1)));
        EXPECT_FALSE(instruction->isVisible());
        Drag(chooser, corner + QPoint(20, 40), corner + QPoint(30, 50));
    });
    std::optional<TBitmap> picture = capturer.Capture();
    ASSERT_TRUE(picture);
    QImage image = ToImage(*picture);
    ASSERT_EQ(image.size(), QSize(11, 11));
    const QPoint chosen = corner + QPoint(20, 40);
    EXPECT_EQ(PatternMismatches(image, chosen, pattern.geometry(), 0, QRect(chosen, QSize(11, 11))),
              0);

    OnRectangleChoice([](TCaptureDo& chooser) { QTest::keyClick(&chooser, Qt::Key_Escape); });
    picture = capturer.Capture();
    ASSERT_TRUE(picture);
    image = ToImage(*picture);
    ASSERT_EQ(image.size(), QSize(ScreenWidth, ScreenHeight));
    EXPECT_EQ(PatternMismatches(image, {0, 0}, pattern.geometry()), 0);
}

TEST_F(ScreenCaptureTest, DelayCapturesNoEarlierThanItsSeconds) {
    TPatternWindow pattern({300, 300, 100, 100});
    ShowOnScreen(pattern);
    test::RecordingShell shell;
    TCapturer capturer(*grabber, *mainWindow, shell);
    capturer.Settings().What = TCaptureWhat::Desktop;
    capturer.Settings().DelaySeconds = 2;
    QElapsedTimer clock;
    clock.start();
    // A capture before 1.5 seconds would still show the pattern.
    QTimer::singleShot(1500, &pattern, [&] { pattern.Fill(Qt::green); });
    const std::optional<TBitmap> picture = capturer.Capture();
    EXPECT_GE(clock.elapsed(), 2000);
    ASSERT_TRUE(picture);
    EXPECT_EQ(ToImage(*picture).pixel(350, 350), QColor(Qt::green).rgb());
}

// Whether another X client could take Ctrl+Alt+`key` now.
bool HotKeyFree(xcb_keycode_t key) {
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    const std::uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    xcb_generic_error_t* error =
        xcb_request_check(other, xcb_grab_key_checked(other, 1, root, ctrlAlt, key,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool free = error == nullptr;
    std::free(error);
    xcb_disconnect(other);
    return free;
}

// The key that types `symbol` without Shift on the server's keyboard; 0 for none.
xcb_keycode_t UnshiftedKeyOf(xcb_keysym_t symbol) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
    xcb_keycode_t found = 0;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
    for (int index = 0; index < count && !found; ++index)
        if (symbols[index * mapping->keysyms_per_keycode] == symbol)
            found = xcb_keycode_t(setup->min_keycode + index);
    std::free(mapping);
    xcb_disconnect(connection);
    return found;
}

TEST_F(ScreenCaptureTest, HotKeyFiresTheCaptureAndIsGivenBackAfterwards) {
    TPatternWindow pattern({100, 600, 120, 90});
    ShowOnScreen(pattern);
    test::RecordingShell shell;
    TCapturer capturer(*grabber, *mainWindow, shell);
    capturer.Settings().Trigger = TCaptureTrigger::HotKey;
    capturer.Settings().What = TCaptureWhat::Desktop;
    // The default character, which the server's keyboard types on a key of its own and
    // with Shift on the comma key.
    ASSERT_EQ(capturer.Settings().HotKey, "<");
    const xcb_keycode_t less = UnshiftedKeyOf('<');
    ASSERT_NE(less, 0);
    bool heldWhileWaiting = false;
    QTimer::singleShot(300, &pattern, [&] {
        heldWhileWaiting = !HotKeyFree(less);
        // A key without Ctrl+Alt is not the hot key, and Num Lock does not hide it.
        QProcess::execute("xdotool", {"key", "less"});
        QTest::qWait(400);
        if (capturer.GrabWindow().Step() != 2) ADD_FAILURE() << "a plain key fired the capture";
        QProcess::execute("xdotool", {"key", "Num_Lock", "ctrl+alt+less"});
    });
    const std::optional<TBitmap> picture = capturer.Capture();
    EXPECT_TRUE(heldWhileWaiting);
    EXPECT_TRUE(HotKeyFree(less));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PatternMismatches(ToImage(*picture), {0, 0}, pattern.geometry()), 0);
}

}  // namespace
}  // namespace fsc

// The tests get an X server of their own, so they never draw on the user's desktop; the
// display number comes from the server itself, which picks a free one.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return 1;
    const pid_t server = ::fork();
    if (server == 0) {
        ::close(pipeEnds[0]);
        // The server ends with the tests, however they end, and keeps quiet.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        const std::string size =
            std::to_string(fsc::ScreenWidth) + "x" + std::to_string(fsc::ScreenHeight) + "x24";
        const std::string fd = std::to_string(pipeEnds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", size.c_str(), "-br",
                 "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        std::perror("Xvfb");
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string display;
    char c;
    while (::read(pipeEnds[0], &c, 1) == 1 && c != '\n') display += c;
    ::close(pipeEnds[0]);
    if (display.empty()) {
        std::fprintf(stderr, "Xvfb did not start (Debian package xvfb)\n");
        return 1;
    }
    ::setenv("DISPLAY", (":" + display).c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    // A capture that never fires waits for good: end such a run as a failure.
    ::alarm(120);
    const int result = RUN_ALL_TESTS();
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    return result;
}
