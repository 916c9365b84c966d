// Where the compression dialog draws a whole picture inside one of its two picture boxes:
// shrunk to fit, never enlarged, centred across, below the box's title. Pure arithmetic.
#pragma once

namespace fsc {

struct TPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const TPlacement&) const = default;
};

// The box keeps 2 pixels across for its frame and 25 down for its title and frame; the
// picture starts 20 below the box's top. A picture wider than the room takes the room's
// width, one taller (also after that step) the room's height, the other side following by
// the aspect ratio with truncating division. Sides never drop below 1 pixel, so a sliver of
// a picture still shows. A picture without pixels gets an empty placement.
TPlacement FullImagePlacement(int width, int height, int boxWidth, int boxHeight);

}  // namespace fsc
