// A workspace on real files in a temporary folder, with scripted services, for the tests of
// the image list, the create-gallery command, image sets and gallery projects.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CreateGallery.h"
#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/Files.h"
#include "base/IMessages.h"
#include "base/IShell.h"
#include "engine/BuildFixture.h"
#include "support/TempDir.h"

namespace fsc::test {

class TRecordingMessages final : public IMessages {
public:
    std::vector<std::string> Errors;
    std::vector<std::string> Warnings;
    std::vector<std::string> Others;
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void ShowWarning(const std::string& text) override { Warnings.push_back(text); }
    void ShowInformation(const std::string& text) override { Others.push_back(text); }
    void ShowMessage(const std::string& text) override { Others.push_back(text); }
};

class TRecordingShell final : public IShell {
public:
    std::vector<std::string> Opened;
    void Open(const std::string& fileOrAddress) override { Opened.push_back(fileOrAddress); }
};

struct TCommandFixture {
    TempDir Root;
    std::string Pictures = Root / "pictures";
    std::string Site = Root / "site";
    std::string State = Root / "state";
    Workspace Ws;
    ImageListPanel Panel;
    TScriptedAsk Ask;
    TAbortingProgress Progress;
    TSteppingClock Clock;
    TCountingRandom Random;
    TBlockRasteriser Rasteriser;
    TScriptedCompression Compression;
    TRecordingMessages Messages;
    TRecordingShell Shell;
    TCommandServices Services{{Ask, Progress, Clock, Random, Rasteriser, Compression, nullptr},
                              Messages,
                              Shell,
                              State + "/temp",
                              State,
                              {}};

    TCommandFixture() {
        ForceDirectories(Pictures);
        Ws.Main.HTMLDir = Site;
    }

    // A JPEG of the given size in the pictures folder (or another folder of the root).
    std::string Picture(const std::string& name, int width = 120, int height = 90,
                        const std::string& folder = "pictures") {
        ForceDirectories(Root / folder);
        const std::string path = Root / (folder + "/" + name);
        WritePicture(path, width, height);
        return path;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TThumbnail& thumb : Ws.Images) names.push_back(thumb.Name);
        return names;
    }

    void Create(TCreateMode mode = TCreateMode::MainWindow) { CreateGallery(Ws, mode, Services); }
};

}  // namespace fsc::test
