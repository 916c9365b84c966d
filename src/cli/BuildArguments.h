// The arguments of "folioscope-cli build", read into one record before anything happens.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/PictureOrder.h"

namespace fsc {

// "--upload ftp://USER@HOST[:PORT]/SUBDIR" taken apart.
struct TUploadTarget {
    // sftp:// instead of ftp://: SSH's file transfer, trusted and logged in as OpenSSH does.
    bool Sftp = false;
    std::string User;
    // With ":PORT" when one was given, as the FTP session takes it.
    std::string Host;
    // One or more levels, "/" between them: "public_html/gallery".
    std::string SubDir;
    // Passive unless --active: active data connections rarely pass a firewall or a NAT.
    bool Passive = true;
    // Encrypted unless --no-tls: a password should not cross the network in clear text.
    bool Tls = true;
    // --trust-certificate: the fingerprint of a certificate no authority vouches for.
    std::string TrustedCertificate;
    // --accept-hostname-mismatch: a certificate made out for another name is accepted.
    bool AcceptHostnameMismatch = false;
    // Send only what changed since the last sync and delete what the gallery lost.
    bool Sync = false;
    std::string WWWAddress;
    // --dry-run: only say what would be sent and deleted.
    bool DryRun = false;
    // --include and --exclude: glob patterns on the paths below the gallery folder.
    std::vector<std::string> Include, Exclude;
    // --trust-host-key: the fingerprint of an SFTP server's key that known_hosts lacks.
    std::string TrustedHostKey;
    // --identity: the private key an SFTP login uses instead of the agent and default keys.
    std::string Identity;
    // --connections: how many connections send pictures at once; pages follow them all.
    int Connections = 2;
};

// Reads one of the options an upload target takes besides its address (--passive,
// --active, --no-tls, --sync, --trust-certificate, --www, --include, --exclude, --connections,
// ...), taking its value from `value` when it has one. False when `arg` is none of them.
bool ReadUploadOption(TUploadTarget& target, const std::string& arg,
                      const std::function<std::string()>& value);
bool IsUploadOption(const std::string& arg);
// An ftp:// or sftp:// address.
bool IsUploadAddress(const std::string& arg);
// Refuses options that belong to the other protocol or contradict each other.
void CheckUploadOptions(const TUploadTarget& target);

struct TBuildArguments {
    std::string Project;
    // --images and --image-set in the order given: the image list keeps that order.
    struct TSource {
        bool IsImageSet = false;
        std::string Path;
    };
    std::vector<TSource> Sources;
    std::optional<std::string> HTMLDir, HTMLFile, ImageDir, Template;
    std::vector<std::string> Params, Settings;
    std::string SaveProject;
    std::optional<bool> Answer;
    bool Open = false;
    bool Quiet = false;
    bool SkipBad = false;
    // --originals: each picture's own file beside the gallery, with a download link.
    bool Originals = false;
    // Threads for copies and thumbnails, for this run only; 0 is one per core.
    std::optional<int> Jobs;
    // --sort: the pictures by name or date taken instead of in the order given.
    TPictureOrder Sort = TPictureOrder::AsGiven;
    std::optional<TUploadTarget> Upload;
};

// EUsageError for an unknown option, a missing value, a second project, a bad --upload
// address, a --jobs that is not a whole number from 0 to 64, or a --trust-certificate that
// is no SHA-256 fingerprint.
TBuildArguments ParseBuildArguments(const std::vector<std::string>& args);

// "ftp://USER@HOST[:PORT]/SUBDIR[/MORE]"; EUsageError naming what is missing.
TUploadTarget ParseUploadAddress(const std::string& address);
// The fingerprint --trust-certificate names, as the FTP client compares it.
std::string TrustedCertificateArgument(const std::string& value);

}  // namespace fsc
