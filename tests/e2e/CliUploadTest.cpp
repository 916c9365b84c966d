// "build --upload" against a real FTP server (pyftpdlib on 127.0.0.1).
#include <gtest/gtest.h>

#include <algorithm>

#include "base/Files.h"
#include "base/TStringList.h"
#include "base/Text.h"
#include "e2e/CliGallery.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc::test {
namespace {

struct TUploadCase {
    const char* Mode;
    std::vector<std::string> Options;
};

// Pages, copies, thumbnails, the collage pictures and the template's style sheet all arrive,
// each under a temporary name first; the pages go live after everything they show, the
// gallery file last.
TEST(CliUpload, SendsEveryFileOfTheGalleryIntoTheSubfolderInEitherMode) {
    EnsureQtApplication();
    for (const TUploadCase& mode : std::vector<TUploadCase>{
             {"active", {"--active"}}, {"passive", {"--passive"}}, {"passive by default", {}}}) {
        SCOPED_TRACE(mode.Mode);
        TCliRun run;
        const std::string log = run.Root / "server.log";
        PyftpdServer server(run.Root / "home", {"--log=" + QString::fromStdString(log)});
        ASSERT_EQ(server.Error(), "");
        WriteTestPictures(run.Root / "pictures");
        std::vector<std::string> args{"--images",
                                      run.Root / "pictures",
                                      "--html-dir",
                                      run.Root / "out",
                                      "--html-file",
                                      "index.html",
                                      "--template",
                                      "Modern",
                                      "--set",
                                      "STYLE=collage",
                                      "--quiet",
                                      "--upload",
                                      "ftp://user@" + server.Host() + "/gal",
                                      "--no-tls",
                                      "--www",
                                      "http://example.invalid"};
        args.insert(args.end(), mode.Options.begin(), mode.Options.end());
        const auto result = run.Build(args, {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, run.Root / "out/index.html\nhttp://example.invalid/gal/index.html\n");
        const auto local = FilesBelow(run.Root / "out");
        EXPECT_EQ(FilesBelow(run.Root / "home/gal"), local);
        for (const std::string& file : local) {
            EXPECT_EQ(ReadFileBytes(run.Root / "home/gal/" + file),
                      ReadFileBytes(run.Root / "out/" + file))
                << file;
        }
        std::vector<std::string> live;
        for (const std::string& line : SplitLines(ReadFileBytes(log))) {
            if (StartsWith(line, "STOR ")) {
                EXPECT_TRUE(EndsWith(line, ".folioscope-part")) << line;
            }
            if (StartsWith(line, "RNTO ")) live.push_back(line.substr(5));
        }
        ASSERT_EQ(live.size(), local.size());
        EXPECT_EQ(live.back(), "index.html");
        EXPECT_FALSE(EndsWith(live.front(), ".html"));
    }
}

// Shared hosting logs users in to their home folder, and folder names may hold blanks: the
// upload starts from the folder the server names and tells "my pub" from "pub".
TEST(CliUpload, StartsFromTheLoginFolderAndReadsNamesWithBlanksWhole) {
    EnsureQtApplication();
    TCliRun run;
    const std::string login = run.Root / "home/home/u";
    ForceDirectories(login + "/my pub");
    WriteFileBytes(login + "/my pub/keep.txt", "keep");
    PyftpdServer server(run.Root / "home", {"--login-dir=/home/u"});
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const auto result =
        run.Build({"--images", run.Root / "pictures", "--html-dir", run.Root / "out", "--html-file",
                   "index.html", "--quiet", "--upload", "ftp://user@" + server.Host() + "/pub",
                   "--no-tls", "--www", "http://example.invalid/~u"},
                  {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, run.Root / "out/index.html\nhttp://example.invalid/~u/pub/index.html\n");
    EXPECT_EQ(FilesBelow(login + "/pub"), FilesBelow(run.Root / "out"));
    EXPECT_EQ(FilesBelow(login + "/my pub"), std::vector<std::string>{"keep.txt"});
    EXPECT_FALSE(FileExists(run.Root / "home/pub")) << "nothing lands outside the login folder";
}

// The pages below a folder of the gallery file name, the images beside the gallery file's
// folder: the remote copy has the same layout.
TEST(CliUpload, AGalleryFileInAFolderAndImagesInTheHTMLDirectoryArriveWhole) {
    EnsureQtApplication();
    TCliRun run;
    PyftpdServer server(run.Root / "home");
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const auto result = run.Build({"--images",
                                   run.Root / "pictures",
                                   "--html-dir",
                                   run.Root / "out",
                                   "--html-file",
                                   "sub/gal.html",
                                   "--image-dir",
                                   ".",
                                   "--template",
                                   "none",
                                   "--set",
                                   "USEIMAGEASHTML=true",
                                   "--set",
                                   "TABLEROWS=1",
                                   "--set",
                                   "TABLECOLS=2",
                                   "--quiet",
                                   "--upload",
                                   "ftp://user@" + server.Host() + "/gal",
                                   "--no-tls"},
                                  {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const auto local = FilesBelow(run.Root / "out");
    ASSERT_TRUE(std::count(local.begin(), local.end(), "sub/gal2.html"));
    EXPECT_EQ(FilesBelow(run.Root / "home/gal"), local);
}

TEST(CliUpload, AWrongPasswordOrNoPasswordEndsWithAClearMessage) {
    EnsureQtApplication();
    TCliRun run;
    PyftpdServer server(run.Root / "home");
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const std::vector<std::string> args{"--images",
                                        run.Root / "pictures",
                                        "--html-dir",
                                        run.Root / "out",
                                        "--html-file",
                                        "index.html",
                                        "--quiet",
                                        "--upload",
                                        "ftp://user@" + server.Host() + "/gal",
                                        "--no-tls"};
    auto result = run.Build(args, {"FOLIOSCOPE_FTP_PASSWORD=wrong"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Connection failed"), std::string::npos) << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "home"), std::vector<std::string>{});

    result = run.Build(args);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("FOLIOSCOPE_FTP_PASSWORD"), std::string::npos) << result.Err;

    // A dry run of a plain upload needs no server, and so no password.
    std::vector<std::string> dryRun = args;
    dryRun.push_back("--dry-run");
    result = run.Build(dryRun);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Out.find("\nsend index.html\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find(" files to send, 0 to delete, 0 unchanged.\n"), std::string::npos)
        << result.Out;
    EXPECT_EQ(FilesBelow(run.Root / "home"), std::vector<std::string>{});

    // The server's text is shown with its control characters replaced: it cannot retitle
    // the terminal, clear it or paint a success over the failure.
    FtpServerProcess hostile(TestScript("scripted_ftp_server.py"),
                             {"escapes", QString::fromStdString(run.Root / "commands.log")});
    ASSERT_EQ(hostile.Error(), "");
    std::vector<std::string> hostileArgs = args;
    hostileArgs[8] = "ftp://user@" + hostile.Host() + "/gal";
    result = run.Build(hostileArgs, {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("530 ?]0;owned??[2J?[H?31mUpload complete"), std::string::npos)
        << result.Err;
    for (const char control : {'\x1b', '\x07'})
        EXPECT_EQ(result.Err.find(control), std::string::npos) << result.Err;
    EXPECT_EQ(result.Err.find("\xc2\x9b"), std::string::npos) << result.Err;
}

TEST(CliUpload, AFolderTheServerWillNotCreateFailsTheUploadInsteadOfPassingForDone) {
    EnsureQtApplication();
    TCliRun run;
    // "guest" may store files but not create folders.
    PyftpdServer server(run.Root / "home", {}, {"guest", "visit"});
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const auto result = run.Build(
        {"--images", run.Root / "pictures", "--html-dir", run.Root / "out", "--html-file",
         "index.html", "--quiet", "--upload", "ftp://guest@" + server.Host() + "/gal", "--no-tls"},
        {"FOLIOSCOPE_FTP_PASSWORD=visit"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("Upload failed"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("/gal"), std::string::npos) << result.Err;
    // The gallery itself stays built.
    EXPECT_EQ(result.Out, run.Root / "out/index.html\n");
}

// An upload is encrypted unless the user opts out: a certificate no authority vouches for is
// refused with its fingerprint and the option that trusts it, then trusted; a server that
// shows another certificate later is refused again. The server refuses any transfer before
// PROT P, so the files that arrived travelled encrypted.
TEST(CliUpload, UploadsEncryptedOnceTheCertificateIsTrustedInEitherMode) {
    EnsureQtApplication();
    for (const TUploadCase& mode :
         std::vector<TUploadCase>{{"active", {}}, {"passive", {"--passive"}}}) {
        SCOPED_TRACE(mode.Mode);
        TCliRun run;
        const std::string fingerprint = MakeCertificate(run.Root / "server.pem");
        auto server = std::make_unique<PyftpdServer>(
            run.Root / "home",
            QStringList{"--tls=" + QString::fromStdString(run.Root / "server.pem")});
        ASSERT_EQ(server->Error(), "");
        WriteTestPictures(run.Root / "pictures");
        const auto args = [&](std::vector<std::string> extra) {
            std::vector<std::string> all{"--images",
                                         run.Root / "pictures",
                                         "--html-dir",
                                         run.Root / "out",
                                         "--html-file",
                                         "index.html",
                                         "--quiet",
                                         "--upload",
                                         "ftp://user@" + server->Host() + "/gal"};
            all.insert(all.end(), mode.Options.begin(), mode.Options.end());
            all.insert(all.end(), extra.begin(), extra.end());
            return all;
        };
        auto result = run.Build(args({}), {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find("add --trust-certificate " + fingerprint), std::string::npos)
            << result.Err;
        EXPECT_EQ(FilesBelow(run.Root / "home"), std::vector<std::string>{});

        result = run.Build(args({"--trust-certificate", fingerprint}),
                           {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(FilesBelow(run.Root / "home/gal"), FilesBelow(run.Root / "out"));
        EXPECT_EQ(ReadFileBytes(run.Root / "home/gal/index.html"),
                  ReadFileBytes(run.Root / "out/index.html"));

        const std::string changed = MakeCertificate(run.Root / "other.pem");
        server = std::make_unique<PyftpdServer>(
            run.Root / "home",
            QStringList{"--tls=" + QString::fromStdString(run.Root / "other.pem")});
        ASSERT_EQ(server->Error(), "");
        result = run.Build(args({"--trust-certificate", fingerprint}),
                           {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_NE(result.Err.find("certificate has changed"), std::string::npos) << result.Err;
        EXPECT_NE(result.Err.find(fingerprint), std::string::npos) << result.Err;
        EXPECT_NE(result.Err.find(changed), std::string::npos) << result.Err;
    }
}

TEST(CliUpload, AServerWithoutEncryptionIsNotUsedAndTheMessageNamesTheOptOut) {
    EnsureQtApplication();
    TCliRun run;
    PyftpdServer server(run.Root / "home");
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const auto result =
        run.Build({"--images", run.Root / "pictures", "--html-dir", run.Root / "out", "--html-file",
                   "index.html", "--quiet", "--upload", "ftp://user@" + server.Host() + "/gal"},
                  {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("does not offer encryption"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("add --no-tls"), std::string::npos) << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "home"), std::vector<std::string>{});
}

}  // namespace
}  // namespace fsc::test
