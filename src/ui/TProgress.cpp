// The progress window.
#include "ui/TProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ByteText.h"

namespace fsc {

TProgress::TProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      bar(new QProgressBar(this)),
      textLine(new QLabel(this)),
      abortButton(new QPushButton("Abort", this)) {
    setObjectName("Progress");
    setWindowTitle("Operation In Progress");
    // The loop that updates this window runs inside a command and works on the image list
    // and settings; while it lets events through, a click elsewhere (Clear, Let's go again,
    // Open Gallery) would change them under its feet. Only "Abort" stays reachable.
    setWindowModality(Qt::ApplicationModal);
    bar->setObjectName("ProgressBar");
    textLine->setObjectName("ProgressText");
    abortButton->setObjectName("AbortButton");
    textLine->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(textLine);
    layout->addWidget(abortButton, 0, Qt::AlignHCenter);
    connect(abortButton, &QPushButton::clicked, this, [this] { Abort(); });
}

void TProgress::Update(int minimum, int position, const std::string& text, int maximum) {
    bar->setRange(minimum, std::max(minimum, maximum));
    bar->setValue(position);
    textLine->setText(BytesToQString(text));
    if (!isVisible()) show();
    QApplication::processEvents();
}

void TProgress::Hide() { hide(); }

void TProgress::KeepResponsive() { QApplication::processEvents(); }

void TProgress::ShowText(const std::string& text) { textLine->setText(BytesToQString(text)); }

}  // namespace fsc
