// Collage pages.
#include "engine/CollagePage.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/CollageGeometry.h"
#include "engine/ImageDataTags.h"
#include "engine/JournalFile.h"
#include "engine/PageUrls.h"
#include "engine/ThumbCell.h"
#include "imaging/JpegQuality.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureLimits.h"

namespace fsc {

namespace {

const std::string CRLF = "\r\n";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

unsigned char HexPair(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(HexDigit(text[at]) * 16 + HexDigit(text[at + 1]));
}

TBitmap Canvas(int width, int height, TRgb colour) {
    // Box and grid come from the user; a canvas beyond any picture's size is refused
    // before it is allocated.
    CheckPictureSize("Collage", width, height, MaxPicturePixels);
    TBitmap canvas(width, height);
    for (std::size_t i = 0; i < canvas.Pixels.size(); i += 3) {
        canvas.Pixels[i] = colour.Red;
        canvas.Pixels[i + 1] = colour.Green;
        canvas.Pixels[i + 2] = colour.Blue;
    }
    return canvas;
}

// Copies the placement's part of the thumbnail; whatever falls outside the canvas is
// left out.
void Paint(TBitmap& canvas, const TBitmap& thumb, const TCollagePlacement& at) {
    for (int y = 0; y < at.Height; ++y) {
        const int canvasY = at.Y + y;
        if (canvasY < 0 || canvasY >= canvas.Height) continue;
        for (int x = 0; x < at.Width; ++x) {
            const int canvasX = at.X + x;
            if (canvasX < 0 || canvasX >= canvas.Width) continue;
            std::copy_n(thumb.Row(y) + x * 3, 3, canvas.Row(canvasY) + canvasX * 3);
        }
    }
}

// The picture is cut one pixel beyond the extents; where that reaches past the canvas the
// new pixels take the background colour.
TBitmap CutCanvas(const TBitmap& canvas, int width, int height, TRgb background) {
    TBitmap cut = Canvas(width, height, background);
    const int rows = std::min(height, canvas.Height);
    const int bytes = std::min(width, canvas.Width) * 3;
    for (int y = 0; y < rows; ++y) std::copy_n(canvas.Row(y), bytes, cut.Row(y));
    return cut;
}

std::string CellLink(TPageContext& context, int index) {
    const std::string cell = ThumbCell(context, index, context.Template.CollageCSS);
    if (FindNoCase(cell, "<A") == std::string::npos) return {};
    const std::size_t href = FindNoCase(cell, "HREF=\"");
    if (href == std::string::npos) return {};
    const std::size_t start = href + 6;
    const std::size_t end = cell.find('"', start);
    return cell.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Each area names its picture, as a thumbnail's alt text does.
std::string Area(const TPageContext& context, const TCollagePlacement& at, const std::string& link,
                 const TThumbnail& thumb) {
    const std::string frame = Trim(context.HTML.TargetFrame);
    const std::string target = frame.empty() ? std::string() : "target=\"" + HtmlText(frame) + "\"";
    return "<area shape=rect coords=\"" + std::to_string(at.X) + "," + std::to_string(at.Y) + "," +
           std::to_string(at.Right()) + "," + std::to_string(at.Bottom()) + "\" href=\"" + link +
           "\" alt=\"" + AltText(thumb) + "\" " + context.Template.CollageCSS + " " + target + ">" +
           CRLF;
}

// The collage as a whole: the pictures it shows, for those who cannot see it.
std::string CollageAltText(const TThumbnailArray& thumbs, int first, int last) {
    std::string text = "Collage of";
    for (int i = first; i <= last; ++i) text += (i > first ? ", " : " ") + AltText(thumbs[i]);
    return text;
}

void WritePicture(TPageContext& context, const TBitmap& picture, const std::string& path) {
    JournalFile(context.Journal, path, context.BackupFolder, context.Random);
    SaveJpeg(picture, path, CollageQuality(context.Images.ThumbQualityLevel), false);
    context.Journal.ExtraImages.push_back(path);
    context.Journal.AddOutput(path);
}

}  // namespace

TRgb CollageBackground(const std::string& colourEntry) {
    const std::size_t hash = colourEntry.find('#');
    if (hash == std::string::npos || colourEntry.size() - hash - 1 < 6) return {};
    return {HexPair(colourEntry, hash + 1), HexPair(colourEntry, hash + 3),
            HexPair(colourEntry, hash + 5)};
}

std::string CollagePictureName(const std::string& galleryFileName, int pageNumber) {
    std::string name = galleryFileName;
    std::replace_if(name.begin(), name.end(), IsPathSeparator, '_');
    return name + std::to_string(pageNumber) + ".jpg";
}

std::string CollageHTML(TPageContext& context, int pageNumber, int first, int last) {
    const TFSC_Images& images = context.Images;
    const TFSC_HTML& html = context.HTML;
    const TTemplate& tpl = context.Template;
    const int count = static_cast<int>(context.Thumbs.size());
    const int lastImage = count - 1;
    last = std::min(last, lastImage);
    TCollagePlacer placer(tpl.CollageType, images.ThumbWidth, images.ThumbHeight, html.Rows,
                          html.Cols, tpl.CollageCenter, context.Random);
    const TRgb background = CollageBackground(tpl.CollageBgColor);
    TBitmap canvas = Canvas(placer.CanvasWidth(), placer.CanvasHeight(), background);
    std::string text = CRLF + CRLF;
    if (first <= last) text += CRLF + "<map name=\"" + CollageMapName + "\">" + CRLF;
    std::string areas;
    for (int i = first; i <= last; ++i) {
        context.Progress.Update(
            0, i,
            "Folioscope: Creating Collage " + std::to_string(i) + " of " + std::to_string(count),
            count);
        const TThumbnail& thumb = context.Thumbs[i];
        const std::string thumbPath =
            JoinPath(html.HTMLDir, html.ImageDir + ExtractFileName(thumb.ThumbName));
        const TBitmap picture = DecodeJpeg(ReadPictureFile(thumbPath));
        const TCollagePlacement at = placer.Place(i, lastImage, picture.Width, picture.Height);
        Paint(canvas, picture, at);
        const std::string link = CellLink(context, i);
        // The last painted picture lies on top, so its area comes first in the map.
        if (!link.empty()) areas = Area(context, at, link, thumb) + areas;
    }
    const std::string name = CollagePictureName(tpl.GalleryFileName, pageNumber);
    WritePicture(context, CutCanvas(canvas, placer.Right() + 1, placer.Bottom() + 1, background),
                 JoinPath(html.HTMLDir, html.ImageDir + name));
    return text + areas + CRLF + "</map>" + CRLF + "<img src=\"" +
           FileUrl(PageImageDir(context), name) + "\" alt=\"" +
           CollageAltText(context.Thumbs, first, last) + "\" usemap=\"#" + CollageMapName + "\" " +
           tpl.CollageCSS + ">";
}

}  // namespace fsc
