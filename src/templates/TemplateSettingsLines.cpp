// Reading the settings lines of a template, one line at a time, each by its key's row of
// the table of settings keys.
#include "templates/TemplateSettingsLines.h"

#include "base/Text.h"
#include "templates/TemplateSettingsKeys.h"

namespace fsc {

TTemplateReadSettings ReadSettingsOf(const TemplateContext& context) {
    TTemplateReadSettings settings;
    settings.ImagePageSkeleton = context.ImageHTML.Text;
    settings.HTMLExtensions = context.Program.HTMLExt;
    settings.DefaultHTMLExt = context.Program.DefaultHTMLExt;
    settings.LibraryFolder = context.LibraryFolder;
    return settings;
}

namespace {

// The row of a settings line's key: the text up to and including its first "=". Lines of
// other keys, and the continuation lines of a value, have none.
const TSettingsKey* KeyOfLine(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return nullptr;
    return FindSettingsKey(std::string_view(line).substr(0, equals + 1));
}

}  // namespace

void ApplySettingsLines(TemplateContext& context, const std::string& templateFolder,
                        const std::string& fileText, TLinesFrom from) {
    TLineReading reading{context, templateFolder, fileText, from};
    std::size_t lineStart = 0;
    while (lineStart < fileText.size()) {
        std::size_t lineEnd = fileText.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string::npos) lineEnd = fileText.size();
        const std::string line = fileText.substr(lineStart, lineEnd - lineStart);
        if (const TSettingsKey* key = KeyOfLine(line)) {
            const std::size_t keySize = std::string_view(key->Key).size();
            key->Read(reading, {key->Key, Trim(line.substr(keySize, 99)), lineStart + keySize});
        }
        lineStart = lineEnd + 1;
        if (lineEnd + 1 < fileText.size() && fileText[lineEnd] == '\r' &&
            fileText[lineEnd + 1] == '\n') {
            ++lineStart;
        }
    }
}

}  // namespace fsc
