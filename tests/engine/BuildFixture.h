// A gallery build on real files in a temporary folder: source pictures, an HTML directory,
// backup folders and scripted services (questions, progress with Abort, clock, compression
// dialog), for the build, undo and safety tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/IAsk.h"
#include "base/IClock.h"
#include "base/IProgress.h"
#include "base/IRandom.h"
#include "base/ITextRasteriser.h"
#include "engine/BuildGallery.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegWriter.h"
#include "support/TempDir.h"

namespace fsc::test {

// Answers from a script; a question nobody expected fails the test and gets No.
class TScriptedAsk final : public IAsk {
public:
    std::deque<bool> Answers;
    std::vector<std::pair<std::string, std::string>> Asked;
    bool Ask(const std::string& statement, const std::string& question) override {
        Asked.emplace_back(statement, question);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << statement << " / " << question;
            return false;
        }
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Records the texts and presses Abort when a text starting with AbortAt is shown; OnText
// lets a test change the world at a chosen moment of a build.
class TAbortingProgress final : public IProgress {
public:
    std::vector<std::string> Texts;
    std::string AbortAt;
    std::function<void(const std::string&)> OnText;
    bool Hidden = false;
    void Update(int, int, const std::string& text, int) override {
        Texts.push_back(text);
        Hidden = false;
        if (OnText) OnText(text);
        if (!AbortAt.empty() && text.rfind(AbortAt, 0) == 0) Abort();
    }
    void Hide() override { Hidden = true; }

protected:
    void ShowText(const std::string& text) override { Texts.push_back(text); }
};

// One second later on every call, so that each stored time is distinct and positive.
class TSteppingClock final : public IClock {
public:
    TDateTime Time = 45000.0;
    TDateTime Now() override { return Time += 1.0 / 86400; }
};

class TCountingRandom final : public IRandom {
public:
    int Next = 100;
    int Random(int range) override { return range <= 0 ? 0 : Next++ % range; }
};

// Every character is a filled 6 x 10 block.
class TBlockRasteriser final : public ITextRasteriser {
public:
    int TextWidth(const TFontSpec&, const std::string& text) override {
        return int(text.size()) * 6;
    }
    int TextHeight(const TFontSpec&, const std::string&) override { return 10; }
    void DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                  TRgbCanvas& canvas) override {
        for (int row = y; row < y + 10 && row < canvas.Height; ++row) {
            for (int col = x; col < x + int(text.size()) * 6 && col < canvas.Width; ++col) {
                if (row < 0 || col < 0) continue;
                std::uint8_t* pixel = canvas.Pixels + row * canvas.Stride + col * 3;
                pixel[0] = font.Red;
                pixel[1] = font.Green;
                pixel[2] = font.Blue;
            }
        }
    }
};

class TScriptedCompression final : public IJpegCompressionDialog {
public:
    std::deque<TCompressionChoice> Choices;
    int Shown = 0;
    TCompressionChoice Execute(const TBitmap&) override {
        ++Shown;
        if (Choices.empty()) {
            ADD_FAILURE() << "unexpected compression dialog";
            return {};
        }
        TCompressionChoice choice = Choices.front();
        Choices.pop_front();
        return choice;
    }
};

// A picture with a diagonal pattern, so resized copies and thumbnails differ from it.
inline TBitmap PatternPicture(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = picture.Row(y) + x * 3;
            pixel[0] = std::uint8_t(x * 7 + y);
            pixel[1] = std::uint8_t(y * 5);
            pixel[2] = std::uint8_t((x + y) * 3);
        }
    }
    return picture;
}

inline void WritePicture(const std::string& path, int width, int height) {
    WriteFileBytes(path, EncodeJpeg(PatternPicture(width, height), 90, false));
}

inline TBitmap ReadPicture(const std::string& path) { return LoadPicture(path); }

// Sets a file's modification time far into the past, so a rewrite shows.
inline void MakeOld(const std::string& path) {
    struct utimbuf times {
        946684800, 946684800
    };
    ::utime(path.c_str(), &times);
}

inline bool IsOld(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && info.st_mtime == 946684800;
}

struct TBuildFixture {
    TempDir Root;
    std::string Pictures = Root / "pictures";
    std::string Site = Root / "site";
    std::string State = Root / "state";
    TThumbnailArray Thumbs;
    TFSC_Images Images;
    TFSC_HTML HTML;
    TTemplate Template = TTemplate::Create();
    TBuildJournal Journal;
    TScriptedAsk Ask;
    TAbortingProgress Progress;
    TSteppingClock Clock;
    TCountingRandom Random;
    TBlockRasteriser Rasteriser;
    TScriptedCompression Compression;
    // The image cache's folder; none by default, as within one process.
    std::string CacheFolder;

    // `count` pictures photo<i>.jpg of 400 x 300 in the pictures folder, a table gallery
    // index.html into site/ with images in site/images.
    explicit TBuildFixture(int count, int width = 400, int height = 300) {
        ForceDirectories(Pictures);
        for (int i = 0; i < count; ++i)
            AddPicture("photo" + std::to_string(i) + ".jpg", width, height);
        HTML.HTMLDir = Site;
        Template.GalleryFileName = "index.html";
    }

    TThumbnail& AddPicture(const std::string& name, int width, int height) {
        const std::string path = Pictures + "/" + name;
        WritePicture(path, width, height);
        TThumbnail thumb;
        thumb.FileName = path;
        thumb.Name = name;
        thumb.Hint = name;
        Thumbs.push_back(thumb);
        return Thumbs.back();
    }

    // A fresh settings pair for every build, as the create-gallery command makes them.
    void FreshSettings() {
        const TFSC_Images images = Images;
        const TFSC_HTML html = HTML;
        Images = images;
        HTML = html;
        HTML.Files.clear();
        if (!html.ImageDir.empty() && html.ImageDir.back() == '/') {
            HTML.ImageDir = html.ImageDir.substr(0, html.ImageDir.size() - 1);
        }
    }

    TBuildContext Context() {
        LinkSettings(Images, HTML);
        return TBuildContext{
            Thumbs,
            Images,
            HTML,
            Template,
            Journal,
            {Ask, Progress, Clock, Random, Rasteriser, Compression, nullptr},
            50,
            State + "/temp",
            State,
            CacheFolder,
            // Two threads, so that every build test also runs the side-by-side image step.
            2};
    }

    void Build() {
        TBuildContext context = Context();
        BuildGallery(context);
    }

    std::string Image(const std::string& name) const { return Site + "/images/" + name; }
    std::string Page(const std::string& name) const { return Site + "/" + name; }
};

// The message of the exception `call` raises, or "" when it raises none.
template <class Exception, class Call>
std::string MessageOf(Call&& call) {
    try {
        call();
    } catch (const Exception& error) {
        return error.what();
    }
    return {};
}

}  // namespace fsc::test
