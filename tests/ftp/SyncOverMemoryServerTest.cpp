// The sync's own logic, its step queue and its crew of connections, over a server in memory:
// no network and no Qt, so that the sanitizer build runs it too.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/Files.h"
#include "ftp/PublishedFiles.h"
#include "ftp/SyncManifest.h"
#include "ftp/TGallerySync.h"
#include "support/TempDir.h"
#include "tests/ftp/MemoryFtpServer.h"

namespace fsc {
namespace {

using test::TMemoryFtpServer;
using test::TMemoryFtpSession;
using test::TMemoryLoop;

constexpr const char* Remote = "/www/gallery/";

struct TSyncRun {
    std::string Failure;
    std::size_t Sent = 0, Deleted = 0;
    int FurtherSessions = 0;
};

TSyncRun Sync(TMemoryFtpServer& server, const std::string& folder, int connections) {
    TMemoryLoop loop;
    TMemoryFtpSession first(server, loop);
    TSyncLogin login;
    login.Host = "example.org";
    login.User = "user";
    TGallerySync sync(first, login, "www/gallery", GalleryFolderFiles(folder));
    sync.Connections = connections;
    int further = 0;
    sync.NewSession = [&] {
        ++further;
        // Slower than the first, which must still wait for them before the pages.
        return std::make_unique<TMemoryFtpSession>(server, loop, 3);
    };
    bool finished = false;
    sync.OnFinished = [&] { finished = true; };
    sync.Start();
    loop.Run();
    EXPECT_TRUE(finished);
    return {sync.Failure, sync.SentCount, sync.DeletedCount, further};
}

// The server holds exactly the folder's files, byte for byte, and the manifest.
void ExpectServerHolds(const TMemoryFtpServer& server, const std::string& folder) {
    std::size_t count = 0;
    for (const auto& [path, bytes] : server.Files) {
        ASSERT_TRUE(path.starts_with(Remote)) << path;
        const std::string name = path.substr(std::string(Remote).size());
        if (name == SyncManifestName) continue;
        ++count;
        EXPECT_EQ(bytes, ReadFileBytes(folder + "/" + name)) << name;
    }
    EXPECT_EQ(count, GalleryFolderFiles(folder).size());
    EXPECT_TRUE(server.Files.count(std::string(Remote) + SyncManifestName));
}

// Every file went up under a temporary name; the pages went live after everything they
// show, however many connections carried the pictures.
void ExpectPagesWentLiveLast(const TMemoryFtpServer& server) {
    std::vector<std::string> live;
    for (const std::string& line : server.Log) {
        if (line.starts_with("STOR ")) {
            EXPECT_TRUE(line.ends_with(SyncPartSuffix)) << line;
        }
        if (line.starts_with("RNTO ") && !line.ends_with(SyncManifestName))
            live.push_back(line.substr(5));
    }
    const auto firstPage = std::find_if(live.begin(), live.end(),
                                        [](const std::string& p) { return p.ends_with(".html"); });
    ASSERT_NE(firstPage, live.begin());
    EXPECT_TRUE(std::all_of(firstPage, live.end(),
                            [](const std::string& p) { return p.ends_with(".html"); }));
}

TEST(SyncOverMemoryServer, SharesThePicturesOutPagesLastThenSendsOnlyWhatChanged) {
    test::TempDir gallery;
    ForceDirectories(gallery / "images");
    for (int i = 0; i < 12; ++i)
        WriteFileBytes(gallery / ("images/p" + std::to_string(i) + ".jpg"),
                       std::string(std::size_t(100 + 700 * i), char('a' + i)));
    WriteFileBytes(gallery / "style.css", "body {}");
    WriteFileBytes(gallery / "page2.html", "<p>2</p>");
    WriteFileBytes(gallery / "index.html", "<p>1</p>");

    TMemoryFtpServer server;
    TSyncRun run = Sync(server, gallery.Path(), 3);
    EXPECT_EQ(run.Failure, "");
    EXPECT_EQ(run.Sent, 15u);
    EXPECT_EQ(run.FurtherSessions, 2);
    ExpectServerHolds(server, gallery.Path());
    ExpectPagesWentLiveLast(server);

    server.Log.clear();
    run = Sync(server, gallery.Path(), 3);
    EXPECT_EQ(run.Failure, "");
    EXPECT_EQ(run.Sent, 0u);
    EXPECT_TRUE(std::none_of(server.Log.begin(), server.Log.end(),
                             [](const std::string& l) { return !l.ends_with(SyncManifestName); }));

    WriteFileBytes(gallery / "images/p3.jpg", "changed");
    std::filesystem::remove(gallery / "images/p7.jpg");
    run = Sync(server, gallery.Path(), 1);
    EXPECT_EQ(run.Failure, "");
    EXPECT_EQ(run.Sent, 1u);
    EXPECT_EQ(run.Deleted, 1u);
    ExpectServerHolds(server, gallery.Path());
}

}  // namespace
}  // namespace fsc
