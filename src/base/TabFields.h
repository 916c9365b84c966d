// One record a line, its fields separated by tabs: the format of the program's own small
// state files. Tabs, line breaks and backslashes inside a field are escaped, so any path or
// text fits.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fsc {

std::string JoinTabFields(const std::vector<std::string>& fields);

// The fields of a line written by JoinTabFields; nothing for an escape it never writes.
std::optional<std::vector<std::string>> SplitTabFields(const std::string& line);

// A whole number written by std::to_string; nothing for anything else.
std::optional<long long> TabFieldNumber(const std::string& field);

}  // namespace fsc
