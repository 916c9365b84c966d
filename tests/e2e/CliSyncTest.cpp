// "build --upload --sync" and "publish" against real FTP servers on 127.0.0.1: pyftpdlib, and
// a scripted server that stores files and drops the connection when told to.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QProcessEnvironment>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "base/Files.h"
#include "base/TStringList.h"
#include "base/Text.h"
#include "e2e/CliGallery.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc::test {
namespace {

const std::string Manifest = ".folioscope-manifest";

std::string Sha256(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// Each file's inode: a file the sync sent was renamed into place and has a new one.
std::map<std::string, ino_t> Inodes(const std::string& folder) {
    std::map<std::string, ino_t> inodes;
    for (const std::string& file : FilesBelow(folder)) {
        struct stat info {};
        if (::stat((folder + "/" + file).c_str(), &info) == 0) inodes[file] = info.st_ino;
    }
    return inodes;
}

std::set<std::string> Replaced(const std::map<std::string, ino_t>& before,
                               const std::map<std::string, ino_t>& after) {
    std::set<std::string> replaced;
    for (const auto& [file, inode] : after) {
        const auto old = before.find(file);
        if (old != before.end() && old->second != inode) replaced.insert(file);
    }
    return replaced;
}

std::vector<std::string> With(std::vector<std::string> files,
                              const std::vector<std::string>& more) {
    files.insert(files.end(), more.begin(), more.end());
    std::sort(files.begin(), files.end());
    return files;
}

void ExpectSameBytes(const std::string& server, const std::string& local) {
    for (const std::string& file : FilesBelow(local)) {
        EXPECT_EQ(ReadFileBytes(server + "/" + file), ReadFileBytes(local + "/" + file)) << file;
    }
}

// The manifest names every file of the gallery (all below `local` unless named) with its size
// and SHA-256, and nothing else.
void ExpectManifestOf(const std::string& manifestPath, const std::string& local,
                      std::vector<std::string> files = {}) {
    if (files.empty()) files = FilesBelow(local);
    std::string expected = "folioscope sync manifest\t1\n";
    for (const std::string& file : files) {
        const std::string bytes = ReadFileBytes(local + "/" + file);
        expected += file + "\t" + std::to_string(bytes.size()) + "\t" + Sha256(bytes) + "\n";
    }
    expected += "end\t" + std::to_string(files.size()) + "\n";
    EXPECT_EQ(ReadFileBytes(manifestPath), expected);
}

// The description field of the first image in an image set file.
void SetFirstDescription(const std::string& setFile, const std::string& text) {
    const std::string tag = "<#THUMB0Description#>";
    std::string content = ReadFileBytes(setFile);
    const std::size_t at = content.find(tag);
    ASSERT_NE(at, std::string::npos);
    content.insert(at + tag.size(), text);
    WriteFileBytes(setFile, content);
}

TEST(CliSync, SendsOnlyWhatChangedAndDeletesOnlyWhatItSent) {
    EnsureQtApplication();
    TCliRun run;
    PyftpdServer server(run.Root / "home");
    ASSERT_EQ(server.Error(), "");
    const std::vector<std::string> password{"FOLIOSCOPE_FTP_PASSWORD=secret"};
    const std::string address = "ftp://user@" + server.Host() + "/gal";
    const std::string out = run.Root / "out", remote = run.Root / "home/gal";
    WriteTestPictures(run.Root / "pictures");
    const std::string project = run.Root / "gallery.gal";
    auto result = run.Build(
        {"--images", run.Root / "pictures", "--html-dir", out, "--html-file", "index.html",
         "--template", "none", "--set", "USEIMAGEASHTML=true", "--save-project", project, "--quiet",
         "--upload", address, "--sync", "--no-tls", "--www", "http://example.invalid"},
        password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, out + "/index.html\nhttp://example.invalid/gal/index.html\n");
    EXPECT_EQ(FilesBelow(remote), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(remote, out);
    ExpectManifestOf(remote + "/" + Manifest, out);

    // A file put there by hand is none of the sync's business.
    WriteFileBytes(remote + "/by-hand.txt", "mine");
    std::map<std::string, std::string> bytesBefore;
    for (const std::string& file : FilesBelow(out))
        bytesBefore[file] = ReadFileBytes(out + "/" + file);
    const auto remoteBefore = Inodes(remote);
    SetFirstDescription(project + ".dir/images.set", "A new caption");
    result = run.Run({"build", project, "--upload", address, "--sync", "--no-tls"}, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    std::set<std::string> changed;
    for (const std::string& file : FilesBelow(out)) {
        if (ReadFileBytes(out + "/" + file) != bytesBefore[file]) changed.insert(file);
    }
    ASSERT_FALSE(changed.empty()) << "the caption is on a page";
    for (const std::string& file : changed) EXPECT_TRUE(EndsWith(file, ".html")) << file;
    // Only the changed pages travelled again, and the manifest.
    std::set<std::string> sent = changed;
    sent.insert(Manifest);
    EXPECT_EQ(Replaced(remoteBefore, Inodes(remote)), sent);
    EXPECT_NE(result.Err.find("Synced: " + std::to_string(changed.size()) + " sent, 0 deleted."),
              std::string::npos)
        << result.Err;
    ExpectSameBytes(remote, out);
    ExpectManifestOf(remote + "/" + Manifest, out);

    // One picture fewer, rebuilt and synced: the rebuild removes its copy, thumbnail and page
    // from the gallery folder, and so the sync from the server; the file put there by hand
    // stays.
    const std::size_t filesBefore = FilesBelow(out).size();
    std::filesystem::remove(run.Root / "pictures/d.jpg");
    result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                        "index.html", "--template", "none", "--set", "USEIMAGEASHTML=true",
                        "--quiet", "--upload", address, "--sync", "--no-tls"},
                       password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(filesBefore - FilesBelow(out).size(), 3u) << "a copy, a thumbnail and a page";
    for (const std::string& file : FilesBelow(out)) EXPECT_EQ(file.find("d."), std::string::npos);
    EXPECT_EQ(FilesBelow(remote), With(FilesBelow(out), {Manifest, "by-hand.txt"}));
    ExpectSameBytes(remote, out);
    ExpectManifestOf(remote + "/" + Manifest, out);
    EXPECT_EQ(ReadFileBytes(remote + "/by-hand.txt"), "mine");
}

// What went missing on the server behind the manifest's back (a folder removed, a page cut
// short by hand) is sent again, and parts a failed sync left there are cleared away.
TEST(CliSync, SendsAgainWhatTheServerNoLongerHolds) {
    EnsureQtApplication();
    TCliRun run;
    PyftpdServer server(run.Root / "home");
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out", remote = run.Root / "home/gal";
    auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                             "index.html", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> publish{"publish",    "--html-dir",
                                           out,          "--html-file",
                                           "index.html", "ftp://user@" + server.Host() + "/gal",
                                           "--no-tls"};
    const std::vector<std::string> password{"FOLIOSCOPE_FTP_PASSWORD=secret"};
    ASSERT_EQ(run.Run(publish, password).ExitCode, 0);

    std::size_t images = 0;
    for (const std::string& file : FilesBelow(remote)) images += file.rfind("images/", 0) == 0;
    ASSERT_GE(images, 2u);
    std::filesystem::remove_all(remote + "/images");
    WriteFileBytes(remote + "/index.html", "cut");
    WriteFileBytes(remote + "/index.html.folioscope-part", "left by a failed sync");
    WriteFileBytes(remote + "/gone.html.folioscope-part", "left by a failed sync");
    result = run.Run(publish, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find("Synced: " + std::to_string(images + 1) + " sent, 0 deleted."),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(FilesBelow(remote), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(remote, out);
    ExpectManifestOf(remote + "/" + Manifest, out);

    // A file rewritten to the same size, its time set back as a copy tool may leave it, is
    // still seen to have changed.
    const std::string page = out + "/index.html";
    const auto time = std::filesystem::last_write_time(page);
    std::string bytes = ReadFileBytes(page);
    bytes.back() = bytes.back() == 'x' ? 'y' : 'x';
    {
        // In place, as an editor may save: the same inode.
        std::ofstream rewrite(page, std::ios::binary | std::ios::in | std::ios::out);
        rewrite.seekp(std::streamoff(bytes.size() - 1));
        rewrite.put(bytes.back());
    }
    std::filesystem::last_write_time(page, time);
    result = run.Run(publish, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(ReadFileBytes(remote + "/index.html"), bytes);
}

// A server that drops the connection in the middle of the third file: the sync logs in again,
// sends that file once more and ends with exactly the gallery on the server.
TEST(CliSync, TakesUpADroppedConnectionAndLeavesExactlyTheGallery) {
    EnsureQtApplication();
    TCliRun run;
    ForceDirectories(run.Root / "root");
    FtpServerProcess server(TestScript("scripted_ftp_server.py"),
                            {"files", QString::fromStdString(run.Root / "commands.log"),
                             QString::fromStdString(run.Root / "root"), "3"});
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out";
    const auto result =
        run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                   "index.html", "--quiet", "--upload", "ftp://user@" + server.Host() + "/gal",
                   "--sync", "--passive", "--no-tls", "--connections", "1"},
                  {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "root/gal"), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(run.Root / "root/gal", out);
    ExpectManifestOf(run.Root / "root/gal/" + Manifest, out);
    const std::string log = ReadFileBytes(run.Root / "commands.log");
    std::size_t logins = 0;
    for (std::size_t at = log.find("USER "); at != std::string::npos;
         at = log.find("USER ", at + 1))
        ++logins;
    EXPECT_EQ(logins, 2u) << log;
}

// Publishing is encrypted like an upload: an unknown certificate is refused with the option
// that trusts it, and once trusted the gallery arrives through the TLS-only server.
TEST(CliSync, PublishesEncryptedOnceTheCertificateIsTrusted) {
    EnsureQtApplication();
    TCliRun run;
    const std::string fingerprint = MakeCertificate(run.Root / "server.pem");
    PyftpdServer server(run.Root / "home",
                        {"--tls=" + QString::fromStdString(run.Root / "server.pem")});
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out";
    auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                             "index.html", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> publish{"publish",    "--html-dir",
                                           out,          "--html-file",
                                           "index.html", "ftp://user@" + server.Host() + "/gal"};
    const std::vector<std::string> password{"FOLIOSCOPE_FTP_PASSWORD=secret"};
    result = run.Run(publish, password);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("add --trust-certificate " + fingerprint), std::string::npos)
        << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "home"), std::vector<std::string>{});

    std::vector<std::string> trusted = publish;
    trusted.insert(trusted.end(), {"--trust-certificate", fingerprint});
    result = run.Run(trusted, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "home/gal"), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(run.Root / "home/gal", out);

    // Servers that speak only one version of TLS, over several connections.
    for (const QString version : {"1.2", "1.3"}) {
        SCOPED_TRACE(version.toStdString());
        const std::string home = run.Root / ("home-" + version.toStdString());
        PyftpdServer only(home, {"--tls=" + QString::fromStdString(run.Root / "server.pem"),
                                 "--tls-version=" + version});
        ASSERT_EQ(only.Error(), "");
        trusted[5] = "ftp://user@" + only.Host() + "/gal";
        result = run.Run(trusted, password);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(FilesBelow(home + "/gal"), With(FilesBelow(out), {Manifest}));
        ExpectSameBytes(home + "/gal", out);
    }
}

// The paths the server's log shows for one command, in the order they arrived.
std::vector<std::string> Logged(const std::string& log, const std::string& command) {
    std::vector<std::string> paths;
    for (const std::string& line : SplitLines(ReadFileBytes(log))) {
        if (StartsWith(line, command + " ")) paths.push_back(line.substr(command.size() + 1));
    }
    return paths;
}

// Every file went to a temporary name first and went live in an order no visitor sees broken:
// everything else, then the pages, then `topPage`, and last the manifest if there is one.
void ExpectPagesWentLiveLast(const std::string& log, const std::string& topPage, bool manifest) {
    for (const std::string& path : Logged(log, "STOR"))
        EXPECT_TRUE(EndsWith(path, ".folioscope-part")) << path;
    std::vector<std::string> live = Logged(log, "RNTO");
    if (manifest) {
        ASSERT_FALSE(live.empty());
        EXPECT_EQ(live.back(), Manifest);
    }
    // A checkpoint of the manifest may go live at any moment: no visitor loads it, and how
    // many bytes the other connections sent before the pages decides whether one falls
    // among them.
    std::erase(live, Manifest);
    ASSERT_FALSE(live.empty());
    EXPECT_EQ(live.back(), topPage);
    const auto firstPage = std::find_if(live.begin(), live.end(),
                                        [](const std::string& p) { return EndsWith(p, ".html"); });
    for (auto page = firstPage; page != live.end(); ++page) EXPECT_TRUE(EndsWith(*page, ".html"));
    EXPECT_NE(firstPage, live.begin()) << "the pictures went first";
}

// What reaches the server is the gallery: the files its last build made and what the user
// names, never a repository, a secrets file or a link to a file outside the folder, and the
// manifest (readable over the web) lists only that. Pages go live after what they show, into
// a folder several levels deep. Without a record of the build the whole folder goes, still
// without hidden files or outside links.
TEST(CliSync, PublishesOnlyTheGalleryPagesLastIntoAFolderOfAnyDepth) {
    EnsureQtApplication();
    TCliRun run;
    const std::string log = run.Root / "server.log";
    PyftpdServer server(run.Root / "home", {"--log=" + QString::fromStdString(log)});
    ASSERT_EQ(server.Error(), "");
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out", remote = run.Root / "home/public_html/gallery";
    auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                             "index.html", "--template", "Modern", "--set", "USEIMAGEASHTML=true",
                             "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const std::vector<std::string> gallery = FilesBelow(out);
    for (const char* extra : {"images/a.webp", "images/d_th.webp"}) {
        EXPECT_NE(std::find(gallery.begin(), gallery.end(), extra), gallery.end())
            << extra << ": the template's extra files are part of the gallery that is sent";
    }
    ForceDirectories(out + "/.git/objects");
    WriteFileBytes(out + "/.git/config", "[core]");
    WriteFileBytes(out + "/.env", "PASSWORD=x");
    WriteFileBytes(run.Root / "secret.txt", "a key");
    std::filesystem::create_symlink(run.Root / "secret.txt", out + "/notes.txt");
    WriteFileBytes(out + "/original.tif", "the full-size original");
    ForceDirectories(out + "/extras");
    WriteFileBytes(out + "/extras/read-me.txt", "hello");
    WriteFileBytes(out + "/extras/draft.txt", "not yet");
    const std::vector<std::string> publish{
        "publish",     "--html-dir", out,
        "--html-file", "index.html", "ftp://user@" + server.Host() + "/public_html/gallery",
        "--no-tls",    "--include",  "extras/*",
        "--exclude",   "draft.*"};
    const std::vector<std::string> password{"FOLIOSCOPE_FTP_PASSWORD=secret"};
    const std::vector<std::string> sent = With(gallery, {"extras/read-me.txt"});
    std::vector<std::string> dryRun = publish;
    dryRun.push_back("--dry-run");
    result = run.Run(dryRun, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(run.Root / "home/public_html"))
        << "a dry run makes nothing";
    const TStringList planned = SplitLines(result.Out);
    ASSERT_EQ(planned.size(), sent.size() + 1) << result.Out;
    EXPECT_EQ(planned[sent.size() - 1], "send index.html");
    EXPECT_EQ(planned.back(),
              std::to_string(sent.size()) + " files to send, 0 to delete, 0 unchanged.");

    result = run.Run(publish, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(FilesBelow(remote), With(sent, {Manifest}));
    for (const std::string& file : sent)
        EXPECT_EQ(ReadFileBytes(remote + "/" + file), ReadFileBytes(out + "/" + file)) << file;
    ExpectManifestOf(remote + "/" + Manifest, out, sent);
    ExpectPagesWentLiveLast(log, "index.html", true);

    // Named through a link, the folder holds the same gallery: nothing to send or delete.
    std::filesystem::create_directory_symlink(out, run.Root / "link");
    std::vector<std::string> viaLink = publish;
    viaLink[2] = run.Root / "link";
    result = run.Run(viaLink, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find("Synced: 0 sent, 0 deleted."), std::string::npos) << result.Err;
    EXPECT_EQ(result.Err.find("No record"), std::string::npos) << result.Err;

    std::filesystem::remove(out + "/extras/read-me.txt");
    result = run.Run(dryRun, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "delete extras/read-me.txt\n0 files to send, 1 to delete, " +
                              std::to_string(sent.size() - 1) + " unchanged.\n");
    EXPECT_EQ(FilesBelow(remote), With(sent, {Manifest}));
    WriteFileBytes(out + "/extras/read-me.txt", "hello");

    ASSERT_EQ(
        run.Run({"history", "--forget", "--html-dir", out, "--html-file", "index.html"}).ExitCode,
        0);
    result = run.Run(publish, password);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find("No record of the gallery's last build"), std::string::npos)
        << result.Err;
    EXPECT_NE(result.Err.find("Skipped notes.txt: a link to a file outside the gallery folder."),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(FilesBelow(remote), With(sent, {Manifest, "original.tif"}));
}

// Several connections share the pictures out; the pages still go live after all of them,
// over the first. A server that takes one connection only gets everything over that one.
TEST(CliSync, SharesThePicturesOutAmongConnectionsPagesStillLast) {
    EnsureQtApplication();
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out";
    auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                             "index.html", "--template", "Modern", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    ForceDirectories(out + "/extras");
    for (int i = 0; i < 20; ++i)
        WriteFileBytes(out + "/extras/Notiz Nr " + std::to_string(i) + " für alle.txt",
                       std::string(std::size_t(1000 + 5000 * i), char('a' + i)));
    const std::vector<std::string> password{"FOLIOSCOPE_FTP_PASSWORD=secret"};
    const auto publish = [&](const PyftpdServer& server) {
        return run.Run(
            {"publish", "--html-dir", out, "--html-file", "index.html", "--no-tls", "--include",
             "extras/*", "--connections", "4", "ftp://user@" + server.Host() + "/gallery"},
            password);
    };

    const std::string log = run.Root / "server.log";
    {
        PyftpdServer server(run.Root / "home", {"--log=" + QString::fromStdString(log)});
        ASSERT_EQ(server.Error(), "");
        result = publish(server);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    }
    EXPECT_EQ(Logged(log, "USER").size(), 4u) << ReadFileBytes(log);
    EXPECT_EQ(FilesBelow(run.Root / "home/gallery"), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(run.Root / "home/gallery", out);
    ExpectManifestOf(run.Root / "home/gallery/" + Manifest, out);
    ExpectPagesWentLiveLast(log, "index.html", true);

    PyftpdServer single(run.Root / "single", {"--max-per-ip=1"});
    ASSERT_EQ(single.Error(), "");
    result = publish(single);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_NE(result.Err.find("A further connection gave up (Connection failed: 421"),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(FilesBelow(run.Root / "single/gallery"), With(FilesBelow(out), {Manifest}));
    ExpectSameBytes(run.Root / "single/gallery", out);
    ExpectManifestOf(run.Root / "single/gallery/" + Manifest, out);
}

// A server that answers "226" for a file cut short (as some do for a reset data connection):
// the size on the server gives it away, by SIZE or, where the server has none, by its
// listing. The file goes again; cut twice, the sync fails before it ever goes live.
TEST(CliSync, AFileCutShortIsSentAgainAndCutTwiceFailsBeforeGoingLive) {
    EnsureQtApplication();
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out";
    auto result = run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                             "index.html", "--quiet"});
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    for (const char* size : {"--log=/dev/null", "--no-size"}) {
        for (const int cuts : {1, 2}) {
            SCOPED_TRACE(std::string(size) + " " + std::to_string(cuts));
            const std::string home = run.Root / ("home" + std::to_string(cuts) + size);
            PyftpdServer server(home, {size, "--cut=index.html:" + QString::number(cuts)});
            ASSERT_EQ(server.Error(), "");
            result = run.Run({"publish", "--html-dir", out, "--html-file", "index.html",
                              "ftp://user@" + server.Host() + "/gal", "--no-tls"},
                             {"FOLIOSCOPE_FTP_PASSWORD=secret"});
            if (cuts == 1) {
                ASSERT_EQ(result.ExitCode, 0) << result.Err;
                EXPECT_NE(result.Err.find("index.html has "), std::string::npos) << result.Err;
                EXPECT_NE(result.Err.find("sending it again"), std::string::npos) << result.Err;
                EXPECT_EQ(FilesBelow(home + "/gal"), With(FilesBelow(out), {Manifest}));
                ExpectSameBytes(home + "/gal", out);
            } else {
                EXPECT_EQ(result.ExitCode, 1);
                EXPECT_NE(result.Err.find("index.html was sent twice"), std::string::npos)
                    << result.Err;
                EXPECT_FALSE(FileExists(home + "/gal/index.html"));
                EXPECT_FALSE(FileExists(home + "/gal/index.html.folioscope-part"));
            }
        }
    }
}

// "publish" started against the scripted server and killed once the server reports it stalled
// at the file it was told to; false when the run ended before it got there.
bool PublishKilledAtStall(const TCliRun& run, const std::vector<std::string>& arguments,
                          const std::string& serverLog) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::vector<std::string> variables = run.Environment();
    variables.push_back("FOLIOSCOPE_FTP_PASSWORD=secret");
    for (const std::string& variable : variables) {
        const std::size_t equals = variable.find('=');
        environment.insert(QString::fromStdString(variable.substr(0, equals)),
                           QString::fromStdString(variable.substr(equals + 1)));
    }
    QProcess cli;
    cli.setProcessEnvironment(environment);
    QStringList qArguments;
    for (const std::string& argument : arguments) qArguments << QString::fromStdString(argument);
    cli.start(FSC_CLI_PATH, qArguments);
    const auto stalled = [&] {
        return ReadFileBytes(serverLog).find("STALLED") != std::string::npos;
    };
    WaitFor([&] { return stalled() || cli.state() == QProcess::NotRunning; }, 30000);
    if (cli.state() == QProcess::NotRunning) return false;
    ::kill(pid_t(cli.processId()), SIGKILL);
    cli.waitForFinished(5000);
    return true;
}

// Every page a visitor reaches from the top page in `folder`, served over HTTP, with
// everything it refers to there: the visitor's view of the server's copy.
void ExpectEveryPageWorks(const std::string& folder) {
    const ProgramResult check = RunProgram(
        "/usr/bin/python3",
        {std::string(FSC_FTP_TEST_DIR) + "/../e2e/check_site_links.py", folder, "index.html"});
    EXPECT_EQ(check.ExitCode, 0) << check.Out << check.Err;
}

// Killed at each file it sends, into an empty folder and over the previous gallery (other
// pictures, other thumbnails), a publish never leaves a page on the server that refers to a
// picture, style sheet or script that is not there.
TEST(CliSync, APublishKilledAtAnyFileLeavesEveryPageOnTheServerWorking) {
    EnsureQtApplication();
    TCliRun run;
    const std::vector<TTestPicture> pictures = WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out", root = run.Root / "root";
    const auto build = [&](const std::string& thumbWidth) {
        const auto result =
            run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                       "index.html", "--template", "Modern", "--set", "USEIMAGEASHTML=true",
                       "--set", "THUMBWIDTH=" + thumbWidth, "--quiet"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    };
    const auto server = [&](const std::string& drops) {
        return std::make_unique<FtpServerProcess>(
            TestScript("scripted_ftp_server.py"),
            QStringList{"files", QString::fromStdString(run.Root / "commands.log"),
                        QString::fromStdString(root), QString::fromStdString(drops)});
    };
    const std::vector<std::string> publish{"publish",     "--html-dir",    out,
                                           "--html-file", "index.html",    "--no-tls",
                                           "--passive",   "--connections", "1"};

    build("100");
    ForceDirectories(root);
    {
        const auto first = server("");
        ASSERT_EQ(first->Error(), "");
        std::vector<std::string> arguments = publish;
        arguments.push_back("ftp://user@" + first->Host() + "/gal");
        const auto result = run.Run(arguments, {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
    }
    const std::string previous = run.Root / "previous";
    std::filesystem::rename(root, previous);
    std::filesystem::remove(run.Root / ("pictures/" + pictures.back().File));
    build("160");

    for (const bool overPrevious : {false, true}) {
        int killed = 0;
        for (int file = 1;; ++file) {
            SCOPED_TRACE((overPrevious ? "over the previous gallery, killed at file "
                                       : "into an empty folder, killed at file ") +
                         std::to_string(file));
            std::filesystem::remove_all(root);
            if (overPrevious) {
                std::filesystem::copy(previous, root, std::filesystem::copy_options::recursive);
            } else {
                ForceDirectories(root);
            }
            WriteFileBytes(run.Root / "commands.log", "");
            const auto stalling = server(std::to_string(file) + ":stall");
            ASSERT_EQ(stalling->Error(), "");
            std::vector<std::string> arguments = publish;
            arguments.push_back("ftp://user@" + stalling->Host() + "/gal");
            if (!PublishKilledAtStall(run, arguments, run.Root / "commands.log")) break;
            ++killed;
            if (DirectoryExists(root + "/gal")) ExpectEveryPageWorks(root + "/gal");
        }
        EXPECT_GE(killed, overPrevious ? 4 : 10) << "the gallery has more files than that";
    }
    // A later run clears the scratch files the killed runs left in the temporary folder.
    ForceDirectories(run.Root / "tmp");
    WriteFileBytes(run.Root / "tmp/folioscope-listing-999999999-0", "left by a killed run");
    WriteFileBytes(run.Root / "tmp/folioscope-notes", "someone else's");
    {
        const auto last = server("");
        std::vector<std::string> arguments = publish;
        arguments.push_back("ftp://user@" + last->Host() + "/gal");
        const auto result =
            run.Run(arguments, {"FOLIOSCOPE_FTP_PASSWORD=secret", "TMPDIR=" + run.Root / "tmp"});
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
    }
    EXPECT_FALSE(FileExists(run.Root / "tmp/folioscope-listing-999999999-0"));
    EXPECT_TRUE(FileExists(run.Root / "tmp/folioscope-notes"));

    // The check itself sees a missing thumbnail.
    ASSERT_TRUE(FileExists(previous + "/gal/images/a_th.jpg")) << JoinLines(FilesBelow(previous));
    std::filesystem::remove(previous + "/gal/images/a_th.jpg");
    const ProgramResult check = RunProgram(
        "/usr/bin/python3", {std::string(FSC_FTP_TEST_DIR) + "/../e2e/check_site_links.py",
                             previous + "/gal", "index.html"});
    EXPECT_EQ(check.ExitCode, 1) << check.Out << check.Err;
}

TEST(CliSync, PublishRefusesAGalleryThatWasNeverBuilt) {
    TCliRun run;
    ForceDirectories(run.Root / "empty");
    const auto result = run.Run({"publish", "--html-dir", run.Root / "empty", "--html-file",
                                 "index.html", "ftp://user@127.0.0.1:9/gal"},
                                {"FOLIOSCOPE_FTP_PASSWORD=secret"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find("has not been built"), std::string::npos) << result.Err;
}

}  // namespace
}  // namespace fsc::test
