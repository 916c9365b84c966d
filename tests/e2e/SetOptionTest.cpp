// The command line's "--set": every key a saved template carries is taken, and each goes
// through the template reader with its own rule.
#include <gtest/gtest.h>

#include "app/Workspace.h"
#include "base/Errors.h"
#include "cli/SetOption.h"
#include "templates/SaveAsTemplate.h"

namespace fsc {
namespace {

TEST(SetOption, TakesEveryKeyThatSavingATemplateWrites) {
    // With a target frame and resizing on, the writer puts every key it knows.
    TFSC_Images images;
    TFSC_HTML html;
    LinkSettings(images, html);
    html.UseTargetFrame = true;
    html.TargetFrame = "main";
    images.ResizeImages = true;
    const TTemplate tpl = TTemplate::Create();
    for (const std::string& line : TemplateSettingsLines(images, html, tpl, {})) {
        const std::size_t equals = line.find('=');
        // Continuation lines of a multi-line value and the template's own lines have no key.
        if (equals == std::string::npos || line.rfind("ASK", 0) == 0) continue;
        const std::string key = line.substr(0, equals + 1);
        if (key == "INDEXFILE=" || key == "INDEXISNOTGALLERY=" || key == "GALLERYFILE=") continue;
        EXPECT_TRUE(IsTemplateSettingsKey(key)) << key;
    }
}

TEST(SetOption, AppliesValuesAsATemplateLineWouldAndRefusesWhatItCannotTake) {
    struct TCase {
        const char* Assignment;
        const char* Error;  // "" when it is taken
    };
    const TCase cases[] = {
        {"STYLE=collage", ""},
        {"THUMBWIDTH=150", ""},
        {"WATERMARKTEXT=(c) 2024", ""},
        {"SLIDESCHEME=<!-SLIDES->", ""},
        {"THUMBWIDTH=wide", "is not a valid integer value"},
        {"thumbwidth=150", "Unknown setting \"thumbwidth\""},
        {"INDEXFILE=x.html", "Unknown setting \"INDEXFILE\""},
        {"STYLE", "--set needs KEY=VALUE"},
        {"=list", "--set needs KEY=VALUE"},
    };
    for (const TCase& one : cases) {
        SCOPED_TRACE(one.Assignment);
        Workspace ws;
        if (std::string(one.Error).empty()) {
            EXPECT_NO_THROW(ApplySetOption(ws, one.Assignment));
            continue;
        }
        try {
            ApplySetOption(ws, one.Assignment);
            ADD_FAILURE() << "taken";
        } catch (const EFscError& error) {
            EXPECT_NE(std::string(error.what()).find(one.Error), std::string::npos) << error.what();
        }
    }
    Workspace ws;
    ApplySetOption(ws, "STYLE=collage");
    ApplySetOption(ws, "THUMBWIDTH=150");
    ApplySetOption(ws, "WATERMARKTEXT=(c) 2024");
    ApplySetOption(ws, "SLIDESCHEME=<!-SLIDES->");
    EXPECT_EQ(ws.Main.Style, TGalleryStyle::Collage);
    EXPECT_EQ(ws.Main.ThumbWidth, 150);
    EXPECT_EQ(ws.Watermark.Text, TStringList{"(c) 2024"});
    EXPECT_EQ(ws.SlideShow.SlideScheme, TStringList{"<!-SLIDES->"});
}

}  // namespace
}  // namespace fsc
