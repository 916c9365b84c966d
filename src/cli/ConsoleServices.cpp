// Questions, progress, messages and "open" on a terminal or in a script.
#include "cli/ConsoleServices.h"

#include <spawn.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "base/Errors.h"
#include "base/Text.h"
#include "cli/StopSignals.h"

extern char** environ;

namespace fsc {

namespace {

// The caller's QT_QPA_PLATFORM entry ("" for none), before UseOffscreenQt replaced it.
std::string callerQtPlatform;

// This process's environment with the caller's Qt platform, for the programs it starts.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!StartsWith(*entry, "QT_QPA_PLATFORM=")) entries.emplace_back(*entry);
    }
    if (!callerQtPlatform.empty()) entries.push_back(callerQtPlatform);
    return entries;
}

QtMessageHandler qtDefaultHandler = nullptr;

// The offscreen platform wants a runtime folder it never uses; its notice about a missing
// XDG_RUNTIME_DIR would only clutter a script's error output.
void QtNoticeFilter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR")) return;
    if (qtDefaultHandler) qtDefaultHandler(type, context, message);
}

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20) return size.ws_col;
    return 80;
}

}  // namespace

TCompressionChoice TNoCompressionDialog::Execute(const TBitmap&) {
    throw EUserInputError(
        "The command line cannot show the dialog to adjust the compression of each image. "
        "Uncheck \"let me adjust the compression/quality for each image\" in the project.");
}

void UseOffscreenQt() {
    if (const char* platform = std::getenv("QT_QPA_PLATFORM")) {
        callerQtPlatform = std::string("QT_QPA_PLATFORM=") + platform;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qtDefaultHandler = qInstallMessageHandler(QtNoticeFilter);
}

TConsoleAsk::TConsoleAsk(std::optional<bool> fixedAnswer, bool quiet)
    : fixedAnswer(fixedAnswer), quiet(quiet) {}

bool TConsoleAsk::Ask(const std::string& statement, const std::string& question) {
    if (fixedAnswer) {
        if (!quiet) {
            std::cerr << statement << ' ' << question << ' ' << (*fixedAnswer ? "Yes" : "No")
                      << '\n';
        }
        return *fixedAnswer;
    }
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
        std::cerr << statement << ' ' << question
                  << " No (no terminal to ask; --yes answers Yes)\n";
        return false;
    }
    for (;;) {
        std::cerr << '\n' << statement << '\n' << question << " [y/n] " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer)) return false;
        answer = LowerCase(Trim(answer));
        if (answer == "y" || answer == "yes") return true;
        if (answer == "n" || answer == "no") return false;
    }
}

TConsoleProgress::TConsoleProgress(std::ostream& out, bool quiet, bool terminal)
    : out(out), quiet(quiet), terminal(terminal) {}

TConsoleProgress::~TConsoleProgress() { Hide(); }

bool TConsoleProgress::PollInterrupt() {
    // Where nothing can be aborted (the pictures being read, between two galleries of a tree)
    // the request waits for the next step that can stop: a signal must end the run.
    if (!StopRequested() || !CanAbort()) return false;
    TakeStopRequest();
    if (!quiet && barShown) {
        out << '\n';
        barShown = false;
    }
    Abort();
    return true;
}

void TConsoleProgress::Update(int minimum, int position, const std::string& text, int maximum) {
    const bool newText = text != lastText;
    lastMinimum = minimum;
    lastPosition = position;
    lastMaximum = maximum;
    lastText = text;
    if (!quiet) {
        if (terminal) {
            DrawBar();
        } else if (newText && !text.empty()) {
            out << text << '\n' << std::flush;
        }
    }
    // Abort is polled between two items, exactly where the window would run its button.
    PollInterrupt();
}

void TConsoleProgress::Hide() {
    if (barShown) {
        out << "\r\033[K" << std::flush;
        barShown = false;
    }
    lastText.clear();
}

void TConsoleProgress::ShowText(const std::string& text) {
    if (quiet) return;
    if (barShown) out << '\n';
    barShown = false;
    out << text << '\n' << std::flush;
}

void TConsoleProgress::DrawBar() {
    const int range = std::max(1, lastMaximum - lastMinimum);
    const double done = std::clamp(double(lastPosition - lastMinimum) / range, 0.0, 1.0);
    constexpr int barWidth = 24;
    const int filled = int(done * barWidth + 0.5);
    std::string line = "[" + std::string(filled, '#') + std::string(barWidth - filled, ' ') + "] " +
                       std::to_string(int(done * 100 + 0.5)) + "% " + lastText;
    if (!unit.empty() && lastMaximum > 1) {
        line += " (" + std::to_string(lastPosition) + " of " + std::to_string(lastMaximum) + " " +
                unit + ")";
    }
    const std::size_t width = std::size_t(TerminalWidth() - 1);
    if (line.size() > width) line.resize(width);
    out << "\r\033[K" << line << std::flush;
    barShown = true;
}

void TConsoleMessages::ShowError(const std::string& text) { out << "ERROR: " << text << '\n'; }

void TConsoleMessages::ShowWarning(const std::string& text) { out << "Warning: " << text << '\n'; }

void TConsoleMessages::ShowInformation(const std::string& text) {
    out << "Information: " << text << '\n';
}

void TConsoleMessages::ShowMessage(const std::string& text) { out << text << '\n'; }

void TConsoleShell::Open(const std::string& fileOrAddress) {
    out << fileOrAddress << '\n' << std::flush;
    if (!launch) return;
    // The browser outlives this program; xdg-open is not waited for.
    std::string program = "xdg-open", target = fileOrAddress;
    char* argv[] = {program.data(), target.data(), nullptr};
    std::vector<std::string> entries = ChildEnvironment();
    std::vector<char*> environment;
    for (std::string& entry : entries) environment.push_back(entry.data());
    environment.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environment.data());
    if (error != 0) {
        std::cerr << "Cannot start xdg-open to open " << fileOrAddress << ": "
                  << std::strerror(error) << '\n';
    }
}

}  // namespace fsc
