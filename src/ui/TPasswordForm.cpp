// The password dialog of the FTP window.
#include "ui/TPasswordForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Binders.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

TPasswordForm::TPasswordForm(QWidget* parent) : QDialog(parent) {
    setObjectName("PasswordForm");
    setWindowTitle("Password");
    passwordEdit = Named<QLineEdit>("PasswordEdit");
    passwordEdit->setEchoMode(QLineEdit::Password);
    auto* okButton = Named<QPushButton>("OKButton", "OK");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Named<QLabel>("PromptLabel", "Enter the password:"));
    layout->addWidget(passwordEdit);
    layout->addWidget(PlatformButtonBox({{okButton, QDialogButtonBox::AcceptRole}}));
    KeepContentsSize(this);
}

std::optional<std::string> TPasswordForm::Ask() {
    passwordEdit->clear();
    passwordEdit->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    const std::string password = QStringToBytes(passwordEdit->text());
    passwordEdit->clear();
    if (!ok) return std::nullopt;
    return password;
}

}  // namespace fsc
