// File-system services: whole-file reads and writes, copies, listings and moves.
// Failures raise EFSC_Exception naming the file, so no caller has to check return codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/TDateTime.h"
#include "base/TStringList.h"

namespace fsc {

std::string ReadFileBytes(const std::string& path);
// Writes to a temporary name in the same folder and renames it into place, so a failure
// never leaves a half-written file and the old contents survive.
void WriteFileBytes(const std::string& path, std::string_view bytes);
// Deletes the temporary files WriteFileBytes of any of `paths` left when its process was
// killed before it could rename them into place. Each folder is read once, however many of
// its files are named.
void DeleteUnfinishedWrites(const std::vector<std::string>& paths);

TStringList LoadLines(const std::string& path);
// Every line followed by CR LF.
void SaveLines(const std::string& path, const TStringList& lines);

bool FileExists(const std::string& path);
// Whether `path` is a plain file holding exactly `bytes`; false when it cannot be read.
bool FileHolds(const std::string& path, std::string_view bytes);
bool DirectoryExists(const std::string& path);
// The one name of the file or folder at `path`: absolute, symbolic links followed, without
// "." and ".." (as far as the path exists; the rest is joined as written). A relative path,
// a path through a linked folder and the absolute path of one file give the same text, so
// what is remembered by path is found again whichever way the path was typed. An empty path
// stays empty.
std::string CanonicalPath(const std::string& path);
// Date of the last change of a file; 0 when the file does not exist.
TDateTime FileDate(const std::string& path);
std::uint64_t FileSize(const std::string& path);

// A file's size and modification time in nanoseconds: what tells whether a file changed
// since it was last seen. A size of -1 when there is no regular file.
struct TFileStamp {
    std::int64_t Size = -1;
    std::int64_t Time = 0;

    bool operator==(const TFileStamp&) const = default;
};
TFileStamp FileStampOf(const std::string& path);

// Copies byte for byte, replacing the target.
void CopyFileBytes(const std::string& from, const std::string& to);
// Returns false when there was nothing to delete.
bool DeleteFileIfExists(const std::string& path);
// Creates the directory and every missing parent.
void ForceDirectories(const std::string& path);
// Renames, falling back to copy and delete across file systems; replaces the target.
void MoveFileSilently(const std::string& from, const std::string& to);

struct TDirEntry {
    std::string Name;
    bool IsDirectory = false;
    bool ReadOnly = false;
    std::uint64_t Size = 0;
    TDateTime Modified = 0;
};
// The entries of a directory in byte order of their names, without "." and "..".
std::vector<TDirEntry> ListDirectory(const std::string& path);

}  // namespace fsc
