// The capture settings window.
#include "ui/TCapturer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/AppFolders.h"
#include "base/IShell.h"
#include "base/Paths.h"
#include "platform/ByteText.h"
#include "platform/IScreenGrabber.h"
#include "ui/Binders.h"
#include "ui/BitmapImage.h"
#include "ui/CommandGuard.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"
#include "ui/TCaptureDo.h"

namespace fsc {

namespace {

constexpr char DefaultHotKey[] = "<";

// For the length of a capture: the main window steps aside when asked to and is shown
// again at the end, whatever happened. With every window hidden, closing the grab window
// must not count as closing the program's last window.
class TCaptureSession {
public:
    TCaptureSession(QWidget& mainWindow, bool hide)
        : mainWindow(mainWindow), quitOnLastWindow(QGuiApplication::quitOnLastWindowClosed()) {
        QGuiApplication::setQuitOnLastWindowClosed(false);
        if (hide) mainWindow.hide();
    }
    ~TCaptureSession() {
        mainWindow.show();
        QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    }
    TCaptureSession(const TCaptureSession&) = delete;
    TCaptureSession& operator=(const TCaptureSession&) = delete;

private:
    QWidget& mainWindow;
    bool quitOnLastWindow;
};

}  // namespace

char16_t HotKeyCharacter(const TCaptureSettings& settings) {
    const QString key = BytesToQString(settings.HotKey);
    return key.isEmpty() ? char16_t(DefaultHotKey[0]) : key.at(0).unicode();
}

TCapturer::TCapturer(IScreenGrabber& grabber, QWidget& mainWindow, IShell& shell, QWidget* parent)
    : QDialog(parent),
      grabber(grabber),
      mainWindow(mainWindow),
      shell(shell),
      // Without a parent: it must show while the main window is hidden.
      captureDo(new TCaptureDo(grabber)) {
    setObjectName("Capturer");
    setWindowTitle("Folioscope Screen Capturer");
    CreateControls();
}

TCapturer::~TCapturer() { delete captureDo; }

void TCapturer::CreateControls() {
    auto* delayRadio = Named<QRadioButton>("DelayRadio", "Delay, Capture after ");
    auto* delayEdit = Named<QSpinBox>("DelayEdit");
    delayEdit->setRange(1, 120);
    auto* hotKeyRadio = Named<QRadioButton>("HotKeyRadio", "HotKey");
    hotKeyEdit = Named<QLineEdit>("HotKeyEdit");
    hotKeyEdit->setMaxLength(1);
    hotKeyEdit->setFixedWidth(hotKeyEdit->fontMetrics().horizontalAdvance("MM") + 12);
    auto* hotKeyHint = Named<QLabel>("HotKeyHint");
    hotKeyHint->setWordWrap(true);
    triggerGroup = new QButtonGroup(this);
    triggerGroup->addButton(delayRadio);
    triggerGroup->addButton(hotKeyRadio);
    BindChoice(delayRadio, settings.Trigger, TCaptureTrigger::Delay);
    BindChoice(hotKeyRadio, settings.Trigger, TCaptureTrigger::HotKey);
    Bind(delayEdit, settings.DelaySeconds);
    Bind(hotKeyEdit, settings.HotKey);
    connect(hotKeyEdit, &QLineEdit::editingFinished, this, [this] {
        if (!hotKeyEdit->text().isEmpty()) return;
        hotKeyEdit->setText(DefaultHotKey);
        settings.HotKey = DefaultHotKey;
    });
    // Where the desktop offers no global hot key, only the delay can trigger a capture.
    const QString unavailable = grabber.HotKeyUnavailableReason();
    if (!unavailable.isEmpty()) {
        hotKeyRadio->setEnabled(false);
        hotKeyEdit->setEnabled(false);
        hotKeyRadio->setToolTip(unavailable);
        hotKeyHint->setText(unavailable);
        settings.Trigger = TCaptureTrigger::Delay;
        delayRadio->setChecked(true);
    }
    hotKeyHint->setVisible(!unavailable.isEmpty());

    auto* trigger = Named<QGroupBox>("TriggerBox");
    auto* triggerGrid = new QGridLayout(trigger);
    triggerGrid->addWidget(delayRadio, 0, 0);
    triggerGrid->addWidget(delayEdit, 0, 1);
    triggerGrid->addWidget(Named<QLabel>("SecondsLabel", "seconds"), 0, 2);
    triggerGrid->addWidget(hotKeyRadio, 1, 0);
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(Named<QLabel>("CtrlAltLabel", "Crtl-Alt-"));
    keyRow->addWidget(hotKeyEdit);
    keyRow->addStretch();
    triggerGrid->addLayout(keyRow, 1, 1, 1, 2);
    triggerGrid->addWidget(hotKeyHint, 2, 0, 1, 3);

    auto* hideBox = Named<QCheckBox>("HideBox", "Hide");
    Bind(hideBox, settings.Hide);

    auto* activeRadio = Named<QRadioButton>("ActiveWindowRadio", "Capture Active Window");
    auto* rectangleRadio = Named<QRadioButton>("RectangleRadio", "Capture Rectangle");
    auto* desktopRadio = Named<QRadioButton>("DesktopRadio", "Capture Desktop");
    whatGroup = new QButtonGroup(this);
    auto* what = Named<QGroupBox>("WhatBox");
    auto* whatColumn = new QVBoxLayout(what);
    for (QRadioButton* radio : {activeRadio, rectangleRadio, desktopRadio}) {
        whatGroup->addButton(radio);
        whatColumn->addWidget(radio);
    }
    BindChoice(activeRadio, settings.What, TCaptureWhat::ActiveWindow);
    BindChoice(rectangleRadio, settings.What, TCaptureWhat::Rectangle);
    BindChoice(desktopRadio, settings.What, TCaptureWhat::Desktop);

    auto* captureButton = Named<QPushButton>("CaptureButton", "Capture");
    captureButton->setDefault(true);
    auto* cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    auto* helpButton = Named<QPushButton>("HelpButton", "Help");
    connect(captureButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(helpButton, &QPushButton::clicked, this, [this] {
        RunCommand([this] { shell.Open(JoinPath(DataFolder(), "Capturer.html")); });
    });
    auto* buttons = PlatformButtonBox({{captureButton, QDialogButtonBox::AcceptRole},
                                       {cancelButton, QDialogButtonBox::RejectRole},
                                       {helpButton, QDialogButtonBox::HelpRole}});

    auto* column = new QVBoxLayout(this);
    column->addWidget(trigger);
    column->addWidget(hideBox);
    column->addWidget(what);
    column->addWidget(buttons);
}

std::optional<TBitmap> TCapturer::Execute() {
    if (exec() != Accepted) return std::nullopt;
    return Capture();
}

std::optional<TBitmap> TCapturer::Capture() {
    // "Capture" may be pressed while the emptied field still has the keyboard.
    if (settings.HotKey.empty()) settings.HotKey = DefaultHotKey;
    hotKeyEdit->setText(BytesToQString(settings.HotKey));
    const TCaptureSession session(mainWindow, settings.Hide);
    return FromImage(captureDo->Capture(settings));
}

}  // namespace fsc
