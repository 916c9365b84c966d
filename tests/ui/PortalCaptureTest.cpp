// Screen capture on a Wayland desktop goes through the desktop portal over D-Bus. The tests
// start a bus of their own and a scripted portal on it (desktop_portal.py), and run the
// real capture windows and the portal grabber against it on Qt's offscreen platform.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "WorkflowFixture.h"
#include "base/Errors.h"
#include "platform/PortalRequest.h"
#include "platform/PortalScreenGrabber.h"
#include "support/TempDir.h"
#include "ui/BitmapImage.h"
#include "ui/TCapturer.h"

namespace fsc {
namespace {

using test::Find;

// The screenshot the portal hands out: every pixel says where it lies.
QImage PortalPicture() {
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x * 4, y * 5, 77));
    return picture;
}

class PortalCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        ASSERT_TRUE(PortalPicture().save(QString::fromStdString(picturePath), "PNG"));
        grabber = std::make_unique<PortalScreenGrabber>();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->show();
    }
    void TearDown() override { StopPortal(); }

    // Starts the scripted portal: Screenshot answers `answer`; `shortcuts` adds GlobalShortcuts.
    void StartPortal(int answer, bool shortcuts) {
        QStringList arguments = {FSC_UI_TEST_DIR "/desktop_portal.py",
                                 QString::fromStdString(logPath),
                                 QString::fromStdString(picturePath), QString::number(answer)};
        if (shortcuts) arguments << "--shortcuts";
        portal.start("/usr/bin/python3", arguments);
        ASSERT_TRUE(portal.waitForStarted(10000)) << "cannot start /usr/bin/python3";
        while (!portal.canReadLine() && portal.waitForReadyRead(10000)) {
        }
        ASSERT_EQ(portal.readLine().trimmed(), "ready") << portal.readAllStandardError().data();
    }
    void StopPortal() {
        if (portal.state() == QProcess::NotRunning) return;
        ::kill(pid_t(portal.processId()), SIGTERM);
        portal.waitForFinished(5000);
        // Until the bus has seen the name go, a new grabber would still find it.
        EXPECT_TRUE(QTest::qWaitFor([] {
            return !QDBusConnection::sessionBus().interface()->isServiceRegistered(PortalService);
        }));
    }
    // The calls the portal received, one a line.
    std::vector<std::string> PortalLog() const {
        std::ifstream file(logPath);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    static void ExpectPortalPicture(const std::optional<TBitmap>& picture) {
        ASSERT_TRUE(picture);
        EXPECT_EQ(ToImage(*picture).convertToFormat(QImage::Format_RGB32), PortalPicture());
    }

    test::TempDir root;
    std::string picturePath = root / "screenshot.png";
    std::string logPath = root / "portal.log";
    QProcess portal;
    // Both need the application, which the first test's SetUp makes.
    std::unique_ptr<PortalScreenGrabber> grabber;
    std::unique_ptr<QWidget> mainWindow;
    test::RecordingShell shell;
};

