// Every template of the shipped library, applied with parameter values and built from real
// pictures: the pages it writes are complete, their links resolve and tidy finds no errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>

#include "app/CreateGallery.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "imaging/GraphicsIO.h"
#include "support/TempDir.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"
#include "templates_shipped/ShippedGallery.h"

namespace fsc {
namespace {

using test::TempDir;

struct TShippedCase {
    std::string Label;
    std::string Template;
    std::map<std::string, std::string> Values;
    // Pages the gallery must have, besides the image pages.
    std::vector<std::string> Pages;
    // Texts the main page must show, so the parameters really reach the pages.
    std::vector<std::string> MainPageTexts;
    // One page per picture, which the thumbnails link to.
    bool ImagePages = true;
};

std::ostream& operator<<(std::ostream& out, const TShippedCase& c) { return out << c.Label; }

// 14 pictures: more than one page for the table, one page for the others.
constexpr int PictureCount = 14;

const std::vector<TShippedCase>& Cases() {
    static const std::vector<TShippedCase> cases = {
        {"ClassicTable",
         "Classic",
         {{"Title", "Summer by the Lake"}, {"Frame", "#6B4E2E"}},
         {"index.html", "index2.html", "classic.css"},
         {"<h1>Summer by the Lake</h1>", "--light-frame: #6B4E2E;", "<table"}},
        {"ModernDark",
         "Modern",
         {{"Title", "Night Walks"}},
         {"index.html", "modern.css"},
         {"<h1>Night Walks</h1>", "--dark-background: #121417;", "<ul class=\"grid\""}},
        {"ModernLight",
         "Modern",
         {{"Title", "Day Trips"},
          {"Light background", "#FAFAF7"},
          {"Light text", "#1D1D1F"},
          {"Light accent", "#0B6E4F"},
          {"Colour theme (auto, light, dark)", "light"}},
         {"index.html", "modern.css"},
         {"--light-background: #FAFAF7; --light-text: #1D1D1F; --light-accent: #0B6E4F;",
          "data-theme=\"light\""}},
        {"SlideShow",
         "Slideshow",
         {{"Title", "Holiday Slides"}, {"Buttons", "navy"}},
         {"index.html", "slideshow.css"},
         {"value=\"First\"", "value=\"Prev\"", "value=\"Next\"", "value=\"Last\"",
          "--buttons: navy;"},
         false},
        {"Frames",
         "Frames",
         {{"Title", "Album in Frames"}},
         {"index.html", "thumbs.html", "welcome.html", "frames.css"},
         {"src=\"thumbs.html\"", "name=\"view\"", "<h1>Album in Frames</h1>"}},
    };
    return cases;
}

std::string ShippedLibrary() { return FSC_SHIPPED_TEMPLATES; }

TEST(ShippedLibrary, ListsEachTemplateWithDescriptionPreviewAndCompanionFolder) {
    const std::string library = ShippedLibrary();
    EXPECT_EQ(ListTemplates(library), (TStringList{"Classic", "Frames", "Modern", "Slideshow"}));
    for (const std::string& name : ListTemplates(library)) {
        const std::string path = TemplatePath(library, name);
        const std::string description = TemplateDescription(LoadLines(path));
        EXPECT_FALSE(description.empty()) << name;
        // The template dialog shows 99 characters of it.
        EXPECT_LE(description.size(), 99u) << name;
        EXPECT_TRUE(DirectoryExists(CompanionFolder(path))) << name;
        const std::string preview = TemplatePreviewFile(library, name);
        ASSERT_FALSE(preview.empty()) << name;
        const TBitmap picture = LoadPicture(preview);
        EXPECT_EQ(picture.Width, 240) << name;
        EXPECT_EQ(picture.Height, 161) << name;
    }
}

// Each template folder carries its own lightbox, so that a template copied alone still has
// it; a mend made in one folder must reach the others.
TEST(ShippedLibrary, TheLightboxFilesAreTheSameInEveryTemplateThatHasThem) {
    const std::string library = ShippedLibrary();
    for (const std::string file :
         {"lightbox.js", "lightbox.css", "photoswipe/photoswipe.umd.min.js",
          "photoswipe/photoswipe.css", "photoswipe/LICENSE"}) {
        const std::string modern = ReadFileBytes(JoinPath(library, "Modern.tpl.dir/" + file));
        EXPECT_FALSE(modern.empty()) << file;
        for (const std::string other : {"Classic", "Frames"}) {
            EXPECT_EQ(ReadFileBytes(JoinPath(library, other + ".tpl.dir/" + file)), modern)
                << other << ": " << file;
        }
    }
}

class ShippedTemplate : public ::testing::TestWithParam<TShippedCase> {
protected:
    // FSC_KEEP_SHIPPED_GALLERIES keeps each gallery in a folder of that name for a look in
    // a browser; otherwise everything goes when the test ends.
    std::string Site() {
        const char* keep = std::getenv("FSC_KEEP_SHIPPED_GALLERIES");
        if (keep == nullptr || *keep == '\0') return root / "site";
        const std::string site = JoinPath(keep, GetParam().Label);
        std::filesystem::remove_all(site);
        return site;
    }

    Workspace BuiltGallery(const std::string& site) {
        Workspace ws;
        ws.TemplateLibrary = ShippedLibrary();
        test::ApplyLibraryTemplate(ws, GetParam().Template, GetParam().Values);
        ws.Images = test::WriteScenePictures(root / "pictures", PictureCount);
        test::BuildWorkspaceGallery(ws, site, "index.html");
        return ws;
    }

