// The gallery settings panels, bound field by field to the workspace's MainSettings.
#include "ui/SettingsPanels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "app/DirectoryFields.h"
#include "app/PanelSwitches.h"
#include "app/Workspace.h"
#include "base/Text.h"
#include "platform/ByteText.h"
#include "templates/TemplateLibrary.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"
#include "ui/NamedWidget.h"

namespace fsc {

namespace {

QGroupBox* NewGroup(const char* objectName, const char* title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(objectName);
    return group;
}

QSpinBox* NewSpin(const char* objectName, int minimum, int maximum) {
    auto* spin = Named<QSpinBox>(objectName);
    spin->setRange(minimum, maximum);
    return spin;
}

}  // namespace

SettingsPanels::SettingsPanels(Workspace& ws, IMessages& messages, IAsk& ask, QWidget* parent)
    : QWidget(parent), ws(ws), messages(messages), ask(ask) {
    setObjectName("SettingsPanels");
    groupBox1 = CreateDirectories();
    groupBox3 = CreateStyle();
    thumbnailGroupbox = CreateThumbnails();
    groupBox4 = CreateResize();
    groupBox7 = CreateGeneral();
    EnableDependentControls();
}

void SettingsPanels::ShowSettings() {
    for (const Refresher& refresh : refreshers) refresh();
    EnableDependentControls();
}

QGroupBox* SettingsPanels::CreateDirectories() {
    auto* group = NewGroup("GroupBox1", "Directories", this);
    MainSettings& main = ws.Main;
    htmlDirEdit = Named<QLineEdit>("HTMLDIREdit");
    auto* imageDirEdit = Named<QLineEdit>("ImageDirEdit");
    auto* htmlFileEdit = Named<QLineEdit>("HTMLFileEdit");
    templateNameEdit = Named<QLineEdit>("TemplateNameEdit");
    templateNameEdit->setReadOnly(true);
    // Only shown, never typed into: a click still selects it for copying, but Tab passes it,
    // as a read-only field shows no cursor and the stop would look like none.
    templateNameEdit->setFocusPolicy(Qt::ClickFocus);
    auto* selectDirButton = Named<QPushButton>("SelectHTMLDirButton", "Select");
    auto* selectFileButton = Named<QPushButton>("SelectHTMLFileButton", "Select");
    refreshers.push_back(Bind(htmlDirEdit, main.HTMLDir));
    refreshers.push_back(Bind(htmlFileEdit, main.HTMLFile));
    // The image directory is stored through its own rule, so it is shown, not bound.
    refreshers.push_back([this, imageDirEdit] { Show(imageDirEdit, this->ws.Main.ImageDir); });
    refreshers.push_back([this] { ShowTemplateName(); });
    for (auto& refresh : refreshers) refresh();
    connect(selectDirButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { SelectHTMLDir(); }); });
    connect(selectFileButton, &QPushButton::clicked, this, [this] {
        RunCommand([this] { SelectHTMLFile(); });
        // Also after a refusal: the file check may have changed the field first.
        ShowSettings();
    });
    ConnectDirectories(imageDirEdit, htmlFileEdit);

    auto* layout = new QGridLayout(group);
    layout->addWidget(new QLabel("HTML-Dir:"), 0, 0);
    layout->addWidget(htmlDirEdit, 0, 1);
    layout->addWidget(selectDirButton, 0, 2);
    layout->addWidget(new QLabel("Image-Dir:"), 1, 0);
    layout->addWidget(imageDirEdit, 1, 1);
    layout->addWidget(new QLabel("HTML-File"), 2, 0);
    layout->addWidget(htmlFileEdit, 2, 1);
    layout->addWidget(selectFileButton, 2, 2);
    layout->addWidget(new QLabel("Template"), 3, 0);
    layout->addWidget(templateNameEdit, 3, 1, 1, 2);
    return group;
}

