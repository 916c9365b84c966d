// The start window.
#include "ui/TFolioscopeForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

#include "base/Version.h"
#include "imaging/GraphicsIO.h"
#include "options/ProgramOptions.h"

namespace fsc {

namespace {

QPushButton* BigButton(const char* objectName, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    QFont font = button->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 2);
    button->setFont(font);
    button->setMinimumHeight(button->sizeHint().height() * 2);
    return button;
}

}  // namespace

TFolioscopeForm::TFolioscopeForm(ProgramOptions& options, std::function<void()> proceed,
                                 QWidget* parent)
    : QWidget(parent), options(options), proceed(std::move(proceed)) {
    setObjectName("FolioscopeForm");
    setWindowTitle(ProgramTitle);
    setStyleSheet("QWidget#FolioscopeForm { background-color: black; }");
    setAttribute(Qt::WA_StyledBackground);
    pictureFilter = RegisterPicturePlugins();

    auto* useWizard = BigButton("UseWizardButton", "use Wizard", this);
    auto* noWizard = BigButton("NoWizardButton", "no Wizard", this);
    connect(useWizard, &QPushButton::clicked, this, [this] {
        this->options.Wizard = true;
        Proceed();
    });
    connect(noWizard, &QPushButton::clicked, this, [this] {
        this->options.Wizard = false;
        Proceed();
    });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(30);
    layout->addWidget(useWizard);
    layout->addWidget(noWizard);
}

void TFolioscopeForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Every window exists before this one is shown, so the timer's wait for the main
    // window ends at its first tick.
    QTimer::singleShot(100, this, [this] { Proceed(); });
}

void TFolioscopeForm::Proceed() {
    if (proceeded) return;
    proceeded = true;
    hide();
    proceed();
}

}  // namespace fsc
