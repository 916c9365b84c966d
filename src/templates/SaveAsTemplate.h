// "Save Settings As Template": writes the build settings, the current template's pages,
// copies and parameters, and the four schemes as a ".tpl" file with its companion folder.
#pragma once

#include <string>

#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TTemplate.h"
#include "templates/TScheme.h"

namespace fsc {

// What a saved template keeps beyond the settings of a build. A build takes the rows and
// columns of its own layout only, so the other layouts' values come from the panels; and it
// takes the watermark editor's text, which stays empty until the watermark is first used
// while the Special window already shows a text.
struct TKeptSettings {
    int TableRows = 3;
    int TableCols = 5;
    // Rows of the list, paragraph and slide-show layouts.
    int ListRows = 20;
    TStringList WatermarkText;
};

// Writes into P + ".dir" first (schemes, index page, gallery page, image page, extra pages,
// copied files), then the lines of P. References in P are relative to P's folder and use
// '\' as the format shows. Fills a blank GalleryFileName with "index.html" and a blank
// GalleryPageName with "gallery.html" in `tpl`. A companion folder or file that cannot be
// written raises EFSC_Exception; P itself is then not written.
// The first line describes the template for the template dialog: the description of the
// template the settings came from, else a summary of the settings.
void SaveSettingsAsTemplate(const std::string& path, const TFSC_Images& images,
                            const TFSC_HTML& html, TTemplate& tpl, const TSchemes& schemes,
                            const TKeptSettings& kept);

// The settings lines alone, in the order the file holds them.
TStringList TemplateSettingsLines(const TFSC_Images& images, const TFSC_HTML& html,
                                  const TTemplate& tpl, const TKeptSettings& kept);

}  // namespace fsc
