// Painting the FTP jobs' progress without running their events.
#include "ui/TFtpProgress.h"

#include <QProgressBar>
#include <algorithm>

namespace fsc {

void TFtpProgress::Update(int minimum, int position, const std::string& text, int maximum) {
    if (auto* bar = findChild<QProgressBar*>("ProgressBar")) {
        bar->setRange(minimum, std::max(minimum, maximum));
        bar->setValue(position);
    }
    ShowText(text);
    if (!isVisible()) show();
}

}  // namespace fsc
