// The one table of the keys of a template's settings lines ("STYLE=table", "THUMBWIDTH=70",
// ...): for each key, how its value is read into the panels, how saving writes it from the
// settings of a build, and whether "--set" takes it. Applying a template, saving one and the
// command line all walk this table, so that a key cannot be known to one of them only.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "templates/SaveAsTemplate.h"
#include "templates/TemplateContext.h"
#include "templates/TemplateSettingsLines.h"

namespace fsc {

// One settings line as its key's reading sees it.
struct TSettingsLine {
    std::string Key;
    // After the key, at most 99 characters, trimmed.
    std::string Value;
    // Where the value starts in the whole file, for the values that span lines.
    std::size_t ValueStart = 0;
};

// What reading a line may change, and where the files it names are looked for.
struct TLineReading {
    TemplateContext& Context;
    const std::string& Folder;
    const std::string& FileText;
    TLinesFrom From;
};

// What saving takes the values from.
struct TSavedSettings {
    const TFSC_Images& Images;
    const TFSC_HTML& Html;
    const TTemplate& Template;
    const TKeptSettings& Kept;
};

// Where saving puts a key's line. The switch of the image pages has always been written
// right after the image page, before the template's copies and parameters.
enum class TSavedWith { Settings, ImagePage };

using TReadValue = std::function<void(TLineReading&, const TSettingsLine&)>;
// The value's lines, the key not included; none leaves the line out.
using TWriteValue = std::function<TStringList(const TSavedSettings&)>;

struct TSettingsKey {
    // With its "=", in capitals: keys are matched exactly as they are written.
    const char* Key = nullptr;
    TReadValue Read = {};
    // None for the keys that only older or hand-written templates hold.
    TWriteValue Write = {};
    TSavedWith SavedWith = TSavedWith::Settings;
    // A value that spans lines ends at this marker; none for a one-line value.
    const char* EndMarker = nullptr;
    // Whether "--set KEY=VALUE" takes the key.
    bool OnCommandLine = true;
};

// Every key, in the order saving writes them.
const std::vector<TSettingsKey>& TemplateSettingsKeys();

// The row of `keyWithEquals` ("STYLE="), or nullptr for a key the table does not hold.
const TSettingsKey* FindSettingsKey(std::string_view keyWithEquals);

// The lines of the keys saved with `place`, in table order: "KEY=value", a value of several
// lines continued on the lines after it and followed by its end marker.
TStringList SavedSettingsLines(const TSavedSettings& saved, TSavedWith place);

// The word "STYLE=" saves for a layout of the build ("table", "list", ...).
const char* LayoutWord(int layout);

}  // namespace fsc
