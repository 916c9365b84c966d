// "publish" against servers that try to make the client hoard memory: a reply line that never
// ends, a reply that never ends, a listing that never ends and a manifest far larger than any
// gallery's. Each ends with a clear message (the manifest is ignored and the gallery sent
// whole), and no run takes more than 100 MB.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "tests/ftp/FtpTestSupport.h"

namespace fsc::test {
namespace {

// The largest resident size of any child process waited for so far, in bytes.
long PeakOfChildren() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss * 1024L;
}

// A manifest of the right form, line after line, far past what any gallery needs.
void WriteHugeManifest(const std::string& path, int lines) {
    std::ofstream out(path, std::ios::binary);
    out << "folioscope sync manifest\t1\n";
    const std::string hash(64, 'a');
    for (int i = 0; i < lines; ++i) out << "images/picture" << i << ".jpg\t1000\t" << hash << "\n";
}

TEST(CliHostileServer, NoServerCanMakeThePublishHoardMemory) {
    EnsureQtApplication();
    TCliRun run;
    WriteTestPictures(run.Root / "pictures");
    const std::string out = run.Root / "out", root = run.Root / "root";
    ASSERT_EQ(run.Build({"--images", run.Root / "pictures", "--html-dir", out, "--html-file",
                         "index.html", "--quiet"})
                  .ExitCode,
              0);
    ForceDirectories(root + "/gal");
    // About 200 MB: the size that once cost 900 MB to read.
    WriteHugeManifest(root + "/gal/.folioscope-manifest", 1'700'000);

    struct TCase {
        const char* Scenario;
        const char* Message;
        int ExitCode;
    };
    for (const TCase& hostile :
         {TCase{"endlessline", "longer than any server needs", 1},
          TCase{"endlessreply", "longer than any server needs", 1},
          TCase{"endlesslisting", "Cannot check the size of images/a.jpg on the server", 1},
          // Ignored as untrustworthy: everything is sent and nothing deleted.
          TCase{"files", "The manifest on the server is ignored: it is larger than", 0}}) {
        SCOPED_TRACE(hostile.Scenario);
        FtpServerProcess server(
            TestScript("scripted_ftp_server.py"),
            {hostile.Scenario, QString::fromStdString(run.Root / "commands.log"),
             QString::fromStdString(root)});
        ASSERT_EQ(server.Error(), "");
        const ProgramResult result =
            run.Run({"publish", "--html-dir", out, "--html-file", "index.html", "--no-tls",
                     "--connections", "1", "ftp://user@" + server.Host() + "/gal"},
                    {"FOLIOSCOPE_FTP_PASSWORD=secret"});
        // Measured before the server stops: only the client runs have been waited for.
        EXPECT_LT(PeakOfChildren(), 100L << 20);
        EXPECT_EQ(result.ExitCode, hostile.ExitCode);
        EXPECT_NE(result.Err.find(hostile.Message), std::string::npos) << result.Err;
    }
}

}  // namespace
}  // namespace fsc::test
