// The dialog "Password": asks for the FTP password of one login, which is never stored.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace fsc {

class TPasswordForm : public QDialog {
    Q_OBJECT

public:
    explicit TPasswordForm(QWidget* parent = nullptr);

    // The typed password on "OK"; nothing when the dialog is closed any other way. The field
    // is emptied again either way, so the password does not linger in the widget.
    std::optional<std::string> Ask();

private:
    QLineEdit* passwordEdit;
};

}  // namespace fsc
