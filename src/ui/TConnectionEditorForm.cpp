// The connection profile editor of the FTP window.
#include "ui/TConnectionEditorForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ByteText.h"
#include "ui/Binders.h"
#include "ui/CommandGuard.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

// QDialog's result for "Delete", beside Accepted and Rejected.
constexpr int DeleteResult = 2;

// The entries of the protocol box.
enum TProtocol { Sftp, Ftps, PlainFtp };

}  // namespace

TConnectionEditorForm::TConnectionEditorForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ConnectionEditorForm");
    setWindowTitle("Connection Editor");
    connName = Named<QLineEdit>("ConnName");
    host = Named<QLineEdit>("Host");
    host->setPlaceholderText("example.com");
    host->setToolTip("The server, for example example.com (a port may follow: example.com:2222)");
    userID = Named<QLineEdit>("UserID");
    urlEdit = Named<QLineEdit>("URLEdit");
    auto* urlNote =
        Named<QLabel>("URLNoteLabel", "The address of your homepage, e.g. http://www.example.com/");
    // Servers behind a firewall or NAT often cannot reach an active-mode data port.
    passiveBox = Named<QCheckBox>("PassiveCheckBox", "Passive mode (for firewalls and routers)");
    protocolBox = Named<QComboBox>("ProtocolComboBox");
    protocolBox->addItems({"SFTP (SSH)", "FTPS (encrypted FTP)", "FTP (not encrypted)"});
    protocolBox->setToolTip(
        "SFTP logs in as ssh does (your SSH keys, else the password) and checks the server's "
        "host key against known_hosts. FTPS encrypts the password and the files with TLS. "
        "Plain FTP sends them in clear text: only for a server that offers nothing else.");
    // Passive mode and certificates are FTP's; SFTP has one connection and host keys.
    connect(protocolBox, &QComboBox::currentIndexChanged, this, [this](int protocol) {
        passiveBox->setEnabled(protocol != Sftp);
        certificateEdit->setEnabled(protocol == Ftps);
    });
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

    auto* buttons = PlatformButtonBox({{okButton, QDialogButtonBox::AcceptRole},
                                       {cancelButton, QDialogButtonBox::RejectRole},
                                       {deleteButton, QDialogButtonBox::DestructiveRole}});
    auto* layout = new QFormLayout(this);
    layout->addRow("Connection Name", connName);
    layout->addRow("Host", host);
    layout->addRow("Login", userID);
    layout->addRow("WWW Address", urlEdit);
    layout->addRow("", urlNote);
    layout->addRow("Protocol", protocolBox);
    layout->addRow("", passiveBox);
    layout->addRow("Trusted Certificate", certificateEdit);
    layout->addRow(buttons);
    setMinimumWidth(420);
    // New profiles start encrypted; the choice also sets which fields apply.
    protocolBox->setCurrentIndex(Ftps);
}

TConnectionEdit TConnectionEditorForm::Edit(TConnectionProfile& profile, bool canDelete) {
    connName->setText(BytesToQString(profile.Name));
    host->setText(BytesToQString(profile.Host));
    userID->setText(BytesToQString(profile.Login));
    urlEdit->setText(BytesToQString(profile.WWWAddress));
    passiveBox->setChecked(profile.Passive);
    certificateEdit->setText(BytesToQString(profile.TrustedCertificate));
    protocolBox->setCurrentIndex(profile.Sftp ? Sftp : profile.Tls ? Ftps : PlainFtp);
    passiveBox->setEnabled(!profile.Sftp);
    certificateEdit->setEnabled(!profile.Sftp && profile.Tls);
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
            protocolBox->currentIndex() == Ftps,
            QStringToBytes(certificateEdit->text().trimmed()),
            protocolBox->currentIndex() == Sftp};
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
