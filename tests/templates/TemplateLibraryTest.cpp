#include <gtest/gtest.h>

#include "base/Files.h"
#include "support/TempDir.h"
#include "templates/TemplateLibrary.h"

namespace fsc {
namespace {

TEST(TemplateLibrary, HtmlNamesFirstThenTplNamesNotAmongThem) {
    test::TempDir dir;
    for (const char* name : {"a.html", "b.tpl", "a.tpl", "c.jpg", "A.tpl", "d.html"}) {
        WriteFileBytes(dir / name, "x");
    }
    ForceDirectories(dir / "b.tpl.dir");
    ForceDirectories(dir / "e.tpl");  // a folder is no template
    EXPECT_EQ(ListTemplates(dir.Path()), (TStringList{"a", "d", "A", "b"}));
}

TEST(TemplateLibrary, MissingOrEmptyFolderGivesAnEmptyList) {
    test::TempDir dir;
    EXPECT_TRUE(ListTemplates(dir.Path()).empty());
    EXPECT_TRUE(ListTemplates(dir / "missing").empty());
}

TEST(TemplateLibrary, EntriesNameTheirFileAndPreview) {
    test::TempDir dir;
    WriteFileBytes(dir / "blue.jpg", "jpeg");
    EXPECT_EQ(TemplatePath(dir.Path(), "blue"), dir / "blue.tpl");
    EXPECT_EQ(TemplatePath(dir.Path(), "USER:/some/where/my.tpl"), "/some/where/my.tpl");
    EXPECT_EQ(TemplatePreviewFile(dir.Path(), "blue"), dir / "blue.jpg");
    EXPECT_EQ(TemplatePreviewFile(dir.Path(), "red"), "");
    WriteFileBytes(dir / "USER:x.jpg", "jpeg");
    EXPECT_EQ(TemplatePreviewFile(dir.Path(), "USER:x"), "");
}

TEST(TemplateLibrary, DescriptionIsTheLastLineCutTo99Characters) {
    const std::string long100(100, 'd');
    const std::pair<TStringList, std::string> cases[] = {
        {{"INDEXFILE=x", "DESCRIPTION=first", "DESCRIPTION=second one"}, "second one"},
        {{"DESCRIPTION=" + long100}, long100.substr(0, 99)},
        {{"description=lower case"}, ""},
        {{" DESCRIPTION=indented"}, ""},
        {{}, ""},
    };
    for (const auto& [lines, description] : cases) {
        EXPECT_EQ(TemplateDescription(lines), description) << JoinLines(lines);
    }
}

}  // namespace
}  // namespace fsc
