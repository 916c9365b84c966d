// The gallery wizard's schemes step.
#include "ui/TThumbnailWizardSchemeWizardForm.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/BorrowedPanel.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"
#include "ui/TSpecialForm.h"

namespace fsc {

TThumbnailWizardSchemeWizardForm::TThumbnailWizardSchemeWizardForm(
    TSpecialForm& special, std::function<void()> startSchemeWizard, QWidget* parent)
    : QDialog(parent),
      special(special),
      startSchemeWizard(std::move(startSchemeWizard)),
      groupBox1(Named<QGroupBox>("SchemeWizardGroupBox", "Schemes")) {
    setObjectName("ThumbnailWizardSchemeWizardForm");
    auto* schemeButton = Named<QPushButton>("StartSchemeWizardButton", "Start Scheme Wizard");
    auto* specialButton = Named<QPushButton>("SpecialOptionsButton",
                                             "Special Options (Meta Tags, Right Mouse Button)");
    schemeButton->setEnabled(bool(this->startSchemeWizard));
    connect(schemeButton, &QPushButton::clicked, this,
            [this] { RunCommand(this->startSchemeWizard); });
    connect(specialButton, &QPushButton::clicked, this, [this] { ShowSpecial(); });
    auto* groupLayout = new QVBoxLayout(groupBox1);
    groupLayout->addWidget(schemeButton);
    groupLayout->addWidget(specialButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox1);
}

void TThumbnailWizardSchemeWizardForm::ShowSpecial() {
    TBorrowedPanel metaTags;
    TBorrowedPanel protect;
    metaTags.Remember(special.MetaTagsPanel());
    protect.Remember(special.ProtectPanel());
    special.TakeBackPanels();
    special.exec();
    // In the order they sat, so each finds its former neighbours in place.
    metaTags.GiveBack();
    protect.GiveBack();
}

}  // namespace fsc
