// The undo history of one gallery on disk.
#include "engine/BuildHistory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/ScopeExit.h"
#include "base/TabFields.h"

namespace fsc {

namespace fs = std::filesystem;

namespace {

constexpr const char* FormatVersion = "2";
constexpr const char* FirstFormatVersion = "1";

std::uint64_t Fnv1a64(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Hex(std::uint64_t value, int digits) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%0*llx", digits, static_cast<unsigned long long>(value));
    return buffer;
}

// A line's own check: a line that was changed or half overwritten no longer matches it.
std::string Check(const std::string& body) { return Hex(Fnv1a64(body) & 0xffffffffu, 8); }

std::string Line(const std::vector<std::string>& fields) {
    const std::string body = JoinTabFields(fields);
    return body + "\t" + Check(body) + "\n";
}

std::string SystemMessage() { return std::strerror(errno); }

void WriteAll(int handle, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) throw EFSC_Exception("Cannot write \"" + path + "\": " + SystemMessage());
        done += std::size_t(written);
    }
    if (::fdatasync(handle) != 0) {
        throw EFSC_Exception("Cannot write \"" + path + "\": " + SystemMessage());
    }
}

// A new name in a folder survives a power cut only once the folder itself is flushed.
void SyncPath(const std::string& path, int flags) {
    const int handle = ::open(path.c_str(), flags | O_CLOEXEC);
    if (handle < 0) throw EFSC_Exception("Cannot open \"" + path + "\": " + SystemMessage());
    const int result = ::fsync(handle);
    ::close(handle);
    if (result != 0) throw EFSC_Exception("Cannot write \"" + path + "\": " + SystemMessage());
}

[[noreturn]] void Damaged(const std::string& path, std::size_t lineNumber) {
    throw EFSC_Exception(
        "The undo history \"" + path + "\" is damaged (line " + std::to_string(lineNumber) +
        "); nothing was undone or deleted, and its backups are kept in \"" + ExtractFileDir(path) +
        "\". Move that folder away to build or undo this gallery again.");
}

// Version 1 kept one build's lists, and its "S" lines only restarted the clock; from
// version 2 on every "S" opens a build of its own and the other records belong to the newest.
void Apply(THistoryContents& contents, const std::vector<std::string>& fields, bool stacked) {
    const std::string& type = fields[0];
    if (type == "G" && fields.size() == 2) {
        contents.Gallery = fields[1];
        return;
    }
    if (contents.Builds.empty() || (type == "S" && stacked)) contents.Builds.emplace_back();
    THistoryBuild& build = contents.Builds.back();
    if (type == "S" && fields.size() == 2) {
        build.StartTime = std::stoll(fields[1]);
        build.Finished = false;
    } else if (type == "F" && fields.size() == 1) {
        build.Finished = true;
    } else if (type == "C" && fields.size() == 2) {
        build.CreatedFiles.push_back(fields[1]);
    } else if (type == "O" && fields.size() == 2) {
        build.Outputs.push_back(fields[1]);
    } else if (type == "B" && fields.size() == 3) {
        build.BackupFiles.push_back(fields[1]);
        build.RestoreFiles.push_back(fields[2]);
    } else if (type == "K" && fields.size() == 2) {
        build.CreatedFolders.push_back(fields[1]);
    } else if (type == "D" && fields.size() == 1) {
        build.CreatedFiles.clear();
        build.CreatedFolders.clear();
    } else if (type == "R" && fields.size() == 2) {
        for (std::size_t i = build.BackupFiles.size(); i-- > 0;) {
            if (build.BackupFiles[i] != fields[1]) continue;
            build.BackupFiles.erase(build.BackupFiles.begin() + std::ptrdiff_t(i));
            build.RestoreFiles.erase(build.RestoreFiles.begin() + std::ptrdiff_t(i));
            return;
        }
        throw std::invalid_argument("restored backup not recorded");
    } else {
        throw std::invalid_argument("unknown record");
    }
}

std::string BuildLines(const THistoryBuild& build) {
    std::string bytes = Line({"S", std::to_string(build.StartTime)});
    for (const std::string& path : build.CreatedFolders) bytes += Line({"K", path});
    for (const std::string& path : build.CreatedFiles) bytes += Line({"C", path});
    for (std::size_t i = 0; i < build.BackupFiles.size(); ++i) {
        bytes += Line({"B", build.BackupFiles[i], build.RestoreFiles[i]});
    }
    for (const std::string& path : build.Outputs) bytes += Line({"O", path});
    if (build.Finished) bytes += Line({"F"});
    return bytes;
}

}  // namespace

std::string NormalGalleryPath(const std::string& gallery) {
    // Through a linked folder the same gallery has another name; its history and lock must
    // be the same, or two builds could write into it at once.
    const fs::path absolute = fs::absolute(fs::path(gallery)).lexically_normal();
    std::error_code error;
    const fs::path real = fs::weakly_canonical(absolute, error);
    return error ? absolute.string() : real.string();
}

std::string HistoryFolderOf(const std::string& root, const std::string& gallery) {
    return JoinPath(root, Hex(Fnv1a64(NormalGalleryPath(gallery)), 16));
}

