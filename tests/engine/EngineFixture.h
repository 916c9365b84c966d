// A small gallery for the page engine tests: images, settings, template and journal,
// with fixed random numbers, plus golden-file comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <string>

#include "base/Files.h"
#include "base/IProgress.h"
#include "base/IRandom.h"
#include "engine/PageSetup.h"
#include "engine/TPageContext.h"

namespace fsc::test {

// Hands out scripted numbers in turn (each clamped to the asked range), then zeros.
class TScriptedRandom final : public IRandom {
public:
    std::deque<int> Numbers;
    std::vector<int> Ranges;
    int Random(int range) override {
        Ranges.push_back(range);
        if (range <= 0) return 0;
        int value = 0;
        if (!Numbers.empty()) {
            value = Numbers.front();
            Numbers.pop_front();
        }
        return value % range;
    }
};

// Records every progress update, so tests can check the texts a long loop shows.
class TRecordingProgress final : public IProgress {
public:
    std::vector<std::string> Texts;
    void Update(int, int, const std::string& text, int) override { Texts.push_back(text); }
    void Hide() override {}

protected:
    void ShowText(const std::string& text) override { Texts.push_back(text); }
};

// Image i is "photo<i>.jpg" with thumbnail "photo<i>_th.jpg" of 70 x 52 and hint "Hint <i>".
inline TThumbnail SampleThumb(int i) {
    TThumbnail thumb;
    thumb.FileName = "/pictures/photo" + std::to_string(i) + ".jpg";
    thumb.Name = "photo" + std::to_string(i) + ".jpg";
    thumb.Link = thumb.Name;
    thumb.ThumbName = "photo" + std::to_string(i) + "_th.jpg";
    thumb.Hint = "Hint " + std::to_string(i);
    thumb.Description = "Description " + std::to_string(i);
    thumb.ThumbWidth = 70;
    thumb.ThumbHeight = 52;
    thumb.FileSize = 1000 + i;
    return thumb;
}

struct TEngineFixture {
    TThumbnailArray Thumbs;
    TFSC_Images Images;
    TFSC_HTML HTML;
    TTemplate Template = TTemplate::Create();
    TBuildJournal Journal;
    TScriptedRandom Random;
    TRecordingProgress Progress;
    TPageContext Context{Thumbs, Images, HTML, Template, Journal, Random, Progress, ""};

    // Settings as the HTML step leaves them just before the first page is made.
    explicit TEngineFixture(int imageCount) {
        LinkSettings(Images, HTML);
        for (int i = 0; i < imageCount; ++i) Thumbs.push_back(SampleThumb(i));
        HTML.ImageDir = ImageDirPrefix(HTML.ImageDir);
        WrapCSSFields(Template);
        Template.GalleryFileName = "index.html";
        SetPages();
    }

    void SetPages() {
        HTML.PerPage = HTML.Rows * HTML.Cols;
        HTML.PageCount = Thumbs.empty() ? 0 : (int(Thumbs.size()) - 1) / HTML.PerPage + 1;
    }
};

inline std::string DataFile(const std::string& name) {
    return std::string(FSC_ENGINE_TEST_DATA) + "/" + name;
}

// Compares with a stored page byte for byte; FSC_UPDATE_GOLDEN=1 rewrites the file instead,
// so that a review shows exactly what changed.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::string path = DataFile(name);
    const char* update = std::getenv("FSC_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteFileBytes(path, actual);
        return;
    }
    ASSERT_TRUE(FileExists(path)) << "missing expected file " << path;
    EXPECT_EQ(ReadFileBytes(path), actual) << "differs from " << path;
}

}  // namespace fsc::test
