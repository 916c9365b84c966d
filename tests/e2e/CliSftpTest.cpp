// "publish" and "build --upload" over SFTP against a real OpenSSH server on 127.0.0.1: host
// keys trusted as OpenSSH trusts them, key logins, and the same sync as over FTP.
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <filesystem>

#include "base/Files.h"
#include "base/TStringList.h"
#include "e2e/CliGallery.h"
#include "tests/ftp/FtpTestSupport.h"
#include "tests/ftp/SshdServer.h"

namespace fsc::test {
namespace {

const std::string Manifest = ".folioscope-manifest";

struct TSftpFixture {
    TCliRun Run;
    std::string Home = Run.Root / "home";
    std::string Out = Run.Root / "out";
    std::string Served = Run.Root / "served";
    std::string UserKey = MakeKey(Home + "/.ssh/id_ed25519");
    TSshdServer Server{Run.Root / "sshd", Served, UserKey};

    // The user's own home (keys, known_hosts) and no agent: what a run finds is the test's.
    std::vector<std::string> Environment() const { return {"HOME=" + Home, "SSH_AUTH_SOCK="}; }
    std::string Address(const std::string& path) const {
        return "sftp://" + LoginName() + "@" + Server.Host() + "/" + path;
    }
    ProgramResult Publish(const std::string& path, std::vector<std::string> more = {}) const {
        std::vector<std::string> args{"publish",     "--html-dir", Out,
                                      "--html-file", "index.html", Address(path)};
        args.insert(args.end(), more.begin(), more.end());
        return Run.Run(args, Environment());
    }
    void Build() const {
        const ProgramResult built = Run.Build({"--images", Run.Root / "pictures", "--html-dir", Out,
                                               "--html-file", "index.html", "--template", "Modern",
                                               "--set", "USEIMAGEASHTML=true", "--quiet"});
        ASSERT_EQ(built.ExitCode, 0) << built.Err;
    }
};

std::vector<std::string> WithManifest(std::vector<std::string> files) {
    files.push_back(Manifest);
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CliSftp, PublishesOnceTheHostKeyIsTrustedAndSyncsOnlyWhatChanged) {
    TSftpFixture f;
    const std::vector<TTestPicture> pictures = WriteTestPictures(f.Run.Root / "pictures");
    // Names beyond ASCII travel as they are.
    std::filesystem::rename(f.Run.Root / ("pictures/" + pictures[0].File),
                            f.Run.Root / "pictures/Zürich am See.jpg");
    f.Build();
    const std::string fingerprint = f.Server.Fingerprint();
    ASSERT_FALSE(fingerprint.empty());

    ProgramResult result = f.Publish("www/gallery");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("is not known. Its fingerprint is " + fingerprint), std::string::npos)
        << result.Err;
    EXPECT_NE(result.Err.find("--trust-host-key " + fingerprint), std::string::npos);
    EXPECT_FALSE(DirectoryExists(f.Served + "/www")) << "nothing reached an unknown server";

    result = f.Publish("www/gallery", {"--trust-host-key", fingerprint});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::string remote = f.Served + "/www/gallery";
    EXPECT_EQ(FilesBelow(remote), WithManifest(FilesBelow(f.Out)));
    for (const std::string& file : FilesBelow(f.Out))
        EXPECT_EQ(ReadFileBytes(remote + "/" + file), ReadFileBytes(f.Out + "/" + file)) << file;
    EXPECT_TRUE(FileExists(remote + "/images/Zürich_am_See.jpg")) << JoinLines(FilesBelow(remote));
    EXPECT_NE(ReadFileBytes(f.Home + "/.ssh/known_hosts").find("ssh-ed25519"), std::string::npos);

    // Known now, also once known_hosts is hashed as many systems keep it.
    ASSERT_EQ(
        RunProgram("/usr/bin/ssh-keygen", {"-H", "-f", f.Home + "/.ssh/known_hosts"}).ExitCode, 0);
    result = f.Publish("www/gallery");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find("Synced: 0 sent, 0 deleted."), std::string::npos) << result.Err;

    // A photo gone from the gallery goes from the server.
    std::filesystem::remove(f.Run.Root / ("pictures/" + pictures[1].File));
    f.Build();
    result = f.Publish("www/gallery");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(remote), WithManifest(FilesBelow(f.Out)));
}

