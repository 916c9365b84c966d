// The slide show options dialog.
#include "ui/SlideShowOptionsDialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/AppFolders.h"
#include "base/IShell.h"
#include "base/Paths.h"
#include "options/SlideShowOptions.h"
#include "options/StyleOptions.h"
#include "ui/CommandGuard.h"

namespace fsc {

SlideShowOptionsDialog::SlideShowOptionsDialog(SlideShowOptions& options, IShell& shell,
                                               QWidget* parent)
    : TStyleDialog("SlideShowOptionsDialog", "Options Slide Show", parent),
      options(options),
      shell(shell) {
    auto* helpButton = Named<QPushButton>("HelpButton", "Help");
    connect(helpButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ShowHelp(); }); });
    BindControls(helpButton);
}

void SlideShowOptionsDialog::BindControls(QPushButton* helpButton) {
    slideSchemeMemo = Named<QPlainTextEdit>("SlideSchemeMemo");
    slideSchemeMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    slideSchemeMemo->installEventFilter(this);
    auto* widthBox = Named<QCheckBox>("SlideWidthCheckBox", "Width");
    auto* heightBox = Named<QCheckBox>("SlideHeightCheckBox", "Height");
    auto* sizeEdit = Named<QSpinBox>("SlideWidthHeightSpinEdit");
    sizeEdit->setRange(MinSlideSize, MaxSlideSize);
    showScheme = Bind(slideSchemeMemo, options.SlideScheme);
    refreshers.push_back(showScheme);
    refreshers.push_back(Bind(widthBox, options.SlideWidthChecked));
    refreshers.push_back(Bind(heightBox, options.SlideHeightChecked));
    refreshers.push_back(Bind(sizeEdit, options.SlideSize));

    auto* sizeGroup = new QGroupBox("Slide - Fixed Width/Height");
    auto* sizeLayout = new QGridLayout(sizeGroup);
    sizeLayout->addWidget(widthBox, 0, 0);
    sizeLayout->addWidget(heightBox, 1, 0);
    // One size for both switches, so it sits beside them both.
    sizeLayout->addWidget(new QLabel("="), 0, 1, 2, 1);
    sizeLayout->addWidget(sizeEdit, 0, 2, 2, 1);
    sizeLayout->setColumnStretch(3, 1);

    auto* controls = new QVBoxLayout;
    controls->addWidget(new QLabel("Slide Scheme:"));
    controls->addWidget(slideSchemeMemo, 1);
    controls->addWidget(sizeGroup);
    SetContent(controls, {helpButton});
}

bool SlideShowOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slideSchemeMemo && event->type() == QEvent::FocusOut) {
        // Only a move to another control of the dialog leaves the box; a context menu or
        // another window taking over for a moment does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            SlideSchemeMemoExit();
    }
    return TStyleDialog::eventFilter(watched, event);
}

void SlideShowOptionsDialog::SlideSchemeMemoExit() {
    RunCommand([this] {
        // The repaired scheme is in the box before the message about it appears.
        const auto show = qScopeGuard([this] { showScheme(); });
        CheckSlideScheme(options);
    });
}

void SlideShowOptionsDialog::ShowHelp() { shell.Open(JoinPath(DataFolder(), "Style.html")); }

}  // namespace fsc
