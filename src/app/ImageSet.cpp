// Writing and reading image set files.
#include "app/ImageSet.h"

#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "app/AddImages.h"
#include "app/ImageNames.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/ScopeExit.h"
#include "base/Text.h"
#include "engine/SourcePicture.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

constexpr const char* CRLF = "\r\n";
constexpr const char* UseDirMarker = "<#useDir#>";
constexpr const char* TagStart = "<#THUMB";
// Only pictures that are no JPEG files are encoded for the folder; nearly lossless, since the
// copy replaces the picture in every later build.
constexpr int SetJpegQuality = 95;
// "<#THUMB", a ten-digit number, "useOtherLinkEND#>" and some room.
constexpr std::size_t MaxTagLength = 48;

const char* const FieldTags[] = {"FileName", "Name",        "Link",         "ThumbName",
                                 "Hint",     "Description", "FieldA",       "FieldB",
                                 "FieldC",   "noImage",     "useOtherLink", "OtherLink"};

std::string BoolText(bool value) { return value ? "TRUE" : "FALSE"; }

std::string Field(const std::string& number, const char* tag, const std::string& value) {
    return TagStart + number + tag + "#>" + value + TagStart + number + tag + "END#>";
}

std::string Block(std::size_t index, const TThumbnail& thumb, const std::string& fileName) {
    const std::string n = std::to_string(index);
    const std::string values[] = {fileName,
                                  thumb.Name,
                                  thumb.Link,
                                  thumb.ThumbName,
                                  thumb.Hint,
                                  thumb.Description,
                                  thumb.FieldA,
                                  thumb.FieldB,
                                  thumb.FieldC,
                                  BoolText(thumb.noImage),
                                  BoolText(thumb.useOtherLink),
                                  thumb.OtherLink};
    std::string block;
    for (std::size_t i = 0; i < std::size(FieldTags); ++i)
        block += Field(n, FieldTags[i], values[i]);
    return block;
}

void RequirePlainNames(const TThumbnailArray& images) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (IsPlainFileName(images[i].Name)) continue;
        throw EUserInputError("Image " + std::to_string(i + 1) + " (\"" + images[i].FileName +
                              "\") has the name \"" + images[i].Name +
                              "\", which is not a plain file name.");
    }
}

