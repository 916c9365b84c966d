// Controls painted in a colour the user chose, and text colours that stay readable on
// whatever colour scheme the desktop uses, light or dark.
#pragma once

#include <QColor>

#include "templates/ColourWords.h"

class QWidget;

namespace fsc {

void PaintColours(QWidget* widget, const TColourPair& colours);

// How far apart two colours are for the eye, from 1 (the same) to 21 (black on white),
// measured as accessibility guidelines do; 4.5 is what body text needs.
double ContrastRatio(const QColor& first, const QColor& second);

// `wanted`, moved step by step towards black or white, whichever lies farther from
// `background`, until it reaches `ratio` against it. A colour that reads already is kept.
QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio = 4.5);

// Shows the widget's text in `colour` (a warning's red, a blinking hint), adjusted so that it
// reads on the widget's background, now and whenever the desktop's colours change.
void ShowTextInColour(QWidget* widget, const QColor& colour);

}  // namespace fsc
