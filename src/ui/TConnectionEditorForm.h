// The dialog "Connection Editor": the name, host, login and WWW address of one FTP profile,
// its data mode, its encryption and the certificate the user trusts for it.
#pragma once

#include <QDialog>

#include "ftp/TConnList.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace fsc {

enum class TConnectionEdit { Cancelled, Saved, Deleted };

class TConnectionEditorForm : public QDialog {
    Q_OBJECT

public:
    explicit TConnectionEditorForm(QWidget* parent = nullptr);

    // Shows `profile` and, on "OK", stores the edited fields back into it. "Delete" is offered
    // only for a profile that already exists.
    TConnectionEdit Edit(TConnectionProfile& profile, bool canDelete);

private:
    TConnectionProfile Edited() const;
    void OKClick();

    QLineEdit* connName;
    QLineEdit* host;
    QLineEdit* userID;
    QLineEdit* urlEdit;
    QCheckBox* passiveBox;
    // SFTP, FTPS or plain FTP, in the order of the entries' Protocol values.
    QComboBox* protocolBox;
    QLineEdit* certificateEdit;
    QPushButton* deleteButton;
};

}  // namespace fsc
