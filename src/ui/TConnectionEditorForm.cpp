// The connection profile editor of the FTP window.
#include "ui/TConnectionEditorForm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ByteText.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

// QDialog's result for "Delete", beside Accepted and Rejected.
constexpr int DeleteResult = 2;

}  // namespace

TConnectionEditorForm::TConnectionEditorForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ConnectionEditorForm");
    setWindowTitle("Connection Editor");
    connName = Named<QLineEdit>("ConnName");
    host = Named<QLineEdit>("Host");
    host->setPlaceholderText("ftp.example.com");
    host->setToolTip(
        "The FTP server, for example ftp.example.com (a port may follow: "
        "ftp.example.com:2121)");
    userID = Named<QLineEdit>("UserID");
    urlEdit = Named<QLineEdit>("URLEdit");
    auto* urlNote =
        Named<QLabel>("URLNoteLabel", "The address of your homepage, e.g. http://www.example.com/");
    // Servers behind a firewall or NAT often cannot reach an active-mode data port.
    passiveBox = Named<QCheckBox>("PassiveCheckBox", "Passive mode (for firewalls and routers)");
    tlsBox = Named<QCheckBox>("TlsCheckBox", "Encrypt the connection (FTPS)");
    tlsBox->setToolTip(
        "Explicit TLS: the password and the files travel encrypted. Untick it only for a "
        "server that does not offer encryption.");
    // Filled when the user trusts a certificate at login; emptied, the next login asks again.
    certificateEdit = Named<QLineEdit>("TrustedCertificateEdit");
    certificateEdit->setPlaceholderText("SHA256:...");
    certificateEdit->setToolTip(
        "The SHA-256 fingerprint of a certificate that no known authority vouches for and "
        "that you trust for this server. Empty it to check a new certificate.");
    auto* okButton = Named<QPushButton>("OKButton", "OK");
    auto* cancelButton = Named<QPushButton>("CancelButton", "Cancel");
    deleteButton = Named<QPushButton>("DeleteButton", "Delete");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(deleteButton, &QPushButton::clicked, this, [this] { done(DeleteResult); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(deleteButton);
    auto* layout = new QFormLayout(this);
    layout->addRow("Connection Name", connName);
    layout->addRow("Host", host);
    layout->addRow("Login", userID);
    layout->addRow("WWW Address", urlEdit);
    layout->addRow("", urlNote);
    layout->addRow("", passiveBox);
    layout->addRow("", tlsBox);
    layout->addRow("Trusted Certificate", certificateEdit);
    layout->addRow(buttons);
    setMinimumWidth(420);
}

TConnectionEdit TConnectionEditorForm::Edit(TConnectionProfile& profile, bool canDelete) {
    connName->setText(BytesToQString(profile.Name));
    host->setText(BytesToQString(profile.Host));
    userID->setText(BytesToQString(profile.Login));
    urlEdit->setText(BytesToQString(profile.WWWAddress));
    passiveBox->setChecked(profile.Passive);
    tlsBox->setChecked(profile.Tls);
    certificateEdit->setText(BytesToQString(profile.TrustedCertificate));
    deleteButton->setEnabled(canDelete);
    connName->setFocus();
    connName->selectAll();
    const int result = exec();
    if (result == DeleteResult) return TConnectionEdit::Deleted;
    if (result != QDialog::Accepted) return TConnectionEdit::Cancelled;
    profile = Edited();
    return TConnectionEdit::Saved;
}

TConnectionProfile TConnectionEditorForm::Edited() const {
    return {QStringToBytes(connName->text()),
            QStringToBytes(host->text()),
            QStringToBytes(userID->text()),
            QStringToBytes(urlEdit->text()),
            passiveBox->isChecked(),
            tlsBox->isChecked(),
            QStringToBytes(certificateEdit->text().trimmed())};
}

void TConnectionEditorForm::OKClick() {
    // The profile file cannot keep a ";" or a line break in a field; the dialog stays open
    // with what was typed, so the user can correct it.
    RunCommand([this] {
        ProfileLine(Edited());
        accept();
    });
}

}  // namespace fsc
