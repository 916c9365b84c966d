// The record a sync keeps in the gallery's folder on the server: every file this program
// put there, with its size and SHA-256, so that the next sync sends only what changed and
// deletes only what it once sent itself.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace fsc {

// The manifest's name in the gallery's folder on the server.
inline constexpr const char* SyncManifestName = ".folioscope-manifest";
// Appended to a file's name while it travels; renamed away once it arrived whole.
inline constexpr const char* SyncPartSuffix = ".folioscope-part";

struct TManifestEntry {
    std::uint64_t Size = 0;
    std::string Sha256;  // 64 lower-case hexadecimal digits

    bool operator==(const TManifestEntry&) const = default;
};

// Path below the gallery's folder, "/" between the levels, to its entry.
using TSyncManifest = std::map<std::string, TManifestEntry>;

std::string ManifestText(const TSyncManifest& manifest);

// The manifest a text holds; nothing for a text this program did not write or that was cut
// short or altered, and `problem` says why. A path that could reach outside the gallery's
// folder makes the whole text unusable: the manifest decides what a sync deletes.
std::optional<TSyncManifest> ReadManifest(const std::string& text, std::string& problem);

// A relative path of plain levels: no "", "." or ".." level, no leading "/", no "\".
bool IsPlainRelativePath(const std::string& path);

}  // namespace fsc
