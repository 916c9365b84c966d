// The console's side of the question dialog, the progress window, the message boxes and the
// shell, for folioscope-cli.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IProgress.h"
#include "base/IShell.h"
#include "engine/IJpegCompressionDialog.h"

namespace fsc {

// Every question gets the fixed answer when one was given (--yes or --no); otherwise a
// prompt when stdin and stderr are terminals, else No, so an unattended run never hangs.
class TConsoleAsk final : public IAsk {
public:
    TConsoleAsk(std::optional<bool> fixedAnswer, bool quiet);
    bool Ask(const std::string& statement, const std::string& question) override;

private:
    std::optional<bool> fixedAnswer;
    bool quiet;
};

// A bar with the build's caption on a terminal, one line per new caption elsewhere, nothing
// with --quiet. Ctrl+C, SIGTERM or SIGHUP (see InstallStopSignalHandlers) reaches the abort
// handler at the next update, as the Abort button does between two items.
class TConsoleProgress final : public IProgress {
public:
    // `terminal`: stderr is a terminal and may show the bar.
    TConsoleProgress(std::ostream& out, bool quiet, bool terminal);
    ~TConsoleProgress() override;

    void Update(int minimum, int position, const std::string& text, int maximum) override;
    void Hide() override;
    void KeepResponsive() override { PollInterrupt(); }
    // Runs the abort when a stop was asked for since the last call and something can be
    // aborted now; true when it ran.
    bool PollInterrupt();
    // What the bar counts ("bytes" for transfers), shown beside it; "" for the build's items,
    // whose captions count already.
    void SetUnit(const std::string& newUnit) { unit = newUnit; }

protected:
    void ShowText(const std::string& text) override;

private:
    std::ostream& out;
    bool quiet, terminal;
    bool barShown = false;
    std::string lastText, unit;
    int lastMinimum = 0, lastPosition = 0, lastMaximum = 0;

    void DrawBar();
};

// Message boxes become lines on stderr.
class TConsoleMessages final : public IMessages {
public:
    explicit TConsoleMessages(std::ostream& out) : out(out) {}
    void ShowError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;

private:
    std::ostream& out;
};

// "Open" prints the file or address on stdout; with --open it is also handed to xdg-open.
class TConsoleShell final : public IShell {
public:
    TConsoleShell(std::ostream& out, bool launch) : out(out), launch(launch) {}
    void Open(const std::string& fileOrAddress) override;

private:
    std::ostream& out;
    bool launch;
};

// The per-image compression dialog needs a window; a build that asks for it says what to
// change instead of guessing a quality.
class TNoCompressionDialog final : public IJpegCompressionDialog {
public:
    TCompressionChoice Execute(const TBitmap& picture) override;
};

// Qt's offscreen platform for this process, whatever the desktop uses: the command line
// never shows a window. Programs it starts (the browser) get the caller's setting back, and
// the platform's notice about a missing runtime folder is kept out of the error output.
void UseOffscreenQt();

}  // namespace fsc
