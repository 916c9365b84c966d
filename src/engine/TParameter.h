// A value the user gives a template: its tags in the pages are replaced by Value.
#pragma once

#include <string>

namespace fsc {

inline constexpr int ParameterText = 0;
inline constexpr int ParameterColour = 1;

struct TParameter {
    std::string Name;
    std::string Default;
    std::string Value;
    int Kind = ParameterText;

    bool operator==(const TParameter&) const = default;
};

}  // namespace fsc