THistoryContents ReadHistoryFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    THistoryContents contents;
    bool stacked = true;
    std::size_t start = 0;
    std::size_t lineNumber = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        ++lineNumber;
        const std::string line = bytes.substr(start, end - start);
        const std::size_t lastTab = line.rfind('\t');
        if (lastTab == std::string::npos ||
            Check(line.substr(0, lastTab)) != line.substr(lastTab + 1))
            Damaged(path, lineNumber);
        const std::optional<std::vector<std::string>> split =
            SplitTabFields(line.substr(0, lastTab));
        if (!split) Damaged(path, lineNumber);
        const std::vector<std::string>& fields = *split;
        if (lineNumber == 1) {
            if (fields.size() != 2 || fields[0] != "H" ||
                (fields[1] != FormatVersion && fields[1] != FirstFormatVersion))
                Damaged(path, lineNumber);
            stacked = fields[1] == FormatVersion;
            continue;
        }
        try {
            Apply(contents, fields, stacked);
        } catch (const std::exception&) {
            Damaged(path, lineNumber);
        }
    }
    for (const THistoryBuild& build : contents.Builds) {
        if (build.BackupFiles.size() != build.RestoreFiles.size()) Damaged(path, lineNumber);
    }
    return contents;
}

bool IsHistoryLocked(const std::string& folder) {
    const std::string lockPath = folder + ".lock";
    const int handle = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) return false;
    const bool locked = ::flock(handle, LOCK_SH | LOCK_NB) != 0;
    ::close(handle);
    return locked;
}

std::shared_ptr<TBuildHistory> TBuildHistory::Lock(const std::string& root,
                                                   const std::string& gallery) {
    ForceDirectories(root);
    const std::string folder = HistoryFolderOf(root, gallery);
    // The lock lives beside the folder, which undo removes while holding it.
    const std::string lockPath = folder + ".lock";
    const int handle = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (handle < 0) throw EFSC_Exception("Cannot open \"" + lockPath + "\": " + SystemMessage());
    // The kernel drops a lock with the process that held it, so a crash never leaves it stuck.
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        ::close(handle);
        throw EUserInputError("Another Folioscope program is building or undoing the gallery \"" +
                              NormalGalleryPath(gallery) +
                              "\" right now; try again when it has finished.");
    }
    return std::shared_ptr<TBuildHistory>(
        new TBuildHistory(root, NormalGalleryPath(gallery), handle));
}

TBuildHistory::TBuildHistory(std::string root, std::string gallery, int lockHandle)
    : gallery(std::move(gallery)), lockHandle(lockHandle) {
    folder = HistoryFolderOf(root, this->gallery);
}

TBuildHistory::~TBuildHistory() {
    if (handle >= 0) ::close(handle);
    if (lockHandle >= 0) ::close(lockHandle);
}

std::string TBuildHistory::PageBackupFolder() const { return JoinPath(folder, "pages"); }
std::string TBuildHistory::ImageBackupFolder() const { return JoinPath(folder, "images"); }

bool TBuildHistory::Exists() const { return FileExists(JoinPath(folder, HistoryFileName)); }

THistoryContents TBuildHistory::Read() const {
    return ReadHistoryFile(JoinPath(folder, HistoryFileName));
}

void TBuildHistory::OpenForAppend() {
    if (handle >= 0) return;
    const std::string path = JoinPath(folder, HistoryFileName);
    handle = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (handle < 0) throw EFSC_Exception("Cannot open \"" + path + "\": " + SystemMessage());
}

void TBuildHistory::Append(const std::vector<std::string>& fields) {
    OpenForAppend();
    WriteAll(handle, Line(fields), JoinPath(folder, HistoryFileName));
}

void TBuildHistory::Rewrite(const std::vector<THistoryBuild>& builds) {
    if (builds.empty()) return Remove();
    ForceDirectories(folder);
    std::string bytes = Line({"H", FormatVersion}) + Line({"G", gallery});
    for (const THistoryBuild& build : builds) bytes += BuildLines(build);
    // Written whole under another name and renamed: the old file stays valid until then.
    const std::string path = JoinPath(folder, HistoryFileName);
    const std::string fresh = path + ".new";
    const int out = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) throw EFSC_Exception("Cannot write \"" + fresh + "\": " + SystemMessage());
    {
        const TScopeExit close([out] { ::close(out); });
        WriteAll(out, bytes, fresh);
    }
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        throw EFSC_Exception("Cannot write \"" + path + "\": " + SystemMessage());
    }
    SyncPath(folder, O_RDONLY | O_DIRECTORY);
    if (handle >= 0) ::close(handle);
    handle = -1;
}

void TBuildHistory::FinishBuild() { Append({"F"}); }
void TBuildHistory::AddCreated(const std::string& path) { Append({"C", path}); }
void TBuildHistory::AddOutputs(const TStringList& paths) {
    std::string bytes;
    for (const std::string& path : paths) bytes += Line({"O", path});
    OpenForAppend();
    WriteAll(handle, bytes, JoinPath(folder, HistoryFileName));
}

void TBuildHistory::AddCreatedFolder(const std::string& path) { Append({"K", path}); }

void TBuildHistory::AddBackup(const std::string& backup, const std::string& original) {
    SyncPath(backup, O_RDONLY);
    SyncPath(ExtractFileDir(backup), O_RDONLY | O_DIRECTORY);
    Append({"B", backup, original});
}

void TBuildHistory::CreatedFilesDeleted() { Append({"D"}); }
void TBuildHistory::Restored(const std::string& backup) { Append({"R", backup}); }

void TBuildHistory::Remove() {
    if (handle >= 0) ::close(handle);
    handle = -1;
    DeleteFileIfExists(JoinPath(folder, HistoryFileName));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace fsc
