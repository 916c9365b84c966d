// The program's name and version as every window and the command line show them.
#pragma once

namespace fsc {

inline constexpr const char* ProgramVersion = "2.13";
inline constexpr const char* ProgramName = "Orvik Folioscope";
inline constexpr const char* ProgramNameAndVersion = "Folioscope 2.13";
inline constexpr const char* ProgramTitle = "Orvik Folioscope 2.13";

}  // namespace fsc
