// Test helpers for the FTP module: the Qt event loop, FTP servers run as child processes
// on 127.0.0.1, and scripted stand-ins for the question dialog, shell and message boxes.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IShell.h"
#include "ftp/IFtpSession.h"

namespace fsc::test {

inline void EnsureQtApplication() {
    static int argc = 1;
    static char name[] = "ftp_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Runs the event loop until the condition holds or the time is up; never hangs a test.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    return QTest::qWaitFor(condition, milliseconds);
}

// A Python FTP server of the test folder, started with Debian's interpreter (the first
// python3 on PATH may not see Debian's modules) and stopped by its process id.
class FtpServerProcess {
public:
    FtpServerProcess(const std::string& script, const QStringList& arguments) {
        process.setProgram("/usr/bin/python3");
        process.setArguments(QStringList{QString::fromStdString(script)} + arguments);
        process.start();
        if (!process.waitForStarted(10000)) {
            error = "cannot start /usr/bin/python3: " + process.errorString().toStdString();
            return;
        }
        QDeadlineTimer deadline(10000);
        while (!process.canReadLine() && process.state() == QProcess::Running &&
               !deadline.hasExpired()) {
            process.waitForReadyRead(200);
        }
        bool ok = false;
        port = process.readLine().trimmed().toInt(&ok);
        if (!ok || port <= 0) {
            process.waitForFinished(2000);
            error = "the FTP server did not start: " + process.readAllStandardError().toStdString();
        }
    }
    ~FtpServerProcess() { Stop(); }

    void Stop(int signal = SIGTERM) {
        if (process.state() == QProcess::NotRunning) return;
        ::kill(pid_t(process.processId()), signal);
        process.waitForFinished(5000);
    }

    int Port() const { return port; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
    const std::string& Error() const { return error; }

private:
    QProcess process;
    int port = 0;
    std::string error;
};

inline std::string TestScript(const char* name) {
    return std::string(FSC_FTP_TEST_DIR) + "/" + name;
}

// pyftpdlib serving the folder `home`, made if need be, to "user" with the password "secret";
// `options` such as "--tls=PEM" or "--login-dir=DIR" come first, more user and password
// pairs last.
class PyftpdServer : public FtpServerProcess {
public:
    explicit PyftpdServer(const std::string& home, const QStringList& options = {},
                          const QStringList& moreUsers = {})
        : FtpServerProcess(TestScript("pyftpd_server.py"),
                           options + QStringList{Made(home), "user", "secret"} + moreUsers) {}

private:
    static QString Made(const std::string& folder) {
        std::filesystem::create_directories(folder);
        return QString::fromStdString(folder);
    }
};

// Writes a new certificate for 127.0.0.1 and its key into `pemFile`, self-signed or, with
// `authorityFile`, signed by a new authority whose certificate goes there; returns its SHA-256
// fingerprint as OpenSSL computes it ("SHA256:AB:...").
inline std::string MakeCertificate(const std::string& pemFile,
                                   const std::string& authorityFile = {}, bool expired = false) {
    QStringList arguments{QString::fromStdString(TestScript("make_certificate.py")),
                          QString::fromStdString(pemFile)};
    if (expired) arguments << "--expired";
    if (!authorityFile.empty()) arguments << QString::fromStdString(authorityFile);
    QProcess process;
    process.start("/usr/bin/python3", arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "cannot make a certificate: "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput().trimmed().toStdString();
}

struct TDone {
    TFtpRequest Request;
    int Error;
};

// Records every event of a session.
class TEventRecorder : public IFtpSessionEvents {
public:
    std::vector<TDone> Done;
    int ConnectedCount = 0, ClosedCount = 0;
    std::int64_t LastProgress = 0;
    std::vector<TFtpState> States;

    void SessionConnected() override { ++ConnectedCount; }
    void SessionClosed() override { ++ClosedCount; }
    void RequestDone(TFtpRequest request, int error) override { Done.push_back({request, error}); }
    void Progress(std::int64_t bytes) override { LastProgress = bytes; }
    void StateChanged(TFtpState state) override { States.push_back(state); }
};

class TScriptedAsk : public IAsk {
public:
    bool Answer = true;
    std::vector<std::string> Asked;
    bool Ask(const std::string& statement, const std::string& question) override {
        Asked.push_back(statement + " / " + question);
        return Answer;
    }
};

class TRecordingShell : public IShell {
public:
    std::vector<std::string> Opened;
    void Open(const std::string& address) override { Opened.push_back(address); }
};

class TRecordingMessages : public IMessages {
public:
    std::vector<std::string> Shown;
    void ShowError(const std::string& text) override { Shown.push_back(text); }
    void ShowInformation(const std::string& text) override { Shown.push_back(text); }
    void ShowMessage(const std::string& text) override { Shown.push_back(text); }
};

}  // namespace fsc::test
