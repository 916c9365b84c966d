// Every window of the desktop program, created once in start-up order over one workspace;
// they live until the program ends.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/CollageOptionsDialog.h"
#include "ui/ImagePageOptionsDialog.h"
#include "ui/ListOptionsDialog.h"
#include "ui/MainWindow.h"
#include "ui/NavigationOptionsDialog.h"
#include "ui/ParagraphOptionsDialog.h"
#include "ui/QtMessages.h"
#include "ui/SettingsPanels.h"
#include "ui/SlideShowOptionsDialog.h"
#include "ui/TAskForm.h"
#include "ui/TFolioscopeForm.h"
#include "ui/TJPEGCompressionForm.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgress.h"
#include "ui/TableOptionsDialog.h"

namespace fsc {

class ISettingsStore;
class IShell;
struct Workspace;

class TProgramWindows {
public:
    // The start window comes first, as it registers the picture readers whose filter the
    // main window's picture dialog uses.
    TProgramWindows(Workspace& ws, ISettingsStore& store, IShell& shell);

    // Shows the start window, which hands over to the main window. Before the wizard or the
    // main window, every build the workspace's history folder records as unfinished is
    // offered for undo. Files given here (projects, image sets, pictures) are opened in the
    // main window instead of the wizard.
    void Start(std::vector<std::string> files = {}) {
        startFiles = std::move(files);
        StartWindow.show();
    }

    QtMessages Messages;
    TFolioscopeForm StartWindow;
    TAskForm Ask;
    SettingsPanels Settings;
    ParagraphOptionsDialog ParaOptions;
    ImagePageOptionsDialog ImageHTMLOptions;
    ListOptionsDialog ListOptions;
    NavigationOptionsDialog NavigationOptions;
    TableOptionsDialog TableOptions;
    CollageOptionsDialog CollageOptions;
    TJPEGCompressionForm Compression;
    TProgress Progress;
    TOptionsForm Options;
    SlideShowOptionsDialog SlideShowOptions;
    MainWindow Main;

private:
    StyleDialogs Styles();
    void OfferRecovery(const std::string& historyFolder);
    std::vector<std::string> startFiles;
};

}  // namespace fsc
