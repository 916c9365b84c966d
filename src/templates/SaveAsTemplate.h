// "Save Settings As Template": writes the build settings, the current template's pages,
// copies and parameters, and the four schemes as a ".tpl" file with its companion folder.
#pragma once

#include <string>

#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TTemplate.h"
#include "templates/TScheme.h"

namespace fsc {

// Writes into P + ".dir" first (schemes, index page, gallery page, image page, extra pages,
// copied files), then the lines of P. References in P are relative to P's folder and use
// '\' as the format shows. Fills a blank GalleryFileName with "index.html" and a blank
// GalleryPageName with "gallery.html" in `tpl`. A companion folder or file that cannot be
// written raises EFSC_Exception; P itself is then not written.
void SaveSettingsAsTemplate(const std::string& path, const TFSC_Images& images,
                            const TFSC_HTML& html, TTemplate& tpl, const TSchemes& schemes);

// The settings lines alone, in the order the file holds them.
TStringList TemplateSettingsLines(const TFSC_Images& images, const TFSC_HTML& html,
                                  const TTemplate& tpl);

}  // namespace fsc
