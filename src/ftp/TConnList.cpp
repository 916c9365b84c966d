// Loading, saving and editing the FTP connection profile lines.
#include "ftp/TConnList.h"

#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/JobLine.h"

namespace fsc {

namespace {

void CheckField(const std::string& field) {
    if (field.find_first_of(";\r\n") != std::string::npos) {
        throw ELumettaError("A connection field may not contain \";\" or a line break: " + field);
    }
}

bool ValidLine(const TStringList& lines, int line) { return line >= 0 && line < int(lines.size()); }

}  // namespace

std::string ConnListFilePath() { return JoinPath(StateFolder(), "folioscope.con"); }

void TConnList::Load(const std::string& path) {
    Lines = FileExists(path) ? LoadLines(path) : TStringList{};
}

void TConnList::Save(const std::string& path) {
    if (Lines.empty()) Lines.push_back(ConnListHeader);
    ForceDirectories(ExtractFileDir(path));
    SaveLines(path, Lines);
}

std::vector<TProfileMenuEntry> TConnList::MenuEntries() const {
    std::vector<TProfileMenuEntry> entries;
    for (int line = 1; line < int(Lines.size()); ++line)
        entries.push_back({JobField(Lines[line], 0), line});
    return entries;
}

TConnectionProfile TConnList::Profile(int line) const {
    if (!ValidLine(Lines, line)) return {};
    const std::string& text = Lines[std::size_t(line)];
    return {JobField(text, 0), JobField(text, 1), JobField(text, 2), JobField(text, 3),
            SameText(JobField(text, 4), "PASSIVE")};
}

void TConnList::Add(const TConnectionProfile& profile) {
    const std::string line = ProfileLine(profile);
    if (Lines.empty()) Lines.push_back(ConnListHeader);
    Lines.push_back(line);
}

void TConnList::Replace(int line, const TConnectionProfile& profile) {
    if (ValidLine(Lines, line)) Lines[std::size_t(line)] = ProfileLine(profile);
}

void TConnList::Delete(int line) {
    if (ValidLine(Lines, line)) Lines.erase(Lines.begin() + line);
}

std::string ProfileLine(const TConnectionProfile& profile) {
    for (const std::string* field :
         {&profile.Name, &profile.Host, &profile.Login, &profile.WWWAddress}) {
        CheckField(*field);
    }
    // Active profiles keep the four fields of older files.
    return profile.Name + ";" + profile.Host + ";" + profile.Login + ";" + profile.WWWAddress +
           (profile.Passive ? ";PASSIVE" : "");
}

}  // namespace fsc
