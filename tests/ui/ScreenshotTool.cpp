// Writes PNG pictures of the main window's "General", "Images", "Template" and "Special" tabs,
// of the template dialog as it opens at start, of the options dialog, the FTP window and its
// connection editor, the directory-tree dialog, the compression dialog, the About box and the
// screen capture window into the folder given as argument, for a look at the layout.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <string>

#include "DarkPalette.h"
#include "app/AddImages.h"
#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/IShell.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegWriter.h"
#include "platform/QtSettingsStore.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"
#include "ui/MainWindow.h"
#include "ui/TConnectionEditorForm.h"
#include "ui/TCreateGalleryForImagesInDirForm.h"
#include "ui/TFTPForm.h"
#include "ui/TFscApplication.h"
#include "ui/TImagesPanel.h"
#include "ui/TOptionsForm.h"
#include "ui/TProgramWindows.h"
#include "ui/TemplateSelectionDialog.h"

namespace {

class NoShell : public fsc::IShell {
public:
    void Open(const std::string&) override {}
};

bool Save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
                 qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    fsc::TFscApplication application(argc, argv);
    const bool dark = argc == 3 && std::string(argv[2]) == "dark";
    if (argc != 2 && !dark) {
        std::fprintf(stderr, "usage: ui_screenshots FOLDER [dark]\n");
        return 2;
    }
    // The colours a dark desktop theme hands to Qt, for a look at the windows in them.
    if (dark) QApplication::setPalette(fsc::test::DarkDesktopPalette());
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    // The compression preview's file goes to a state folder of its own, too.
    qputenv("XDG_STATE_HOME", QDir::temp().filePath("fsc-screenshot-state").toLocal8Bit());
    // A store of its own, so the user's options are neither read nor changed.
    fsc::QtSettingsStore store(QDir::temp().filePath("fsc-screenshot-options.conf").toStdString());
    fsc::Workspace ws;
    ws.Main.HTMLDir = "/home/user/Desktop/holiday";
    ws.Main.HTMLFile = "index.html";
    // A small sample project: three generated pictures with texts.
    const QDir samples(QDir::temp().filePath("fsc-screenshot-pictures"));
    samples.mkpath(".");
    const char* const names[] = {"harbour.jpg", "old town.jpg", "beach [2].jpg"};
    int shade = 0;
    for (const char* name : names) {
        fsc::TBitmap picture(320, 240);
        for (int y = 0; y < picture.Height; ++y)
            for (int x = 0; x < picture.Width; ++x) {
                std::uint8_t* pixel = picture.Row(y) + x * 3;
                pixel[0] = std::uint8_t(x * 255 / picture.Width);
                pixel[1] = std::uint8_t(80 + shade);
                pixel[2] = std::uint8_t(y * 255 / picture.Height);
            }
        shade += 60;
        const std::string path = samples.filePath(name).toStdString();
        fsc::SaveJpeg(picture, path, 85, false);
        fsc::AddOneFile(ws.Images, path);
    }
    ws.Images[0].Hint = "The harbour at dawn";
    ws.Images[0].Description = "Fishing boats coming home.";
    ws.TemplateLibrary = fsc::TemplateLibraryFolder();
    ws.Selection.Entries = fsc::ListTemplates(ws.TemplateLibrary);
    NoShell shell;
    fsc::TProgramWindows windows(ws, store, shell);
    fsc::MainWindow& main = windows.Main;
    fsc::TOptionsForm& options = windows.Options;
    main.show();

    bool saved = true;
    main.Tabs()->setCurrentIndex(fsc::GeneralTab);
    saved &= Save(main, folder.filePath("general.png"));
    main.ImageListState().ItemIndex = 0;
    main.ImageListState().ShowImage = true;
    main.ImagesPanel().ShowImages();
    main.Tabs()->setCurrentIndex(fsc::ImagesTab);
    saved &= Save(main, folder.filePath("images.png"));
    // The template with the most parameters, chosen as the user would on the tab.
    ws.Selection.ItemIndex = fsc::IndexOfLine(ws.Selection.Entries, "Modern");
    fsc::TemplateContext templates = ws.Templates();
    fsc::SelectTemplate(templates, fsc::TTemplateSender::MainWindow, {}, windows.Ask);
    main.Tabs()->setCurrentIndex(fsc::TemplateTab);
    saved &= Save(main, folder.filePath("template.png"));
    // The same panel as the first window at start, at its own size and made larger.
    auto* selectTemplate = main.findChild<fsc::TemplateSelectionDialog*>();
    QTimer::singleShot(0, selectTemplate, [&] {
        saved &= Save(*selectTemplate, folder.filePath("select-template.png"));
        selectTemplate->resize(selectTemplate->width() * 3 / 2, selectTemplate->height() * 3 / 2);
        saved &= Save(*selectTemplate, folder.filePath("select-template-large.png"));
        selectTemplate->reject();
    });
    selectTemplate->ExecOnItsOwn();
    main.Tabs()->setCurrentIndex(fsc::SpecialTab);
    saved &= Save(main, folder.filePath("special.png"));
    options.show();
    saved &= Save(options, folder.filePath("options.png"));
    auto* ftp = main.findChild<fsc::TFTPForm*>();
    ftp->SetLocalDirectory(samples.absolutePath().toStdString());
    ftp->show();
    saved &= Save(*ftp, folder.filePath("ftp.png"));
    ftp->hide();
    fsc::TConnectionEditorForm connectionEditor;
    connectionEditor.show();
    saved &= Save(connectionEditor, folder.filePath("connection.png"));
    connectionEditor.hide();
    auto* tree = main.findChild<fsc::TCreateGalleryForImagesInDirForm*>();
    tree->show();
    saved &= Save(*tree, folder.filePath("tree.png"));
    tree->hide();
    // The compression dialog only shows modally, so it is pictured from inside its loop.
    fsc::TJPEGCompressionForm& compression = windows.Compression;
    QTimer::singleShot(0, &compression, [&] {
        saved &= Save(compression, folder.filePath("compression.png"));
        compression.reject();
    });
    compression.Execute(fsc::LoadPicture(samples.filePath(names[0]).toStdString()));
    // So is the About box, opened from its menu entry.
    QTimer::singleShot(0, &main, [&] {
        QWidget* about = QApplication::activeModalWidget();
        if (about == nullptr) {
            std::fprintf(stderr, "the About box did not open\n");
            saved = false;
            return;
        }
        saved &= Save(*about, folder.filePath("about.png"));
        about->close();
    });
    main.findChild<QAction*>("About1")->trigger();
    // The screen capture window, cancelled once pictured, so nothing is captured.
    QTimer::singleShot(0, &main, [&] {
        QWidget* capturer = QApplication::activeModalWidget();
        if (capturer == nullptr) {
            std::fprintf(stderr, "the capture window did not open\n");
            saved = false;
            return;
        }
        saved &= Save(*capturer, folder.filePath("capturer.png"));
        capturer->close();
    });
    main.findChild<QAction*>("AddImageByCapturing1")->trigger();
    return saved ? 0 : 1;
}
