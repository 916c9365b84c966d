// Turning a picture with its own ICC profile into sRGB with lcms2.
#include "imaging/ColourProfile.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace fsc {

namespace {

struct ProfileClose {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using TProfile = std::unique_ptr<void, ProfileClose>;

struct TransformDelete {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};

TProfile OpenRgbProfile(std::string_view icc) {
    if (icc.empty()) return nullptr;
    TProfile profile(cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size())));
    if (profile && cmsGetColorSpace(profile.get()) != cmsSigRgbData) profile.reset();
    return profile;
}

bool NearXyz(const cmsCIEXYZ* a, const cmsCIEXYZ* b) {
    constexpr double Tolerance = 0.002;
    return a != nullptr && b != nullptr && std::fabs(a->X - b->X) < Tolerance &&
           std::fabs(a->Y - b->Y) < Tolerance && std::fabs(a->Z - b->Z) < Tolerance;
}

bool NearCurve(const cmsToneCurve* a, const cmsToneCurve* b) {
    if (a == nullptr || b == nullptr) return false;
    for (float x = 0.0f; x <= 1.0f; x += 0.125f)
        if (std::fabs(cmsEvalToneCurveFloat(a, x) - cmsEvalToneCurveFloat(b, x)) > 0.004f)
            return false;
    return true;
}

// Cameras, editors and phones each write their own copy of sRGB; what counts is that its
// primaries and tone curves are sRGB's, whatever it is called.
bool IsSrgb(void* profile) {
    const TProfile srgb(cmsCreate_sRGBProfile());
    if (!cmsIsMatrixShaper(profile)) return false;
    for (const cmsTagSignature tag :
         {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag}) {
        if (!NearXyz(static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tag)),
                     static_cast<const cmsCIEXYZ*>(cmsReadTag(srgb.get(), tag))))
            return false;
    }
    for (const cmsTagSignature tag : {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag}) {
        if (!NearCurve(static_cast<const cmsToneCurve*>(cmsReadTag(profile, tag)),
                       static_cast<const cmsToneCurve*>(cmsReadTag(srgb.get(), tag))))
            return false;
    }
    return true;
}

}  // namespace

bool NeedsSrgbConversion(std::string_view iccProfile) {
    const TProfile profile = OpenRgbProfile(iccProfile);
    return profile && !IsSrgb(profile.get());
}

void ConvertToSrgb(TBitmap& picture, std::string_view iccProfile) {
    const TProfile profile = OpenRgbProfile(iccProfile);
    if (!profile || IsSrgb(profile.get()) || picture.Empty()) return;
    const TProfile srgb(cmsCreate_sRGBProfile());
    const std::unique_ptr<void, TransformDelete> transform(cmsCreateTransform(
        profile.get(), TYPE_RGB_8, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0));
    if (!transform) return;
    // Rows have no padding, so the whole picture is one run of pixels; lcms2 converts in place.
    const std::size_t pixels = std::size_t(picture.Width) * std::size_t(picture.Height);
    constexpr std::size_t Run = std::size_t(1) << 20;
    for (std::size_t done = 0; done < pixels; done += Run) {
        std::uint8_t* at = picture.Pixels.data() + done * 3;
        cmsDoTransform(transform.get(), at, at, cmsUInt32Number(std::min(Run, pixels - done)));
    }
}

std::string SrgbCurveProfile(const TPrimaries& p) {
    const cmsCIExyY white{p.WhiteX, p.WhiteY, 1.0};
    const cmsCIExyYTRIPLE primaries{
        {p.RedX, p.RedY, 1.0}, {p.GreenX, p.GreenY, 1.0}, {p.BlueX, p.BlueY, 1.0}};
    // sRGB's curve: linear near black, then a 2.4 power.
    const cmsFloat64Number srgb[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb);
    if (curve == nullptr) return {};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    const TProfile profile(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size)) return {};
    std::string bytes(size, '\0');
    if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size)) return {};
    return bytes;
}

}  // namespace fsc
