// The naming rules of the image list: the "Save As" name of an added file, the clash rule,
// the repair when an image is shown, the identical-names check and plain file names.
#pragma once

#include <string>

#include "engine/TThumbnail.h"

namespace fsc {

// The file name part of `path` with ".jpg" as its extension, and every blank, "%20", "%",
// "[" and "]" turned into "_" (in that order of passes).
std::string SaveAsName(const std::string& path);

// stem + "_" + n + extension: the name a clash gives a picture.
std::string NumberedName(const std::string& name, int n);

// Walks the records in list order once, counting from 2 for each: while the name equals a
// record's name, stem + "_" + n + extension. Earlier records are not looked at again, so
// a clash can remain; CheckIdenticalNames reports it.
std::string AvoidNameClash(const TThumbnailArray& images, std::string name);

// What showing an image does to its name: ".jpg" appended unless it ends in ".jpg" or
// ".jpeg" (any case), square brackets turned into parentheses.
std::string RepairShownName(const std::string& name);

// EFSC_Exception "Warning: 2 identical image names - at I and J - name: N" for the first
// pair I < J (counted from 1) of equal names.
void CheckIdenticalNames(const TThumbnailArray& images);

// A name that can only ever mean a file directly in one folder: not blank, no separator,
// not "." or "..", no drive colon.
bool IsPlainFileName(const std::string& name);

}  // namespace fsc
