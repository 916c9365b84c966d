// The order the command line's --sort puts a gallery's pictures in.
#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"

namespace fsc {

enum class TPictureOrder {
    // As the folders, image sets and project gave them.
    AsGiven,
    // By name, without regard to case.
    Name,
    // By the date the camera recorded (EXIF), else the file's date.
    DateTaken
};

// "name", "date" or "none"; nothing for another word.
std::optional<TPictureOrder> PictureOrderNamed(const std::string& word);

// Sorts the image list. The sort is stable: pictures with the same key keep their order, so
// a burst of photos taken in one second stays as the camera numbered it.
void SortPictures(Workspace& ws, TPictureOrder order);

// By date taken, earliest first or, not `ascending`, latest first; stable either way.
void SortByDateTaken(TThumbnailArray& pictures, bool ascending);

}  // namespace fsc
