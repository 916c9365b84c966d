// Scratch files named after their process, so that the files of a killed sync can be told
// from those of one still running.
#include "ftp/SyncScratchFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <mutex>

namespace fsc {

namespace {

// The pid in a scratch file's name ("folioscope-WHAT-PID-N"); 0 for another name.
long ScratchOwner(const std::string& name) {
    if (!name.starts_with("folioscope-")) return 0;
    const std::size_t last = name.rfind('-');
    const std::size_t before = last == std::string::npos ? last : name.rfind('-', last - 1);
    if (before == std::string::npos || before < 10) return 0;
    const std::string pid = name.substr(before + 1, last - before - 1);
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stol(pid);
}

// A sync that was killed leaves its scratch files behind: the user's own whose process is
// gone are cleared, once per process.
void ClearScratchOfEndedSyncs() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::temp_directory_path(error), error)) {
            const long pid = ScratchOwner(entry.path().filename().string());
            struct stat info {};
            if (pid <= 0 || ::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
                info.st_uid != ::getuid())
                continue;
            if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove(entry.path(), error);
        }
    });
}

}  // namespace

std::string ScratchFile(const char* what) {
    ClearScratchOfEndedSyncs();
    static std::atomic<int> counter{0};
    const std::string name = std::string("folioscope-") + what + "-" + std::to_string(getpid()) +
                             "-" + std::to_string(counter++);
    return (std::filesystem::temp_directory_path() / name).string();
}

}  // namespace fsc
