// The question dialog.
#include "ui/TAskForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ByteText.h"

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
    auto* noButton = new QPushButton("No", this);
    auto* yesButton = new QPushButton("Yes", this);
    noButton->setObjectName("NoButton");
    yesButton->setObjectName("YesButton");
    // "No" is the safe answer to Return, as nothing happens on it.
    noButton->setDefault(true);
    connect(noButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(yesButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(noButton);
    buttons->addWidget(yesButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statementLine);
    layout->addWidget(questionLine);
    layout->addLayout(buttons);
}

bool TAskForm::Ask(const std::string& statement, const std::string& question) {
    statementLine->setText(BytesToQString(statement));
    questionLine->setText(BytesToQString(question));
    return exec() == QDialog::Accepted;
}

}  // namespace fsc
