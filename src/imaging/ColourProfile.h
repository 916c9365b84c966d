// Turning a picture that carries its own ICC profile (Display P3 from phones, Adobe RGB from
// cameras) into sRGB, the colours every browser assumes for a JPEG without a profile.
#pragma once

#include <string>
#include <string_view>

#include "imaging/TBitmap.h"

namespace fsc {

// Converts the picture's pixels from the profile to sRGB with the perceptual intent, in
// place. An empty profile, one that is sRGB in all but name, one that is not an RGB profile
// and one lcms2 cannot read leave the picture as it is: its colours are then taken as sRGB,
// as a viewer without colour management would.
void ConvertToSrgb(TBitmap& picture, std::string_view iccProfile);

// Whether ConvertToSrgb would change anything for this profile.
bool NeedsSrgbConversion(std::string_view iccProfile);

// The chromaticities (x, y) of an RGB space's primaries and white point.
struct TPrimaries {
    double RedX, RedY, GreenX, GreenY, BlueX, BlueY, WhiteX, WhiteY;
};

// An ICC profile of those primaries with sRGB's tone curve, for files that name their colours
// by code points instead of carrying a profile; empty when lcms2 cannot make one.
std::string SrgbCurveProfile(const TPrimaries& primaries);

}  // namespace fsc
