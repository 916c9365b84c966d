// Showing and setting workspace settings by name.
#include "app/WorkspaceSettings.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <type_traits>

#include "base/Errors.h"
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

[[noreturn]] void BadValue(const std::string& name, const std::string& value,
                           const char* expected) {
    throw EUserInputError("Invalid value \"" + value + "\" for setting " + name + ": " + expected +
                          " is expected.");
}

int WholeNumber(const std::string& name, const std::string& value) {
    int number = 0;
    if (!TryParseInt(value, number)) BadValue(name, value, "a whole number");
    return number;
}

template <class Field>
void Parse(const std::string& name, const std::string& value, Field& field) {
    if constexpr (std::is_same_v<Field, bool>) {
        const std::string word = Trim(value);
        if (word != "0" && word != "1") BadValue(name, value, "1 or 0");
        field = word == "1";
    } else if constexpr (std::is_same_v<Field, std::string>) {
        field = value;
    } else if constexpr (std::is_same_v<Field, TStringList>) {
        field = FromCommaText(value);
    } else if constexpr (std::is_same_v<Field, double>) {
        const std::string text = Trim(value);
        double number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size())
            BadValue(name, value, "a number");
        field = number;
    } else if constexpr (std::is_enum_v<Field>) {
        field = static_cast<Field>(WholeNumber(name, value));
    } else if constexpr (std::is_integral_v<Field>) {
        const int number = WholeNumber(name, value);
        if (number < std::numeric_limits<Field>::min() ||
            number > std::numeric_limits<Field>::max()) {
            BadValue(name, value, "a number in range");
        }
        field = static_cast<Field>(number);
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

void SetWorkspaceSetting(Workspace& ws, const std::string& name, const std::string& value) {
    bool known = false;
    VisitWorkspaceSettings(ws, [&](const char* structName, const char* fieldName, auto& field) {
        if (name != std::string(structName) + "." + fieldName) return;
        known = true;
        Parse(name, value, field);
    });
    if (!known) throw EUserInputError("Unknown setting \"" + name + "\".");
}

void LoadWorkspaceSettingLines(Workspace& ws, const TStringList& lines) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            throw EUserInputError("A setting line needs a name, \"=\" and a value: \"" + line +
                                  "\".");
        }
        SetWorkspaceSetting(ws, line.substr(0, equals), line.substr(equals + 1));
    }
}

}  // namespace fsc
