#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"
#include "templates/TScheme.h"

namespace fsc {
namespace {

TEST(Schemes, KindsHaveTheirTextsSuffixesFiltersAndStartupFiles) {
    struct Case {
        int Kind;
        TStringList Text;
        const char* Suffix;
        const char* Filter;
        const char* Startup;
    };
    const Case cases[] = {
        {SchemeThumbnail, {"<!-THUMB->"}, "ths", "Thumbnail Scheme|*.ths", "thumbscheme.txt"},
        {SchemeImage,
         {"<!-IMAGE-> <br> <!-DESCRIPTION-> ", "<br><br><!-ORVIKLINK-> "},
         "ims",
         "Image Scheme|*.ims",
         "imagescheme.txt"},
        {SchemeNavigation,
         {"<!-IFPREVIOUS-> <a href=\"<!-LINK->\"> Previous </a> <!-ENDIF-> ",
          "<!-IFNEXT-> <a href=\"<!-LINK->\"> Next </a> <!-ENDIF->"},
         "nvs",
         "Navigation Scheme|*.nvs",
         "navscheme.txt"},
        {SchemeGallery,
         {"<!-NAVIGATION-> <br><br> <!-GALLERY-> ", "<br> <!-ORVIKLINK-> "},
         "gls",
         "Gallery Scheme|*.gls",
         "galleryscheme.txt"},
    };
    TSchemes schemes;
    for (const Case& c : cases) {
        EXPECT_EQ(schemes.OfKind(c.Kind).Kind, c.Kind);
        EXPECT_EQ(schemes.OfKind(c.Kind).Text, c.Text) << c.Kind;
        EXPECT_EQ(SchemeFileSuffix(c.Kind), c.Suffix);
        EXPECT_EQ(SchemeFileFilter(c.Kind), c.Filter);
        EXPECT_EQ(SchemeStartupFileName(c.Kind), c.Startup);
    }
    EXPECT_THROW(schemes.OfKind(4), EFSC_Exception);
}

TEST(Schemes, StartupFilesComeFromTheUsersFolderThenTheDataFolder) {
    test::TempDir config, data;
    test::ScopedEnv configVar("XDG_CONFIG_HOME", config.Path());
    test::ScopedEnv dataVar("FOLIOSCOPE_DATA_DIR", data.Path());
    ForceDirectories(config / "folioscope");
    SaveLines(data / "imagescheme.txt", {"data image"});
    SaveLines(data / "navscheme.txt", {"data nav", "second"});
    SaveLines(config / "folioscope/navscheme.txt", {"user nav"});

    const TSchemes schemes = CreateStartupSchemes();
    EXPECT_EQ(schemes.Image.Text, (TStringList{"data image"}));
    EXPECT_EQ(schemes.Navigation.Text, (TStringList{"user nav"}));
    // A missing start-up file leaves the built-in text.
    EXPECT_EQ(schemes.Thumbnail.Text, DefaultSchemeText(SchemeThumbnail));
    EXPECT_EQ(schemes.Gallery.Text, DefaultSchemeText(SchemeGallery));
}

TEST(Schemes, FilesHoldTheLinesAndNothingElse) {
    test::TempDir dir;
    TScheme scheme{SchemeGallery, {"<!-GALLERY-> ", "", "  <!-ORVIKLINK->"}};
    const std::string path = dir / "mine.gls";
    SaveSchemeFile(scheme, path);
    EXPECT_EQ(ReadFileBytes(path), "<!-GALLERY-> \r\n\r\n  <!-ORVIKLINK->\r\n");
    TScheme loaded{SchemeGallery, {}};
    LoadSchemeFile(loaded, path);
    EXPECT_EQ(loaded, scheme);
}

TEST(Schemes, AFileThatCannotBeReadKeepsTheText) {
    test::TempDir dir;
    TScheme scheme{SchemeImage, {"kept"}};
    EXPECT_THROW(LoadSchemeFile(scheme, dir / "missing.ims"), EFSC_Exception);
    EXPECT_EQ(scheme.Text, (TStringList{"kept"}));
}

}  // namespace
}  // namespace fsc
