// The capture settings window "Folioscope Screen Capturer": when and what to copy from the
// screen, and whether the main window steps aside meanwhile.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "imaging/TBitmap.h"

class QButtonGroup;
class QLineEdit;

namespace fsc {

class IScreenGrabber;
class IShell;
class TCaptureDo;

enum class TCaptureTrigger { Delay, HotKey };
enum class TCaptureWhat { ActiveWindow, Rectangle, Desktop };

// The window's choices, kept between captures for the run.
struct TCaptureSettings {
    TCaptureTrigger Trigger = TCaptureTrigger::Delay;
    // 1 to 120.
    int DelaySeconds = 1;
    // Ctrl+Alt and this character; never empty once the field is left.
    std::string HotKey = "<";
    bool Hide = true;
    TCaptureWhat What = TCaptureWhat::Rectangle;
};

// The hot key's character; an empty field stands for "<".
char16_t HotKeyCharacter(const TCaptureSettings& settings);

class TCapturer : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` is what "Hide" hides while the capture waits and copies.
    TCapturer(IScreenGrabber& grabber, QWidget& mainWindow, IShell& shell,
              QWidget* parent = nullptr);
    ~TCapturer() override;

    // Shows the window modally; "Capture" closes it and runs the capture, whose picture is
    // returned; "Cancel" returns none. The main window is shown again afterwards, also when
    // the capture fails.
    std::optional<TBitmap> Execute();
    // The capture alone, with the window's settings.
    std::optional<TBitmap> Capture();

    TCaptureSettings& Settings() { return settings; }
    TCaptureDo& GrabWindow() { return *captureDo; }

private:
    void CreateControls();

    IScreenGrabber& grabber;
    QWidget& mainWindow;
    IShell& shell;
    TCaptureSettings settings;
    TCaptureDo* captureDo;
    QButtonGroup* triggerGroup = nullptr;
    QButtonGroup* whatGroup = nullptr;
    QLineEdit* hotKeyEdit = nullptr;
};

}  // namespace fsc
