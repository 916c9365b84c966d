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
#include "base/TStringList.h"
#include "base/Text.h"
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

struct TSshdOptions {
    // Every change refused, as a full or locked account does, also to root.
    bool ReadOnly = false;
    // The login user's password on this server alone, given to sshd in a shadow file of its
    // own (see CanTakePasswords); empty for key logins only.
    std::string Password;
    // The room the served folder has, in a file system of its own only sshd sees; 0 for
    // the room the disk has.
    std::size_t SpaceBytes = 0;
};

class TSshdServer {
public:
    // Serves `home` (the login folder of SFTP) to the keys whose public lines are in
    // `authorizedKeys`.
    TSshdServer(const std::string& folder, const std::string& home,
                const std::string& authorizedKeys, const TSshdOptions& options = TSshdOptions())
        : folder(folder), home(home), password(options.Password), space(options.SpaceBytes) {
        std::filesystem::create_directories(home);
        std::filesystem::create_directories(folder);
        WriteFileBytes(folder + "/authorized_keys", authorizedKeys);
        MakeKey(folder + "/host_key");
        // Run as root, sshd wants its privilege-separation folder.
        if (getuid() == 0) std::filesystem::create_directories("/run/sshd");
        port = FreePort();
        WriteFileBytes(
            folder + "/sshd_config",
            "Port " + std::to_string(port) + "\nListenAddress 127.0.0.1\nHostKey " + folder +
                "/host_key\nPidFile " + folder + "/sshd.pid\nAuthorizedKeysFile " + folder +
                "/authorized_keys\nStrictModes no\nUsePAM no\n"
                "KbdInteractiveAuthentication no\n" +
                (password.empty() ? "PasswordAuthentication no\n"
                                  : "PasswordAuthentication yes\nPermitRootLogin yes\n") +
                "Subsystem sftp internal-sftp " + (options.ReadOnly ? "-R " : "") + "-d " + home +
                "\nLogLevel ERROR\n");
        if (!password.empty()) WriteShadow();
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

    // sshd checks a password against the system's shadow file: a server of the tests reads
    // one of its own, mounted over the system's in a mount namespace only it sees, where
    // its served folder can also be a small file system of its own. That takes root (CI
    // runs as root).
    static bool CanUseMountNamespace() {
        // The probe mounts as the servers do, in a namespace of its own that ends with it.
        return getuid() == 0 &&
               RunProgram("/usr/bin/unshare", {"--mount", "/bin/sh", "-c",
                                               "mount --bind /etc/shadow /etc/shadow && "
                                               "mount -t tmpfs -o size=64k tmpfs /mnt"})
                       .ExitCode == 0;
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
    void WriteShadow() const {
        const ProgramResult hashed = RunProgram("/usr/bin/openssl", {"passwd", "-6", password});
        ASSERT_EQ(hashed.ExitCode, 0) << hashed.Err;
        std::string shadow;
        for (const std::string& line : SplitLines(ReadFileBytes("/etc/shadow"))) {
            const std::size_t colon = line.find(':');
            if (line.substr(0, colon) != LoginName()) {
                shadow += line + "\n";
                continue;
            }
            const std::size_t end = line.find(':', colon + 1);
            shadow += line.substr(0, colon + 1) + Trim(hashed.Out) + line.substr(end) + "\n";
        }
        WriteFileBytes(folder + "/shadow", shadow);
    }
    void Start() {
        std::string mounts;
        if (!password.empty()) mounts += "mount --bind '" + folder + "/shadow' /etc/shadow && ";
        if (space > 0) {
            mounts +=
                "mount -t tmpfs -o size=" + std::to_string(space) + " tmpfs '" + home + "' && ";
        }
        const std::string sshd =
            "/usr/sbin/sshd -f '" + folder + "/sshd_config' -E '" + folder + "/sshd.log'";
        const ProgramResult started =
            mounts.empty() ? RunProgram("/bin/sh", {"-c", sshd})
                           : RunProgram("/usr/bin/unshare",
                                        {"--mount", "/bin/sh", "-c", mounts + "exec " + sshd});
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

    std::string folder, home;
    std::string password;
    std::size_t space = 0;
    int port = 0;
};

}  // namespace fsc::test
