// Runs a program of the project as a user would and captures what it prints.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fsc::test {

struct ProgramResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Extra environment entries ("NAME=value") are added to the test's own environment, in
// place of its own entries of the same names.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::vector<std::string>& extraEnvironment = {}) {
    TempDir capture;
    const std::string outPath = capture / "out", errPath = capture / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0644);

    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    // An extra entry replaces the test's own of the same name ("HOME=...").
    const auto named = [&](const std::string& entry) {
        for (const std::string& extra : extraEnvironment) {
            const std::size_t equals = extra.find('=');
            if (entry.compare(0, equals + 1, extra, 0, equals + 1) == 0) return true;
        }
        return false;
    };
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e)
        if (!named(*e)) envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (std::string& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    ProgramResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    result.Out = slurp(outPath);
    result.Err = slurp(errPath);
    return result;
}

}  // namespace fsc::test
