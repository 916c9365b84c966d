// Reading the local gallery folder and comparing it with the manifest.
#include "ftp/SyncPlan.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "base/Errors.h"
#include "base/Sha256.h"
#include "base/Text.h"
#include "ftp/FileHashCache.h"

namespace fsc {

namespace {

TManifestEntry HashFile(const std::filesystem::path& path) {
    const TFileDigest digest = Sha256OfFile(path.string());
    return {digest.Size, digest.Sha256};
}

std::string Plural(std::size_t count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

bool IsSyncOwnFile(const std::string& name) {
    return name == SyncManifestName || EndsWith(name, SyncPartSuffix);
}

TSyncFile ReadSyncFile(const std::string& path, const std::string& fullPath,
                       TFileHashCache* cache) {
    const auto hash = [&] { return HashFile(fullPath); };
    return {path, fullPath, cache ? cache->Entry(fullPath, hash) : hash(), false};
}

TSyncPlan PlanSync(const std::vector<TSyncFile>& files, const TSyncManifest& manifest) {
    TSyncPlan plan;
    std::set<std::string> present;
    for (const TSyncFile& file : files) {
        present.insert(file.Path);
        const auto known = manifest.find(file.Path);
        if (known != manifest.end() && known->second == file.Entry) {
            ++plan.Unchanged;
        } else {
            plan.Send.push_back(file);
        }
    }
    for (const auto& [path, entry] : manifest) {
        if (!present.count(path)) plan.Delete.push_back(path);
    }
    return plan;
}

std::string PlanSummary(const TSyncPlan& plan) {
    return Plural(plan.Send.size(), "file") + " to send, " + std::to_string(plan.Delete.size()) +
           " to delete, " + std::to_string(plan.Unchanged) + " unchanged.";
}

}  // namespace fsc
