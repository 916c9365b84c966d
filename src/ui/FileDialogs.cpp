// File dialogs with the program's filters.
#include "ui/FileDialogs.h"

#include <QFileDialog>

#include "platform/ByteText.h"
#include "ui/Binders.h"

namespace fsc {

QStringList QtNameFilters(const std::string& pairs) {
    const QStringList parts = BytesToQString(pairs).split('|');
    QStringList filters;
    for (int index = 0; index + 1 < parts.size(); index += 2) {
        QStringList patterns = parts[index + 1].split(';', Qt::SkipEmptyParts);
        patterns.removeDuplicates();
        // Qt reads the patterns from the last parentheses; the caption keeps its own text.
        filters << parts[index] + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

namespace {

std::vector<std::string> RunDialog(QWidget* parent, const TFileDialogSetup& setup,
                                   QFileDialog::AcceptMode mode, QFileDialog::FileMode files) {
    QFileDialog dialog(parent);
    dialog.setObjectName("FileDialog");
    dialog.setAcceptMode(mode);
    dialog.setFileMode(files);
    dialog.setNameFilters(QtNameFilters(setup.Filter));
    // The captions already list their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.ConfirmOverwrite);
    if (!setup.DefaultExtension.empty())
        dialog.setDefaultSuffix(BytesToQString(setup.DefaultExtension));
    if (!setup.InitialFolder.empty()) dialog.setDirectory(BytesToQString(setup.InitialFolder));
    std::vector<std::string> chosen;
    if (dialog.exec() != QDialog::Accepted) return chosen;
    for (const QString& path : dialog.selectedFiles()) chosen.push_back(QStringToBytes(path));
    return chosen;
}

std::optional<std::string> First(const std::vector<std::string>& paths) {
    if (paths.empty()) return std::nullopt;
    return paths.front();
}

}  // namespace

std::optional<std::string> AskSavePath(QWidget* parent, const TFileDialogSetup& setup) {
    return First(RunDialog(parent, setup, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

std::optional<std::string> AskOpenPath(QWidget* parent, const TFileDialogSetup& setup) {
    return First(RunDialog(parent, setup, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

std::vector<std::string> AskOpenPaths(QWidget* parent, const TFileDialogSetup& setup) {
    return RunDialog(parent, setup, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

}  // namespace fsc