TEST_F(PortalCaptureTest, DesktopAndActiveWindowCopiesAreThePortalsScreenshot) {
    StartPortal(0, false);
    TCapturer capturer(*grabber, *mainWindow, shell);
    capturer.Settings().What = TCaptureWhat::Desktop;
    ExpectPortalPicture(capturer.Capture());
    // The portal names no window: its own dialog lets the user pick one.
    capturer.Settings().What = TCaptureWhat::ActiveWindow;
    ExpectPortalPicture(capturer.Capture());
    EXPECT_EQ(PortalLog(), std::vector<std::string>(
                               {"Screenshot interactive=false", "Screenshot interactive=true"}));
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(PortalCaptureTest, CancelledScreenshotSaysSoAndBringsTheMainWindowBack) {
    StartPortal(1, false);
    TCapturer capturer(*grabber, *mainWindow, shell);
    capturer.Settings().What = TCaptureWhat::Desktop;
    ASSERT_TRUE(capturer.Settings().Hide);
    bool hiddenWhileWaiting = false;
    QTimer::singleShot(300, &capturer, [&] { hiddenWhileWaiting = !mainWindow->isVisible(); });
    try {
        capturer.Capture();
        ADD_FAILURE() << "a cancelled screenshot gave a picture";
    } catch (const EFSC_Exception& error) {
        EXPECT_STREQ(error.what(), "The screen capture was cancelled.");
    }
    EXPECT_TRUE(hiddenWhileWaiting);
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(PortalCaptureTest, HotKeyFiresThroughGlobalShortcutsAndItsSessionIsClosed) {
    StartPortal(0, true);
    TCapturer capturer(*grabber, *mainWindow, shell);
    EXPECT_TRUE(Find<QRadioButton>(&capturer, "HotKeyRadio")->isEnabled());
    capturer.Settings().Trigger = TCaptureTrigger::HotKey;
    capturer.Settings().What = TCaptureWhat::Desktop;
    ExpectPortalPicture(capturer.Capture());
    // The key is given back as soon as it fired, before the copy is taken.
    const std::vector<std::string> log = PortalLog();
    ASSERT_FALSE(log.empty());
    const std::string created = "CreateSession /";
    ASSERT_EQ(log[0].substr(0, created.size()), created);
    const std::string session = log[0].substr(created.size() - 1);
    EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
              std::vector<std::string>({"BindShortcuts capture CTRL+ALT+less", "Activated capture",
                                        "Close " + session, "Screenshot interactive=false"}));
}

TEST_F(PortalCaptureTest, WithoutGlobalShortcutsOnlyTheDelayIsOffered) {
    StartPortal(0, false);
    TCapturer capturer(*grabber, *mainWindow, shell);
    const QString hint = "This desktop offers programs no global hot key: capture after a delay.";
    EXPECT_FALSE(Find<QRadioButton>(&capturer, "HotKeyRadio")->isEnabled());
    EXPECT_EQ(Find<QRadioButton>(&capturer, "HotKeyRadio")->toolTip(), hint);
    EXPECT_EQ(Find<QLabel>(&capturer, "HotKeyHint")->text(), hint);
    EXPECT_FALSE(Find<QLabel>(&capturer, "HotKeyHint")->isHidden());
    EXPECT_EQ(capturer.Settings().Trigger, TCaptureTrigger::Delay);

    // With no portal at all there is nothing to copy the screen.
    StopPortal();
    EXPECT_TRUE(grabber->HotKeyUnavailableReason().startsWith("The desktop portal"));
    try {
        grabber->GrabDesktop();
        ADD_FAILURE() << "a screenshot without a portal";
    } catch (const EFSC_Exception& error) {
        EXPECT_STREQ(error.what(), "The desktop portal (xdg-desktop-portal) is not running.");
    }
}

}  // namespace
}  // namespace fsc

// The tests get a message bus of their own that starts no services, so neither the user's
// desktop nor a portal installed on the machine answers in place of the scripted one.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    const fsc::test::TempDir busDir;
    const std::string config = busDir / "bus.conf";
    std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << busDir.Path()
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return 1;
    const pid_t daemon = ::fork();
    if (daemon == 0) {
        ::close(pipeEnds[0]);
        // The bus ends with the tests, however they end, and keeps quiet.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        const std::string configArgument = "--config-file=" + config;
        const std::string addressArgument = "--print-address=" + std::to_string(pipeEnds[1]);
        ::execlp("dbus-daemon", "dbus-daemon", configArgument.c_str(), "--nofork",
                 addressArgument.c_str(), static_cast<char*>(nullptr));
        std::perror("dbus-daemon");
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string address;
    char c;
    while (::read(pipeEnds[0], &c, 1) == 1 && c != '\n') address += c;
    ::close(pipeEnds[0]);
    if (address.empty()) {
        std::fprintf(stderr, "dbus-daemon did not start (Debian package dbus-daemon)\n");
        return 1;
    }
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A capture whose answer never comes waits for good: end such a run as a failure.
    ::alarm(120);
    const int result = RUN_ALL_TESTS();
    ::kill(daemon, SIGTERM);
    ::waitpid(daemon, nullptr, 0);
    return result;
}
