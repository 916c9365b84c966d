// Every window of the desktop program, created once in start-up order over one workspace;
// they live until the program ends.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/MainWindow.h"
#include "ui/QtMessages.h"
#include "ui/SettingsPanels.h"
#include "ui/TAskForm.h"
#include "ui/TFolioscopeForm.h"
#include "ui/TJPEGCompressionForm.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgress.h"
#include "ui/TRirevidedOzizidoCollageOptionsForm.h"
#include "ui/TRirevidedOzizidoImageHTMLOptionsForm.h"
#include "ui/TRirevidedOzizidoListOptionsForm.h"
#include "ui/TRirevidedOzizidoNavigationOptionsForm.h"
#include "ui/TRirevidedOzizidoParaOptionsForm.h"
#include "ui/TRirevidedOzizidoSlideShowForm.h"
#include "ui/TRirevidedOzizidoTableOptionsForm.h"

namespace fsc {

class ISettingsStore;
class IShell;
struct Workspace;

class TProgramWindows {
public:
    // The start window comes first, as it registers the picture readers whose filter the
    // main window's picture dialog uses.
    TProgramWindows(Workspace& ws, ISettingsStore& store, IShell& shell);

    // Shows the start window, which hands over to the main window. Files given here
    // (projects, image sets, pictures) are opened in the main window instead of the wizard.
    void Start(std::vector<std::string> files = {}) {
        startFiles = std::move(files);
        StartWindow.show();
    }

    QtMessages Messages;
    TFolioscopeForm StartWindow;
    TAskForm Ask;
    SettingsPanels Settings;
    TRirevidedOzizidoParaOptionsForm ParaOptions;
    TRirevidedOzizidoImageHTMLOptionsForm ImageHTMLOptions;
    TRirevidedOzizidoListOptionsForm ListOptions;
    TRirevidedOzizidoNavigationOptionsForm NavigationOptions;
    TRirevidedOzizidoTableOptionsForm TableOptions;
    TRirevidedOzizidoCollageOptionsForm CollageOptions;
    TJPEGCompressionForm Compression;
    TProgress Progress;
    TOptionsForm Options;
    TRirevidedOzizidoSlideShowForm SlideShowOptions;
    MainWindow Main;

private:
    StyleDialogs Styles();
    std::vector<std::string> startFiles;
};

}  // namespace fsc
