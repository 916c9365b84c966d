// Program options: creation rules, write rules and the HTML file test.
#include "options/ProgramOptions.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"

namespace fsc {

namespace {

template <class T>
inline constexpr bool AlwaysFalse = false;

// Reads one value of the field's type, leaving the default in place when it is missing.
struct StoreReader {
    ISettingsStore& Store;

    void operator()(const char* name, int& value) const {
        if (auto stored = Store.ReadInteger(ProgramOptionsKey, name)) value = *stored;
    }
    void operator()(const char* name, bool& value) const {
        if (auto stored = Store.ReadInteger(ProgramOptionsKey, name)) value = *stored != 0;
    }
    void operator()(const char* name, std::string& value) const {
        if (auto stored = Store.ReadString(ProgramOptionsKey, name)) value = *stored;
    }
    void operator()(const char* name, TStringList& value) const {
        if (auto stored = Store.ReadString(ProgramOptionsKey, name)) value = FromCommaText(*stored);
    }
};

struct StoreWriter {
    ISettingsStore& Store;

    void operator()(const char* name, int value) const {
        Store.WriteInteger(ProgramOptionsKey, name, value);
    }
    void operator()(const char* name, bool value) const {
        Store.WriteInteger(ProgramOptionsKey, name, value ? 1 : 0);
    }
    void operator()(const char* name, const std::string& value) const {
        Store.WriteString(ProgramOptionsKey, name, value);
    }
    void operator()(const char* name, const TStringList& value) const {
        Store.WriteString(ProgramOptionsKey, name, ToCommaText(value));
    }
};

std::string Shown(int value) { return std::to_string(value); }
std::string Shown(bool value) { return value ? "1" : "0"; }
std::string Shown(const std::string& value) { return value; }
std::string Shown(const TStringList& value) { return ToCommaText(value); }

void DropVanishedFolder(bool& useFolder, std::string& folder) {
    if (!DirectoryExists(folder)) {
        folder.clear();
        useFolder = false;
    }
}

[[noreturn]] void BadValue(const std::string& name, const std::string& value,
                           const std::string& expected) {
    throw EUserInputError("Invalid value \"" + value + "\" for option " + name + ": " + expected +
                          ".");
}

int ParseQuality(const std::string& name, const std::string& text) {
    int value = 0;
    if (!TryParseInt(text, value) || value < MinJPEGCompression || value > MaxJPEGCompression) {
        BadValue(name, text, "a whole number from 5 to 100 is expected");
    }
    return value;
}

int ParseWorkerThreads(const std::string& name, const std::string& text) {
    int value = 0;
    if (!TryParseInt(text, value) || value < 0 || value > MaxWorkerThreads) {
        BadValue(name, text, "a whole number from 0 (one per core) to 64 is expected");
    }
    return value;
}

bool ParseFlag(const std::string& name, const std::string& text) {
    const std::string word = LowerCase(Trim(text));
    if (word == "1" || word == "true" || word == "on" || word == "yes") return true;
    if (word == "0" || word == "false" || word == "off" || word == "no") return false;
    BadValue(name, text, "1 or 0 is expected");
}

// Setting a folder by hand acts like choosing it in the folder picker.
void SetFolder(const std::string& name, const std::string& text, bool& useFolder,
               std::string& folder) {
    if (text.empty()) {
        folder.clear();
        useFolder = false;
        return;
    }
    if (!DirectoryExists(text)) BadValue(name, text, "the directory does not exist");
    ApplyFolderChoice(useFolder, folder, text);
}

}  // namespace

ProgramOptions LoadProgramOptions(ISettingsStore& store) {
    ProgramOptions options;
    VisitProgramOptions(options, StoreReader{store});
    // The spin field and --set accept the minimum itself, so it is read back as stored; only
    // a value below what they accept falls back to the default.
    if (options.JPEGCompression < MinJPEGCompression) options.JPEGCompression = 50;
    options.JPEGCompression = std::min(options.JPEGCompression, MaxJPEGCompression);
    options.WorkerThreads = std::clamp(options.WorkerThreads, 0, MaxWorkerThreads);
    DropVanishedFolder(options.UseHTMLDir, options.HTMLDir);
    DropVanishedFolder(options.UseImageDir, options.ImageDir);
    RepairExtensionList(options.HTMLExt);
    return options;
}

void SaveProgramOptions(ProgramOptions& options, ISettingsStore& store) {
    SortExtensionList(options.HTMLExt);
    RepairExtensionList(options.HTMLExt);
    VisitProgramOptions(std::as_const(options), StoreWriter{store});
    store.Flush();
}

void RepairExtensionList(TStringList& extensions) {
    if (IndexOfLineNoCase(extensions, "HTML") < 0) extensions.insert(extensions.begin(), "HTML");
    if (IndexOfLineNoCase(extensions, "HTM") < 0) {
        extensions.insert(extensions.begin() + std::min<std::size_t>(1, extensions.size()), "HTM");
    }
}

void SortExtensionList(TStringList& extensions) {
    std::erase_if(extensions, [](const std::string& line) { return Trim(line).empty(); });
    std::stable_sort(extensions.begin(), extensions.end(),
                     [](const auto& a, const auto& b) { return CompareText(a, b) < 0; });
    const auto repeated = std::unique(extensions.begin(), extensions.end(),
                                      [](const auto& a, const auto& b) { return SameText(a, b); });
    extensions.erase(repeated, extensions.end());
}

void ApplyFolderChoice(bool& useFolder, std::string& folder,
                       const std::optional<std::string>& chosen) {
    if (chosen) folder = *chosen;
    useFolder = chosen.has_value();
}

TStringList ProgramOptionLines(const ProgramOptions& options) {
    TStringList lines;
    VisitProgramOptions(options, [&](const char* name, const auto& value) {
        lines.push_back(std::string(name) + "=" + Shown(value));
    });
    return lines;
}

void SetProgramOption(ProgramOptions& options, const std::string& name, const std::string& value) {
    if (name == "HTMLDir") return SetFolder(name, value, options.UseHTMLDir, options.HTMLDir);
    if (name == "ImageDir") return SetFolder(name, value, options.UseImageDir, options.ImageDir);
    bool known = false;
    VisitProgramOptions(options, [&](const char* fieldName, auto& field) {
        if (name != fieldName) return;
        known = true;
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, int>) {
            field = name == "WorkerThreads" ? ParseWorkerThreads(name, value)
                                            : ParseQuality(name, value);
        } else if constexpr (std::is_same_v<Field, bool>) {
            field = ParseFlag(name, value);
        } else if constexpr (std::is_same_v<Field, std::string>) {
            field = value;
        } else if constexpr (std::is_same_v<Field, TStringList>) {
            field = FromCommaText(value);
            RepairExtensionList(field);
        } else {
            static_assert(AlwaysFalse<Field>, "a stored option of an unknown type");
        }
    });
    if (!known) throw EUserInputError("Unknown program option \"" + name + "\".");
}

}  // namespace fsc
