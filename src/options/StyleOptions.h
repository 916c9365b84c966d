// What the style option dialogs do with their values: copy them into the current
// template before a build or a save, check the slide scheme, and keep the image page
// skeleton of the current template.
#pragma once

#include "engine/TTemplate.h"
#include "options/CollageOptions.h"
#include "options/ImageHTMLOptions.h"
#include "options/ListOptions.h"
#include "options/ParaOptions.h"
#include "options/SlideShowOptions.h"
#include "options/TableOptions.h"

namespace fsc {

// The option dialogs whose values reach the template's style fields.
struct StyleOptionRefs {
    const TableOptions& Table;
    const ListOptions& List;
    const ParaOptions& Para;
    const CollageOptions& Collage;
    const SlideShowOptions& SlideShow;
};

// Table, list, paragraph, collage and slide show values, in that order, into the style
// fields; CSS texts and widths are copied as typed.
void CopyStyleOptionsToTemplate(const StyleOptionRefs& options, TTemplate& tpl);

// The fixed slide width: the size when "Width" is checked, else -1; likewise the height.
int SlideWidthValue(const SlideShowOptions& options);
int SlideHeightValue(const SlideShowOptions& options);

// Applying a template starts the slide show options from their defaults.
void ResetSlideShowOptions(SlideShowOptions& options);

// Run when the scheme box loses the focus: a scheme without the slides tag gets
// "<!-SLIDES-><br>" in front, one without any button tag gets the two buttons appended;
// each repair raises EFSC_Exception with its message after correcting the text, so the
// corrected text stays. One repair per call.
void CheckSlideScheme(SlideShowOptions& options);

// Showing the image page dialog: a template without a skeleton gets the box's text, then
// the box shows the template's skeleton.
void ShowImageHTMLOptions(ImageHTMLOptions& options, TTemplate& tpl);
// "Load": the file's text replaces the box's text; a file that cannot be read raises
// EFSC_Exception and the box keeps its text.
void LoadImageHTMLFile(ImageHTMLOptions& options, const std::string& path);
// Closing it: the box's text becomes the template's skeleton.
void CloseImageHTMLOptions(const ImageHTMLOptions& options, TTemplate& tpl);

}  // namespace fsc