QGroupBox* SettingsPanels::CreateStyle() {
    auto* group = NewGroup("GroupBox3", "Style", this);
    MainSettings& main = ws.Main;
    struct Choice {
        const char* ObjectName;
        const char* Caption;
        TGalleryStyle Value;
        const char* OptionsName;
        const char* OptionsCaption;
        QDialog* StyleDialogs::*Dialog;
    };
    const Choice choices[] = {
        {"ListRadioButton", "List", TGalleryStyle::List, "ListOptionsButton", "List options",
         &StyleDialogs::List},
        {"ParaRadioButton", "Paragraph", TGalleryStyle::Paragraph, "ParaOptionsButton",
         "Paragraph opt.", &StyleDialogs::Para},
        {"SlideShowRadioButton", "Java Script Slide Show", TGalleryStyle::SlideShow,
         "SlideShowOptionsButton", "Slide Show o.", &StyleDialogs::SlideShow},
        {"TableRadioButton", "Table", TGalleryStyle::Table, "TableOptionsButton", "Table options",
         &StyleDialogs::Table},
        {"CollageRadioButton", "Collage, Image Map", TGalleryStyle::Collage, "CollageOptionsButton",
         "Collage opt.", &StyleDialogs::Collage},
    };
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (const Choice& choice : choices) {
        auto* radio = Named<QRadioButton>(choice.ObjectName, choice.Caption);
        refreshers.push_back(BindChoice(radio, main.Style, choice.Value));
        auto* optionsButton = Named<QPushButton>(choice.OptionsName, choice.OptionsCaption);
        connect(optionsButton, &QPushButton::clicked, this,
                [this, dialog = choice.Dialog] { ShowStyleDialog(dialog); });
        optionButtons.emplace_back(optionsButton, choice.Dialog);
        layout->addWidget(radio, row, 0);
        layout->addWidget(optionsButton, row, 1);
        ++row;
    }
    auto* listRowEdit = NewSpin("ListRowEdit", 1, 99);
    auto* colEdit = NewSpin("ColEdit", 1, 99);
    auto* rowEdit = NewSpin("RowEdit", 1, 99);
    refreshers.push_back(Bind(listRowEdit, main.ListRows));
    refreshers.push_back(Bind(colEdit, main.Cols));
    refreshers.push_back(Bind(rowEdit, main.Rows));
    auto* sizes = new QFormLayout;
    sizes->addRow("Rows/Pics", listRowEdit);
    sizes->addRow("Cols", colEdit);
    sizes->addRow("Rows", rowEdit);
    layout->addLayout(sizes, 0, 2, row, 1, Qt::AlignTop);
    return group;
}

QGroupBox* SettingsPanels::CreateThumbnails() {
    auto* group = NewGroup("ThumbnailGroupbox", "Thumbnails", this);
    MainSettings& main = ws.Main;
    auto* quality = new QVBoxLayout;
    quality->addWidget(new QLabel("Quality"));
    const std::pair<const char*, TThumbQualityLevel> qualities[] = {
        {"high", TThumbQualityLevel::High},
        {"middle", TThumbQualityLevel::Middle},
        {"low", TThumbQualityLevel::Low},
        {"very low", TThumbQualityLevel::VeryLow},
    };
    // The quality and size buttons are two radio groups inside one box.
    auto* qualityGroup = new QButtonGroup(group);
    for (const auto& [caption, level] : qualities) {
        auto* radio = Named<QRadioButton>((std::string("Quality_") + caption).c_str(), caption);
        qualityGroup->addButton(radio);
        refreshers.push_back(BindChoice(radio, main.ThumbQuality, level));
        quality->addWidget(radio);
    }
    auto* size = new QVBoxLayout;
    size->addWidget(new QLabel("Size"));
    const std::pair<const char*, TThumbSizeMode> modes[] = {
        {"limit", TThumbSizeMode::limit},
        {"hard limit", TThumbSizeMode::hardLimit},
        {"stretch", TThumbSizeMode::stretch},
        {"fit", TThumbSizeMode::fit},
    };
    auto* sizeGroup = new QButtonGroup(group);
    for (const auto& [caption, mode] : modes) {
        auto* radio = Named<QRadioButton>((std::string("Size_") + caption).c_str(), caption);
        sizeGroup->addButton(radio);
        refreshers.push_back(BindChoice(radio, main.ThumbSize, mode));
        size->addWidget(radio);
    }
    auto* widthEdit = NewSpin("WidthEdit", 1, 32000);
    auto* heightEdit = NewSpin("HeightEdit", 1, 32000);
    refreshers.push_back(Bind(widthEdit, main.ThumbWidth));
    refreshers.push_back(Bind(heightEdit, main.ThumbHeight));
    auto* box = new QFormLayout;
    box->addRow("Width", widthEdit);
    box->addRow("Height", heightEdit);
    auto* presets = new QHBoxLayout;
    const std::pair<const char*, TThumbPreset> sides[] = {{"large", TThumbPreset::Large},
                                                          {"medium", TThumbPreset::Medium},
                                                          {"small", TThumbPreset::Small}};
    for (const auto& [caption, preset] : sides) {
        auto* button = Named<QPushButton>((std::string(caption) + "Button").c_str(), caption);
        connect(button, &QPushButton::clicked, this, [this, preset] {
            ChooseThumbPreset(ws, preset);
            ShowSettings();
        });
        presets->addWidget(button);
    }
    box->addRow(presets);

    auto* layout = new QHBoxLayout(group);
    layout->addLayout(quality);
    layout->addLayout(size);
    layout->addLayout(box);
    return group;
}

