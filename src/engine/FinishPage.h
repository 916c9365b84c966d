// Pass 2 of the HTML step for one page: navigation, then the finishing replacements in
// their fixed order (parameters, replaceWith tags, ORVIKLINK, NAME, MAINDIR, IMAGEDIR,
// BACKTOGALLERY, FIRSTIMAGEURL, calculated values, head insertion).
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// "../" once per directory level of `subDir`; "" for the base directory.
std::string MainDirText(const std::string& subDir);

// The folder, relative to the HTML directory, where the page is written: its SubDir and the
// folder in its file name.
std::string PageFolder(const TFSC_File& page);

// The finishing replacements alone, on the page's text.
std::string FinishText(const TPageContext& context, const TFSC_File& page, std::string text);

// Navigation and finishing of `page`.
void FinishPage(TPageContext& context, TFSC_File& page);

}  // namespace fsc
