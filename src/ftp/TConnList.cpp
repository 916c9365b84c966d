// Loading, saving and editing the FTP connection profile lines.
#include "ftp/TConnList.h"

#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/Fingerprint.h"
#include "ftp/JobLine.h"

namespace fsc {

namespace {

void CheckField(const std::string& field) {
    if (field.find_first_of(";\r\n") != std::string::npos) {
        throw EUserInputError("A connection field may not contain \";\" or a line break: " + field);
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
    // A fingerprint spoilt by hand trusts nothing: the next login asks again.
    return {JobField(text, 0),
            JobField(text, 1),
            JobField(text, 2),
            JobField(text, 3),
            SameText(JobField(text, 4), "PASSIVE"),
            SameText(JobField(text, 5), "TLS"),
            ParseFingerprint(JobField(text, 6)).value_or(""),
            SameText(JobField(text, 5), "SFTP")};
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
    std::string fingerprint;
    if (!profile.TrustedCertificate.empty()) {
        const auto parsed = ParseFingerprint(profile.TrustedCertificate);
        if (!parsed) {
            throw EUserInputError("Not a SHA-256 fingerprint: " + profile.TrustedCertificate);
        }
        fingerprint = *parsed;
    }
    std::vector<std::string> extra{profile.Passive ? "PASSIVE" : "", profile.Tls ? "TLS" : "",
                                   fingerprint};
    if (profile.Sftp) extra = {profile.Passive ? "PASSIVE" : "", "SFTP"};
    // Plain profiles keep the fields of older files: four, or five with passive mode.
    while (!extra.empty() && extra.back().empty()) extra.pop_back();
    std::string line =
        profile.Name + ";" + profile.Host + ";" + profile.Login + ";" + profile.WWWAddress;
    for (const std::string& field : extra) line += ";" + field;
    return line;
}

}  // namespace fsc
