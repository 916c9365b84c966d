// The dialog "Create Directory": the name of a new local or remote directory.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace fsc {

class TMKDirForm : public QDialog {
    Q_OBJECT

public:
    explicit TMKDirForm(QWidget* parent = nullptr);

    // The name as typed on "OK" (untrimmed); nothing on "Cancel".
    std::optional<std::string> Ask();

private:
    QLineEdit* directoryEdit;
};

}  // namespace fsc
