// The template and scheme help window.
#include "ui/THelpForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "base/AppFolders.h"
#include "base/Paths.h"
#include "ui/CommandGuard.h"
#include "ui/HelpDocument.h"
#include "ui/NamedWidget.h"

namespace fsc {

THelpForm::THelpForm(QWidget* parent)
    : QDialog(parent), helpRichEdit(Named<QTextEdit>("HelpRichEdit")) {
    setObjectName("HelpForm");
    setWindowTitle("Template and Scheme Help");
    setModal(false);
    helpRichEdit->setReadOnly(true);

    struct TDocumentButton {
        const char* Name;
        const char* Caption;
        const char* File;
    };
    const TDocumentButton documents[] = {
        {"GeneralButton", "Templates, Schemes??", "General.rtf"},
        {"HTMLTemplatesButton", "HTML and Templates", "HTMLTemp.rtf"},
        {"SchemeTagsButton", "Scheme Tags", "Schemes.rtf"},
    };
    auto* buttons = new QHBoxLayout;
    for (const TDocumentButton& document : documents) {
        auto* button = Named<QPushButton>(document.Name, document.Caption);
        const std::string file = document.File;
        connect(button, &QPushButton::clicked, this, [this, file] { LoadDocument(file); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* closeButton = Named<QPushButton>("CloseButton", "Close");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(helpRichEdit, 1);
    layout->addLayout(buttons);
    resize(620, 480);
    LoadDocument("General.rtf");
}

void THelpForm::ShowHelp() {
    show();
    raise();
    activateWindow();
}

void THelpForm::LoadDocument(const std::string& fileName) {
    RunCommand([&] { LoadHelpDocument(helpRichEdit, JoinPath(DataFolder(), fileName)); });
}

}  // namespace fsc
