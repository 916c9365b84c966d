// Running folioscope-cli in a folder of its own, with pictures made for the test, and
// reading back what it wrote.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "imaging/TBitmap.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fsc::test {

// One program run with its own options and state folders and the source tree's templates.
class TCliRun {
public:
    TempDir Root;
    ProgramResult Build(std::vector<std::string> args,
                        const std::vector<std::string>& extraEnvironment = {}) const;
    // Any command: "undo", "history", ...
    ProgramResult Run(const std::vector<std::string>& args,
                      const std::vector<std::string>& extraEnvironment = {}) const;
    // The variables that give a run its own folders.
    std::vector<std::string> Environment() const;
    std::string StateFolder() const { return Root / "state/folioscope"; }
};

// The test's pictures as written into `folder`: the file name, what the gallery calls its
// copy, and the picture's size.
struct TTestPicture {
    std::string File, CopyName;
    int Width, Height;
};
// A JPEG 400 x 300, a PNG 120 x 200, a BMP 64 x 48 and a JPEG 300 x 300, each a gradient.
std::vector<TTestPicture> WriteTestPictures(const std::string& folder);

// Every file below `folder`, relative to it with '/', in name order.
std::vector<std::string> FilesBelow(const std::string& folder);

// Every file below `folder` as FilesBelow names it, with its bytes.
using TFileBytes = std::map<std::string, std::string>;
TFileBytes Snapshot(const std::string& folder);

// The size of a picture file as the program's own readers see it.
struct TSize {
    int Width = 0, Height = 0;
};
TSize PictureSize(const std::string& path);

// A picture file for the tools of other formats to start from.
std::string PngFileBytes(const TBitmap& picture);
std::string PpmFileBytes(const TBitmap& picture);
// Runs a tool found on the PATH (an encoder making a test's picture); the test fails when the
// tool does not succeed.
void RunTool(const std::vector<std::string>& args);

}  // namespace fsc::test
