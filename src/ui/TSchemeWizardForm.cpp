// The scheme wizard.
#include "ui/TSchemeWizardForm.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "templates/SchemeWizard.h"
#include "templates/TScheme.h"
#include "ui/Binders.h"
#include "ui/DialogButtons.h"
#include "ui/NamedWidget.h"
#include "ui/THelpForm.h"
#include "ui/TSchemeEditorForm.h"
#include "ui/TSchemeWizardGalNavForm.h"

namespace fsc {

namespace {

const char* const PageCaptions[] = {"Gallery Scheme Wizard", "Navigation Scheme Wizard",
                                    "Thumbnail Scheme Wizard", "Image Scheme Wizard"};

TImageWizardSet* SetOfPage(SchemeWizardSettings& settings, int page) {
    if (page == WizardThumbnailPage) return &settings.ThumbnailSet;
    if (page == WizardImagePage) return &settings.ImageSet;
    return nullptr;
}

}  // namespace

TSchemeWizardForm::TSchemeWizardForm(Workspace& ws, TSchemeWizardGalNavForm& contents,
                                     TSchemeEditorForm& editor, THelpForm& help, QWidget* parent)
    : QDialog(parent),
      ws(ws),
      contents(contents),
      editor(editor),
      help(help),
      pageGroup(Named<QGroupBox>("PageGroupBox")),
      useCurrentButton(Named<QRadioButton>("UseCurrentRadioButton", "use current scheme")),
      useWizardButton(Named<QRadioButton>("UseWizardRadioButton", "use the wizard")),
      schemeMemo(Named<QPlainTextEdit>("SchemeMemo")),
      wizardArea(new QVBoxLayout),
      backButton(Named<QPushButton>("BackButton", "Back")),
      nextButton(Named<QPushButton>("NextButton", "Next")),
      okButton(Named<QPushButton>("OKButton", "OK")),
      cancelButton(Named<QPushButton>("CancelButton", "Cancel")) {
    setObjectName("SchemeWizardForm");
    setWindowTitle("Scheme Wizard");
    auto* helpButton = Named<QPushButton>("HelpButton", "Help");
    auto* restoreButton = Named<QPushButton>("RestoreDefaultsButton", "Restore Defaults");
    // Typing into the text box means keeping (an edited) current scheme.
    connect(schemeMemo, &QPlainTextEdit::textChanged, this,
            [this] { useCurrentButton->setChecked(true); });
    connect(nextButton, &QPushButton::clicked, this, [this] { NextClicked(); });
    connect(backButton, &QPushButton::clicked, this, [this] { BackClicked(); });
    connect(okButton, &QPushButton::clicked, this, [this] {
        ApplyPage();
        accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(restoreButton, &QPushButton::clicked, this, [this] { RestoreDefaults(); });

    wizardArea->addStretch();
    auto* pageLayout = new QVBoxLayout(pageGroup);
    pageLayout->addWidget(useCurrentButton);
    pageLayout->addWidget(schemeMemo, 1);
    pageLayout->addWidget(useWizardButton);
    pageLayout->addLayout(wizardArea, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpButton);
    buttons->addWidget(restoreButton);
    buttons->addStretch();
    buttons->addWidget(backButton);
    buttons->addWidget(nextButton);
    buttons->addWidget(PlatformButtonBox(
        {{okButton, QDialogButtonBox::AcceptRole}, {cancelButton, QDialogButtonBox::RejectRole}}));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageGroup, 1);
    layout->addLayout(buttons);
    useCurrentButton->setChecked(true);
}

bool TSchemeWizardForm::UsesWizard() const { return useWizardButton->isChecked(); }

void TSchemeWizardForm::EditSchemeOfEditor() {
    ShowMode(false);
    EnterPage(WizardPageOfScheme(ws.EditedScheme));
    exec();
}

void TSchemeWizardForm::RunSequence() {
    ShowMode(true);
    EnterPage(WizardGalleryPage);
    exec();
}

void TSchemeWizardForm::ShowMode(bool sequenceMode) {
    sequence = sequenceMode;
    backButton->setVisible(sequence);
    nextButton->setVisible(sequence);
    okButton->setVisible(!sequence);
    cancelButton->setVisible(!sequence);
}

void TSchemeWizardForm::EnterPage(int newPage) {
    hosted.GiveBack();
    page = newPage;
    pageGroup->setTitle(PageCaptions[page]);
    Show(schemeMemo, ws.Schemes.OfKind(SchemeOfWizardPage(page)).Text);
    useCurrentButton->setChecked(true);
    contents.ShowChoices();
    if (const TImageWizardSet* set = SetOfPage(ws.SchemeWizard, page)) contents.LoadImageSet(*set);
    QGroupBox* group = page == WizardGalleryPage      ? contents.GalleryPanel()
                       : page == WizardNavigationPage ? contents.NavigationPanel()
                                                      : contents.ImagePanel();
    hosted.Borrow(group, wizardArea, 0);
    // Touching any of the wizard's controls means the wizard should write the scheme.
    group->installEventFilter(this);
    for (QWidget* child : group->findChildren<QWidget*>()) child->installEventFilter(this);
    nextButton->setText(page == WizardImagePage ? "Done" : "Next");
    backButton->setText(page == WizardGalleryPage ? "Done" : "Back");
}

bool TSchemeWizardForm::eventFilter(QObject* watched, QEvent* event) {
    const bool touched =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
    if (touched && hosted.Panel() && watched->isWidgetType() &&
        (watched == hosted.Panel() || hosted.Panel()->isAncestorOf(static_cast<QWidget*>(watched))))
        useWizardButton->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TSchemeWizardForm::ApplyPage() {
    if (TImageWizardSet* set = SetOfPage(ws.SchemeWizard, page)) contents.StoreImageSet(*set);
    TScheme& scheme = ws.Schemes.OfKind(SchemeOfWizardPage(page));
    scheme.Text = UsesWizard() ? WizardPageText(ws.SchemeWizard, page)
                               : SplitLines(QStringToBytes(schemeMemo->toPlainText()));
    editor.ShowScheme();
}

void TSchemeWizardForm::NextClicked() {
    ApplyPage();
    if (page < WizardImagePage) {
        EnterPage(page + 1);
    } else {
        accept();
    }
}

void TSchemeWizardForm::BackClicked() {
    ApplyPage();
    if (page > WizardGalleryPage) {
        EnterPage(page - 1);
    } else {
        accept();
    }
}

void TSchemeWizardForm::RestoreDefaults() {
    RestoreWizardDefaults(ws.SchemeWizard);
    if (const TImageWizardSet* set = SetOfPage(ws.SchemeWizard, page)) contents.LoadImageSet(*set);
}

void TSchemeWizardForm::ShowHelp() {
    if (!isModal()) {
        help.ShowHelp();
        return;
    }
    // Beside a modal wizard a plain window would take no input, so it is modal as well.
    help.hide();
    help.exec();
}

void TSchemeWizardForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) hosted.GiveBack();
}

}  // namespace fsc
