// The FTP connection profiles: one line per profile in a per-user text file,
// "name;host;login;WWW address" and, for passive mode, a fifth field "PASSIVE"; an encrypted
// profile adds a sixth, "TLS", and a seventh, the fingerprint of a certificate the user trusts;
// an SFTP profile has "SFTP" as its sixth field (its host keys live in known_hosts).
// A line without them (all older files) means plain FTP, so that it connects as it always did.
// The first line is never offered as a profile; the password is never stored.
#pragma once

#include <string>
#include <vector>

#include "base/TStringList.h"

namespace fsc {

inline constexpr const char* NewConnectionName = "A New Connection";
inline constexpr const char* InitialWWWAddress = "http://";
// Written as the first line when the file is created, so that the first profile is listed.
inline constexpr const char* ConnListHeader =
    "Folioscope FTP connections: name;host;login;WWW address[;PASSIVE][;TLS[;SHA256:...]|;SFTP]";

struct TConnectionProfile {
    std::string Name, Host, Login, WWWAddress;
    bool Passive = false;
    // Explicit TLS; new profiles of the FTP window start with it on.
    bool Tls = false;
    // The fingerprint of a certificate no authority vouches for that the user trusts.
    std::string TrustedCertificate{};
    // SSH's file transfer instead of FTP; Tls and the certificate then play no part.
    bool Sftp = false;
    bool operator==(const TConnectionProfile&) const = default;
};

// A menu entry of "Connect" or "Edit Connections": the caption and the line it stands for.
struct TProfileMenuEntry {
    std::string Caption;
    int Line = 0;
    bool operator==(const TProfileMenuEntry&) const = default;
};

// The profile file: folioscope.con in the per-user state folder.
std::string ConnListFilePath();

class TConnList {
public:
    TStringList Lines;

    // A missing file gives an empty list.
    void Load(const std::string& path);
    // Creates the file (with its header line) when it does not exist yet.
    void Save(const std::string& path);

    // Lines 2 to n, captioned with the text before their first ';'.
    std::vector<TProfileMenuEntry> MenuEntries() const;
    // Missing fields are empty.
    TConnectionProfile Profile(int line) const;

    void Add(const TConnectionProfile& profile);
    void Replace(int line, const TConnectionProfile& profile);
    void Delete(int line);
};

// The stored line of a profile; raises EUserInputError for a field holding ';' or a line break,
// which the file cannot keep, and for a trusted certificate that is no SHA-256 fingerprint.
std::string ProfileLine(const TConnectionProfile& profile);

}  // namespace fsc