TEST(CliSftp, AChangedHostKeyIsRefusedWhatEverTheCommandLineSays) {
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    const std::string first = f.Server.Fingerprint();
    ASSERT_EQ(f.Publish("gallery", {"--trust-host-key", first}).ExitCode, 0);
    f.Server.Restart(true);
    const std::string second = f.Server.Fingerprint();
    ASSERT_NE(first, second);
    const ProgramResult result = f.Publish("gallery", {"--trust-host-key", second});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("has changed! known_hosts holds " + first +
                              ", the server now shows " + second),
              std::string::npos)
        << result.Err;
}

TEST(CliSftp, LogsInWithTheKeyNamedAndSaysWhatItTriedWhenRefused) {
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    // The authorised key moves away from the default place.
    const std::string named = f.Run.Root / "keys/publishing";
    std::filesystem::create_directories(f.Run.Root / "keys");
    std::filesystem::rename(f.Home + "/.ssh/id_ed25519", named);
    const std::string trust = f.Server.Fingerprint();

    ProgramResult result = f.Publish("gallery", {"--trust-host-key", trust});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("refused the login of " + LoginName() + "; tried the keys in " +
                              f.Home + "/.ssh."),
              std::string::npos)
        << result.Err;

    result = f.Publish("gallery", {"--identity", named});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(f.Served + "/gallery"), WithManifest(FilesBelow(f.Out)));

    // A plain upload too, from the build.
    result =
        f.Run.Build({"--images", f.Run.Root / "pictures", "--html-dir", f.Out, "--html-file",
                     "index.html", "--quiet", "--upload", f.Address("copy"), "--identity", named},
                    f.Environment());
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(f.Served + "/copy"), FilesBelow(f.Out));
}

// Without a key the server takes, the password from the environment logs in, over every
// connection; a wrong one is refused naming everything that was tried.
TEST(CliSftp, LogsInWithThePasswordWhenNoKeyIsTaken) {
    if (!TSshdServer::CanUseMountNamespace())
        GTEST_SKIP() << "a password login needs root and mount namespaces";
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    TSshdOptions options;
    options.Password = "open sesame";
    TSshdServer server(f.Run.Root / "sshd-password", f.Served, "", options);
    const auto publish = [&](const std::string& password) {
        std::vector<std::string> environment = f.Environment();
        environment.push_back("FOLIOSCOPE_SFTP_PASSWORD=" + password);
        return f.Run.Run(
            {"publish", "--html-dir", f.Out, "--html-file", "index.html", "--trust-host-key",
             server.Fingerprint(), "sftp://" + LoginName() + "@" + server.Host() + "/gallery"},
            environment);
    };
    ProgramResult result = publish("open sesam");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("refused the login of " + LoginName() + "; tried the keys in " +
                              f.Home + "/.ssh, a password."),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(result.Err.find("open sesam"), std::string::npos) << "no secret is printed";
    result = publish("open sesame");
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(f.Served + "/gallery"), WithManifest(FilesBelow(f.Out)));
}

