// The check that keeps every written file below the HTML directory.
#include "engine/InsideHTMLDir.h"

#include <cctype>

#include "base/Errors.h"
#include "base/Paths.h"
#include "engine/TTemplate.h"

namespace fsc {

namespace {

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

bool StaysInsideHTMLDir(std::string_view relativePath) {
    if (relativePath.empty()) return true;
    if (IsPathSeparator(relativePath.front()) || HasDriveLetter(relativePath)) return false;
    int depth = 0;
    std::size_t start = 0;
    while (start <= relativePath.size()) {
        std::size_t end = start;
        while (end < relativePath.size() && !IsPathSeparator(relativePath[end])) ++end;
        const std::string_view part = relativePath.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

void RequireInsideHTMLDir(std::string_view relativePath, const std::string& what) {
    if (!StaysInsideHTMLDir(relativePath)) {
        throw EFSC_Exception(what + " lies outside the HTML directory.");
    }
}

namespace {

std::string InDir(const std::string& subDir, const std::string& fileName) {
    return subDir.empty() ? fileName : subDir + "/" + fileName;
}

}  // namespace

void CheckTemplateTargets(const TTemplate& tpl) {
    RequireInsideHTMLDir(tpl.GalleryFileName, "Gallery file name \"" + tpl.GalleryFileName + "\"");
    RequireInsideHTMLDir(tpl.GalleryPageName, "Gallery page name \"" + tpl.GalleryPageName + "\"");
    for (const TFSC_File& page : tpl.ExtraPages) {
        const std::string target = InDir(page.SubDir, page.FileName);
        RequireInsideHTMLDir(target, "Template page \"" + target + "\"");
    }
    for (const TTemplateFile& file : tpl.CopyFiles) {
        const std::string target = InDir(file.SubDir, file.FileName);
        RequireInsideHTMLDir(target, "Template file \"" + target + "\"");
    }
}

}  // namespace fsc
