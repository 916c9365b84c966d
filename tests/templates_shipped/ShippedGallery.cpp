// Gallery builds with library templates and the checks of their pages.
#include "templates_shipped/ShippedGallery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>

#include "app/CreateGallery.h"
#include "base/Files.h"
#include "base/IClock.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "imaging/JpegWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc::test {

namespace {

// The shipped templates switch the watermark and the per-image compression dialog off.
class TNoRasteriser final : public ITextRasteriser {
public:
    int TextWidth(const TFontSpec&, const std::string&) override { return Unexpected(); }
    int TextHeight(const TFontSpec&, const std::string&) override { return Unexpected(); }
    void DrawText(const TFontSpec&, const std::string&, int, int, TRgbCanvas&) override {
        Unexpected();
    }

private:
    static int Unexpected() {
        ADD_FAILURE() << "a shipped template drew a watermark";
        return 0;
    }
};

class TNoCompressionDialog final : public IJpegCompressionDialog {
public:
    TCompressionChoice Execute(const TBitmap&) override {
        ADD_FAILURE() << "a shipped template asked for the compression of each image";
        return {};
    }
};

class TRecordedShell final : public IShell {
public:
    std::vector<std::string> Opened;
    void Open(const std::string& fileOrAddress) override { Opened.push_back(fileOrAddress); }
};

std::uint8_t Mix(int a, int b, double t) {
    return std::uint8_t(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

void Paint(TBitmap& picture, int x, int y, int r, int g, int b) {
    std::uint8_t* pixel = picture.Row(y) + x * 3;
    pixel[0] = std::uint8_t(r);
    pixel[1] = std::uint8_t(g);
    pixel[2] = std::uint8_t(b);
}

bool IsPageName(const std::string& name) {
    const std::string ext = LowerCase(ExtractFileExt(name));
    return ext == ".html" || ext == ".htm";
}

// Links to no file of the gallery: other sites, scripts, mail, places on the page, and data
// written into the link itself (the empty icon).
bool IsExternal(const std::string& link) {
    return StartsWithNoCase(link, "http:") || StartsWithNoCase(link, "https:") ||
           StartsWithNoCase(link, "javascript:") || StartsWithNoCase(link, "mailto:") ||
           StartsWithNoCase(link, "data:") || StartsWith(link, "#");
}

}  // namespace

void TNoMessages::ShowError(const std::string& text) { ADD_FAILURE() << "error: " << text; }
void TNoMessages::ShowInformation(const std::string& text) { ADD_FAILURE() << text; }
void TNoMessages::ShowMessage(const std::string& text) { ADD_FAILURE() << text; }

bool TNoQuestions::Ask(const std::string& statement, const std::string& question) {
    ADD_FAILURE() << "unexpected question: " << statement << " / " << question;
    return false;
}

TBitmap ScenePicture(int width, int height, int seed) {
    // Sky hues walk around the colour circle, the sun and the hills move with the seed.
    static const int skies[][6] = {{40, 90, 170, 250, 190, 130},  {20, 30, 80, 240, 120, 90},
                                   {90, 160, 220, 220, 235, 245}, {60, 40, 110, 250, 160, 180},
                                   {15, 80, 90, 200, 230, 200},   {110, 70, 30, 250, 210, 120}};
    const int* sky = skies[seed % 6];
    const double sunX = width * (0.2 + 0.6 * ((seed * 37) % 100) / 100.0);
    const double sunY = height * (0.18 + 0.2 * ((seed * 53) % 100) / 100.0);
    const double sunR = std::min(width, height) * (0.07 + 0.03 * (seed % 3));
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        const double t = double(y) / height;
        for (int x = 0; x < width; ++x) {
            const double far = height * (0.55 + 0.08 * std::sin(x * 6.0 / width + seed));
            const double near = height * (0.72 + 0.06 * std::sin(x * 9.0 / width + seed * 2.1));
            if (y > near) {
                Paint(picture, x, y, Mix(40, 10, t - 0.7), Mix(95 + seed * 9 % 60, 40, t - 0.7),
                      Mix(45, 20, t - 0.7));
            } else if (y > far) {
                Paint(picture, x, y, Mix(70, 40, t - 0.5), Mix(120, 90, t - 0.5),
                      Mix(110 + seed * 13 % 70, 70, t - 0.5));
            } else if (std::hypot(x - sunX, y - sunY) < sunR) {
                Paint(picture, x, y, 255, 236, 170);
            } else {
                Paint(picture, x, y, Mix(sky[0], sky[3], t * 1.6), Mix(sky[1], sky[4], t * 1.6),
                      Mix(sky[2], sky[5], t * 1.6));
            }
        }
    }
    return picture;
}

TThumbnailArray WriteScenePictures(const std::string& folder, int count) {
    static const int sizes[][2] = {{640, 427}, {480, 640}, {640, 360}, {600, 600}, {640, 480}};
    ForceDirectories(folder);
    TThumbnailArray thumbs;
    for (int i = 0; i < count; ++i) {
        const int* size = sizes[i % 5];
        const std::string name = "scene_" + std::to_string(i + 1) + ".jpg";
        const std::string path = JoinPath(folder, name);
        WriteFileBytes(path, EncodeJpeg(ScenePicture(size[0], size[1], i), 88, false));
        TThumbnail thumb;
        thumb.FileName = path;
        thumb.Name = name;
        thumb.Link = name;
        thumb.FileDate = FileDate(path);
        thumbs.push_back(thumb);
    }
    return thumbs;
}

void ApplyLibraryTemplate(Workspace& ws, const std::string& name,
                          const std::map<std::string, std::string>& values) {
    ws.Selection.Entries = ListTemplates(ws.TemplateLibrary);
    const auto entry = std::find(ws.Selection.Entries.begin(), ws.Selection.Entries.end(), name);
    if (entry == ws.Selection.Entries.end()) {
        ADD_FAILURE() << "the library does not list " << name;
        return;
    }
    ws.Selection.ItemIndex = int(entry - ws.Selection.Entries.begin());
    TemplateContext context = ws.Templates();
    TNoQuestions noQuestions;
    SelectTemplate(context, TTemplateSender::TemplateDialog, {}, noQuestions);
    std::map<std::string, std::string> unused = values;
    const std::vector<TParameter>& parameters = ws.Selection.DialogTemplate.Parameters;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const auto value = values.find(parameters[i].Name);
        if (value == values.end()) continue;
        EditTemplateParameter(ws.Selection, i, value->second);
        unused.erase(parameters[i].Name);
    }
    for (const auto& [parameter, value] : unused) {
        ADD_FAILURE() << name << " has no parameter " << parameter;
    }
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
}

