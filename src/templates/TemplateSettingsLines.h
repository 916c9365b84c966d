// The settings lines of a template file ("STYLE=table", "THUMBWIDTH=70", ...): what each
// key sets in the settings panels, option dialogs, Special window, watermark editor and
// schemes when a template is applied. Each key's rule is its row in TemplateSettingsKeys.h.
#pragma once

#include <string>

#include "templates/TemplateContext.h"

namespace fsc {

inline constexpr const char* SlideSchemeEnd = "//SlideSchemeEND//";
inline constexpr const char* WatermarkEnd = "//WATERMARKEND//";

// Who wrote the lines, which decides the files they may name: a template file only files
// inside its own folder or the template library, the user any file.
enum class TLinesFrom { TemplateFile, User };

// Applies every settings line of `fileText` in file order; `templateFolder` is where the
// relative scheme and skeleton files of the lines are looked for. A numeric key whose value
// is not a whole number, or a template's line naming a file outside its folders, raises
// EFSC_Exception; lines applied before it keep their effect.
void ApplySettingsLines(TemplateContext& context, const std::string& templateFolder,
                        const std::string& fileText, TLinesFrom from);

}  // namespace fsc
