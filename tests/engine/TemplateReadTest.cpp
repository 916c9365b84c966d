// Reading template files: keys and passes, copies, parameters and refused targets.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/Errors.h"
#include "base/Files.h"
#include "engine/InsideHTMLDir.h"
#include "engine/InsideTemplateFolder.h"
#include "engine/TTemplate.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

class TemplateRead : public ::testing::Test {
protected:
    test::TempDir dir;
    TTemplateReadSettings settings;

    TemplateRead() { settings.HTMLExtensions = {"HTML", "HTM", "PHP"}; }

    void Write(const std::string& name, const std::string& text) {
        const std::string path = dir / name;
        ForceDirectories(ExtractFileDirOf(path));
        WriteFileBytes(path, text);
    }
    static std::string ExtractFileDirOf(const std::string& path) {
        return path.substr(0, path.rfind('/'));
    }
    TTemplate Read(const std::string& text) { return ReadIn("", text); }
    TTemplate ReadIn(const std::string& folder, const std::string& text) {
        const std::string path = folder.empty() ? "my.tpl" : folder + "/my.tpl";
        Write(path, text);
        return TTemplate::Create(dir / path, settings);
    }
};

TEST_F(TemplateRead, IndexFileIsTheGalleryByDefault) {
    Write("my.tpl.dir/start.html", "<html>start</html>\r\n");
    const TTemplate tpl = Read("INDEXFILE=my.tpl.dir\\start.html\r\n");
    EXPECT_TRUE(tpl.IndexIsGallery);
    EXPECT_EQ(tpl.GalleryFileName, "start.html");
    EXPECT_EQ(tpl.IndexPage, (TStringList{"<html>start</html>"}));
    EXPECT_FALSE(tpl.GalleryPage.has_value());
    EXPECT_EQ(tpl.Lines, (TStringList{"INDEXFILE=my.tpl.dir\\start.html"}));
}

TEST_F(TemplateRead, SeparateIndexAndGalleryPages) {
    Write("my.tpl.dir/index.html", "index");
    Write("my.tpl.dir/thumbs.html", "thumbs");
    // "true" in lower case counts: the value is upper-cased first.
    const TTemplate tpl = Read(
        "GALLERYFILE=my.tpl.dir/thumbs.html\r\nINDEXFILE = my.tpl.dir/index.html\r\n"
        "INDEXISNOTGALLERY= true\r\n");
    EXPECT_FALSE(tpl.IndexIsGallery);
    EXPECT_EQ(tpl.GalleryFileName, "index.html");
    EXPECT_EQ(tpl.GalleryPageName, "thumbs.html");
    ASSERT_TRUE(tpl.GalleryPage.has_value());
    EXPECT_EQ(*tpl.GalleryPage, (TStringList{"thumbs"}));
}

TEST_F(TemplateRead, MissingPagesFallBackToTheDefaultSkeleton) {
    const TTemplate tpl = Read(
        "INDEXFILE=nothing.html\r\nINDEXISNOTGALLERY=TRUE\r\nGALLERYFILE=none.html\r\n"
        "IMAGEHTMLTEMPLATE=absent.html\r\n");
    EXPECT_EQ(tpl.IndexPage, DefaultPageSkeleton());
    EXPECT_EQ(*tpl.GalleryPage, DefaultPageSkeleton());
    EXPECT_EQ(tpl.ImagePageSkeleton, settings.ImagePageSkeleton);
}

TEST_F(TemplateRead, GalleryFileIsIgnoredWhileTheIndexIsTheGallery) {
    Write("g.html", "g");
    const TTemplate tpl = Read("GALLERYFILE=g.html\r\nINDEXISNOTGALLERY=false\r\n");
    EXPECT_FALSE(tpl.GalleryPage.has_value());
    EXPECT_EQ(tpl.GalleryPageName, "");
}

TEST_F(TemplateRead, LaterIndexLinesWin) {
    Write("a.html", "a");
    Write("b.html", "b");
    const TTemplate tpl = Read("INDEXFILE=a.html\r\nINDEXFILE=b.html\r\n");
    EXPECT_EQ(tpl.GalleryFileName, "b.html");
    EXPECT_EQ(tpl.IndexPage, (TStringList{"b"}));
}

TEST_F(TemplateRead, ImagePageSkeletonFromItsFile) {
    Write("img.html", "<p><!-IMAGE-></p>");
    const TTemplate tpl = Read("USEIMAGEASHTML=true\r\nIMAGEHTMLTEMPLATE=img.html\r\n");
    EXPECT_EQ(tpl.ImagePageSkeleton, (TStringList{"<p><!-IMAGE-></p>"}));
}