void BuildWorkspaceGallery(Workspace& ws, const std::string& htmlDir, const std::string& htmlFile) {
    ws.Main.HTMLDir = htmlDir;
    ws.Main.HTMLFile = htmlFile;
    TNoQuestions ask;
    TSilentProgress progress;
    TSystemClock clock;
    TSystemRandom random;
    TNoRasteriser rasteriser;
    TNoCompressionDialog compression;
    TNoMessages messages;
    TRecordedShell shell;
    TempDir backups;
    TCommandServices services{{ask, progress, clock, random, rasteriser, compression, &messages},
                              messages,
                              shell,
                              backups / "temp",
                              backups.Path(),
                              {}};
    CreateGallery(ws, TCreateMode::MainWindow, services);
    // The finished gallery is opened in the browser, as after a click on "Let's go".
    EXPECT_EQ(shell.Opened, std::vector<std::string>{GalleryFilePath(ws)});
}

std::vector<std::string> PagesBelow(const std::string& folder) {
    std::vector<std::string> pages;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && IsPageName(entry.path().filename().string())) {
            pages.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
        }
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::vector<std::string> LinksOf(const std::string& page) {
    const std::string text = ReadFileBytes(page);
    std::vector<std::string> links;
    static const std::regex attribute(R"(\b(?:href|src)\s*=\s*"([^"]*)\")", std::regex::icase);
    for (std::sregex_iterator it(text.begin(), text.end(), attribute), end; it != end; ++it) {
        const std::string link = (*it)[1];
        // Inside the slide show script, document.write pieces the tag together from arrays.
        if (StartsWith(link, "'")) continue;
        links.push_back(link);
    }
    static const std::regex array(R"(new Array \(([^)]*)\))");
    static const std::regex item("\"([^\"]*)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), array), end; it != end; ++it) {
        const std::string items = (*it)[1];
        for (std::sregex_iterator one(items.begin(), items.end(), item); one != end; ++one) {
            if (!(*one)[1].str().empty()) links.push_back((*one)[1]);
        }
    }
    return links;
}

std::vector<std::string> BrokenLinks(const std::string& folder, const std::string& page) {
    std::vector<std::string> broken;
    for (const auto& [link, target] : LinkTargets(folder, page)) {
        if (target.empty() || !std::filesystem::is_regular_file(target)) {
            broken.push_back(page + ": " + link);
        }
    }
    return broken;
}

std::vector<std::pair<std::string, std::string>> LinkTargets(const std::string& folder,
                                                             const std::string& page) {
    const std::string path = JoinPath(folder, page);
    std::vector<std::pair<std::string, std::string>> targets;
    for (const std::string& link : LinksOf(path)) {
        if (IsExternal(link)) continue;
        const std::string file = link.substr(0, link.find_first_of("?#"));
        if (file.empty()) {
            targets.emplace_back(link, "");
            continue;
        }
        const std::filesystem::path target = std::filesystem::path(ExtractFileDir(path)) / file;
        targets.emplace_back(link, target.lexically_normal().string());
    }
    return targets;
}

std::vector<std::string> LeftoverTags(const std::string& page) {
    const std::string text = ReadFileBytes(page);
    // "<!--" opens a real comment; "<!-" followed by anything else is a tag of ours.
    static const std::regex tag(R"(<!-[^-][^>]*>|<!![^>]*>)");
    std::vector<std::string> tags;
    for (std::sregex_iterator it(text.begin(), text.end(), tag), end; it != end; ++it) {
        tags.push_back(it->str());
    }
    return tags;
}

TTidyReport Tidy(const std::string& page) {
    const ProgramResult result =
        RunProgram(FSC_TIDY_PATH, {"-q", "-e", "-utf8", "--gnu-emacs", "no", page});
    TTidyReport report;
    report.ExitCode = result.ExitCode;
    for (const std::string& line : SplitLines(result.Err)) {
        if (line.find("Error:") != std::string::npos) {
            report.Errors.push_back(line);
        } else if (line.find("Warning:") != std::string::npos &&
                   line.find("attribute \"align\" not allowed") == std::string::npos &&
                   line.find("attribute \"valign\" not allowed") == std::string::npos &&
                   line.find("proprietary attribute \"loading\"") == std::string::npos &&
                   line.find("<source> proprietary attribute \"sizes\"") == std::string::npos) {
            report.Warnings.push_back(line);
        }
    }
    return report;
}

}  // namespace fsc::test
