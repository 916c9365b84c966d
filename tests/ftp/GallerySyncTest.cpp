// The sync's record on the server: what it trusts, and what it keeps when a sync gives up.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/Files.h"
#include "ftp/PublishedFiles.h"
#include "ftp/TFtpClient.h"
#include "ftp/TGallerySync.h"
#include "support/TempDir.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc {
namespace {

struct TSyncRun {
    std::string Failure;
    std::vector<std::string> Warnings;
    std::size_t Sent = 0, Deleted = 0;
};

TSyncRun Sync(const std::string& host, const std::string& folder, std::uint64_t checkpointBytes = 0,
              std::int64_t maxManifestBytes = 0) {
    TFtpClient client;
    client.SetTimeout(3000);
    TGallerySync sync(client, {host, "user", "secret", true, {}}, "gal",
                      GalleryFolderFiles(folder));
    sync.RetryPauseMs = 50;
    sync.CheckpointBytes = checkpointBytes;
    if (maxManifestBytes > 0) sync.MaxManifestBytes = maxManifestBytes;
    TSyncRun result;
    sync.OnWarning = [&](const std::string& text) { result.Warnings.push_back(text); };
    sync.Start();
    EXPECT_TRUE(test::WaitFor([&] { return sync.Finished(); }, 30000));
    result.Failure = sync.Failure;
    result.Sent = sync.SentCount;
    result.Deleted = sync.DeletedCount;
    return result;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

void WriteGallery(const std::string& folder) {
    for (const char* name : {"a.html", "b.html", "c.html", "images/d.jpg"}) {
        const std::string path = folder + "/" + name;
        ForceDirectories(std::filesystem::path(path).parent_path().string());
        WriteFileBytes(path, std::string(3000, name[0]));
    }
}

// A manifest the program cannot trust (foreign, cut short, naming a path outside the
// gallery's folder, or too large to be one) is set aside with a warning; what it names is
// never deleted.
TEST(GallerySync, AManifestItCannotTrustDeletesNothing) {
    test::EnsureQtApplication();
    const std::string sha(64, 'a');
    const std::vector<std::string> manifests{
        "some other program's list\nold.html\n",
        "folioscope sync manifest\t1\nold.html\t4\t" + sha + "\n",
        "folioscope sync manifest\t1\n../outside.txt\t4\t" + sha + "\nend\t1\n",
        "folioscope sync manifest\t1\nold.html\t4\t" + sha + "\n" + std::string(5000, 'x')};
    for (const std::string& manifest : manifests) {
        SCOPED_TRACE(manifest);
        test::TempDir work;
        WriteGallery(work / "local");
        ForceDirectories(work / "home/gal");
        WriteFileBytes(work / "home/gal/old.html", "old!");
        WriteFileBytes(work / "home/outside.txt", "keep");
        WriteFileBytes(work / "home/gal/.folioscope-manifest", manifest);
        test::FtpServerProcess server(test::TestScript("pyftpd_server.py"),
                                      {QString::fromStdString(work / "home"), "user", "secret"});
        ASSERT_EQ(server.Error(), "");
        // The limit is lowered from tens of megabytes for the last case.
        const TSyncRun run = Sync(server.Host(), work / "local", 0, 2000);
        EXPECT_EQ(run.Failure, "");
        ASSERT_EQ(run.Warnings.size(), 1u);
        EXPECT_NE(run.Warnings[0].find("nothing is deleted"), std::string::npos) << run.Warnings[0];
        EXPECT_EQ(run.Sent, 4u);
        EXPECT_EQ(run.Deleted, 0u);
        EXPECT_EQ(ReadFileBytes(work / "home/gal/old.html"), "old!");
        EXPECT_EQ(ReadFileBytes(work / "home/outside.txt"), "keep");
        // The new manifest is sound again: the next sync trusts it and has nothing to do.
        const TSyncRun again = Sync(server.Host(), work / "local", 0, 2000);
        EXPECT_EQ(again.Warnings, std::vector<std::string>{});
        EXPECT_EQ(again.Sent, 0u);
    }
}

// Four drops in a row use up the attempts. The manifest written on the way lists only what
// arrived, so the next sync sends just the rest and ends with exactly the gallery.
TEST(GallerySync, ASyncThatGaveUpIsContinuedByTheNext) {
    test::EnsureQtApplication();
    test::TempDir work;
    WriteGallery(work / "local");
    ForceDirectories(work / "root");
    // The picture goes first: STOR 1 is images/d.jpg, 2 the manifest after it, 3 to 6 a.html
    // and its three new attempts.
    test::FtpServerProcess server(test::TestScript("scripted_ftp_server.py"),
                                  {"files", QString::fromStdString(work / "commands.log"),
                                   QString::fromStdString(work / "root"), "3,4,5,6"});
    ASSERT_EQ(server.Error(), "");
    const TSyncRun first = Sync(server.Host(), work / "local", 1);
    EXPECT_NE(first.Failure.find("could not be taken up again"), std::string::npos)
        << first.Failure;
    EXPECT_EQ(first.Sent, 1u);
    const std::string manifest = ReadFileBytes(work / "root/gal/.folioscope-manifest");
    EXPECT_NE(manifest.find("images/d.jpg\t3000\t"), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("a.html"), std::string::npos) << manifest;
    // Stopped half-way, the server holds the picture and no page that would show it broken.
    EXPECT_EQ(FilesIn(work / "root/gal"),
              (std::vector<std::string>{".folioscope-manifest", "a.html.folioscope-part",
                                        "images/d.jpg"}));

    const std::string before = ReadFileBytes(work / "commands.log");
    const TSyncRun second = Sync(server.Host(), work / "local", 1);
    EXPECT_EQ(second.Failure, "");
    EXPECT_EQ(second.Sent, 3u);
    const std::string commands = ReadFileBytes(work / "commands.log").substr(before.size());
    EXPECT_EQ(Count(commands, "STOR images/d.jpg"), 0u) << commands;
    EXPECT_EQ(Count(commands, "STOR a.html"), 1u) << commands;
    EXPECT_EQ(FilesIn(work / "root/gal"),
              (std::vector<std::string>{".folioscope-manifest", "a.html", "b.html", "c.html",
                                        "images/d.jpg"}));
}

// "451" is "not now": the file goes again after a pause. "552" is "no": the file is
// refused, and what arrived of it is cleared away. A file removed from the gallery folder
// after the sync began is passed over with a warning, and the manifest does not claim it.
TEST(GallerySync, TriesAgainAfterATemporaryRefusalAndLeavesNoPartsOfRefusedFiles) {
    test::EnsureQtApplication();
    test::TempDir work;
    WriteGallery(work / "local");
    ForceDirectories(work / "root");
    // STOR 1 is images/d.jpg, refused for now, 2 its new attempt, 3 a.html, refused.
    test::FtpServerProcess server(test::TestScript("scripted_ftp_server.py"),
                                  {"files", QString::fromStdString(work / "commands.log"),
                                   QString::fromStdString(work / "root"), "1:451,3:552"});
    ASSERT_EQ(server.Error(), "");
    TFtpClient client;
    client.SetTimeout(3000);
    TGallerySync sync(client, {server.Host(), "user", "secret", true, {}}, "gal",
                      GalleryFolderFiles(work / "local"));
    sync.RetryPauseMs = 50;
    std::vector<std::string> warnings;
    sync.OnWarning = [&](const std::string& text) { warnings.push_back(text); };
    std::filesystem::remove(work / "local/c.html");
    sync.Start();
    ASSERT_TRUE(test::WaitFor([&] { return sync.Finished(); }, 30000));
    EXPECT_EQ(sync.Failure, "");
    ASSERT_EQ(sync.Refused.size(), 1u);
    EXPECT_EQ(sync.Refused[0].rfind("a.html (552", 0), 0u) << sync.Refused[0];
    EXPECT_EQ(FilesIn(work / "root/gal"),
              (std::vector<std::string>{".folioscope-manifest", "b.html", "images/d.jpg"}));
    const std::string manifest = ReadFileBytes(work / "root/gal/.folioscope-manifest");
    EXPECT_EQ(manifest.find("c.html"), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("a.html"), std::string::npos) << manifest;
    std::string said;
    for (const std::string& warning : warnings) said += warning + "\n";
    EXPECT_NE(said.find("images/d.jpg: 451"), std::string::npos) << said;
    EXPECT_NE(said.find("Skipped c.html"), std::string::npos) << said;
}

// A picture the server refuses holds the pages back, and the deletes with them: no page on
// the server shows what is not there, and the manifest claims nothing that did not arrive.
TEST(GallerySync, APictureTheServerRefusesHoldsThePagesBack) {
    test::EnsureQtApplication();
    test::TempDir work;
    WriteGallery(work / "local");
    ForceDirectories(work / "root");
    // STOR 1 is images/d.jpg.
    test::FtpServerProcess server(test::TestScript("scripted_ftp_server.py"),
                                  {"files", QString::fromStdString(work / "commands.log"),
                                   QString::fromStdString(work / "root"), "1:552"});
    ASSERT_EQ(server.Error(), "");
    const TSyncRun run = Sync(server.Host(), work / "local");
    EXPECT_EQ(run.Failure, "");
    EXPECT_EQ(run.Sent, 0u);
    EXPECT_EQ(FilesIn(work / "root/gal"), std::vector<std::string>{".folioscope-manifest"});
    ASSERT_EQ(run.Warnings.size(), 1u);
    EXPECT_NE(run.Warnings[0].find("The pages were not sent"), std::string::npos);
}

// A server without RNFR: the first file is stored again under its final name and its part
// cleared away, the rest go straight to their names, said once; the gallery arrives whole,
// names that are not UTF-8 or have blanks at their ends too.
TEST(GallerySync, AServerThatCannotRenameGetsTheFilesUnderTheirFinalNames) {
    test::EnsureQtApplication();
    test::TempDir work;
    WriteGallery(work / "local");
    ForceDirectories(work / "root");
    test::FtpServerProcess server(test::TestScript("scripted_ftp_server.py"),
                                  {"files", QString::fromStdString(work / "commands.log"),
                                   QString::fromStdString(work / "root"), "", "norename"});
    ASSERT_EQ(server.Error(), "");
    // A name in Latin-1, not UTF-8, as an old camera or archive leaves it: sent as its bytes.
    WriteFileBytes(work / "local/images/caf\xe9.jpg", "latin");
    const TSyncRun run = Sync(server.Host(), work / "local");
    EXPECT_EQ(run.Failure, "");
    EXPECT_EQ(run.Sent, 5u);
    ASSERT_EQ(run.Warnings.size(), 1u);
    EXPECT_NE(run.Warnings[0].find("cannot rename"), std::string::npos) << run.Warnings[0];
    EXPECT_EQ(FilesIn(work / "root/gal"),
              (std::vector<std::string>{".folioscope-manifest", "a.html", "b.html", "c.html",
                                        "images/caf\xe9.jpg", "images/d.jpg"}));
    EXPECT_EQ(ReadFileBytes(work / "root/gal/images/caf\xe9.jpg"), "latin");

    // Blanks at either end of a name are the name's: the next sync finds it and sends nothing.
    WriteFileBytes(work / "local/ blank .jpg", "blank");
    EXPECT_EQ(Sync(server.Host(), work / "local").Sent, 1u);
    EXPECT_EQ(ReadFileBytes(work / "root/gal/ blank .jpg"), "blank");
    EXPECT_EQ(Sync(server.Host(), work / "local").Sent, 0u);
    EXPECT_EQ(ReadFileBytes(work / "root/gal/a.html"), std::string(3000, 'a'));
}

}  // namespace
}  // namespace fsc
