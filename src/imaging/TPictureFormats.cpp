// The ordered list of picture readers with their filter entries; plug-ins join at start-up.
#include "imaging/TPictureFormats.h"

#include <algorithm>
#include <filesystem>
#include <regex>

#include "base/Paths.h"
#include "base/TStringList.h"
#include "base/Text.h"
#include "imaging/BmpReader.h"
#include "imaging/HeifReader.h"
#include "imaging/HipsReader.h"
#include "imaging/JpegReader.h"
#include "imaging/PcxReader.h"
#include "imaging/PictureFile.h"
#include "imaging/PngReader.h"
#include "imaging/RawPreviewReader.h"
#include "imaging/TImagePlugin.h"
#include "imaging/TiffReader.h"
#include "imaging/WebpReader.h"

namespace fsc {

namespace {

template <TBitmap (*Decode)(std::string_view, std::uint64_t)>
TBitmap LoadWith(const std::string& fileName, std::vector<std::string>&) {
    return Decode(ReadPictureFile(fileName), MaxPicturePixels);
}

TBitmap LoadHips(const std::string& fileName, std::vector<std::string>& notices) {
    return DecodeHips(ReadPictureFile(fileName), &notices, MaxPicturePixels);
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        const std::size_t end = std::min(patterns.find(';', start), patterns.size());
        if (end > start) parts.push_back(patterns.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

bool TPictureFormat::Handles(const std::string& fileName) const {
    for (const std::string& pattern : SplitPatterns(Patterns)) {
        // "*.jpg" matches by its ".jpg"; a bare "*" would match everything and is not a format.
        if (pattern.size() > 2 && pattern[0] == '*' && pattern[1] == '.' &&
            EndsWith(UpperCase(fileName), UpperCase(pattern.substr(1))))
            return true;
    }
    return false;
}

TPictureFormats::TPictureFormats() {
    // A JPEG decoded at an eighth of its size still reads and checks every byte of the file.
    formats.push_back(
        {"JPEG encoded (*.jpg;*.jpeg;*.jpe)", "*.jpg;*.jpeg;*.jpe", LoadWith<DecodeJpeg>,
         [](const std::string& fileName) { DecodeJpegAtLeast(ReadPictureFile(fileName), 1, 1); }});
    formats.push_back({"Portable network graphic (*.png)", "*.png", LoadWith<DecodePng>, {}});
    formats.push_back({"DTU HIPS image (*.hips)", "*.hips;*.hip", LoadHips, {}});
    formats.push_back({"Windows bitmap (*.bmp)", "*.bmp", LoadWith<DecodeBmp>, {}});
    formats.push_back({"PCX image (*.pcx)", "*.pcx", LoadWith<DecodePcx>, {}});
    formats.push_back({"WebP image (*.webp)", "*.webp", LoadWith<DecodeWebp>, {}});
    formats.push_back({"TIFF image (*.tif;*.tiff)", "*.tif;*.tiff", LoadWith<DecodeTiff>, {}});
    // libheif reads both: AVIF is HEIF with AV1 pictures inside.
    formats.push_back({"HEIF image (*.heic;*.heif)", "*.heic;*.heif", LoadWith<DecodeHeif>, {}});
    formats.push_back({"AVIF image (*.avif)", "*.avif", LoadWith<DecodeHeif>, {}});
    formats.push_back({"Camera raw preview (*.cr2;*.nef;*.arw;*.dng)",
                       "*.cr2;*.nef;*.arw;*.dng",
                       LoadWith<DecodeRawPreview>,
                       {}});
}

TPictureFormats::~TPictureFormats() = default;

void TPictureFormats::Add(TPictureFormat format) { formats.push_back(std::move(format)); }

TPictureFormat PluginFormat(const std::string& loadFilter) {
    TPictureFormat format;
    format.Description = loadFilter.substr(0, loadFilter.find('|'));
    static const std::regex extension(R"(\*\.[A-Za-z0-9_]+)");
    std::vector<std::string> seen;
    for (auto it = std::sregex_iterator(loadFilter.begin(), loadFilter.end(), extension);
         it != std::sregex_iterator(); ++it) {
        const std::string pattern = LowerCase(it->str());
        if (std::find(seen.begin(), seen.end(), pattern) != seen.end()) continue;
        seen.push_back(pattern);
        format.Patterns += (format.Patterns.empty() ? "" : ";") + pattern;
    }
    return format;
}

namespace {

// The "*.so" files directly in the folder, in byte order of their names; none
// when the folder is missing or unreadable, since then no module can join.
std::vector<std::string> ModuleFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (EndsWith(name, ".so") && it->is_regular_file(error))
            files.push_back(JoinPath(folder, name));
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int TPictureFormats::RegisterPlugins(const std::string& folder) {
    int joined = 0;
    for (const std::string& path : ModuleFiles(folder)) {
        // Registering twice at start-up must not list a module twice.
        const bool known = std::any_of(plugins.begin(), plugins.end(),
                                       [&](const auto& p) { return p->Path() == path; });
        std::shared_ptr<TImagePlugin> plugin = known ? nullptr : TImagePlugin::Open(path);
        if (!plugin) continue;
        TPictureFormat format = PluginFormat(plugin->LoadFilter());
        format.Load = [plugin](const std::string& fileName, std::vector<std::string>&) {
            return plugin->Load(fileName);
        };
        plugins.push_back(plugin);
        formats.push_back(std::move(format));
        joined++;
    }
    return joined;
}

const TPictureFormat* TPictureFormats::Find(const std::string& fileName) const {
    for (const TPictureFormat& format : formats)
        if (format.Handles(fileName)) return &format;
    return nullptr;
}

}  // namespace fsc
