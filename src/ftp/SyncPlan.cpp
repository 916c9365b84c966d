// Reading the local gallery folder and comparing it with the manifest.
#include "ftp/SyncPlan.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <set>

#include "base/Errors.h"
#include "base/Text.h"
#include "ftp/FileHashCache.h"

namespace fsc {

namespace {

TManifestEntry HashFile(const std::filesystem::path& path) {
    // Opened by its bytes: a name that is not valid UTF-8 has no QString that finds it.
    QFile file;
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle >= 0 && !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        ::close(handle);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.isOpen() || !hash.addData(&file)) {
        throw EFSC_Exception("Cannot read the file " + path.string() + ".");
    }
    return {std::uint64_t(file.size()), hash.result().toHex().toStdString()};
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
