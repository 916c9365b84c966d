// The style option dialogs as the settings panels and the main window open them: each is
// created once at start-up and shown modally from buttons and menu entries.
#pragma once

class QDialog;

namespace fsc {

struct StyleDialogs {
    QDialog* Table = nullptr;
    QDialog* List = nullptr;
    QDialog* Para = nullptr;
    QDialog* Collage = nullptr;
    QDialog* SlideShow = nullptr;
    QDialog* Navigation = nullptr;
    QDialog* ImageHTML = nullptr;
};

}  // namespace fsc
