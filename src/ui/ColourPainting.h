// A control painted in a colour the user chose, with text that stays readable on it.
#pragma once

#include "templates/ColourWords.h"

class QWidget;

namespace fsc {

void PaintColours(QWidget* widget, const TColourPair& colours);

}  // namespace fsc
