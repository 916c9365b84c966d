// The usage text of folioscope-cli.
#include "cli/CliUsage.h"

#include <algorithm>

namespace fsc {

namespace {

const char* const GeneralUsage =
    "  folioscope-cli --version\n"
    "      print the program's name and version\n"
    "  folioscope-cli -h | --help\n"
    "      print this text; after a command, that command's usage\n";

const char* const OptionsUsage =
    "  folioscope-cli options [--set Name=value]... [--quiet]\n"
    "      print the program options, one Name=value a line; with --set, change\n"
    "      and save them (names: JPEGCompression, Wizard, useImageDir, useHTMLDir,\n"
    "      HTMLDir, DefaultHTMLExt, ImageDir, HTMLExt, WorkerThreads,\n"
    "      OpenAfterRebuild). Options:\n"
    "        --set Name=value         change one option (repeatable)\n"
    "        --quiet                  save the changes without printing the options\n";

const char* const BuildUsage =
    "  folioscope-cli build [PROJECT.gal] [options]\n"
    "      build a gallery; prints the path of its HTML file. Options:\n"
    "        --images PATH            a picture, or every picture of a folder (repeatable)\n"
    "        --image-set FILE.set     the images of an image set (repeatable)\n"
    "        --html-dir DIR           HTML directory (needed without a project)\n"
    "        --html-file NAME         HTML file name (without a project: index.html)\n"
    "        --image-dir NAME         image directory, relative to the HTML directory\n"
    "        --template NAME|FILE.tpl a library template or a template file; without it\n"
    "                                 and without a project: Modern, with copies shrunk\n"
    "                                 to fit 2048 x 2048 unless --set gives their size\n"
    "        --template none          the plain pages of no template\n"
    "        --param NAME=VALUE       value of a template parameter (repeatable)\n"
    "        --set KEY=VALUE          a settings line of a template (STYLE=list,\n"
    "                                 THUMBWIDTH=150, ...), after project and template\n"
    "        --originals              put each picture's own file into originals/ beside\n"
    "                                 the gallery (without its GPS position unless\n"
    "                                 REMOVELOCATION=false) with a download link on its\n"
    "                                 page; the same as --set IMAGEORIGINALS=true\n"
    "        --save-project FILE.gal  save the gallery project before building\n"
    "        --yes | --no             the answer to every question\n"
    "        --open                   open the gallery in the browser afterwards\n"
    "        --quiet                  no progress output\n"
    "        --skip-bad               leave out pictures that cannot be read, name\n"
    "                                 them, and exit with 3\n"
    "        --jobs N                 make N pictures at once (0: one per core, the\n"
    "                                 default unless the option WorkerThreads says)\n"
    "        --sort name|date|none    order the pictures by name or by the date the\n"
    "                                 camera recorded (else the file's), or keep the\n"
    "                                 order given (the default)\n"
    "        --upload sftp://USER@HOST[:PORT]/PATH [--www URL]\n"
    "        --upload ftp://USER@HOST[:PORT]/PATH [--www URL]\n"
    "                                 upload the gallery afterwards, over SFTP, or\n"
    "                                 encrypted FTP (FTPS): the files its build made,\n"
    "                                 pictures first, pages last; SFTP logs in with the\n"
    "                                 SSH agent, ~/.ssh keys or FOLIOSCOPE_SFTP_PASSWORD,\n"
    "                                 FTP with FOLIOSCOPE_FTP_PASSWORD or a prompt\n"
    "        --trust-host-key SHA256:FINGERPRINT\n"
    "                                 trust an SFTP server whose key known_hosts lacks\n"
    "                                 and add it there\n"
    "        --identity FILE          log in to SFTP with that private key\n"
    "        --connections N          send pictures over N connections at once (1-8,\n"
    "                                 default 2); pages go last over the first\n"
    "        --active                 active data connections (passive is the default)\n"
    "        --include PATTERN        also send the files matching PATTERN (repeatable)\n"
    "        --exclude PATTERN        never send the files matching PATTERN (repeatable)\n"
    "        --dry-run                with --upload: only print what would be sent and\n"
    "                                 deleted; a plain upload does not connect\n"
    "        --no-tls                 upload without encryption (after --upload)\n"
    "        --trust-certificate SHA256:FINGERPRINT\n"
    "                                 trust the server's certificate though no known\n"
    "                                 authority vouches for it (after --upload)\n"
    "        --accept-hostname-mismatch\n"
    "                                 accept a certificate made out for another name\n"
    "        --sync                   with --upload: send only what changed since the\n"
    "                                 last sync and delete on the server what it sent\n"
    "                                 and the gallery no longer has\n";

const char* const PublishUsage =
    "  folioscope-cli publish PROJECT.gal|--html-dir DIR [--html-file NAME]\n"
    "                         sftp://USER@HOST[:PORT]/PATH | ftp://... [options]\n"
    "      sync a gallery built earlier with its copy on the server (as build --sync);\n"
    "      SFTP logs in with the SSH agent, ~/.ssh keys or FOLIOSCOPE_SFTP_PASSWORD, FTP\n"
    "      with FOLIOSCOPE_FTP_PASSWORD or a prompt. Options:\n"
    "        --trust-host-key SHA256:FINGERPRINT\n"
    "                                 trust an SFTP server whose key known_hosts lacks\n"
    "                                 and add it there\n"
    "        --identity FILE          log in to SFTP with that private key\n"
    "        --connections N          send pictures over N connections at once (1-8,\n"
    "                                 default 2); pages go last over the first\n"
    "        --active                 active data connections (passive is the default)\n"
    "        --include PATTERN        also send the files matching PATTERN (repeatable)\n"
    "        --exclude PATTERN        never send the files matching PATTERN (repeatable)\n"
    "        --dry-run                only print what would be sent and deleted\n"
    "        --no-tls                 without encryption\n"
    "        --trust-certificate SHA256:FINGERPRINT\n"
    "                                 trust the server's certificate though no known\n"
    "                                 authority vouches for it\n"
    "        --www URL                print the gallery's address below URL\n"
    "        --quiet                  no progress output\n";

const char* const UndoUsage =
    "  folioscope-cli undo [PROJECT.gal | --html-dir DIR [--html-file NAME]] [--quiet]\n"
    "      remove what the last build of that gallery wrote and put back the files it\n"
    "      replaced; without arguments, of the gallery built last (also after a crash).\n"
    "      Options:\n"
    "        --quiet                  no line saying what was undone\n";

const char* const HistoryUsage =
    "  folioscope-cli history [--forget PROJECT.gal | --forget --html-dir DIR\n"
    "                         [--html-file NAME]] [--quiet]\n"
    "      list the galleries whose last build can be undone, or forget one history\n"
    "      (its backups go, the gallery stays)\n";

const char* const TreeUsage =
    "  folioscope-cli tree DIR [options]\n"
    "      a gallery in every folder of DIR that holds pictures or has a subfolder\n"
    "      with a gallery, linked to each other; prints the top folder's page. Options:\n"
    "        --file NAME              the HTML file name of every gallery (index.html)\n"
    "        --no-navigation          no links between the folders' galleries\n"
    "        --allow-modify           allow resizing or watermarking the pictures\n"
    "                                 themselves (they are destroyed)\n"
    "        --template NAME|FILE.tpl a library template or a template file\n"
    "        --set KEY=VALUE          a settings line of a template (repeatable)\n"
    "        --yes | --no             the answer to every question\n"
    "        --quiet                  no progress output\n"
    "        --skip-bad               leave out pictures that cannot be read, name\n"
    "                                 them, and exit with 3\n";

const char* const TemplatesUsage =
    "  folioscope-cli templates [--quiet]\n"
    "      list the template library, one name a line, with its description. Options:\n"
    "        --quiet                  no notice when the library is empty\n";

}  // namespace

std::string CliUsageText() {
    return std::string("Usage:\n") + GeneralUsage + OptionsUsage + BuildUsage + UndoUsage +
           HistoryUsage + PublishUsage + TreeUsage + TemplatesUsage;
}

std::string CommandUsageText(const std::string& command) {
    const char* text = command == "options"     ? OptionsUsage
                       : command == "build"     ? BuildUsage
                       : command == "tree"      ? TreeUsage
                       : command == "publish"   ? PublishUsage
                       : command == "templates" ? TemplatesUsage
                       : command == "undo"      ? UndoUsage
                       : command == "history"   ? HistoryUsage
                                                : nullptr;
    return text == nullptr ? std::string() : std::string("Usage:\n") + text;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "-h" || arg == "--help"; });
}

}  // namespace fsc
