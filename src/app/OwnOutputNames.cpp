// Renaming at build time, since the names come from many places (added files, image sets,
// projects, the tree tool) and only the build sees them all together.
#include "app/OwnOutputNames.h"

#include <algorithm>
#include <set>

#include "app/ImageNames.h"
#include "base/NameHash.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/ThumbnailPicture.h"

namespace fsc {

namespace {

// The longest file name Linux file systems take, in bytes.
constexpr std::size_t MaxFileNameBytes = 255;

std::vector<std::string> OutputFiles(const std::string& name, const TFSC_Images& images,
                                     const TFSC_HTML& html) {
    std::vector<std::string> files{name};
    if (!images.ImagesAreThumbs) files.push_back(ThumbnailName(name, images.ThumbSuffix, false));
    if (html.LinkToHTML) files.push_back("image_" + name + "." + html.PageExt);
    return files;
}

std::size_t LongestFileName(const std::vector<std::string>& files) {
    std::size_t longest = 0;
    for (const std::string& file : files) longest = std::max(longest, ExtractFileName(file).size());
    return longest;
}

// Cut to at most `size` bytes without splitting a UTF-8 sequence.
std::string CutBytes(const std::string& text, std::size_t size) {
    if (text.size() <= size) return text;
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return text.substr(0, size);
}

class TTakenNames {
public:
    bool AreFree(const std::vector<std::string>& files) const {
        return std::none_of(files.begin(), files.end(),
                            [this](const std::string& file) { return taken.count(Key(file)); });
    }
    void Take(const std::vector<std::string>& files) {
        for (const std::string& file : files) taken.insert(Key(file));
    }

private:
    static std::string Key(const std::string& file) { return UpperCase(file); }
    std::set<std::string> taken;
};

// The build itself refuses these with its own message; renaming would hide that.
bool IsRefusedName(const std::string& name) {
    return Trim(name).empty() || name == "." || name == "..";
}

std::string Warning(const TThumbnail& thumb, const std::string& oldName, bool tooLong) {
    return "Warning: the picture \"" + thumb.FileName + "\" is named \"" + thumb.Name +
           "\" in the gallery, since \"" + oldName + "\" " +
           (tooLong ? "is too long for a file name." : "is taken by another picture.");
}

void Rename(TThumbnail& thumb, const std::string& name) {
    if (thumb.Link == thumb.Name) thumb.Link = name;
    thumb.Name = name;
}

}  // namespace

std::string FittingName(const std::string& name, const TFSC_Images& images, const TFSC_HTML& html) {
    const std::size_t longest = LongestFileName(OutputFiles(name, images, html));
    if (longest <= MaxFileNameBytes) return name;
    const std::string hash = "_" + NameHash(name).substr(0, 8);
    const std::size_t fileStart = name.size() - ExtractFileName(name).size();
    std::string extension = ExtractFileExt(name);
    std::string stem = name.substr(fileStart, name.size() - fileStart - extension.size());
    const std::size_t cut = longest - MaxFileNameBytes + hash.size();
    // A name that is nearly all extension loses the extension as well.
    if (stem.size() <= cut) {
        stem += extension;
        extension.clear();
    }
    const std::size_t kept = stem.size() > cut ? stem.size() - cut : 0;
    return name.substr(0, fileStart) + CutBytes(stem, kept) + hash + extension;
}

std::vector<std::string> GiveOwnOutputNames(TThumbnailArray& thumbs, const TFSC_Images& images,
                                            const TFSC_HTML& html) {
    TTakenNames taken;
    std::vector<std::size_t> toRename;
    for (std::size_t i = 0; i < thumbs.size(); ++i) {
        const std::string& name = thumbs[i].Name;
        if (IsRefusedName(name)) continue;
        const std::vector<std::string> files = OutputFiles(name, images, html);
        const bool fits = FittingName(name, images, html) == name;
        if (fits && taken.AreFree(files)) {
            taken.Take(files);
        } else {
            toRename.push_back(i);
        }
    }
    std::vector<std::string> warnings;
    for (const std::size_t i : toRename) {
        TThumbnail& thumb = thumbs[i];
        const std::string oldName = thumb.Name;
        std::string name = FittingName(oldName, images, html);
        for (int n = 2; !taken.AreFree(OutputFiles(name, images, html)); ++n) {
            name = FittingName(NumberedName(oldName, n), images, html);
        }
        taken.Take(OutputFiles(name, images, html));
        Rename(thumb, name);
        warnings.push_back(Warning(thumb, oldName, FittingName(oldName, images, html) != oldName));
    }
    return warnings;
}

}  // namespace fsc
