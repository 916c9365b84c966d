// The gallery settings panels of the "General" tab: directories, style, thumbnails,
// images and general switches, with the values they start with.
#pragma once

#include <string>

#include "engine/TFSC_Images.h"
#include "imaging/JpegQuality.h"

namespace fsc {

inline constexpr const char* NoTemplateName = "- no template -";

// The "Style" radio buttons.
enum class TGalleryStyle { List, Paragraph, SlideShow, Table, Collage };

struct MainSettings {
    // "Directories"
    std::string HTMLDir;  // the desktop folder or the options' folder; set by the workspace
    std::string ImageDir = "images";
    std::string HTMLFile;
    // The current template's name, or "USER:" and a template file's path.
    std::string TemplateName = NoTemplateName;
    // "Style"
    TGalleryStyle Style = TGalleryStyle::Table;
    int ListRows = 20;  // "Rows/Pics" of list, paragraph and slide show
    int Cols = 5;
    int Rows = 3;
    // "Thumbnails"
    TThumbQualityLevel ThumbQuality = TThumbQualityLevel::Middle;
    TThumbSizeMode ThumbSize = TThumbSizeMode::limit;
    int ThumbWidth = 70;
    int ThumbHeight = 70;
    // "Images"
    bool ResizeWidthChecked = false;
    bool ResizeHeightChecked = false;
    int GreaterThan = 800;  // one limit for both switches
    // "smooth resizing" (area averaging), else the classic sampling.
    TResizeMethod ResizeMethod = TResizeMethod::Smooth;
    // "WebP copies" and "AVIF copies": written beside the JPEGs for templates that offer them.
    bool WriteWebp = false;
    bool WriteAvif = false;
    // "download originals": each picture's own file beside the gallery, linked from its page.
    bool OfferOriginals = false;
    bool AdjustCompression = false;
    bool LinkToHTML = false;
    // "General"
    bool NoHTML = false;
    bool ImagesAreThumbs = false;
    bool UseDefaultExt = false;
    std::string DefaultExt = "html";
    bool UseTargetFrame = false;
    std::string TargetFrame;

    bool operator==(const MainSettings&) const = default;
};

template <class Settings, class Visitor>
void VisitMainSettings(Settings& settings, Visitor&& visit) {
    visit("HTMLDir", settings.HTMLDir);
    visit("ImageDir", settings.ImageDir);
    visit("HTMLFile", settings.HTMLFile);
    visit("TemplateName", settings.TemplateName);
    visit("Style", settings.Style);
    visit("ListRows", settings.ListRows);
    visit("Cols", settings.Cols);
    visit("Rows", settings.Rows);
    visit("ThumbQuality", settings.ThumbQuality);
    visit("ThumbSize", settings.ThumbSize);
    visit("ThumbWidth", settings.ThumbWidth);
    visit("ThumbHeight", settings.ThumbHeight);
    visit("ResizeWidthChecked", settings.ResizeWidthChecked);
    visit("ResizeHeightChecked", settings.ResizeHeightChecked);
    visit("GreaterThan", settings.GreaterThan);
    visit("ResizeMethod", settings.ResizeMethod);
    visit("WriteWebp", settings.WriteWebp);
    visit("WriteAvif", settings.WriteAvif);
    visit("OfferOriginals", settings.OfferOriginals);
    visit("AdjustCompression", settings.AdjustCompression);
    visit("LinkToHTML", settings.LinkToHTML);
    visit("NoHTML", settings.NoHTML);
    visit("ImagesAreThumbs", settings.ImagesAreThumbs);
    visit("UseDefaultExt", settings.UseDefaultExt);
    visit("DefaultExt", settings.DefaultExt);
    visit("UseTargetFrame", settings.UseTargetFrame);
    visit("TargetFrame", settings.TargetFrame);
}

}  // namespace fsc