QGroupBox* SettingsPanels::CreateResize() {
    auto* group = NewGroup("GroupBox4", "Images", this);
    MainSettings& main = ws.Main;
    auto* widthBox =
        Named<QCheckBox>("ResizeWidthCheckBox", "resize if image width is greater than");
    auto* heightBox =
        Named<QCheckBox>("ResizeHeightCheckBox", "resize if image height is greater than");
    auto* greaterThanEdit = NewSpin("GreaterThanEdit", 0, 32000);
    auto* adjustBox = Named<QCheckBox>("AdjustCompressionCheckBox",
                                       "let me adjust the compression/quality for each image");
    auto* smoothBox = Named<QCheckBox>("SmoothResizeCheckBox", "smooth resizing");
    smoothBox->setToolTip(
        "Every pixel of a shrunk picture is the mean of the area it covers. Off: the classic "
        "resize of older galleries.");
    auto* webpBox = Named<QCheckBox>("WebpCheckBox", "WebP copies");
    webpBox->setToolTip(
        "Smaller files beside the JPEGs, for templates that offer them to the "
        "browser.");
    auto* avifBox = Named<QCheckBox>("AvifCheckBox", "AVIF copies");
    avifBox->setToolTip(
        "The smallest files beside the JPEGs, for templates that offer them; "
        "much slower to make.");
    auto* originalsBox = Named<QCheckBox>("OriginalsCheckBox", "download originals");
    originalsBox->setToolTip(
        "Each picture's own file in the folder \"originals\" beside the gallery, with a "
        "download link on its page for templates that offer one; without the GPS position "
        "while \"remove location data\" is on.");
    auto* linkBox = Named<QCheckBox>("LinkToHTMLCheckBox", "link to HTML, not Image");
    imageHTMLButton = Named<QPushButton>("ImageHTMLOptionsButton", "Image HTML options");
    connect(imageHTMLButton, &QPushButton::clicked, this,
            [this] { ShowStyleDialog(&StyleDialogs::ImageHTML); });
    refreshers.push_back(Bind(widthBox, main.ResizeWidthChecked));
    refreshers.push_back(Bind(heightBox, main.ResizeHeightChecked));
    refreshers.push_back(Bind(greaterThanEdit, main.GreaterThan));
    refreshers.push_back(Bind(adjustBox, main.AdjustCompression));
    refreshers.push_back(BindSmoothResize(smoothBox, main.ResizeMethod));
    refreshers.push_back(Bind(webpBox, main.WriteWebp));
    refreshers.push_back(Bind(avifBox, main.WriteAvif));
    refreshers.push_back(Bind(originalsBox, main.OfferOriginals));
    // The image pages exist only while thumbnails link to them.
    refreshers.push_back(Bind(linkBox, main.LinkToHTML, [this] { EnableDependentControls(); }));

    auto* layout = new QGridLayout(group);
    layout->addWidget(widthBox, 0, 0);
    layout->addWidget(greaterThanEdit, 0, 1, 2, 1, Qt::AlignVCenter);
    layout->addWidget(heightBox, 1, 0);
    layout->addWidget(adjustBox, 2, 0, 1, 2);
    layout->addWidget(smoothBox, 3, 0, 1, 2);
    layout->addWidget(webpBox, 4, 0);
    layout->addWidget(avifBox, 4, 1);
    layout->addWidget(originalsBox, 5, 0, 1, 2);
    layout->addWidget(linkBox, 6, 0);
    layout->addWidget(imageHTMLButton, 6, 1);
    return group;
}

