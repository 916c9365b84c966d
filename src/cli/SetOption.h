// "--set KEY=VALUE": one settings line of a template, read by the template reader itself.
#pragma once

#include <string>

#include "app/Workspace.h"

namespace fsc {

// The keys of the table of template settings keys that "--set" takes, with their "=".
bool IsTemplateSettingsKey(const std::string& keyWithEquals);

// Applies `assignment` ("STYLE=list") as a line of a template file would be applied.
// EUserInputError for a text without "=" or a key the reader does not know; a bad value
// gives the reader's own error.
void ApplySetOption(Workspace& ws, const std::string& assignment);

}  // namespace fsc
