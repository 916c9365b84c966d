// Everything that selecting, applying and saving a template reads or changes: the settings
// panels, the option dialogs, the Special window, the watermark editor, the four schemes,
// the current template and the selection dialog's state.
#pragma once

#include <functional>
#include <string>

#include "engine/TTemplate.h"
#include "options/CollageOptions.h"
#include "options/ImageHTMLOptions.h"
#include "options/ListOptions.h"
#include "options/MainSettings.h"
#include "options/ParaOptions.h"
#include "options/ProgramOptions.h"
#include "options/SlideShowOptions.h"
#include "options/SpecialOptions.h"
#include "options/TableOptions.h"
#include "options/WatermarkOptions.h"
#include "templates/TScheme.h"
#include "templates/TemplateSelection.h"

namespace fsc {

struct TemplateContext {
    MainSettings& Main;
    TableOptions& Table;
    ListOptions& List;
    ParaOptions& Para;
    CollageOptions& Collage;
    SlideShowOptions& SlideShow;
    ImageHTMLOptions& ImageHTML;
    SpecialOptions& Special;
    WatermarkOptions& Watermark;
    TSchemes& Schemes;
    TTemplate& Current;
    TemplateSelection& Selection;
    const ProgramOptions& Program;
    std::string LibraryFolder;
    // Called whenever the current template or the selection changed, so that views of the
    // template (the HTML template editor's page list) can reload.
    std::function<void()> TemplateChanged;
};

// What reading a template file needs from the options.
TTemplateReadSettings ReadSettingsOf(const TemplateContext& context);

}  // namespace fsc
