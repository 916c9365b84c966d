// Path parts and joins.
#include "base/Paths.h"

namespace fsc {

namespace {

std::size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

}  // namespace

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

std::string ToInternalPath(std::string_view path) {
    std::string result(path);
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

std::string ToStoredPath(std::string_view path) {
    std::string result(path);
    for (char& c : result) {
        if (c == '/') c = '\\';
    }
    return result;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
    if (dir.empty() || IsAbsolutePath(name)) return std::string(name);
    if (name.empty()) return std::string(dir);
    std::string result(dir);
    if (!IsPathSeparator(result.back())) result += '/';
    std::size_t skip = 0;
    while (skip < name.size() && IsPathSeparator(name[skip])) ++skip;
    result.append(name.substr(skip));
    return result;
}

std::string ExtractFileName(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
    const std::string name = ExtractFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ExtractFileDir(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    if (sep == std::string_view::npos) return {};
    if (sep == 0) return std::string(path.substr(0, 1));
    return std::string(path.substr(0, sep));
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
    const std::string oldExt = ExtractFileExt(path);
    std::string result(path.substr(0, path.size() - oldExt.size()));
    result.append(extension);
    return result;
}

std::string ExcludeTrailingSeparator(std::string_view path) {
    std::size_t n = path.size();
    while (n > 1 && IsPathSeparator(path[n - 1])) --n;
    return std::string(path.substr(0, n));
}

std::string IncludeTrailingSeparator(std::string_view path) {
    std::string result(path);
    if (result.empty() || !IsPathSeparator(result.back())) result += '/';
    return result;
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string CompanionFolder(std::string_view path) { return std::string(path) + ".dir"; }

}  // namespace fsc
