// A real OpenSSH server for the tests: sshd on a free port of 127.0.0.1 with its own
// configuration, host key and authorized keys, serving SFTP from a folder of the test.
#pragma once

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Files.h"
#include "support/RunProgram.h"

namespace fsc::test {

// The name the tests log in with: the user running them (root on CI).
inline std::string LoginName() {
    const passwd* user = getpwuid(getuid());
    return user != nullptr ? user->pw_name : "root";
}

// A key pair made by ssh-keygen without a passphrase; returns the public key's line.
inline std::string MakeKey(const std::string& privateFile) {
    std::filesystem::create_directories(std::filesystem::path(privateFile).parent_path());
    std::filesystem::remove(privateFile);
    std::filesystem::remove(privateFile + ".pub");
    const ProgramResult made =
        RunProgram("/usr/bin/ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f", privateFile});
    EXPECT_EQ(made.ExitCode, 0) << made.Err;
    return ReadFileBytes(privateFile + ".pub");
}

class TSshdServer {
public:
    // Serves `home` (the login folder of SFTP) to the keys whose public lines are in
    // `authorizedKeys`; a read-only server refuses every change, as a full or locked
    // account does, also to root.
    TSshdServer(const std::string& folder, const std::string& home,
                const std::string& authorizedKeys, bool readOnly = false)
        : folder(folder) {
        std::filesystem::create_directories(home);
        std::filesystem::create_directories(folder);
        WriteFileBytes(folder + "/authorized_keys", authorizedKeys);
        MakeKey(folder + "/host_key");
        // Run as root, sshd wants its privilege-separation folder.
        if (getuid() == 0) std::filesystem::create_directories("/run/sshd");
        port = FreePort();
        WriteFileBytes(folder + "/sshd_config",
                       "Port " + std::to_string(port) +
                           "\nListenAddress 127.0.0.1\nHostKey " + folder +
                           "/host_key\nPidFile " + folder + "/sshd.pid\nAuthorizedKeysFile " +
                           folder +
                           "/authorized_keys\nStrictModes no\nUsePAM no\n"
                           "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
                           "Subsystem sftp internal-sftp " + (readOnly ? "-R " : "") + "-d " +
                           home + "\nLogLevel ERROR\n");
        Start();
    }
    ~TSshdServer() { Stop(); }

    // Stops the server (cutting every connection) and starts it again, with a new host key
    // when asked.
    void Restart(bool newHostKey) {
        Stop();
        if (newHostKey) MakeKey(folder + "/host_key");
        Start();
    }
    // Stops the listener and every connection it serves, as a server going down does.
    void Stop() {
        const std::string pid = ReadPid();
        if (pid.empty()) return;
        const pid_t listener = pid_t(std::stol(pid));
        // Each connection is served by the listener's child and its own child (privilege
        // separation), in a session of their own: all of them go.
        std::vector<pid_t> served = ChildrenOf(listener);
        for (std::size_t i = 0; i < served.size(); ++i) {
            const std::vector<pid_t> more = ChildrenOf(served[i]);
            served.insert(served.end(), more.begin(), more.end());
        }
        for (const pid_t process : served) ::kill(process, SIGKILL);
        ::kill(listener, SIGTERM);
        for (int i = 0; i < 100 && FileExists(folder + "/sshd.pid"); ++i) usleep(20000);
        std::filesystem::remove(folder + "/sshd.pid");
    }

    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
    // The host key's fingerprint as OpenSSH shows it.
    std::string Fingerprint() const {
        const ProgramResult shown =
            RunProgram("/usr/bin/ssh-keygen", {"-l", "-f", folder + "/host_key.pub"});
        const std::size_t start = shown.Out.find("SHA256:");
        return start == std::string::npos
                   ? std::string()
                   : shown.Out.substr(start, shown.Out.find(' ', start) - start);
    }

private:
    static std::vector<pid_t> ChildrenOf(pid_t parent) {
        std::vector<pid_t> children;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos) continue;
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            std::getline(stat, line);
            // "pid (name) state ppid ...": the name may hold blanks, its ")" ends it.
            const std::size_t close = line.rfind(')');
            if (close == std::string::npos) continue;
            std::istringstream rest(line.substr(close + 1));
            std::string state;
            long ppid = 0;
            rest >> state >> ppid;
            if (ppid == parent) children.push_back(pid_t(std::stol(name)));
        }
        return children;
    }
    static int FreePort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe);
        return ntohs(address.sin_port);
    }
    std::string ReadPid() const {
        return FileExists(folder + "/sshd.pid") ? ReadFileBytes(folder + "/sshd.pid") : "";
    }
    void Start() {
        const ProgramResult started = RunProgram(
            "/usr/sbin/sshd", {"-f", folder + "/sshd_config", "-E", folder + "/sshd.log"});
        ASSERT_EQ(started.ExitCode, 0) << started.Err << ReadFileBytes(folder + "/sshd.log");
        // sshd goes to the background before it listens.
        for (int i = 0; i < 250 && !Listening(); ++i) usleep(20000);
        ASSERT_TRUE(Listening()) << ReadFileBytes(folder + "/sshd.log");
    }
    bool Listening() const {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(std::uint16_t(port));
        const bool open =
            ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(probe);
        return open;
    }

    std::string folder;
    int port = 0;
};

}  // namespace fsc::test