TEST_F(TemplateRead, IndexBesideTheTemplateWhenNoIndexLine) {
    settings.DefaultHTMLExt = "htm";
    Write("my.htm", "beside");
    EXPECT_EQ(Read("DESCRIPTION=x\r\n").IndexPage, (TStringList{"beside"}));
    EXPECT_EQ(Read("INDEXISNOTGALLERY=false\r\n").IndexPage, (TStringList{"beside"}));
    settings.DefaultHTMLExt = "html";
    EXPECT_TRUE(Read("DESCRIPTION=x\r\n").IndexPage.empty());
}

TEST_F(TemplateRead, CopyLinesMakeExtraPagesOrPlainCopies) {
    Write("my.tpl.dir/about.htm", "about <!-NAME->");
    Write("my.tpl.dir/style.css", "body{}");
    Write("my.tpl.dir/run.php", "php");
    const TTemplate tpl = Read(
        "COPY my.tpl.dir\\style.css TO css\\deep/style.css\r\n"
        "COPY  my.tpl.dir/about.htm TO about.htm \r\n"
        "COPY my.tpl.dir/run.php TO cgi/run.PHP\r\n"
        "COPYRIGHT=nobody\r\n");
    ASSERT_EQ(tpl.CopyFiles.size(), 1u);
    EXPECT_EQ(tpl.CopyFiles[0].SubDir, "css/deep");
    EXPECT_EQ(tpl.CopyFiles[0].FileName, "style.css");
    EXPECT_EQ(tpl.CopyFiles[0].Source, dir / "my.tpl.dir/style.css");
    ASSERT_EQ(tpl.ExtraPages.size(), 2u);
    EXPECT_EQ(tpl.ExtraPages[0].FileName, "about.htm");
    EXPECT_EQ(tpl.ExtraPages[0].SubDir, "");
    EXPECT_EQ(tpl.ExtraPages[0].Lines, (TStringList{"about <!-NAME->"}));
    EXPECT_EQ(tpl.ExtraPages[0].SourceFile, dir / "my.tpl.dir/about.htm");
    EXPECT_EQ(tpl.ExtraPages[0].PageNumber + tpl.ExtraPages[0].ImageNumber, 0);
    // The program options' extension list decides too, in any case.
    EXPECT_EQ(tpl.ExtraPages[1].FileName, "run.PHP");
    EXPECT_EQ(tpl.ExtraPages[1].SubDir, "cgi");
}

TEST_F(TemplateRead, Parameters) {
    const TTemplate tpl = Read(
        "ASKDEFAULT=ignored before any ASK line\r\n"
        "ASKSTRING=Title\r\nASKDEFAULT= My Gallery \r\n"
        "ASKCOLOR=Back\r\n"
        "ASKCOLOR=Text\r\nASKDEFAULT=navy\r\n");
    ASSERT_EQ(tpl.Parameters.size(), 3u);
    EXPECT_EQ(tpl.Parameters[0], (TParameter{"Title", "My Gallery", "My Gallery", ParameterText}));
    EXPECT_EQ(tpl.Parameters[1], (TParameter{"Back", "", "", ParameterColour}));
    EXPECT_EQ(tpl.Parameters[2], (TParameter{"Text", "navy", "navy", ParameterColour}));
}

TEST_F(TemplateRead, UnreadableFilesRaiseErrorsNamingThem) {
    try {
        TTemplate::Create(dir / "missing.tpl", settings);
        FAIL() << "no error";
    } catch (const EFSC_Exception& e) {
        EXPECT_NE(std::string(e.what()).find("missing.tpl"), std::string::npos) << e.what();
    }
    try {
        Read("COPY gone.htm TO gone.htm\r\n");
        FAIL() << "no error";
    } catch (const EFSC_Exception& e) {
        EXPECT_NE(std::string(e.what()).find("gone.htm"), std::string::npos) << e.what();
    }
}

TEST_F(TemplateRead, CopyTargetsOutsideTheHTMLDirectoryAreRefused) {
    Write("x.css", "x");
    for (const char* target : {"../x.css", "a/../../x.css", "..\\x.css", "/etc/x.css", "\\x.css",
                               "C:\\x.css", "a\\..\\..\\x.htm"}) {
        const std::string line = std::string("COPY x.css TO ") + target;
        try {
            Read(line + "\r\n");
            ADD_FAILURE() << "accepted " << target;
        } catch (const EFSC_Exception& e) {
            EXPECT_EQ(std::string(e.what()), "Template line \"" + line + "\": the target \"" +
                                                 target + "\" lies outside the HTML directory.");
        }
    }
}