    TempDir root;
};

TEST_P(ShippedTemplate, AppliesWithTheGivenParameterValues) {
    Workspace ws;
    ws.TemplateLibrary = ShippedLibrary();
    test::ApplyLibraryTemplate(ws, GetParam().Template, GetParam().Values);
    EXPECT_EQ(ws.Main.TemplateName, GetParam().Template);
    for (const auto& [name, value] : GetParam().Values) {
        const auto& parameters = ws.Template.Parameters;
        const auto found = std::find_if(parameters.begin(), parameters.end(),
                                        [&](const TParameter& p) { return p.Name == name; });
        ASSERT_NE(found, parameters.end()) << name;
        EXPECT_EQ(found->Value, value) << name;
    }
    // Every template asks for a title and at least one colour, each with a default.
    const auto& parameters = ws.Template.Parameters;
    EXPECT_TRUE(std::any_of(parameters.begin(), parameters.end(),
                            [](const TParameter& p) { return p.Name == "Title"; }));
    EXPECT_TRUE(std::any_of(parameters.begin(), parameters.end(),
                            [](const TParameter& p) { return p.Kind == ParameterColour; }));
    // Only where the gallery will live has no default: the author alone knows it.
    for (const TParameter& p : parameters) {
        if (p.Name != "Web address (for link previews)") {
            EXPECT_FALSE(p.Default.empty()) << p.Name;
        }
    }
}

TEST_P(ShippedTemplate, BuildsEveryPageWithLinksThatResolve) {
    const std::string site = Site();
    const Workspace ws = BuiltGallery(site);
    for (const std::string& page : GetParam().Pages) {
        EXPECT_TRUE(FileExists(JoinPath(site, page))) << page;
    }
    const std::string mainPage = ReadFileBytes(JoinPath(site, "index.html"));
    for (const std::string& text : GetParam().MainPageTexts) {
        EXPECT_NE(mainPage.find(text), std::string::npos) << text;
    }
    for (const TThumbnail& thumb : ws.Images) {
        EXPECT_TRUE(FileExists(JoinPath(site, "images/" + thumb.Name))) << thumb.Name;
        EXPECT_TRUE(FileExists(JoinPath(site, "images/" + thumb.ThumbName))) << thumb.ThumbName;
    }
    std::set<std::string> linked;
    for (const std::string& page : test::PagesBelow(site)) {
        EXPECT_EQ(test::BrokenLinks(site, page), std::vector<std::string>{}) << page;
        EXPECT_EQ(test::LeftoverTags(JoinPath(site, page)), std::vector<std::string>{}) << page;
        for (const auto& link : test::LinkTargets(site, page)) linked.insert(link.second);
    }
    // Every picture can be reached from the gallery's pages, through its own page or not.
    for (const TThumbnail& thumb : ws.Images) {
        const std::string imagePage = site + "/images/image_" + thumb.Name + ".html";
        EXPECT_EQ(FileExists(imagePage), GetParam().ImagePages) << imagePage;
        if (GetParam().ImagePages) {
            EXPECT_EQ(linked.count(imagePage), 1u) << imagePage;
        }
        EXPECT_EQ(linked.count(site + "/images/" + thumb.Name), 1u) << thumb.Name;
    }
}

TEST_P(ShippedTemplate, TidyFindsNoErrorsInAnyPage) {
    const std::string site = Site();
    BuiltGallery(site);
    for (const std::string& page : test::PagesBelow(site)) {
        const test::TTidyReport report = test::Tidy(JoinPath(site, page));
        ASSERT_GE(report.ExitCode, 0)
            << "tidy could not be run (" << FSC_TIDY_PATH << "): install Debian's tidy";
        EXPECT_LT(report.ExitCode, 2) << page;
        EXPECT_EQ(report.Errors, std::vector<std::string>{}) << page;
        EXPECT_EQ(report.Warnings, std::vector<std::string>{}) << page;
    }
}

TEST_P(ShippedTemplate, SavedAsTemplateAgainBuildsTheSamePages) {
    // "Save Settings As Template" after applying a shipped template, then a fresh start with
    // the saved file: the user's copy of a template must make the very same gallery.
    Workspace original = BuiltGallery(root / "first");
    const std::string saved = root / "saved/Mine.tpl";
    ForceDirectories(root / "saved");
    test::TNoMessages messages;
    SaveWorkspaceAsTemplate(original, saved, messages);

    Workspace copy;
    copy.TemplateLibrary = root / "empty-library";
    copy.Selection.Entries = {std::string(UserTemplatePrefix) + saved};
    copy.Selection.ItemIndex = 0;
    TemplateContext context = copy.Templates();
    test::TNoQuestions ask;
    SelectTemplate(context, TTemplateSender::TemplateDialog, {}, ask);
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    copy.Images = test::WriteScenePictures(root / "pictures", PictureCount);
    test::BuildWorkspaceGallery(copy, root / "second", "index.html");

    const std::vector<std::string> pages = test::PagesBelow(root / "first");
    EXPECT_EQ(test::PagesBelow(root / "second"), pages);
    for (const std::string& page : pages) {
        EXPECT_EQ(ReadFileBytes(JoinPath(root / "second", page)),
                  ReadFileBytes(JoinPath(root / "first", page)))
            << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Library, ShippedTemplate, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.Label; });

}  // namespace
}  // namespace fsc
