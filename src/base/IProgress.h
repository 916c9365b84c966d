// The progress window as the core sees it: a bar, a line of text and an Abort button.
// Long loops update it once per item and poll their own abort flag before each item;
// the flag is set by the abort handler that the loop installed.
#pragma once

#include <functional>
#include <string>

namespace fsc {

inline constexpr const char* AbortNotSupportedText = "Sorry, Abort not supported by this function!";

class IProgress {
public:
    virtual ~IProgress() = default;

    // Shows the window (when hidden) with the bar's range and position and the text line.
    virtual void Update(int minimum, int position, const std::string& text, int maximum) = 0;
    virtual void Hide() = 0;
    // Called now and then while a long step waits for work done elsewhere, so that a window
    // keeps painting and its Abort button keeps working; the text and bar stay as they are.
    virtual void KeepResponsive() {}

    void SetAbortHandler(std::function<void()> handler) { abortHandler = std::move(handler); }
    void ResetAbortHandler() { abortHandler = nullptr; }
    // Whether Abort would stop something now rather than say that it cannot.
    bool CanAbort() const { return bool(abortHandler); }

    // What the Abort button (or Ctrl+C) does: run the handler, or say that it cannot.
    void Abort() {
        if (abortHandler) {
            abortHandler();
        } else {
            ShowText(AbortNotSupportedText);
        }
    }

protected:
    // Replaces the text line without moving the bar.
    virtual void ShowText(const std::string& text) = 0;

private:
    std::function<void()> abortHandler;
};

// For callers that want no progress shown at all.
class TSilentProgress final : public IProgress {
public:
    void Update(int, int, const std::string&, int) override {}
    void Hide() override {}

protected:
    void ShowText(const std::string&) override {}
};

}  // namespace fsc
