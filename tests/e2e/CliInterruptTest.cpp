// Ctrl+C, SIGTERM (timeout, a service manager) and SIGHUP (the terminal closed) during a
// build: the build stops at the next picture and puts the HTML folder back as it was.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <cstring>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/PictureSamples.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc::test {
namespace {

class CliStopSignal : public ::testing::TestWithParam<int> {};

TEST_P(CliStopSignal, AbortsTheBuildPutsTheFolderBackAndExitsWithOne) {
    EnsureQtApplication();
    TCliRun run;
    const std::string picture = JpegRgb(Quadrants(4000, 3000), 90);
    ForceDirectories(run.Root / "many");
    // Enough pictures, each read whole and shrunk the slow way, that the build is still
    // copying when the signal arrives.
    for (int i = 0; i < 60; ++i) {
        WriteFileBytes(run.Root / ("many/p" + std::to_string(i) + ".jpg"), picture);
    }
    // The user's page, and a picture copy the build writes over, must come back as they were.
    const std::string out = run.Root / "out";
    ForceDirectories(out + "/images");
    WriteFileBytes(out + "/index.html", "<html><body>my own page</body></html>\n");
    WriteFileBytes(out + "/images/p0.jpg", "mine");
    WriteFileBytes(out + "/notes.txt", "keep me");
    const TFileBytes before = Snapshot(out);

    QProcess cli;
    QStringList environment = QProcess::systemEnvironment();
    environment << QString::fromStdString("XDG_STATE_HOME=" + run.Root / "state")
                << QString::fromStdString("XDG_CONFIG_HOME=" + run.Root / "config");
    cli.setEnvironment(environment);
    cli.start(FSC_CLI_PATH,
              {"build", "--images", QString::fromStdString(run.Root / "many"), "--html-dir",
               QString::fromStdString(out), "--html-file", "index.html", "--jobs", "2", "--set",
               "IMAGEDORESIZE=true", "--set", "RESIZEMETHOD=classic"});
    ASSERT_TRUE(cli.waitForStarted(10000));
    QByteArray progress;
    while (!progress.contains("Copying Images. 2 of") && cli.state() == QProcess::Running) {
        cli.waitForReadyRead(200);
        progress += cli.readAllStandardError();
    }
    ASSERT_EQ(cli.state(), QProcess::Running) << progress.toStdString();
    ::kill(pid_t(cli.processId()), GetParam());
    ASSERT_TRUE(cli.waitForFinished(20000));
    const std::string err = (progress + cli.readAllStandardError()).toStdString();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1) << err;
    EXPECT_NE(err.find("Folioscope Creation aborted and undone."), std::string::npos) << err;
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "");
    EXPECT_EQ(Snapshot(out), before);
}

INSTANTIATE_TEST_SUITE_P(Signals, CliStopSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

}  // namespace
}  // namespace fsc::test
