// Whether the copy step must (re)make an image's copy, from its cache fields and the
// settings of this build.
#pragma once

#include "base/TDateTime.h"
#include "engine/TFSC_Images.h"
#include "engine/TThumbnail.h"

namespace fsc {

// What the copy step knows about one image besides its record.
struct TCopyTarget {
    bool Exists = false;
    // The target is the source file itself, without regard to case: the image lies in the
    // image directory already.
    bool IsSource = false;
    // Originals are not to be touched (KeepOriginals, or No to the overwrite question).
    bool KeepOriginal = false;
};

// What the step decided so far: the copy quality Q (the dialog's choice once shown) and
// whether the dialog answered "OK, use for all images.".
struct TCopyChoices {
    int Quality = 75;
    bool All = false;
};

// True when any of the cache rules says the copy is out of date.
bool CopyIsStale(const TThumbnail& thumb, const TFSC_Images& images, const TCopyChoices& choices);

// A missing target is made; an original in the image directory is left when it is to be
// kept, else judged as a copy made now at quality 100; any other target by the cache rules.
bool NeedsCopy(const TThumbnail& thumb, const TFSC_Images& images, const TCopyChoices& choices,
               const TCopyTarget& target, TDateTime now);

}  // namespace fsc
