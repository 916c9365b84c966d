// Shows settings structs field by field when a test comparison fails.
#pragma once

#include <ostream>
#include <type_traits>

#include "app/WorkspaceSettings.h"

namespace fsc {

namespace test {
struct FieldPrinter {
    std::ostream* Out;
    template <class Field>
    void operator()(const char* name, const Field& value) const {
        *Out << "\n  " << name << "=";
        if constexpr (std::is_same_v<Field, TStringList>) {
            *Out << ToCommaText(value);
        } else if constexpr (std::is_enum_v<Field> || std::is_same_v<Field, std::uint8_t>) {
            *Out << static_cast<int>(value);
        } else {
            *Out << value;
        }
    }
};
}  // namespace test

inline void PrintTo(const MainSettings& s, std::ostream* out) {
    VisitMainSettings(s, test::FieldPrinter{out});
}
inline void PrintTo(const TableOptions& s, std::ostream* out) {
    VisitTableOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const ListOptions& s, std::ostream* out) {
    VisitListOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const ParaOptions& s, std::ostream* out) {
    VisitParaOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const CollageOptions& s, std::ostream* out) {
    VisitCollageOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const SlideShowOptions& s, std::ostream* out) {
    VisitSlideShowOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const SpecialOptions& s, std::ostream* out) {
    VisitSpecialOptions(s, test::FieldPrinter{out});
}
inline void PrintTo(const WatermarkOptions& s, std::ostream* out) {
    VisitWatermarkOptions(s, test::FieldPrinter{out});
}

}  // namespace fsc
