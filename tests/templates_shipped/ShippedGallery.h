// Building a gallery with a template of the library the way the program does, and the checks
// every written page must pass: links that resolve, no tag left behind, tidy without errors.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "base/IMessages.h"
#include "imaging/TBitmap.h"

namespace fsc::test {

// No shipped template may ask anything while it is applied or built.
class TNoQuestions final : public IAsk {
public:
    bool Ask(const std::string& statement, const std::string& question) override;
};

// Nor may it show a message.
class TNoMessages final : public IMessages {
public:
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
};

// A landscape of sky, sun and hills whose colours and proportions change with `seed`, so
// every picture of a gallery looks different and a screenshot shows real pictures.
TBitmap ScenePicture(int width, int height, int seed);

// Writes `count` JPEG pictures scene<i>.jpg of mixed landscape and portrait sizes into
// `folder` and returns them as image list records, as adding the files would make them.
TThumbnailArray WriteScenePictures(const std::string& folder, int count);

// Selects library entry `name` as the template dialog does, gives its parameters the values
// of `values` (by parameter name) and applies it. Fails the test when the entry is missing.
void ApplyLibraryTemplate(Workspace& ws, const std::string& name,
                          const std::map<std::string, std::string>& values);

// "Let's go. Create the gallery." into htmlDir/htmlFile: the create-gallery command with
// its build settings from the workspace and the engine's build of ws.Images.
void BuildWorkspaceGallery(Workspace& ws, const std::string& htmlDir, const std::string& htmlFile);

// Every file below `folder` with one of the page extensions, as paths relative to it.
std::vector<std::string> PagesBelow(const std::string& folder);

// The href and src values of a page and the pictures its slide show script names.
std::vector<std::string> LinksOf(const std::string& page);

// Each link of a page that stays in the gallery, with the file it names ("" for none).
std::vector<std::pair<std::string, std::string>> LinkTargets(const std::string& folder,
                                                             const std::string& page);

// Links that point at files that do not exist, each as "page: link".
std::vector<std::string> BrokenLinks(const std::string& folder, const std::string& page);

// Tags of the page language that a page still contains ("<!-NAME->", "<!!replaceWith...").
std::vector<std::string> LeftoverTags(const std::string& page);

// What Debian's tidy says about a page: its exit code and the lines of its report.
struct TTidyReport {
    int ExitCode = -1;
    std::vector<std::string> Errors;
    // Warnings other than the align attributes that the table and paragraph layouts write,
    // and the thumbnails' loading attribute and the sizes of a <picture>'s sources, which
    // Debian's tidy is older than.
    std::vector<std::string> Warnings;
};
TTidyReport Tidy(const std::string& page);

}  // namespace fsc::test
