// The question dialog.
#include "ui/TAskForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ByteText.h"
#include "ui/DialogButtons.h"

namespace fsc {

TAskForm::TAskForm(QWidget* parent)
    : QDialog(parent), statementLine(new QLabel(this)), questionLine(new QLabel(this)) {
    setObjectName("AskForm");
    setWindowTitle("QUESTION");
    setModal(true);
    statementLine->setObjectName("StatementLabel");
    questionLine->setObjectName("QuestionLabel");
    statementLine->setWordWrap(true);
    questionLine->setWordWrap(true);
    auto* noButton = new QPushButton("No");
    auto* yesButton = new QPushButton("Yes");
    noButton->setObjectName("NoButton");
    yesButton->setObjectName("YesButton");
    connect(noButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(yesButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statementLine);
    layout->addWidget(questionLine);
    layout->addWidget(PlatformButtonBox(
        {{yesButton, QDialogButtonBox::YesRole}, {noButton, QDialogButtonBox::NoRole}}));
    KeepContentsSize(this);
    // "No" is the safe answer to Return, as nothing happens on it. Set once the button sits
    // in the dialog: set before, the dialog did not keep it.
    noButton->setDefault(true);
}

bool TAskForm::Ask(const std::string& statement, const std::string& question) {
    statementLine->setText(BytesToQString(statement));
    questionLine->setText(BytesToQString(question));
    return exec() == QDialog::Accepted;
}

}  // namespace fsc
