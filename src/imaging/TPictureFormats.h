// The ordered list of picture readers with their filter entries; plug-ins join at start-up.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/TBitmap.h"

namespace fsc {

class TImagePlugin;

// Reads one file; notices are texts for the user about a picture that loaded
// only in part (the HIPS planes), not errors.
using TPictureLoader =
    std::function<TBitmap(const std::string& fileName, std::vector<std::string>& notices)>;

struct TPictureFormat {
    std::string Description;  // "Portable network graphic (*.png)"
    std::string Patterns;     // "*.png", several joined with ';'
    TPictureLoader Load;
    // Reads the whole file as Load does, without making the whole picture; Load when unset.
    std::function<void(const std::string& fileName)> Check;

    std::string FilterEntry() const { return Description + "|" + Patterns; }
    // Whether the name ends with one of the patterns' extensions, ignoring case.
    bool Handles(const std::string& fileName) const;
};

class TPictureFormats {
public:
    // The built-in readers in their fixed order: JPEG, PNG, HIPS, BMP, PCX, WebP, TIFF, HEIF,
    // AVIF, camera raw previews.
    TPictureFormats();
    ~TPictureFormats();
    TPictureFormats(const TPictureFormats&) = delete;
    TPictureFormats& operator=(const TPictureFormats&) = delete;

    void Add(TPictureFormat format);
    // Loads every "*.so" directly in the folder; modules that fail to load or
    // lack a required function are skipped. Returns how many joined.
    int RegisterPlugins(const std::string& folder);

    const std::vector<TPictureFormat>& Formats() const { return formats; }
    // The first reader, in registration order, whose patterns match; null when none.
    const TPictureFormat* Find(const std::string& fileName) const;

private:
    std::vector<TPictureFormat> formats;
    std::vector<std::shared_ptr<TImagePlugin>> plugins;
};

// The plug-in's load filter split into description and patterns: the
// patterns are every "*.ext" it mentions.
TPictureFormat PluginFormat(const std::string& loadFilter);

}  // namespace fsc
