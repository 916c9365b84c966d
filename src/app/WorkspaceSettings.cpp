// Workspace settings shown by name.
#include "app/WorkspaceSettings.h"

#include <cstdio>
#include <type_traits>

#include "base/Text.h"

namespace fsc {

namespace {

template <class T>
inline constexpr bool AlwaysFalse = false;

template <class Field>
std::string Shown(const Field& value) {
    if constexpr (std::is_same_v<Field, bool>) {
        return value ? "1" : "0";
    } else if constexpr (std::is_same_v<Field, std::string>) {
        return value;
    } else if constexpr (std::is_same_v<Field, TStringList>) {
        return ToCommaText(value);
    } else if constexpr (std::is_same_v<Field, double>) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    } else if constexpr (std::is_enum_v<Field>) {
        return std::to_string(static_cast<int>(value));
    } else if constexpr (std::is_integral_v<Field>) {
        return std::to_string(static_cast<int>(value));
    } else {
        static_assert(AlwaysFalse<Field>, "a setting of an unknown type");
    }
}

}  // namespace

TStringList WorkspaceSettingLines(const Workspace& ws) {
    TStringList lines;
    VisitWorkspaceSettings(ws, [&](const char* structName, const char* name, const auto& field) {
        lines.push_back(std::string(structName) + "." + name + "=" + Shown(field));
    });
    return lines;
}

}  // namespace fsc