// The first position of every tag in the text, found in one pass, so that reading many
// images does not search the whole text once per field.
class TTagIndex {
public:
    explicit TTagIndex(const std::string& text) {
        for (std::size_t at = text.find(TagStart); at != std::string::npos;
             at = text.find(TagStart, at + 1)) {
            // A tag is short; looking further would let a damaged file cost quadratic time.
            const std::size_t close = std::string_view(text).substr(at, MaxTagLength).find("#>");
            if (close == std::string_view::npos) continue;
            firstPosition.emplace(text.substr(at, close + 2), at);
        }
    }
    std::optional<std::size_t> Find(const std::string& tag) const {
        const auto it = firstPosition.find(tag);
        if (it == firstPosition.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::string, std::size_t> firstPosition;
};

class TSetReader {
public:
    TSetReader(const std::string& path, IProgress& progress)
        : path(path), progress(progress), text(JoinLines(LoadLines(path))), tags(text) {}

    TThumbnailArray Read() {
        TThumbnailArray images;
        if (text.find(TagStart) == std::string::npos) return images;
        const int last = LastNumber();
        const bool useDir = text.find(UseDirMarker) != std::string::npos;
        for (int k = 0; k <= last; ++k) {
            progress.Update(0, k,
                            "Folioscope. Adding images." + std::to_string(k + 1) + " of " +
                                std::to_string(last + 1),
                            last);
            ReadImage(images, k, useDir);
        }
        return images;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EUserInputError("The image set \"" + path + "\" " + what);
    }

    int LastNumber() const {
        const std::size_t start = std::string(TagStart).size();
        std::string digits = text.substr(0, start) == TagStart ? text.substr(start, 10) : "";
        digits = digits.substr(0, digits.find('F'));
        int last = -1;
        if (!TryParseInt(digits, last) || last < 0) {
            Fail("is damaged: it does not begin with the number of its last image.");
        }
        return last;
    }

    std::string Value(int k, const char* tag) const {
        const std::string n = std::to_string(k);
        const std::string open = TagStart + n + tag + "#>";
        const std::string close = TagStart + n + tag + "END#>";
        const std::optional<std::size_t> from = tags.Find(open);
        const std::optional<std::size_t> to = tags.Find(close);
        if (!from || !to || *to < *from + open.size()) {
            Fail("is damaged: the tag pair \"" + open + "\" of image " + n + " is missing.");
        }
        return text.substr(*from + open.size(), *to - *from - open.size());
    }

    void ReadImage(TThumbnailArray& images, int k, bool useDir) {
        std::string values[std::size(FieldTags)];
        for (std::size_t i = 0; i < std::size(FieldTags); ++i) values[i] = Value(k, FieldTags[i]);
        const std::string& name = values[1];
        const std::string& thumbName = values[3];
        if (!IsPlainFileName(name) || (!thumbName.empty() && !IsPlainFileName(thumbName))) {
            Fail("gives image " + std::to_string(k) + " the name \"" + name + "\" or thumbnail \"" +
                 thumbName + "\", which is not a plain file name.");
        }
        std::string file = ToInternalPath(values[0]);
        const std::string copy = JoinPath(CompanionFolder(path), name);
        if (useDir && FileExists(copy)) file = copy;
        try {
            if (!AddOneFile(images, file)) return;
        } catch (const EFscError& error) {
            Fail("holds image " + std::to_string(k) + " \"" + file +
                 "\", which cannot be read: " + error.what());
        }
        TThumbnail& thumb = images.back();
        thumb.Name = name;
        thumb.Link = values[2];
        thumb.ThumbName = thumbName;
        thumb.Hint = values[4];
        thumb.Description = values[5];
        thumb.FieldA = values[6];
        thumb.FieldB = values[7];
        thumb.FieldC = values[8];
        thumb.noImage = UpperCase(values[9]) == "TRUE";
        thumb.useOtherLink = UpperCase(values[10]) == "TRUE";
        thumb.OtherLink = values[11];
    }

    std::string path;
    IProgress& progress;
    std::string text;
    TTagIndex tags;
};

}  // namespace

void WriteImageSetInfos(const TThumbnailArray& images, const std::string& path) {
    std::string text;
    for (std::size_t i = 0; i < images.size(); ++i) {
        text = Block(i, images[i], images[i].FileName) + text;
    }
    WriteFileBytes(path, text + CRLF);
}

namespace {

std::string NumberedName(const std::string& name, int n) {
    const std::string extension = ExtractFileExt(name);
    return name.substr(0, name.size() - extension.size()) + "_" + std::to_string(n) + extension;
}

// Different pictures that share a "Save As" name would end as one file in the folder. A
// record whose file already lies there under its name keeps it; every other record claims
// its name in list order, and a name taken by another picture gives way to the next free
// name of the clash rule (stem_2.jpg, stem_3.jpg, ...), with the link that named the old
// one. Records of one and the same file may share a name.
void GiveEveryPictureItsOwnName(TThumbnailArray& images, const std::string& folder) {
    std::map<std::string, std::string> owner;  // name -> canonical source file
    std::set<std::string> names;
    for (const TThumbnail& thumb : images) {
        names.insert(thumb.Name);
        const std::string source = CanonicalPath(thumb.FileName);
        if (source == CanonicalPath(JoinPath(folder, thumb.Name))) owner[thumb.Name] = source;
    }
    for (TThumbnail& thumb : images) {
        const std::string source = CanonicalPath(thumb.FileName);
        const auto claimed = owner.find(thumb.Name);
        if (claimed == owner.end()) {
            owner[thumb.Name] = source;
            continue;
        }
        if (claimed->second == source) continue;
        std::string name;
        for (int n = 2; name.empty() || names.count(name) != 0; ++n) {
            name = NumberedName(thumb.Name, n);
        }
        if (thumb.Link == thumb.Name) thumb.Link = name;
        thumb.Name = name;
        names.insert(name);
        owner[name] = source;
    }
}

// A JPEG file keeps its own bytes, so saving never costs a picture quality; anything else is
// encoded. A target that holds the bytes already is left alone, so builds from it stay current.
void SavePictureCopy(const std::string& source, const std::string& target) {
    const std::string bytes = IsJpegFileName(source)
                                  ? ReadFileBytes(source)
                                  : EncodeJpeg(LoadPicture(source), SetJpegQuality, false);
    if (!FileHolds(target, bytes)) WriteFileBytes(target, bytes);
}

}  // namespace

void WriteImageSetWithImages(TThumbnailArray& images, const std::string& path,
                             IProgress& progress) {
    RequirePlainNames(images);
    const std::string folder = CompanionFolder(path);
    GiveEveryPictureItsOwnName(images, folder);
    ForceDirectories(folder);
    const int count = static_cast<int>(images.size());
    progress.ResetAbortHandler();
    for (int i = 0; i < count; ++i) {
        progress.Update(
            0, i + 1,
            "Folioscope. Saving images. " + std::to_string(i + 1) + " of " + std::to_string(count),
            count);
        TThumbnail& thumb = images[static_cast<std::size_t>(i)];
        const std::string target = JoinPath(folder, thumb.Name);
        if (CanonicalPath(thumb.FileName) != CanonicalPath(target)) {
            SavePictureCopy(thumb.FileName, target);
        }
        thumb.FileName = target;
    }
    progress.Hide();
    std::string text = UseDirMarker;
    for (std::size_t i = 0; i < images.size(); ++i) {
        text = Block(i, images[i], images[i].Name) + CRLF + text;
    }
    WriteFileBytes(path, text + CRLF);
}

TThumbnailArray ReadImageSet(const std::string& path, IProgress& progress) {
    progress.ResetAbortHandler();
    const TScopeExit hide([&] { progress.Hide(); });
    TThumbnailArray images = TSetReader(path, progress).Read();
    return images;
}

void AddImageSet(TThumbnailArray& images, const std::string& path, IProgress& progress) {
    TThumbnailArray added = ReadImageSet(path, progress);
    images.insert(images.end(), added.begin(), added.end());
}

}  // namespace fsc
