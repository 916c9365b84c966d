// The program's file dialogs on Qt: filters written as "Caption|patterns|..." pairs (the
// form the core and the stored formats use) turned into Qt's name filters.
#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace fsc {

// "JPG|*.jpg" -> {"JPG (*.jpg)"}; patterns separated by ";" become blank-separated.
QStringList QtNameFilters(const std::string& pairs);

struct TFileDialogSetup {
    std::string Filter;
    // Added to a typed name without extension (save dialogs).
    std::string DefaultExtension;
    std::string InitialFolder;
    // Save dialogs ask before an existing file is chosen, unless the caller asks its own
    // question about that file.
    bool ConfirmOverwrite = true;
};

std::optional<std::string> AskSavePath(QWidget* parent, const TFileDialogSetup& setup);
std::optional<std::string> AskOpenPath(QWidget* parent, const TFileDialogSetup& setup);
// Multiple selection; the files must exist. Empty on Cancel.
std::vector<std::string> AskOpenPaths(QWidget* parent, const TFileDialogSetup& setup);

}  // namespace fsc
