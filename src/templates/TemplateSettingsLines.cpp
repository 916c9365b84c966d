// Reading the settings lines of a template, one key at a time, with each key's own rule.
#include "templates/TemplateSettingsLines.h"

#include <algorithm>
#include <functional>
#include <map>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/InsideTemplateFolder.h"
#include "templates/ColourWords.h"

namespace fsc {

TTemplateReadSettings ReadSettingsOf(const TemplateContext& context) {
    TTemplateReadSettings settings;
    settings.ImagePageSkeleton = context.ImageHTML.Text;
    settings.HTMLExtensions = context.Program.HTMLExt;
    settings.DefaultHTMLExt = context.Program.DefaultHTMLExt;
    settings.LibraryFolder = context.LibraryFolder;
    return settings;
}

namespace {

// One settings line as a key's rule sees it.
struct TSettingsLine {
    std::string Key;
    // After the key, at most 99 characters, trimmed.
    std::string Value;
    // Where the value starts in the whole file, for the values that span lines.
    std::size_t ValueStart = 0;
};

struct TApplyState {
    TemplateContext& Context;
    const std::string& Folder;
    const std::string& FileText;
    TLinesFrom From;
};

using TRule = std::function<void(TApplyState&, const TSettingsLine&)>;

bool IsWord(const TSettingsLine& line, const char* word) { return UpperCase(line.Value) == word; }

int IntegerValue(const TSettingsLine& line) {
    int value = 0;
    if (!TryParseInt(line.Value, value)) {
        throw EFSC_Exception("\"" + line.Value + "\" is not a valid integer value (template line " +
                             line.Key + line.Value + ").");
    }
    return value;
}

// The integer keys whose empty value is passed over.
void SetIntegerUnlessEmpty(const TSettingsLine& line, int& field, int minimum, int maximum) {
    if (line.Value.empty()) return;
    field = std::clamp(IntegerValue(line), minimum, maximum);
}

// A value that runs from just after its key to an end marker, line breaks kept.
std::string MultiLineValue(const TApplyState& state, const TSettingsLine& line, const char* marker,
                           bool searchFromKey) {
    const std::size_t end = state.FileText.find(marker, searchFromKey ? line.ValueStart : 0);
    if (end == std::string::npos || end < line.ValueStart) return {};
    return state.FileText.substr(line.ValueStart, end - line.ValueStart);
}

// The file a line names, relative to the folder. A template's line may name only a file of
// the template or the library, as its pages may; a line the user typed names the user's own.
std::string LineFile(const TApplyState& state, const TSettingsLine& line) {
    const std::string file = JoinPath(state.Folder, ToInternalPath(line.Value));
    if (state.From == TLinesFrom::TemplateFile && !line.Value.empty()) {
        RequireTemplateSource(
            FoldersOfTemplate(state.Folder, state.Context.LibraryFolder), file,
            "Template line \"" + line.Key + line.Value + "\": the source \"" + line.Value + "\"");
    }
    return file;
}

void LoadSchemeRef(TApplyState& state, const TSettingsLine& line, int kind) {
    TScheme& scheme = state.Context.Schemes.OfKind(kind);
    if (IsWord(line, "DEFAULT")) {
        scheme.Text = DefaultSchemeText(kind);
        return;
    }
    const std::string file = LineFile(state, line);
    if (!line.Value.empty() && FileExists(file)) LoadSchemeFile(scheme, file);
}

// The limit below 1 turns its switch off; otherwise it sets the shared value and the switch.
void SetSwitchedSize(const TSettingsLine& line, bool& checked, int& size, int minimum,
                     int maximum) {
    const int value = IntegerValue(line);
    if (value < 1) {
        checked = false;
    } else {
        size = std::clamp(value, minimum, maximum);
        checked = true;
    }
}

// "IMAGEDORESIZE=" has set the switches already: a limit below 1 turns its switch off,
// any other sets the one limit both switches share.
void SetResizeLimit(const TSettingsLine& line, bool& checked, int& limit) {
    const int value = IntegerValue(line);
    if (value < 1) {
        checked = false;
    } else {
        limit = std::min(value, 32000);
    }
}

void AddLayoutRules(std::map<std::string, TRule>& rules) {
    rules["STYLE="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.Style = IsWord(l, "LIST")        ? TGalleryStyle::List
                               : IsWord(l, "COLLAGE")   ? TGalleryStyle::Collage
                               : IsWord(l, "PARAGRAPH") ? TGalleryStyle::Paragraph
                               : IsWord(l, "SLIDESHOW") ? TGalleryStyle::SlideShow
                                                        : TGalleryStyle::Table;
    };
    rules["TABLECSS="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Table.CSSClass = l.Value;
    };
    rules["TABLEBORDER="] = [](TApplyState& s, const TSettingsLine& l) {
        SetIntegerUnlessEmpty(l, s.Context.Table.Border, MinTableBorder, MaxTableBorder);
    };
    rules["TABLEWIDTH="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Table.TableWidth = l.Value;
    };
    rules["TABLETDALIGN="] = [](TApplyState& s, const TSettingsLine& l) {
        if (IsWord(l, "LEFT")) s.Context.Table.TDAlign = THorzAlign::Left;
        if (IsWord(l, "RIGHT")) s.Context.Table.TDAlign = THorzAlign::Right;
        if (IsWord(l, "CENTER")) s.Context.Table.TDAlign = THorzAlign::Center;
    };
    rules["TABLETDVALIGN="] = [](TApplyState& s, const TSettingsLine& l) {
        if (IsWord(l, "TOP")) s.Context.Table.TDVAlign = TVertAlign::Top;
        if (IsWord(l, "BOTTOM")) s.Context.Table.TDVAlign = TVertAlign::Bottom;
        if (IsWord(l, "MIDDLE")) s.Context.Table.TDVAlign = TVertAlign::Middle;
    };
    rules["TABLEROWS="] = [](TApplyState& s, const TSettingsLine& l) {
        SetIntegerUnlessEmpty(l, s.Context.Main.Rows, 1, 99);
    };
    rules["TABLECOLS="] = [](TApplyState& s, const TSettingsLine& l) {
        SetIntegerUnlessEmpty(l, s.Context.Main.Cols, 1, 99);
    };
    rules["LISTCSS="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.List.CSSClass = l.Value;
    };
    rules["LISTSTYLE="] = [](TApplyState& s, const TSettingsLine& l) {
        if (IsWord(l, "ORDERED")) s.Context.List.OrderedList = true;
        if (IsWord(l, "UNORDERED")) s.Context.List.OrderedList = false;
    };
    rules["LISTROWS="] = [](TApplyState& s, const TSettingsLine& l) {
        SetIntegerUnlessEmpty(l, s.Context.Main.ListRows, 1, 99);
    };
    rules["PARAALIGN="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Para.Align = IsWord(l, "LEFT")     ? THorzAlign::Left
                               : IsWord(l, "CENTER") ? THorzAlign::Center
                                                     : THorzAlign::Right;
    };
    rules["PARACSS="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Para.CSSClass = l.Value;
    };
}

void AddCollageAndSlideRules(std::map<std::string, TRule>& rules) {
    rules["COLLAGECSS="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Collage.CSSClass = l.Value;
    };
    rules["COLLAGETYPE="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Collage.Partitioning = IsWord(l, "TABLE")    ? TCollageType::Table
                                         : IsWord(l, "CIRCLE") ? TCollageType::Circle
                                                               : TCollageType::Random;
    };
    rules["COLLAGEBGCOLOR="] = [](TApplyState& s, const TSettingsLine& l) {
        // The list has no free text: a value that is no entry selects the first one.
        s.Context.Collage.BackgroundColor = CollageColourEntry(l.Value);
    };
    rules["COLLAGECENTER="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Collage.CenterImages = !IsWord(l, "FALSE");
    };
    rules["SLIDESCHEME="] = [](TApplyState& s, const TSettingsLine& l) {
        const std::string text = MultiLineValue(s, l, SlideSchemeEnd, true);
        if (!text.empty()) s.Context.SlideShow.SlideScheme = SplitLines(text);
    };
    rules["SLIDEWIDTH="] = [](TApplyState& s, const TSettingsLine& l) {
        SlideShowOptions& slide = s.Context.SlideShow;
        SetSwitchedSize(l, slide.SlideWidthChecked, slide.SlideSize, MinSlideSize, MaxSlideSize);
    };
    rules["SLIDEHEIGHT="] = [](TApplyState& s, const TSettingsLine& l) {
        SlideShowOptions& slide = s.Context.SlideShow;
        SetSwitchedSize(l, slide.SlideHeightChecked, slide.SlideSize, MinSlideSize, MaxSlideSize);
    };
}

void AddImageRules(std::map<std::string, TRule>& rules) {
    rules["USETARGET="] = [](TApplyState& s, const TSettingsLine& l) {
        if (IsWord(l, "TRUE")) s.Context.Main.UseTargetFrame = true;
        if (IsWord(l, "FALSE")) s.Context.Main.UseTargetFrame = false;
    };
    rules["TARGETFRAME="] = [](TApplyState& s, const TSettingsLine& l) {
        if (!l.Value.empty()) s.Context.Main.TargetFrame = l.Value;
    };
    rules["USEIMAGEASHTML="] = [](TApplyState& s, const TSettingsLine& l) {
        if (IsWord(l, "TRUE")) s.Context.Main.LinkToHTML = true;
        if (IsWord(l, "FALSE")) s.Context.Main.LinkToHTML = false;
    };
    rules["IMAGEASHTMLTEMPLATE="] = [](TApplyState& s, const TSettingsLine& l) {
        const std::string file = LineFile(s, l);
        if (l.Value.empty() || !FileExists(file)) return;
        s.Context.ImageHTML.Text = LoadLines(file);
        s.Context.Current.ImagePageSkeleton = s.Context.ImageHTML.Text;
    };
    rules["IMAGEDORESIZE="] = [](TApplyState& s, const TSettingsLine& l) {
        const bool on = !IsWord(l, "FALSE");
        s.Context.Main.ResizeWidthChecked = on;
        s.Context.Main.ResizeHeightChecked = on;
    };
    rules["IMAGEWIDTH="] = [](TApplyState& s, const TSettingsLine& l) {
        SetResizeLimit(l, s.Context.Main.ResizeWidthChecked, s.Context.Main.GreaterThan);
    };
    rules["IMAGEHEIGHT="] = [](TApplyState& s, const TSettingsLine& l) {
        SetResizeLimit(l, s.Context.Main.ResizeHeightChecked, s.Context.Main.GreaterThan);
    };
    rules["IMAGENOEXT="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ImagesAreThumbs = IsWord(l, "TRUE");
    };
    rules["THUMBQUALITY="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ThumbQuality = IsWord(l, "HIGH")      ? TThumbQualityLevel::High
                                      : IsWord(l, "LOW")     ? TThumbQualityLevel::Low
                                      : IsWord(l, "VERYLOW") ? TThumbQualityLevel::VeryLow
                                                             : TThumbQualityLevel::Middle;
    };
    rules["THUMBMETHOD="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ThumbSize = IsWord(l, "FIT")         ? TThumbSizeMode::fit
                                   : IsWord(l, "HARDLIMIT") ? TThumbSizeMode::hardLimit
                                   : IsWord(l, "STRETCH")   ? TThumbSizeMode::stretch
                                                            : TThumbSizeMode::limit;
    };
    rules["RESIZEMETHOD="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ResizeMethod =
            IsWord(l, "CLASSIC") ? TResizeMethod::Classic : TResizeMethod::Smooth;
    };
    rules["IMAGEWEBP="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.WriteWebp = IsWord(l, "TRUE");
    };
    rules["IMAGEAVIF="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.WriteAvif = IsWord(l, "TRUE");
    };
    rules["IMAGEORIGINALS="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.OfferOriginals = IsWord(l, "TRUE");
    };
    rules["THUMBWIDTH="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ThumbWidth = std::clamp(IntegerValue(l), 1, 32000);
    };
    rules["THUMBHEIGHT="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Main.ThumbHeight = std::clamp(IntegerValue(l), 1, 32000);
    };
}

void AddSchemeAndPageRules(std::map<std::string, TRule>& rules) {
    rules["NAVIGATIONSCHEME="] = [](TApplyState& s, const TSettingsLine& l) {
        LoadSchemeRef(s, l, SchemeNavigation);
    };
    rules["GALLERYSCHEME="] = [](TApplyState& s, const TSettingsLine& l) {
        LoadSchemeRef(s, l, SchemeGallery);
    };
    rules["IMAGESCHEME="] = [](TApplyState& s, const TSettingsLine& l) {
        LoadSchemeRef(s, l, SchemeImage);
    };
    rules["THUMBSCHEME="] = [](TApplyState& s, const TSettingsLine& l) {
        LoadSchemeRef(s, l, SchemeThumbnail);
    };
    rules["DEFAULTHTMLEXT="] = [](TApplyState& s, const TSettingsLine& l) {
        const bool other = LowerCase(l.Value) != "html";
        s.Context.Main.UseDefaultExt = other;
        s.Context.Main.DefaultExt = other ? l.Value : "html";
    };
}

void AddFlag(std::map<std::string, TRule>& rules, const char* key, bool SpecialOptions::*field) {
    rules[key] = [field](TApplyState& s, const TSettingsLine& l) {
        s.Context.Special.*field = IsWord(l, "TRUE");
    };
}

void AddText(std::map<std::string, TRule>& rules, const char* key,
             std::string SpecialOptions::*field) {
    rules[key] = [field](TApplyState& s, const TSettingsLine& l) {
        s.Context.Special.*field = l.Value;
    };
}

void AddSpecialRules(std::map<std::string, TRule>& rules) {
    AddFlag(rules, "USEAUTHOR=", &SpecialOptions::MetaAuthor);
    AddText(rules, "AUTHOR=", &SpecialOptions::Author);
    AddFlag(rules, "USEKEYWORDS=", &SpecialOptions::MetaKeywords);
    AddText(rules, "KEYWORDS=", &SpecialOptions::Keywords);
    AddFlag(rules, "KEYWORDSNAME=", &SpecialOptions::KeywordsFromName);
    AddFlag(rules, "KEYWORDSHINTDESC=", &SpecialOptions::KeywordsFromHintDesc);
    AddFlag(rules, "USEMETADESC=", &SpecialOptions::MetaDescription);
    AddText(rules, "METADESC=", &SpecialOptions::Description);
    AddFlag(rules, "METADESCHINT=", &SpecialOptions::DescriptionWithHint);
    AddFlag(rules, "USEDISABLERMB=", &SpecialOptions::DisableRightButton);
    AddText(rules, "RMBMESSAGE=", &SpecialOptions::RightButtonMessage);
    AddFlag(rules, "USEWATERMARK=", &SpecialOptions::Watermark);
    // Privacy first: only an explicit false keeps the location data.
    rules["REMOVELOCATION="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Special.RemoveLocation = !IsWord(l, "FALSE");
    };
}

void AddWatermarkFlag(std::map<std::string, TRule>& rules, const char* key,
                      bool WatermarkOptions::*field) {
    rules[key] = [field](TApplyState& s, const TSettingsLine& l) {
        s.Context.Watermark.*field = IsWord(l, "TRUE");
    };
}

void AddFontStyle(std::map<std::string, TRule>& rules, const char* key, bool TFontSpec::*field) {
    rules[key] = [field](TApplyState& s, const TSettingsLine& l) {
        s.Context.Watermark.Font.*field = IsWord(l, "TRUE");
    };
}

void AddWatermarkRules(std::map<std::string, TRule>& rules) {
    rules["WATERMARKTEXT="] = [](TApplyState& s, const TSettingsLine& l) {
        // The text goes into both windows that show it.
        const TStringList text = SplitLines(MultiLineValue(s, l, WatermarkEnd, false));
        s.Context.Special.WatermarkText = text;
        s.Context.Watermark.Text = text;
    };
    rules["WATERMARKTRANSPARENCY="] = [](TApplyState& s, const TSettingsLine& l) {
        int value = 0;
        if (!TryParseInt(l.Value, value)) value = 0;
        s.Context.Watermark.Transparency =
            std::clamp(value, MinWatermarkTransparency, MaxWatermarkTransparency);
    };
    AddWatermarkFlag(rules, "WATERMARKADJUSTTOSIZE=", &WatermarkOptions::AdjustSize);
    rules["WATERMARKFONTNAME="] = [](TApplyState& s, const TSettingsLine& l) {
        s.Context.Watermark.Font.Name = l.Value;
    };
    rules["WATERMARKFONTSIZE="] = [](TApplyState& s, const TSettingsLine& l) {
        int value = 0;
        if (TryParseInt(l.Value, value)) s.Context.Watermark.Font.Size = value;
    };
    rules["WATERMARKFONTCOLOR="] = [](TApplyState& s, const TSettingsLine& l) {
        int value = 0;
        if (!TryParseInt(l.Value, value)) return;
        // 00BBGGRR, as the colour is stored.
        const auto colour = static_cast<std::uint32_t>(value);
        s.Context.Watermark.Font.Red = static_cast<std::uint8_t>(colour & 0xFF);
        s.Context.Watermark.Font.Green = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
        s.Context.Watermark.Font.Blue = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
    };
    AddFontStyle(rules, "WATERMARKFONTBOLD=", &TFontSpec::Bold);
    AddFontStyle(rules, "WATERMARKFONTITALIC=", &TFontSpec::Italic);
    AddFontStyle(rules, "WATERMARKFONTUNDERLINE=", &TFontSpec::Underline);
    AddFontStyle(rules, "WATERMARKFONTSTRIKEOUT=", &TFontSpec::StrikeOut);
    AddWatermarkFlag(rules, "WATERMARKLT=", &WatermarkOptions::LT);
    AddWatermarkFlag(rules, "WATERMARKLM=", &WatermarkOptions::LM);
    AddWatermarkFlag(rules, "WATERMARKLB=", &WatermarkOptions::LB);
    AddWatermarkFlag(rules, "WATERMARKCT=", &WatermarkOptions::CT);
    AddWatermarkFlag(rules, "WATERMARKCM=", &WatermarkOptions::CM);
    AddWatermarkFlag(rules, "WATERMARKCB=", &WatermarkOptions::CB);
    AddWatermarkFlag(rules, "WATERMARKRT=", &WatermarkOptions::RT);
    AddWatermarkFlag(rules, "WATERMARKRM=", &WatermarkOptions::RM);
    AddWatermarkFlag(rules, "WATERMARKRB=", &WatermarkOptions::RB);
}

const std::map<std::string, TRule>& Rules() {
    static const std::map<std::string, TRule> rules = [] {
        std::map<std::string, TRule> all;
        AddLayoutRules(all);
        AddCollageAndSlideRules(all);
        AddImageRules(all);
        AddSchemeAndPageRules(all);
        AddSpecialRules(all);
        AddWatermarkRules(all);
        return all;
    }();
    return rules;
}

// The key of a settings line: the text up to and including its first "=", when that is a
// key of the table. Keys are matched exactly, as they are written.
const TRule* RuleOf(const std::string& line, std::string& key) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return nullptr;
    key = line.substr(0, equals + 1);
    const auto found = Rules().find(key);
    return found == Rules().end() ? nullptr : &found->second;
}

}  // namespace

void ApplySettingsLines(TemplateContext& context, const std::string& templateFolder,
                        const std::string& fileText, TLinesFrom from) {
    TApplyState state{context, templateFolder, fileText, from};
    std::size_t lineStart = 0;
    while (lineStart < fileText.size()) {
        std::size_t lineEnd = fileText.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string::npos) lineEnd = fileText.size();
        const std::string line = fileText.substr(lineStart, lineEnd - lineStart);
        std::string key;
        if (const TRule* rule = RuleOf(line, key)) {
            TSettingsLine settings{key, Trim(line.substr(key.size(), 99)), lineStart + key.size()};
            (*rule)(state, settings);
        }
        lineStart = lineEnd + 1;
        if (lineEnd + 1 < fileText.size() && fileText[lineEnd] == '\r' &&
            fileText[lineEnd + 1] == '\n') {
            ++lineStart;
        }
    }
}

}  // namespace fsc
