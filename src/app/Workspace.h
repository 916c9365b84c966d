// Every setting of the program in one place: one struct per window or panel with the values
// its controls start with, the four schemes, the current template, the image list, the
// build journal, the program options and the settings of the last create-gallery run.
// Windows show and edit these values; commands read and write them.
#pragma once

#include <memory>
#include <string>

#include "engine/TBuildJournal.h"
#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TTemplate.h"
#include "engine/TThumbnail.h"
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
#include "templates/HTMLTemplateEditor.h"
#include "templates/SchemeWizard.h"
#include "templates/TScheme.h"
#include "templates/TemplateContext.h"
#include "templates/TemplateSelection.h"

namespace fsc {

struct Workspace {
    // The gallery settings panels of the "General" tab.
    MainSettings Main;
    // The style option dialogs. The navigation options dialog holds no values.
    TableOptions Table;
    ListOptions List;
    ParaOptions Para;
    CollageOptions Collage;
    SlideShowOptions SlideShow;
    ImageHTMLOptions ImageHTML;
    // The "Special" window and the "Watermark Editor".
    SpecialOptions Special;
    WatermarkOptions Watermark;
    ProgramOptions Program;
    // The template selection dialog and the library it lists.
    TemplateSelection Selection;
    std::string TemplateLibrary;

    TSchemes Schemes;
    // The scheme the scheme editor shows; the image scheme at start.
    int EditedScheme = SchemeImage;
    SchemeWizardSettings SchemeWizard;
    TTemplate Template = TTemplate::Create(ImageHTML.Text);
    HTMLTemplateEditor TemplateEditor;
    TThumbnailArray Images;
    TBuildJournal Journal;
    // Where what was learnt about pictures outlives the process: pictures that loaded, and
    // each image folder's cache of copies and thumbnails. Nothing is kept when empty.
    std::string CacheFolder;
    // Where the undo histories of the galleries are kept: they tell which files of a folder a
    // gallery wrote. Nothing is read when empty.
    std::string HistoryFolder;
    // Pictures that cannot be read are left out, each named, instead of stopping the build;
    // those found while adding are listed here, with the reason.
    bool SkipBadPictures = false;
    TStringList LeftOutPictures;

    // The existing pages the HTML file field has asked about using as the template.
    TStringList AskedAboutExistingPages;
    // The galleries (their HTML file paths) already opened in the browser after a build in
    // this run.
    TStringList OpenedGalleries;

    // The create-gallery command's memory of its last run.
    std::string LastHTMLFile;
    std::string LastHTMLDir;
    // The settings objects of the last run; they point at each other, so they live on the
    // heap and keep their addresses while the workspace is moved.
    std::unique_ptr<TFSC_Images> LastImages;
    std::unique_ptr<TFSC_HTML> LastHTML;

    // Built-in schemes, no library; the HTML directory starts as the desktop folder, or the
    // options' default HTML directory when that is switched on and not blank.
    explicit Workspace(const ProgramOptions& options = ProgramOptions());

    // What selecting, applying and saving templates work on.
    TemplateContext Templates();
};

// The workspace the program starts with: schemes from their start-up files and the
// template library listed.
Workspace StartupWorkspace(const ProgramOptions& options);

}  // namespace fsc
