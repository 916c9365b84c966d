// Path parts and joins. Paths inside the program use '/'; relative paths read from stored
// files or typed by the user may separate with '\' or '/', and every rule here accepts both.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

bool IsPathSeparator(char c);
// Turns every '\' into '/', so a stored relative path can be used on this system.
std::string ToInternalPath(std::string_view path);
// Turns every '/' into '\', the separator the stored formats show.
std::string ToStoredPath(std::string_view path);

// Joins with one '/'; an absolute `name` or an empty `dir` gives `name` alone.
std::string JoinPath(std::string_view dir, std::string_view name);

// The part after the last separator.
std::string ExtractFileName(std::string_view path);
// The extension of the file name with its dot, or "" when the name has none.
std::string ExtractFileExt(std::string_view path);
// The part before the last separator, without it ("" when there is none).
std::string ExtractFileDir(std::string_view path);
// The part up to and including the last separator.
std::string ExtractFilePath(std::string_view path);
// Replaces the extension (given with its dot) or appends it when there is none.
std::string ChangeFileExt(std::string_view path, std::string_view extension);
// Removes separators at the end, but keeps a lone root "/".
std::string ExcludeTrailingSeparator(std::string_view path);
std::string IncludeTrailingSeparator(std::string_view path);

bool IsAbsolutePath(std::string_view path);

// A file at path P keeps its associated files in the folder P + ".dir".
std::string CompanionFolder(std::string_view path);

}  // namespace fsc