QGroupBox* SettingsPanels::CreateGeneral() {
    auto* group = NewGroup("GroupBox7", "General", this);
    MainSettings& main = ws.Main;
    auto* noHTMLBox = Named<QCheckBox>("NoHTMLCheckBox", "no HTML, only images");
    auto* thumbsBox = Named<QCheckBox>("ImagesAreThumbsCheckBox", "Images = Thumbnails");
    auto* defaultExtBox = Named<QCheckBox>("DefaultExtCheckBox", "use as default HTML ext.");
    auto* defaultExtEdit = Named<QLineEdit>("DefaultExtEdit");
    auto* targetBox = Named<QCheckBox>("TargetFrameCheckBox", "Target Frame ");
    targetFrameEdit = Named<QLineEdit>("TargetFrameEdit");
    auto* targetEdit = targetFrameEdit;
    refreshers.push_back(Bind(noHTMLBox, main.NoHTML));
    refreshers.push_back(Bind(thumbsBox, main.ImagesAreThumbs));
    refreshers.push_back(Bind(defaultExtBox, main.UseDefaultExt, [this] {
        // Only a click changes the box, and no click reaches it while the modal
        // directory-tree dialog shows.
        ClickUseDefaultExt(this->ws, this->ws.Main.UseDefaultExt, false, this->messages);
    }));
    refreshers.push_back(Bind(defaultExtEdit, main.DefaultExt));
    refreshers.push_back(
        Bind(targetBox, main.UseTargetFrame, [this] { EnableDependentControls(); }));
    refreshers.push_back(Bind(targetEdit, main.TargetFrame));

    auto* layout = new QGridLayout(group);
    layout->addWidget(noHTMLBox, 0, 0, 1, 2);
    layout->addWidget(thumbsBox, 1, 0, 1, 2);
    layout->addWidget(defaultExtBox, 2, 0);
    layout->addWidget(defaultExtEdit, 2, 1);
    layout->addWidget(targetBox, 3, 0);
    layout->addWidget(targetEdit, 3, 1);
    return group;
}

void SettingsPanels::ShowTemplateName() {
    // A template opened from a file is listed as "USER:" and its path, the program's own
    // notation; the field shows the path alone.
    const std::string& name = ws.Main.TemplateName;
    Show(templateNameEdit, StartsWith(name, UserTemplatePrefix)
                               ? name.substr(std::string(UserTemplatePrefix).size())
                               : name);
}

void SettingsPanels::ConnectDirectories(QLineEdit* imageDirEdit, QLineEdit* htmlFileEdit) {
    connect(imageDirEdit, &QLineEdit::textEdited, this, [this, imageDirEdit](const QString& text) {
        RunCommand([&] { fsc::SetImageDir(ws, QStringToBytes(text)); });
        // The rule may have trimmed the text or put "images" back; keep the cursor where
        // the user types unless the text changed under it.
        if (QStringToBytes(imageDirEdit->text()) != ws.Main.ImageDir)
            Show(imageDirEdit, ws.Main.ImageDir);
    });
    connect(htmlFileEdit, &QLineEdit::editingFinished, this, [this, htmlFileEdit] {
        RunCommand([this] { CheckHTMLFile(ws, THTMLFileCheck::Field, messages, ask); });
        Show(htmlFileEdit, ws.Main.HTMLFile);
        // Taking an existing page as the template may have changed the template's name.
        ShowTemplateName();
    });
}

void SettingsPanels::SelectHTMLDir() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QString(), BytesToQString(ws.Main.HTMLDir), QFileDialog::ShowDirsOnly);
    std::optional<std::string> choice;
    if (!chosen.isEmpty()) choice = QStringToBytes(chosen);
    fsc::SelectHTMLDir(ws, choice);
    Show(htmlDirEdit, ws.Main.HTMLDir);
}

void SettingsPanels::SelectHTMLFile() {
    // Nothing is replaced here: choosing an existing page asks whether to build on it.
    const std::optional<std::string> chosen =
        AskSavePath(this, {"HTML|*.html;*.htm", "html", ws.Main.HTMLDir, false});
    if (chosen) fsc::SelectHTMLFile(ws, *chosen, messages, ask);
}

void SettingsPanels::EnableDependentControls() {
    // The panels live in the main window's pages, so controls are reached by pointer,
    // not searched among this form's children.
    targetFrameEdit->setEnabled(ws.Main.UseTargetFrame);
    for (const auto& [button, dialog] : optionButtons) button->setEnabled(styleDialogs.*dialog);
    imageHTMLButton->setEnabled(styleDialogs.ImageHTML && ws.Main.LinkToHTML);
}

void SettingsPanels::SetStyleDialogs(const StyleDialogs& dialogs) {
    styleDialogs = dialogs;
    EnableDependentControls();
}

void SettingsPanels::ShowStyleDialog(QDialog* StyleDialogs::*dialog) {
    if (QDialog* shown = styleDialogs.*dialog) shown->exec();
}

}  // namespace fsc
