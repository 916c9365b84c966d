#include <gtest/gtest.h>

#include "base/Paths.h"

namespace fsc {
namespace {

TEST(PathParts, AcceptBothSeparators) {
    struct Case {
        const char* path;
        const char* name;
        const char* ext;
        const char* dir;
        const char* withSeparator;
    };
    const Case cases[] = {
        {"/home/u/pic.JPG", "pic.JPG", ".JPG", "/home/u", "/home/u/"},
        {"images\\sub\\a.b.png", "a.b.png", ".png", "images\\sub", "images\\sub\\"},
        {"mixed/dir\\file", "file", "", "mixed/dir", "mixed/dir\\"},
        {"dotted.dir/noext", "noext", "", "dotted.dir", "dotted.dir/"},
        {"plain.html", "plain.html", ".html", "", ""},
        {"/root.txt", "root.txt", ".txt", "/", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFileExt(c.path), c.ext);
        EXPECT_EQ(ExtractFileDir(c.path), c.dir);
        EXPECT_EQ(ExtractFilePath(c.path), c.withSeparator);
    }
}

TEST(PathJoin, UsesOneSeparator) {
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a\\", "b"), "/a\\b");
    EXPECT_EQ(JoinPath("/a", "\\b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
    EXPECT_EQ(JoinPath("/a", "/abs"), "/abs");
    EXPECT_EQ(JoinPath("/a", ""), "/a");
}

TEST(PathConversions, ChangeSeparatorsAndExtensions) {
    EXPECT_EQ(ToInternalPath("Templates\\blue\\page.html"), "Templates/blue/page.html");
    EXPECT_EQ(ToStoredPath("images/thumbs"), "images\\thumbs");
    EXPECT_EQ(ChangeFileExt("a/b.tpl", ".html"), "a/b.html");
    EXPECT_EQ(ChangeFileExt("a.d/b", ".html"), "a.d/b.html");
    EXPECT_EQ(ExcludeTrailingSeparator("/x/y//"), "/x/y");
    EXPECT_EQ(ExcludeTrailingSeparator("/"), "/");
    EXPECT_EQ(IncludeTrailingSeparator("/x"), "/x/");
    EXPECT_EQ(CompanionFolder("/p/gallery.gal"), "/p/gallery.gal.dir");
}

}  // namespace
}  // namespace fsc
