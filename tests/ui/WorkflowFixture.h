// The main window with every window it needs, over a workspace in a temporary folder with
// real pictures, and the user's actions the window tests repeat.
#pragma once

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/Workspace.h"
#include "base/Files.h"
#include "base/IShell.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegWriter.h"
#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"
#include "ui/CollageOptionsDialog.h"
#include "ui/ImagePageOptionsDialog.h"
#include "ui/ListOptionsDialog.h"
#include "ui/MainWindow.h"
#include "ui/NavigationOptionsDialog.h"
#include "ui/ParagraphOptionsDialog.h"
#include "ui/QtMessages.h"
#include "ui/SettingsPanels.h"
#include "ui/SlideShowOptionsDialog.h"
#include "ui/TAskForm.h"
#include "ui/TJPEGCompressionForm.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgress.h"
#include "ui/TableOptionsDialog.h"
#include "ui/UiTestSupport.h"

namespace fsc::test {

// Answers the next file dialog with `path`, as if the user had picked it.
inline void ChooseFile(const std::string& path) {
    AnswerNextModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
}

class RecordingShell : public IShell {
public:
    void Open(const std::string& fileOrAddress) override { Opened.push_back(fileOrAddress); }
    std::vector<std::string> Opened;
};

struct Windows {
    test::TempDir root;
    std::string pictures = root / "pictures";
    std::string site = root / "site";
    // Another window set's state folder makes this one the same user's next run.
    std::string stateHome;
    test::ScopedEnv state{"XDG_STATE_HOME", stateHome};
    QtSettingsStore store{root / "Folioscope.conf"};
    Workspace ws;
    RecordingShell shell;
    QtMessages messages;
    std::string pictureFilter = OpenPictureFilter();
    TAskForm ask;
    SettingsPanels settings{ws, messages, ask};
    TJPEGCompressionForm compression{ws.Program};
    TProgress progress;
    TOptionsForm options{ws.Program, store};
    TableOptionsDialog tableOptions{ws.Table};
    ListOptionsDialog listOptions{ws.List};
    ParagraphOptionsDialog paraOptions{ws.Para};
    CollageOptionsDialog collageOptions{ws.Collage};
    SlideShowOptionsDialog slideShowOptions{ws.SlideShow, shell};
    NavigationOptionsDialog navigationOptions;
    ImagePageOptionsDialog imageHTMLOptions{ws};
    MainWindow main{{ws, settings, options, progress, compression, ask, shell, messages,
                     pictureFilter, Styles()}};

    explicit Windows(const std::string& sharedStateHome = {})
        : stateHome(sharedStateHome.empty() ? root / "state" : sharedStateHome) {
        ForceDirectories(pictures);
        settings.SetStyleDialogs(Styles());
    }

    StyleDialogs Styles() {
        return {&tableOptions,     &listOptions,       &paraOptions,     &collageOptions,
                &slideShowOptions, &navigationOptions, &imageHTMLOptions};
    }

    // A real JPEG with a colour gradient, so every picture differs.
    std::string Picture(const std::string& name, int width = 160, int height = 120) {
        TBitmap picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* pixel = picture.Row(y) + x * 3;
                pixel[0] = std::uint8_t(x * 255 / width);
                pixel[1] = std::uint8_t(y * 255 / height);
                pixel[2] = std::uint8_t(name.size() * 20);
            }
        const std::string path = pictures + "/" + name;
        SaveJpeg(picture, path, 80, false);
        return path;
    }

    // "Files", "Add Images", with the names typed into the real dialog.
    void AddThroughDialog(const QString& typedNames) {
        test::AnswerNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(QString::fromStdString(pictures));
            auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(nameEdit, nullptr);
            nameEdit->setText(typedNames);
            static_cast<QDialog*>(dialog)->accept();
        });
        Find<QAction>(&main, "AddImages1")->trigger();
    }

    std::vector<std::string> ListedNames() {
        auto* list = Find<QListWidget>(&main, "ImagesListBox");
        std::vector<std::string> names;
        for (int row = 0; row < list->count(); ++row)
            names.push_back(list->item(row)->text().toStdString());
        return names;
    }
    std::vector<std::string> ImageNames() {
        std::vector<std::string> names;
        for (const TThumbnail& thumb : ws.Images) names.push_back(thumb.Name);
        return names;
    }
    void Select(int row) { Find<QListWidget>(&main, "ImagesListBox")->setCurrentRow(row); }
    void Click(const char* button) { Find<QPushButton>(&main, button)->click(); }
    void Type(const char* editName, const char* text) {
        auto* edit = Find<QLineEdit>(&main, editName);
        edit->selectAll();
        edit->insert(text);
    }
};

}  // namespace fsc::test
