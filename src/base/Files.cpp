// File-system services over std::filesystem and POSIX calls.
#include "base/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "base/Errors.h"
#include "base/NameHash.h"
#include "base/Paths.h"

namespace fsc {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error = errno) {
    throw EFSC_Exception(what + " \"" + path + "\": " + std::strerror(error));
}

TDateTime ModifiedOf(const struct stat& info) {
    return UnixTimeToDateTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
}

// The temporary name holds a hash of the final name rather than the name itself, so that it
// stays short: a name close to the file system's 255 bytes must still be writable.
std::string TemporaryStem(const std::string& name) { return "." + NameHash(name) + ".part"; }

std::string TemporarySibling(const std::string& path) {
    return JoinPath(ExtractFileDir(path),
                    TemporaryStem(ExtractFileName(path)) + std::to_string(::getpid()));
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
    // Only a plain file has an end worth waiting for: a named pipe would block the open and
    // a device such as /dev/zero would fill the memory, and templates, sets and projects
    // from elsewhere may name either.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) Fail("Cannot read file", path);
    if (S_ISDIR(info.st_mode)) Fail("Cannot read file", path, EISDIR);
    if (!S_ISREG(info.st_mode)) {
        throw EFSC_Exception("Cannot read file \"" + path + "\": it is not a regular file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("Cannot read file", path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) Fail("Cannot read file", path);
    return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    const std::string temporary = TemporarySibling(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) Fail("Cannot write file", path);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            const int error = errno;
            out.close();
            ::unlink(temporary.c_str());
            Fail("Cannot write file", path, error);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail("Cannot write file", path, error);
    }
}

TStringList LoadLines(const std::string& path) { return SplitLines(ReadFileBytes(path)); }

void SaveLines(const std::string& path, const TStringList& lines) {
    WriteFileBytes(path, JoinLines(lines));
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FileHolds(const std::string& path, std::string_view bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::uint64_t(info.st_size) != bytes.size())
        return false;
    try {
        return ReadFileBytes(path) == bytes;
    } catch (const EFscError&) {
        return false;
    }
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TDateTime FileDate(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? ModifiedOf(info) : 0;
}

std::uint64_t FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) Fail("Cannot read file", path);
    return std::uint64_t(info.st_size);
}

void CopyFileBytes(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        throw EFSC_Exception("Cannot copy \"" + from + "\" to \"" + to + "\": " + error.message());
}

bool DeleteFileIfExists(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    Fail("Cannot delete file", path);
}

void ForceDirectories(const std::string& path) {
    if (path.empty() || DirectoryExists(path)) return;
    std::error_code error;
    fs::create_directories(path, error);
    if (error || !DirectoryExists(path)) {
        throw EFSC_Exception("Cannot create directory \"" + path + "\": " + error.message());
    }
}

void MoveFileSilently(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return;
    if (errno != EXDEV) Fail("Cannot move file", from);
    CopyFileBytes(from, to);
    DeleteFileIfExists(from);
}

std::vector<TDirEntry> ListDirectory(const std::string& path) {
    std::error_code error;
    fs::directory_iterator it(path, error);
    if (error) throw EFSC_Exception("Cannot list directory \"" + path + "\": " + error.message());
    std::vector<TDirEntry> entries;
    for (const fs::directory_entry& item : it) {
        struct stat info {};
        if (::stat(item.path().c_str(), &info) != 0) continue;  // a dangling link
        TDirEntry entry;
        entry.Name = item.path().filename().string();
        entry.IsDirectory = S_ISDIR(info.st_mode);
        entry.ReadOnly = ::access(item.path().c_str(), W_OK) != 0;
        entry.Size = entry.IsDirectory ? 0 : std::uint64_t(info.st_size);
        entry.Modified = ModifiedOf(info);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    // Absolute first: of a relative path that does not exist, weakly_canonical keeps it relative.
    fs::path result = fs::absolute(path, error);
    if (error) result = path;
    const fs::path canonical = fs::weakly_canonical(result, error);
    // A folder on the way that cannot be read leaves the path as written, tidied.
    result = error ? result.lexically_normal() : canonical;
    return ExcludeTrailingSeparator(result.string());
}

TFileStamp FileStampOf(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return {};
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return {};
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error) return {};
    return {
        std::int64_t(size),
        std::int64_t(
            std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count())};
}

namespace {

// The stem of a temporary name, "." + hash + ".part", without the process id that follows;
// "" for any other name. Earlier versions wrote "." + name + ".part" + digits, whose stem
// this returns alike, so their leftovers are recognised too.
std::string UnfinishedWriteStem(const std::string& name) {
    const std::size_t part = name.rfind(".part");
    if (name.size() < 2 || name[0] != '.' || part == std::string::npos || part < 2 ||
        part + 5 == name.size() ||
        name.find_first_not_of("0123456789", part + 5) != std::string::npos)
        return {};
    return name.substr(0, part + 5);
}

}  // namespace

void DeleteUnfinishedWrites(const std::vector<std::string>& paths) {
    std::map<std::string, std::set<std::string>> stemsByFolder;
    for (const std::string& path : paths) {
        const std::string name = ExtractFileName(path);
        std::set<std::string>& stems = stemsByFolder[ExtractFileDir(path)];
        stems.insert(TemporaryStem(name));
        stems.insert("." + name + ".part");
    }
    for (const auto& [folder, stems] : stemsByFolder) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const std::string stem = UnfinishedWriteStem(entry.path().filename().string());
            if (!stem.empty() && stems.count(stem)) fs::remove(entry.path(), error);
        }
    }
}

}  // namespace fsc
