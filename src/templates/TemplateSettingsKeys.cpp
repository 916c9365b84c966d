// The table of settings keys, with the few ways of reading and writing a value its rows share.
#include "templates/TemplateSettingsKeys.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/InsideTemplateFolder.h"
#include "templates/ColourWords.h"

namespace fsc {

namespace {

// The panel or dialog that reading a field changes.
template <class Part>
Part& PartOf(TemplateContext& context);
template <>
MainSettings& PartOf(TemplateContext& context) {
    return context.Main;
}
template <>
TableOptions& PartOf(TemplateContext& context) {
    return context.Table;
}
template <>
ListOptions& PartOf(TemplateContext& context) {
    return context.List;
}
template <>
ParaOptions& PartOf(TemplateContext& context) {
    return context.Para;
}
template <>
CollageOptions& PartOf(TemplateContext& context) {
    return context.Collage;
}
template <>
SpecialOptions& PartOf(TemplateContext& context) {
    return context.Special;
}
template <>
WatermarkOptions& PartOf(TemplateContext& context) {
    return context.Watermark;
}
template <>
TFontSpec& PartOf(TemplateContext& context) {
    return context.Watermark.Font;
}

// The settings that saving takes a field from.
template <class Source>
const Source& SourceOf(const TSavedSettings& saved);
template <>
const TFSC_Images& SourceOf(const TSavedSettings& saved) {
    return saved.Images;
}
template <>
const TFSC_HTML& SourceOf(const TSavedSettings& saved) {
    return saved.Html;
}
template <>
const TTemplate& SourceOf(const TSavedSettings& saved) {
    return saved.Template;
}
template <>
const TKeptSettings& SourceOf(const TSavedSettings& saved) {
    return saved.Kept;
}
template <>
const TFontSpec& SourceOf(const TSavedSettings& saved) {
    return saved.Images.WatermarkFont;
}

bool IsWord(const TSettingsLine& line, const char* word) {
    return UpperCase(line.Value) == UpperCase(word);
}

int IntegerValue(const TSettingsLine& line) {
    int value = 0;
    if (!TryParseInt(line.Value, value)) {
        throw EFSC_Exception("\"" + line.Value + "\" is not a valid integer value (template line " +
                             line.Key + line.Value + ").");
    }
    return value;
}

// "true" in any case switches it on, any other value off.
template <class Part>
TReadValue OnWhenTrue(bool Part::*field) {
    return [field](TLineReading& reading, const TSettingsLine& line) {
        PartOf<Part>(reading.Context).*field = IsWord(line, "true");
    };
}

// Only "false" switches it off: the safe or usual choice stays unless the file says no.
template <class Part>
TReadValue OnUnlessFalse(bool Part::*field) {
    return [field](TLineReading& reading, const TSettingsLine& line) {
        PartOf<Part>(reading.Context).*field = !IsWord(line, "false");
    };
}

template <class Part>
TReadValue AsTyped(std::string Part::*field) {
    return [field](TLineReading& reading, const TSettingsLine& line) {
        PartOf<Part>(reading.Context).*field = line.Value;
    };
}

// A whole number, held between the limits; any other text is an error.
template <class Part>
TReadValue NumberBetween(int Part::*field, int minimum, int maximum) {
    return [=](TLineReading& reading, const TSettingsLine& line) {
        PartOf<Part>(reading.Context).*field = std::clamp(IntegerValue(line), minimum, maximum);
    };
}

// As NumberBetween, but an empty value is passed over.
template <class Part>
TReadValue NumberUnlessEmpty(int Part::*field, int minimum, int maximum) {
    return [=](TLineReading& reading, const TSettingsLine& line) {
        if (line.Value.empty()) return;
        PartOf<Part>(reading.Context).*field = std::clamp(IntegerValue(line), minimum, maximum);
    };
}

// The words a choice is written as, in any case when read.
template <class Choice>
using TWords = std::vector<std::pair<const char*, Choice>>;

// The first word is also what any text that is none of the words reads as.
template <class Part, class Choice>
TReadValue OneOfWords(Choice Part::*field, const TWords<Choice>& words) {
    return [field, words](TLineReading& reading, const TSettingsLine& line) {
        Choice value = words.front().second;
        for (const auto& [word, choice] : words) {
            if (IsWord(line, word)) value = choice;
        }
        PartOf<Part>(reading.Context).*field = value;
    };
}

// A text that is none of the words leaves the choice as it was.
template <class Part, class Choice>
TReadValue KnownWordOnly(Choice Part::*field, const TWords<Choice>& words) {
    return [field, words](TLineReading& reading, const TSettingsLine& line) {
        for (const auto& [word, choice] : words) {
            if (IsWord(line, word)) PartOf<Part>(reading.Context).*field = choice;
        }
    };
}

// A value that runs from just after its key to an end marker, line breaks kept.
std::string MultiLineValue(const TLineReading& reading, const TSettingsLine& line,
                           const char* marker, bool searchFromKey) {
    const std::size_t end = reading.FileText.find(marker, searchFromKey ? line.ValueStart : 0);
    if (end == std::string::npos || end < line.ValueStart) return {};
    return reading.FileText.substr(line.ValueStart, end - line.ValueStart);
}

// The file a line names, relative to the folder. A template's line may name only a file of
// the template or the library, as its pages may; a line the user typed names the user's own.
std::string LineFile(const TLineReading& reading, const TSettingsLine& line) {
    const std::string file = JoinPath(reading.Folder, ToInternalPath(line.Value));
    if (reading.From == TLinesFrom::TemplateFile && !line.Value.empty()) {
        RequireTemplateSource(
            FoldersOfTemplate(reading.Folder, reading.Context.LibraryFolder), file,
            "Template line \"" + line.Key + line.Value + "\": the source \"" + line.Value + "\"");
    }
    return file;
}

// "DEFAULT" or the file of a scheme; a file that is not there leaves the scheme as it was.
TReadValue SchemeFile(int kind) {
    return [kind](TLineReading& reading, const TSettingsLine& line) {
        TScheme& scheme = reading.Context.Schemes.OfKind(kind);
        if (IsWord(line, "DEFAULT")) {
            scheme.Text = DefaultSchemeText(kind);
            return;
        }
        const std::string file = LineFile(reading, line);
        if (!line.Value.empty() && FileExists(file)) LoadSchemeFile(scheme, file);
    };
}

// One size serves both slide switches: a limit below 1 turns this switch off; any other sets
// the size and the switch.
TReadValue SlideLimit(bool SlideShowOptions::*checked) {
    return [checked](TLineReading& reading, const TSettingsLine& line) {
        SlideShowOptions& slide = reading.Context.SlideShow;
        const int value = IntegerValue(line);
        if (value < 1) {
            slide.*checked = false;
        } else {
            slide.SlideSize = std::clamp(value, MinSlideSize, MaxSlideSize);
            slide.*checked = true;
        }
    };
}

// "IMAGEDORESIZE=" has set the switches already: a limit below 1 turns its switch off, any
// other sets the one limit both switches share.
TReadValue ResizeLimit(bool MainSettings::*checked) {
    return [checked](TLineReading& reading, const TSettingsLine& line) {
        MainSettings& main = reading.Context.Main;
        const int value = IntegerValue(line);
        if (value < 1) {
            main.*checked = false;
        } else {
            main.GreaterThan = std::min(value, 32000);
        }
    };
}

void ReadImageDoResize(TLineReading& reading, const TSettingsLine& line) {
    const bool on = !IsWord(line, "false");
    reading.Context.Main.ResizeWidthChecked = on;
    reading.Context.Main.ResizeHeightChecked = on;
}

void ReadTargetFrame(TLineReading& reading, const TSettingsLine& line) {
    if (!line.Value.empty()) reading.Context.Main.TargetFrame = line.Value;
}

void ReadImagePageFile(TLineReading& reading, const TSettingsLine& line) {
    const std::string file = LineFile(reading, line);
    if (line.Value.empty() || !FileExists(file)) return;
    reading.Context.ImageHTML.Text = LoadLines(file);
    reading.Context.Current.ImagePageSkeleton = reading.Context.ImageHTML.Text;
}

// Any extension but "html" is kept as the user's own.
void ReadDefaultExtension(TLineReading& reading, const TSettingsLine& line) {
    const bool other = LowerCase(line.Value) != "html";
    reading.Context.Main.UseDefaultExt = other;
    reading.Context.Main.DefaultExt = other ? line.Value : "html";
}

// The list has no free text: a value that is no entry selects the first one.
void ReadCollageColour(TLineReading& reading, const TSettingsLine& line) {
    reading.Context.Collage.BackgroundColor = CollageColourEntry(line.Value);
}

void ReadSlideScheme(TLineReading& reading, const TSettingsLine& line) {
    const std::string text = MultiLineValue(reading, line, SlideSchemeEnd, true);
    if (!text.empty()) reading.Context.SlideShow.SlideScheme = SplitLines(text);
}

// The text goes into both windows that show it. Its end is the first marker of the file, as
// templates have always been read.
void ReadWatermarkText(TLineReading& reading, const TSettingsLine& line) {
    const TStringList text = SplitLines(MultiLineValue(reading, line, WatermarkEnd, false));
    reading.Context.Special.WatermarkText = text;
    reading.Context.Watermark.Text = text;
}

// Not a number reads as fully opaque.
void ReadWatermarkTransparency(TLineReading& reading, const TSettingsLine& line) {
    int value = 0;
    if (!TryParseInt(line.Value, value)) value = 0;
    reading.Context.Watermark.Transparency =
        std::clamp(value, MinWatermarkTransparency, MaxWatermarkTransparency);
}

void ReadWatermarkFontSize(TLineReading& reading, const TSettingsLine& line) {
    int value = 0;
    if (TryParseInt(line.Value, value)) reading.Context.Watermark.Font.Size = value;
}

// 00BBGGRR, as the colour is stored.
void ReadWatermarkFontColour(TLineReading& reading, const TSettingsLine& line) {
    int value = 0;
    if (!TryParseInt(line.Value, value)) return;
    const auto colour = static_cast<std::uint32_t>(value);
    TFontSpec& font = reading.Context.Watermark.Font;
    font.Red = static_cast<std::uint8_t>(colour & 0xFF);
    font.Green = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    font.Blue = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

std::string ValueText(bool value) { return value ? "true" : "false"; }
std::string ValueText(int value) { return std::to_string(value); }
std::string ValueText(const std::string& value) { return value; }

// A switch as "true" or "false", a number in digits, a text as it is.
template <class Source, class Field>
TWriteValue Saved(Field Source::*field) {
    return [field](const TSavedSettings& saved) {
        return TStringList{ValueText(SourceOf<Source>(saved).*field)};
    };
}

template <class Source, class Choice>
TWriteValue SavedWord(Choice Source::*field, const TWords<Choice>& words) {
    return [field, words](const TSavedSettings& saved) {
        const Choice value = SourceOf<Source>(saved).*field;
        const auto found = std::find_if(words.begin(), words.end(),
                                        [value](const auto& word) { return word.second == value; });
        return TStringList{found == words.end() ? words.front().first : found->first};
    };
}

// The line is left out while the switch is off.
template <class Source>
TWriteValue OnlyWhen(bool Source::*on, TWriteValue write) {
    return [on, write](const TSavedSettings& saved) {
        return SourceOf<Source>(saved).*on ? write(saved) : TStringList{};
    };
}

// A value of several lines; an empty one is still written, as one empty line.
TStringList ValueLines(const TStringList& value) { return value.empty() ? TStringList{""} : value; }

TStringList WriteStyle(const TSavedSettings& saved) { return {LayoutWord(saved.Html.Layout)}; }

TStringList WriteSlideScheme(const TSavedSettings& saved) {
    return ValueLines(saved.Template.SlideScheme);
}

bool IsBlank(const TStringList& text) {
    return std::all_of(text.begin(), text.end(),
                       [](const std::string& line) { return Trim(line).empty(); });
}

// The text a build stamps, else the one the Special window shows.
TStringList WriteWatermarkText(const TSavedSettings& saved) {
    const TStringList& stamped = saved.Images.WatermarkText;
    return ValueLines(IsBlank(stamped) ? saved.Kept.WatermarkText : stamped);
}

TStringList WriteWatermarkFontColour(const TSavedSettings& saved) {
    const TFontSpec& font = saved.Images.WatermarkFont;
    return {std::to_string(static_cast<int>(font.Red | (font.Green << 8) | (font.Blue << 16)))};
}

TWriteValue SavedPosition(TWatermarkPosition position) {
    return [position](const TSavedSettings& saved) {
        return TStringList{ValueText(saved.Images.WatermarkPositions[position])};
    };
}

const TWords<TGalleryStyle> StyleWords = {{"table", TGalleryStyle::Table},
                                          {"list", TGalleryStyle::List},
                                          {"collage", TGalleryStyle::Collage},
                                          {"paragraph", TGalleryStyle::Paragraph},
                                          {"slideshow", TGalleryStyle::SlideShow}};
const TWords<THorzAlign> HorzAlignWords = {
    {"left", THorzAlign::Left}, {"right", THorzAlign::Right}, {"center", THorzAlign::Center}};
const TWords<TVertAlign> VertAlignWords = {
    {"top", TVertAlign::Top}, {"bottom", TVertAlign::Bottom}, {"middle", TVertAlign::Middle}};
// A paragraph whose alignment is no word is aligned right, as such files have always read.
const TWords<THorzAlign> ParaAlignWords = {
    {"right", THorzAlign::Right}, {"left", THorzAlign::Left}, {"center", THorzAlign::Center}};
const TWords<bool> ListStyleWords = {{"ordered", true}, {"unordered", false}};
const TWords<bool> TrueOrFalseWords = {{"true", true}, {"false", false}};
const TWords<TCollageType> CollageTypeWords = {{"random", TCollageType::Random},
                                               {"table", TCollageType::Table},
                                               {"circle", TCollageType::Circle}};
const TWords<TThumbQualityLevel> ThumbQualityWords = {{"middle", TThumbQualityLevel::Middle},
                                                      {"high", TThumbQualityLevel::High},
                                                      {"low", TThumbQualityLevel::Low},
                                                      {"verylow", TThumbQualityLevel::VeryLow}};
const TWords<TThumbSizeMode> ThumbMethodWords = {{"limit", TThumbSizeMode::limit},
                                                 {"fit", TThumbSizeMode::fit},
                                                 {"stretch", TThumbSizeMode::stretch},
                                                 {"hardlimit", TThumbSizeMode::hardLimit}};
const TWords<TResizeMethod> ResizeMethodWords = {{"smooth", TResizeMethod::Smooth},
                                                 {"classic", TResizeMethod::Classic}};

// The rows, in groups, in the order saving writes them.

std::vector<TSettingsKey> LinkAndLayoutKeys() {
    return {
        {"USETARGET=", KnownWordOnly(&MainSettings::UseTargetFrame, TrueOrFalseWords),
         OnlyWhen(&TFSC_HTML::UseTargetFrame, Saved(&TFSC_HTML::UseTargetFrame))},
        {"TARGETFRAME=", ReadTargetFrame,
         OnlyWhen(&TFSC_HTML::UseTargetFrame, Saved(&TFSC_HTML::TargetFrame))},
        {"STYLE=", OneOfWords(&MainSettings::Style, StyleWords), WriteStyle},
        {"TABLECSS=", AsTyped(&TableOptions::CSSClass), Saved(&TTemplate::TableCSS)},
        // Readers have always taken the border; without it a round trip reset it to none.
        {"TABLEBORDER=", NumberUnlessEmpty(&TableOptions::Border, MinTableBorder, MaxTableBorder),
         Saved(&TTemplate::TableBorder)},
        {"TABLEWIDTH=", AsTyped(&TableOptions::TableWidth), Saved(&TTemplate::TableWidth)},
        {"TABLETDALIGN=", KnownWordOnly(&TableOptions::TDAlign, HorzAlignWords),
         Saved(&TTemplate::TableTDAlign)},
        {"TABLETDVALIGN=", KnownWordOnly(&TableOptions::TDVAlign, VertAlignWords),
         Saved(&TTemplate::TableTDVAlign)},
        // Each layout's own values: a list gallery saved with the build's one column and list
        // rows would come back as a one-column table.
        {"TABLEROWS=", NumberUnlessEmpty(&MainSettings::Rows, 1, 99),
         Saved(&TKeptSettings::TableRows)},
        {"TABLECOLS=", NumberUnlessEmpty(&MainSettings::Cols, 1, 99),
         Saved(&TKeptSettings::TableCols)},
        {"LISTCSS=", AsTyped(&ListOptions::CSSClass), Saved(&TTemplate::ListCSS)},
        {"LISTSTYLE=", KnownWordOnly(&ListOptions::OrderedList, ListStyleWords),
         SavedWord(&TTemplate::OrderedList, ListStyleWords)},
        {"LISTROWS=", NumberUnlessEmpty(&MainSettings::ListRows, 1, 99),
         Saved(&TKeptSettings::ListRows)},
        {"PARAALIGN=", OneOfWords(&ParaOptions::Align, ParaAlignWords),
         Saved(&TTemplate::ParaAlign)},
        {"PARACSS=", AsTyped(&ParaOptions::CSSClass), Saved(&TTemplate::ParaCSS)},
    };
}

std::vector<TSettingsKey> CollageAndSlideKeys() {
    return {
        {"COLLAGECSS=", AsTyped(&CollageOptions::CSSClass), Saved(&TTemplate::CollageCSS)},
        {"COLLAGETYPE=", OneOfWords(&CollageOptions::Partitioning, CollageTypeWords),
         Saved(&TTemplate::CollageType)},
        {"COLLAGEBGCOLOR=", ReadCollageColour, Saved(&TTemplate::CollageBgColor)},
        {"COLLAGECENTER=", OnUnlessFalse(&CollageOptions::CenterImages),
         Saved(&TTemplate::CollageCenter)},
        {.Key = "SLIDESCHEME=",
         .Read = ReadSlideScheme,
         .Write = WriteSlideScheme,
         .EndMarker = SlideSchemeEnd},
        {"SLIDEWIDTH=", SlideLimit(&SlideShowOptions::SlideWidthChecked),
         Saved(&TTemplate::SlideWidth)},
        {"SLIDEHEIGHT=", SlideLimit(&SlideShowOptions::SlideHeightChecked),
         Saved(&TTemplate::SlideHeight)},
    };
}

std::vector<TSettingsKey> ImageKeys() {
    return {
        // Whether thumbnails link to image pages is the user's setting, saved beside the page;
        // writing "true" merely because a skeleton exists would switch it on at the next apply.
        {.Key = "USEIMAGEASHTML=",
         .Read = KnownWordOnly(&MainSettings::LinkToHTML, TrueOrFalseWords),
         .Write = Saved(&TFSC_HTML::LinkToHTML),
         .SavedWith = TSavedWith::ImagePage},
        // Saving writes the page itself, under the template's own "IMAGEHTMLTEMPLATE=".
        {"IMAGEASHTMLTEMPLATE=", ReadImagePageFile},
        {"THUMBMETHOD=", OneOfWords(&MainSettings::ThumbSize, ThumbMethodWords),
         SavedWord(&TFSC_Images::ThumbSizeMode, ThumbMethodWords)},
        {"THUMBQUALITY=", OneOfWords(&MainSettings::ThumbQuality, ThumbQualityWords),
         SavedWord(&TFSC_Images::ThumbQualityLevel, ThumbQualityWords)},
        {"THUMBWIDTH=", NumberBetween(&MainSettings::ThumbWidth, 1, 32000),
         Saved(&TFSC_Images::ThumbWidth)},
        {"THUMBHEIGHT=", NumberBetween(&MainSettings::ThumbHeight, 1, 32000),
         Saved(&TFSC_Images::ThumbHeight)},
        {"IMAGEDORESIZE=", ReadImageDoResize, Saved(&TFSC_Images::ResizeImages)},
        {"IMAGEWIDTH=", ResizeLimit(&MainSettings::ResizeWidthChecked),
         OnlyWhen(&TFSC_Images::ResizeImages, Saved(&TFSC_Images::ResizeWidth))},
        {"IMAGEHEIGHT=", ResizeLimit(&MainSettings::ResizeHeightChecked),
         OnlyWhen(&TFSC_Images::ResizeImages, Saved(&TFSC_Images::ResizeHeight))},
        {"IMAGENOEXT=", OnWhenTrue(&MainSettings::ImagesAreThumbs),
         Saved(&TFSC_Images::ImagesAreThumbs)},
        {"RESIZEMETHOD=", OneOfWords(&MainSettings::ResizeMethod, ResizeMethodWords),
         SavedWord(&TFSC_Images::ResizeMethod, ResizeMethodWords)},
        {"IMAGEWEBP=", OnWhenTrue(&MainSettings::WriteWebp), Saved(&TFSC_Images::WriteWebp)},
        {"IMAGEAVIF=", OnWhenTrue(&MainSettings::WriteAvif), Saved(&TFSC_Images::WriteAvif)},
        {"IMAGEORIGINALS=", OnWhenTrue(&MainSettings::OfferOriginals),
         Saved(&TFSC_Images::Originals)},
        {"DEFAULTHTMLEXT=", ReadDefaultExtension, Saved(&TFSC_HTML::PageExt)},
    };
}

// Saving writes the schemes as files of the companion folder, which applying reads by their
// names; these lines come from templates written by hand.
std::vector<TSettingsKey> SchemeKeys() {
    return {
        {"NAVIGATIONSCHEME=", SchemeFile(SchemeNavigation)},
        {"GALLERYSCHEME=", SchemeFile(SchemeGallery)},
        {"IMAGESCHEME=", SchemeFile(SchemeImage)},
        {"THUMBSCHEME=", SchemeFile(SchemeThumbnail)},
    };
}

std::vector<TSettingsKey> PageHeadKeys() {
    return {
        {"USEAUTHOR=", OnWhenTrue(&SpecialOptions::MetaAuthor), Saved(&TFSC_HTML::MetaAuthor)},
        {"AUTHOR=", AsTyped(&SpecialOptions::Author), Saved(&TFSC_HTML::AuthorText)},
        {"USEKEYWORDS=", OnWhenTrue(&SpecialOptions::MetaKeywords),
         Saved(&TFSC_HTML::MetaKeywords)},
        {"KEYWORDS=", AsTyped(&SpecialOptions::Keywords), Saved(&TFSC_HTML::KeywordsText)},
        {"KEYWORDSNAME=", OnWhenTrue(&SpecialOptions::KeywordsFromName),
         Saved(&TFSC_HTML::KeywordsFromName)},
        {"KEYWORDSHINTDESC=", OnWhenTrue(&SpecialOptions::KeywordsFromHintDesc),
         Saved(&TFSC_HTML::KeywordsFromHintDesc)},
        {"USEMETADESC=", OnWhenTrue(&SpecialOptions::MetaDescription),
         Saved(&TFSC_HTML::MetaDescription)},
        {"METADESC=", AsTyped(&SpecialOptions::Description), Saved(&TFSC_HTML::DescriptionText)},
        {"METADESCHINT=", OnWhenTrue(&SpecialOptions::DescriptionWithHint),
         Saved(&TFSC_HTML::DescriptionWithHint)},
        {"USEDISABLERMB=", OnWhenTrue(&SpecialOptions::DisableRightButton),
         Saved(&TFSC_HTML::DisableRightButton)},
        {"RMBMESSAGE=", AsTyped(&SpecialOptions::RightButtonMessage),
         Saved(&TFSC_HTML::RightButtonMessage)},
    };
}

std::vector<TSettingsKey> WatermarkKeys() {
    return {
        {"USEWATERMARK=", OnWhenTrue(&SpecialOptions::Watermark), Saved(&TFSC_Images::Watermark)},
        {.Key = "WATERMARKTEXT=",
         .Read = ReadWatermarkText,
         .Write = WriteWatermarkText,
         .EndMarker = WatermarkEnd},
        {"WATERMARKTRANSPARENCY=", ReadWatermarkTransparency,
         Saved(&TFSC_Images::WatermarkTransparency)},
        {"WATERMARKADJUSTTOSIZE=", OnWhenTrue(&WatermarkOptions::AdjustSize),
         Saved(&TFSC_Images::WatermarkAdjustSize)},
        {"WATERMARKFONTNAME=", AsTyped(&TFontSpec::Name), Saved(&TFontSpec::Name)},
        {"WATERMARKFONTSIZE=", ReadWatermarkFontSize, Saved(&TFontSpec::Size)},
        {"WATERMARKFONTCOLOR=", ReadWatermarkFontColour, WriteWatermarkFontColour},
        {"WATERMARKFONTBOLD=", OnWhenTrue(&TFontSpec::Bold), Saved(&TFontSpec::Bold)},
        {"WATERMARKFONTITALIC=", OnWhenTrue(&TFontSpec::Italic), Saved(&TFontSpec::Italic)},
        {"WATERMARKFONTUNDERLINE=", OnWhenTrue(&TFontSpec::Underline),
         Saved(&TFontSpec::Underline)},
        {"WATERMARKFONTSTRIKEOUT=", OnWhenTrue(&TFontSpec::StrikeOut),
         Saved(&TFontSpec::StrikeOut)},
        // The file names the positions column by column; the build keeps them row by row.
        {"WATERMARKLT=", OnWhenTrue(&WatermarkOptions::LT), SavedPosition(wpLeftTop)},
        {"WATERMARKLM=", OnWhenTrue(&WatermarkOptions::LM), SavedPosition(wpLeftMiddle)},
        {"WATERMARKLB=", OnWhenTrue(&WatermarkOptions::LB), SavedPosition(wpLeftBottom)},
        {"WATERMARKCT=", OnWhenTrue(&WatermarkOptions::CT), SavedPosition(wpCenterTop)},
        {"WATERMARKCM=", OnWhenTrue(&WatermarkOptions::CM), SavedPosition(wpCenterMiddle)},
        {"WATERMARKCB=", OnWhenTrue(&WatermarkOptions::CB), SavedPosition(wpCenterBottom)},
        {"WATERMARKRT=", OnWhenTrue(&WatermarkOptions::RT), SavedPosition(wpRightTop)},
        {"WATERMARKRM=", OnWhenTrue(&WatermarkOptions::RM), SavedPosition(wpRightMiddle)},
        {"WATERMARKRB=", OnWhenTrue(&WatermarkOptions::RB), SavedPosition(wpRightBottom)},
    };
}

std::vector<TSettingsKey> PrivacyKeys() {
    return {
        // Privacy first: only an explicit false keeps the location data.
        {"REMOVELOCATION=", OnUnlessFalse(&SpecialOptions::RemoveLocation),
         Saved(&TFSC_Images::RemoveLocation)},
    };
}

void AddSavedLines(TStringList& lines, const TSettingsKey& key, const TSavedSettings& saved) {
    TStringList value = key.Write(saved);
    if (value.empty()) return;
    value.front().insert(0, key.Key);
    if (key.EndMarker) value.back() += key.EndMarker;
    lines.insert(lines.end(), value.begin(), value.end());
}

}  // namespace

const std::vector<TSettingsKey>& TemplateSettingsKeys() {
    static const std::vector<TSettingsKey> keys = [] {
        std::vector<TSettingsKey> all;
        for (std::vector<TSettingsKey> group :
             {LinkAndLayoutKeys(), CollageAndSlideKeys(), ImageKeys(), SchemeKeys(), PageHeadKeys(),
              WatermarkKeys(), PrivacyKeys()}) {
            std::move(group.begin(), group.end(), std::back_inserter(all));
        }
        return all;
    }();
    return keys;
}

const TSettingsKey* FindSettingsKey(std::string_view keyWithEquals) {
    const std::vector<TSettingsKey>& keys = TemplateSettingsKeys();
    const auto found = std::find_if(keys.begin(), keys.end(), [keyWithEquals](const auto& key) {
        return key.Key == keyWithEquals;
    });
    return found == keys.end() ? nullptr : &*found;
}

TStringList SavedSettingsLines(const TSavedSettings& saved, TSavedWith place) {
    TStringList lines;
    for (const TSettingsKey& key : TemplateSettingsKeys()) {
        if (key.Write && key.SavedWith == place) AddSavedLines(lines, key, saved);
    }
    return lines;
}

const char* LayoutWord(int layout) {
    switch (layout) {
        case LayoutList:
            return "list";
        case LayoutParagraph:
            return "paragraph";
        case LayoutCollage:
            return "collage";
        case LayoutSlideShow:
            return "slideshow";
        default:
            return "table";
    }
}

}  // namespace fsc