// The command line's tests cover INDEXFILE and COPY; these are the other keys.
TEST_F(TemplateRead, FilesOutsideTheTemplatesFolderAndTheLibraryAreRefused) {
    for (const char* line : {"GALLERYFILE=..\\none.html", "IMAGEHTMLTEMPLATE=a/../../none.html"}) {
        EXPECT_THROW(ReadIn("tpl", std::string("INDEXISNOTGALLERY=true\r\n") + line),
                     EFSC_Exception);
    }
    // Inside the template's folder a missing page still falls back; the library is shared.
    Write("lib/shared.css", "shared");
    settings.LibraryFolder = dir / "lib/";
    const TTemplate tpl =
        ReadIn("tpl", "INDEXFILE=sub/../none.html\r\nCOPY ../lib/shared.css TO s.css\r\n");
    EXPECT_EQ(tpl.IndexPage, DefaultPageSkeleton());
    ASSERT_EQ(tpl.CopyFiles.size(), 1u);
    // The page beside the template has no line of its own; a link can still lead out.
    std::filesystem::create_symlink("/etc/hostname", dir / "tpl/my.html");
    EXPECT_THROW(ReadIn("tpl", "DESCRIPTION=x\r\n"), EFSC_Exception);
}

TEST(InsideTemplateFolder, PathsAreComparedAsTheSystemOpensThem) {
    test::TempDir dir;
    ForceDirectories(dir / "tpl/sub");
    ForceDirectories(dir / "tpl2");
    std::filesystem::create_symlink(dir / "tpl2", dir / "tpl/away");
    std::filesystem::create_symlink(dir / "tpl/sub", dir / "tpl2/back");
    EXPECT_TRUE(LiesInsideFolder(dir / "tpl/sub/none.html", dir / "tpl"));
    EXPECT_TRUE(LiesInsideFolder(dir / "tpl2/back/x.html", dir / "tpl/"));
    // A folder whose name merely starts with the template folder's is another folder.
    EXPECT_FALSE(LiesInsideFolder(dir / "tpl2/x.html", dir / "tpl"));
    EXPECT_FALSE(LiesInsideFolder(dir / "tpl/away/x.html", dir / "tpl"));
    // ".." after a link climbs from where the link points, as the system does.
    EXPECT_FALSE(LiesInsideFolder(dir / "tpl/away/../secret.txt", dir / "tpl"));
    EXPECT_FALSE(LiesInsideFolder(dir / "tpl/x.html", ""));
}

TEST_F(TemplateRead, IndexAndGalleryNamedDotDotAreRefused) {
    EXPECT_THROW(Read("INDEXFILE=sub\\..\r\n"), EFSC_Exception);
    EXPECT_THROW(Read("INDEXISNOTGALLERY=true\r\nGALLERYFILE=..\r\n"), EFSC_Exception);
}

TEST(InsideHTMLDir, TemplateTargetsAreCheckedBeforeABuild) {
    struct Case {
        const char* what;
        std::function<void(TTemplate&)> change;
        std::string error;
    };
    const Case cases[] = {
        {"a safe template", [](TTemplate&) {}, ""},
        {"gallery file name", [](TTemplate& t) { t.GalleryFileName = "../index.html"; },
         "Gallery file name \"../index.html\" lies outside the HTML directory."},
        {"gallery page name", [](TTemplate& t) { t.GalleryPageName = "/tmp/g.html"; },
         "Gallery page name \"/tmp/g.html\" lies outside the HTML directory."},
        {"extra page directory",
         [](TTemplate& t) {
             t.ExtraPages.push_back({{}, "a/../..", "x.htm", "", 0, 0});
         },
         "Template page \"a/../../x.htm\" lies outside the HTML directory."},
        {"plain copy",
         [](TTemplate& t) {
             t.CopyFiles.push_back({"..\\css", "a.css", "s"});
         },
         "Template file \"..\\css/a.css\" lies outside the HTML directory."},
    };
    for (const Case& c : cases) {
        TTemplate tpl = TTemplate::Create();
        tpl.GalleryFileName = "sub/index.html";
        tpl.ExtraPages.push_back({{}, "pages", "about.htm", "", 0, 0});
        c.change(tpl);
        std::string error;
        try {
            CheckTemplateTargets(tpl);
        } catch (const EFSC_Exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(InsideHTMLDir, RelativePathsThatStayInside) {
    for (const char* inside :
         {"", "a.css", "css/a.css", "a/../b.css", "./a.css", "a\\b\\c.css", "a/b/../../c.css"}) {
        EXPECT_TRUE(StaysInsideHTMLDir(inside)) << inside;
    }
    for (const char* outside : {"..", "../a", "a/../../b", "/a", "\\a", "d:a", "a\\..\\..\\b"}) {
        EXPECT_FALSE(StaysInsideHTMLDir(outside)) << outside;
    }
    EXPECT_THROW(RequireInsideHTMLDir("../index.html", "Gallery file name"), EFSC_Exception);
}

}  // namespace
}  // namespace fsc
