// The program-wide preferences: default JPEG quality, wizard at start, default folders,
// the HTML extension list and the default page extension; read from and written to the
// per-user settings store.
#pragma once

#include <optional>
#include <string>

#include "base/HTMLFileTest.h"
#include "base/ISettingsStore.h"
#include "base/TStringList.h"

namespace fsc {

inline constexpr const char* ProgramOptionsKey = "Software/Orvik_Freeware/Folioscope";
inline constexpr int MinJPEGCompression = 5;
inline constexpr int MaxJPEGCompression = 100;
inline constexpr int MaxWorkerThreads = 64;

struct ProgramOptions {
    int JPEGCompression = 50;
    bool Wizard = true;
    bool UseImageDir = false;
    bool UseHTMLDir = false;
    std::string HTMLDir;
    std::string DefaultHTMLExt = "html";
    std::string ImageDir;
    // One extension a line, without the dot; "HTML" and "HTM" are always present.
    TStringList HTMLExt = {"HTML", "HTM", "PHP", "ASP", "CGI", "PL"};
    // Threads that make copies and thumbnails side by side; 0 is one per core.
    int WorkerThreads = 0;
    // The desktop program opens a gallery in the browser after its first build in a run;
    // after a rebuild only with this on, since the page is usually open already.
    bool OpenAfterRebuild = false;

    bool operator==(const ProgramOptions&) const = default;
};

// Every stored value once, with its store name; loading, saving, printing and the
// command line's --set all walk this list, so a new field cannot be forgotten by one of them.
template <class Options, class Visitor>
void VisitProgramOptions(Options& options, Visitor&& visit) {
    visit("JPEGCompression", options.JPEGCompression);
    visit("Wizard", options.Wizard);
    visit("useImageDir", options.UseImageDir);
    visit("useHTMLDir", options.UseHTMLDir);
    visit("HTMLDir", options.HTMLDir);
    visit("DefaultHTMLExt", options.DefaultHTMLExt);
    visit("ImageDir", options.ImageDir);
    visit("HTMLExt", options.HTMLExt);
    visit("WorkerThreads", options.WorkerThreads);
    visit("OpenAfterRebuild", options.OpenAfterRebuild);
}

// Reads the store with the creation rules: a quality below 5 is ignored, a stored
// folder that is missing or no longer exists is dropped and its switch turned off.
ProgramOptions LoadProgramOptions(ISettingsStore& store);
// Sorts the extension list (see SortExtensionList), then writes every value and flushes.
void SaveProgramOptions(ProgramOptions& options, ISettingsStore& store);

// After every change of the list: "HTML" first when missing, then "HTM" second when missing.
void RepairExtensionList(TStringList& extensions);
// Sorted without regard to case, keeping the first of entries equal but for case;
// blank lines are dropped.
void SortExtensionList(TStringList& extensions);

// The outcome of a folder picker: a chosen folder is taken and its switch turned on;
// a cancelled picker turns the switch off and keeps the old text.
void ApplyFolderChoice(bool& useFolder, std::string& folder,
                       const std::optional<std::string>& chosen);

// "Name=value" lines in store order, with flags as 0/1 and the extension list as comma text.
TStringList ProgramOptionLines(const ProgramOptions& options);
// Changes one value by its store name with the dialog's rules; EUserInputError for an
// unknown name or a value the dialog would not accept.
void SetProgramOption(ProgramOptions& options, const std::string& name, const std::string& value);

}  // namespace fsc
