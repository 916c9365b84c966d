// The usage text of folioscope-cli.
#include "cli/CliUsage.h"

namespace fsc {

std::string CliUsageText() {
    return "Usage:\n"
           "  folioscope-cli --version\n"
           "      print the program's name and version\n"
           "  folioscope-cli options [--set Name=value]...\n"
           "      print the program options, one Name=value a line; with --set, change\n"
           "      and save them (names: JPEGCompression, Wizard, useImageDir, useHTMLDir,\n"
           "      HTMLDir, DefaultHTMLExt, ImageDir, HTMLExt)\n"
           "  folioscope-cli templates\n"
           "      list the template library, one name a line, with its description\n";
}

}  // namespace fsc