// Four connections leave the same tree and manifest on the server as one, names with blanks
// and beyond ASCII included; the key trusted by the first connection serves the others
// without a second line in known_hosts.
TEST(CliSftp, FourConnectionsLeaveTheSameServerTreeAsOne) {
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    ForceDirectories(f.Out + "/extras");
    for (int i = 0; i < 20; ++i)
        WriteFileBytes(f.Out + "/extras/Notiz Nr " + std::to_string(i) + " für alle.txt",
                       std::string(std::size_t(1000 + 7000 * i), char('a' + i)));
    ProgramResult result = f.Publish("four", {"--trust-host-key", f.Server.Fingerprint(),
                                              "--include", "extras/*", "--connections", "4"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    result = f.Publish("one", {"--include", "extras/*", "--connections", "1"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;

    EXPECT_EQ(FilesBelow(f.Served + "/four"), WithManifest(FilesBelow(f.Out)));
    EXPECT_EQ(FilesBelow(f.Served + "/four"), FilesBelow(f.Served + "/one"));
    for (const std::string& file : FilesBelow(f.Served + "/one"))
        EXPECT_EQ(ReadFileBytes(f.Served + "/four/" + file),
                  ReadFileBytes(f.Served + "/one/" + file))
            << file;
    EXPECT_EQ(SplitLines(ReadFileBytes(f.Home + "/.ssh/known_hosts")).size(), 1u);
}

// A server that refuses every change says so: neither the missing folder nor a file is
// taken, and the message says why rather than only that a folder cannot be entered.
TEST(CliSftp, AServerThatRefusesChangesIsNamedAsSuch) {
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    ForceDirectories(f.Served + "/existing");
    TSshdOptions options;
    options.ReadOnly = true;
    TSshdServer readOnly(f.Run.Root / "sshd-read-only", f.Served, f.UserKey, options);
    const auto publish = [&](const std::string& path) {
        return f.Run.Run(
            {"publish", "--html-dir", f.Out, "--html-file", "index.html", "--trust-host-key",
             readOnly.Fingerprint(), "sftp://" + LoginName() + "@" + readOnly.Host() + "/" + path},
            f.Environment());
    };
    ProgramResult result = publish("new/gallery");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("making it failed: Cannot make the folder " + f.Served +
                              "/new/gallery: permission denied on the server."),
              std::string::npos)
        << result.Err;
    result = publish("existing");
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("the server refused:\n  "), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("\n  images/a.jpg (Cannot write images/a.jpg.folioscope-part: "
                              "permission denied on the server"),
              std::string::npos)
        << result.Err;
    EXPECT_NE(result.Err.find("The pages were not sent"), std::string::npos) << result.Err;
    EXPECT_EQ(FilesBelow(f.Served), std::vector<std::string>{});

    // A full disk stops a transfer half-way; the protocol has no word for it, the message
    // says what it most likely is.
    if (!TSshdServer::CanUseMountNamespace()) return;
    TSshdOptions small;
    small.SpaceBytes = 64 << 10;
    TSshdServer full(f.Run.Root / "sshd-full", f.Served, f.UserKey, small);
    result = f.Run.Run({"publish", "--html-dir", f.Out, "--html-file", "index.html",
                        "--trust-host-key", full.Fingerprint(), "--connections", "1",
                        "sftp://" + LoginName() + "@" + full.Host() + "/gallery"},
                       f.Environment());
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("the server stopped taking the data; its disk or the account's "
                              "quota may be full."),
              std::string::npos)
        << result.Err;
}

// The server goes down while a large file is on its way: the run takes the connection up
// again as often as it may, fails, and the next run, once the server is back, completes the
// gallery without a part left over.
TEST(CliSftp, AServerGoingDownMidFileIsCompletedByTheNextRun) {
    EnsureQtApplication();
    TSftpFixture f;
    WriteTestPictures(f.Run.Root / "pictures");
    f.Build();
    ForceDirectories(f.Out + "/extras");
    WriteFileBytes(f.Out + "/extras/film.bin", std::string(std::size_t(128) << 20, 'f'));
    const std::vector<std::string> more{"--trust-host-key", f.Server.Fingerprint(), "--include",
                                        "extras/*"};

    QProcess publish;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const std::string& variable : f.Run.Environment()) {
        const std::size_t equals = variable.find('=');
        environment.insert(QString::fromStdString(variable.substr(0, equals)),
                           QString::fromStdString(variable.substr(equals + 1)));
    }
    environment.insert("HOME", QString::fromStdString(f.Home));
    environment.remove("SSH_AUTH_SOCK");
    publish.setProcessEnvironment(environment);
    QStringList arguments{
        "publish",     "--html-dir", QString::fromStdString(f.Out),
        "--html-file", "index.html", QString::fromStdString(f.Address("gallery"))};
    for (const std::string& argument : more) arguments << QString::fromStdString(argument);
    publish.start(FSC_CLI_PATH, arguments);
    const std::string part = f.Served + "/gallery/extras/film.bin.folioscope-part";
    ASSERT_TRUE(WaitFor([&] { return FileExists(part) && FileSize(part) > 0; }, 30000));
    f.Server.Stop();
    ASSERT_TRUE(publish.waitForFinished(60000));
    EXPECT_EQ(publish.exitCode(), 1);
    const std::string err = publish.readAllStandardError().toStdString();
    EXPECT_NE(err.find("The connection was lost"), std::string::npos) << err;
    EXPECT_FALSE(FileExists(f.Served + "/gallery/index.html")) << "a page before its files";

    f.Server.Restart(false);
    const ProgramResult result = f.Publish("gallery", more);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(f.Served + "/gallery"), WithManifest(FilesBelow(f.Out)));
    EXPECT_EQ(FileSize(f.Served + "/gallery/extras/film.bin"), std::int64_t(128) << 20);
}

}  // namespace
}  // namespace fsc::test
