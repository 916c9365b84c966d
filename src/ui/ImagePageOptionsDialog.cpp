// The image page options dialog.
#include "ui/ImagePageOptionsDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/Workspace.h"
#include "options/StyleOptions.h"
#include "ui/CommandGuard.h"
#include "ui/FileDialogs.h"

namespace fsc {

ImagePageOptionsDialog::ImagePageOptionsDialog(Workspace& ws, QWidget* parent)
    : TStyleDialog("ImagePageOptionsDialog", "Options Image HTML", parent), ws(ws) {
    auto* loadButton = Named<QPushButton>("LoadButton", "Load");
    connect(loadButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { LoadButtonClick(); }); });
    BindControls(loadButton);
}

void ImagePageOptionsDialog::BindControls(QPushButton* loadButton) {
    auto* memo1 = Named<QPlainTextEdit>("Memo1");
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1->setToolTip("<!- IMAGE -> is the place where the Image will be added.");
    memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for a skeleton's typical line.
    memo1->setMinimumWidth(memo1->fontMetrics().horizontalAdvance('x') * 60);
    refreshers.push_back(Bind(memo1, ws.ImageHTML.Text));

    auto* controls = new QVBoxLayout;
    controls->addWidget(memo1, 1);
    auto* load = new QHBoxLayout;
    load->addWidget(new QLabel("Load HTML File "));
    load->addWidget(loadButton);
    load->addStretch();
    controls->addLayout(load);
    SetContent(controls);
}

void ImagePageOptionsDialog::showEvent(QShowEvent* event) {
    ShowImageHTMLOptions(ws.ImageHTML, ws.Template);
    TStyleDialog::showEvent(event);
}

void ImagePageOptionsDialog::hideEvent(QHideEvent* event) {
    CloseImageHTMLOptions(ws.ImageHTML, ws.Template);
    TStyleDialog::hideEvent(event);
}

void ImagePageOptionsDialog::LoadButtonClick() {
    const std::optional<std::string> path = AskOpenPath(this, {"HTML|*.html", "html", {}});
    if (!path) return;
    LoadImageHTMLFile(ws.ImageHTML, *path);
    ShowOptions();
}

}  // namespace fsc
