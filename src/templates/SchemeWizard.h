// The scheme wizard's generated texts: the gallery scheme from the navigation placement, the
// navigation scheme from the link style, and the image and thumbnail schemes from two
// layouts of texts and fields around the picture.
#pragma once

#include <array>
#include <string>

#include "base/TStringList.h"

namespace fsc {

enum class TNavigationPlacement { OnTop, OnBottom, TopAndBottom, None };
// "Previous Next", "Previous 1 2  3 -  5 6 7 Next", and only the N nearest page numbers.
enum class TNavigationStyle { PreviousNext, AllNumbers, NearNumbers };

inline constexpr int MinNearPages = 1;
inline constexpr int MaxNearPages = 20;

TStringList GalleryWizardScheme(TNavigationPlacement placement, bool centered);
TStringList NavigationWizardScheme(TNavigationStyle style, int nearPages = 2);

// The entries of the field lists, in list order; the first is the empty entry.
enum class TWizardField { None, Hint, Description, Name, NameUS, Number, Size, SizeKB, Date };
inline constexpr std::array<const char*, 9> WizardFieldCaptions = {
    "",       "Hint", "Description", "Name", "Name without Underscores",
    "Number", "Size", "Size in kB",  "Date"};
// The tag text a field produces, with its blanks (" <!-HINT-> ", ...).
std::string WizardFieldText(TWizardField field);

// Layout A: picture above three rows of text.
struct TWizardLayoutA {
    std::string LO, MO, RO, LM, MM, RM, LU, RU;
    TWizardField FieldLO = TWizardField::None, FieldRO = TWizardField::None,
                 FieldLM = TWizardField::None, FieldRM = TWizardField::None,
                 FieldMU = TWizardField::None;

    bool operator==(const TWizardLayoutA&) const = default;
};

// Layout B: picture in the middle of a 3 x 3 table.
struct TWizardLayoutB {
    std::string LO, RO, LM, LM2, LMM, LMM2, RM, RM2, RMM, RMM2, LU, RU;
    TWizardField FieldMO = TWizardField::None, FieldLM = TWizardField::None,
                 FieldRM = TWizardField::None, FieldLMM = TWizardField::None,
                 FieldRMM = TWizardField::None, FieldMU = TWizardField::None;

    bool operator==(const TWizardLayoutB&) const = default;
};

// One set of values; the wizard keeps one for the image scheme and one for the thumbnails.
struct TImageWizardSet {
    bool LayoutB = false;
    TWizardLayoutA A;
    TWizardLayoutB B;

    bool operator==(const TImageWizardSet&) const = default;
};

// The values "Restore Defaults" gives back.
TImageWizardSet DefaultImageWizardSet();
TImageWizardSet DefaultThumbnailWizardSet();

// The wizard's choices, kept between uses for the whole run.
struct SchemeWizardSettings {
    TNavigationPlacement Placement = TNavigationPlacement::OnTop;
    bool Centered = false;
    TNavigationStyle Navigation = TNavigationStyle::AllNumbers;
    int NearPages = 2;
    TImageWizardSet ImageSet = DefaultImageWizardSet();
    TImageWizardSet ThumbnailSet = DefaultThumbnailWizardSet();

    bool operator==(const SchemeWizardSettings&) const = default;
};

template <class Set, class Visitor>
void VisitImageWizardSet(Set& set, const std::string& prefix, Visitor&& visit) {
    const auto field = [&](const char* name, auto& value) {
        visit((prefix + name).c_str(), value);
    };
    field("LayoutB", set.LayoutB);
    field("A.LO", set.A.LO);
    field("A.MO", set.A.MO);
    field("A.RO", set.A.RO);
    field("A.LM", set.A.LM);
    field("A.MM", set.A.MM);
    field("A.RM", set.A.RM);
    field("A.LU", set.A.LU);
    field("A.RU", set.A.RU);
    field("A.FieldLO", set.A.FieldLO);
    field("A.FieldRO", set.A.FieldRO);
    field("A.FieldLM", set.A.FieldLM);
    field("A.FieldRM", set.A.FieldRM);
    field("A.FieldMU", set.A.FieldMU);
    field("B.LO", set.B.LO);
    field("B.RO", set.B.RO);
    field("B.LM", set.B.LM);
    field("B.LM2", set.B.LM2);
    field("B.LMM", set.B.LMM);
    field("B.LMM2", set.B.LMM2);
    field("B.RM", set.B.RM);
    field("B.RM2", set.B.RM2);
    field("B.RMM", set.B.RMM);
    field("B.RMM2", set.B.RMM2);
    field("B.LU", set.B.LU);
    field("B.RU", set.B.RU);
    field("B.FieldMO", set.B.FieldMO);
    field("B.FieldLM", set.B.FieldLM);
    field("B.FieldRM", set.B.FieldRM);
    field("B.FieldLMM", set.B.FieldLMM);
    field("B.FieldRMM", set.B.FieldRMM);
    field("B.FieldMU", set.B.FieldMU);
}

template <class Settings, class Visitor>
void VisitSchemeWizardSettings(Settings& settings, Visitor&& visit) {
    visit("Placement", settings.Placement);
    visit("Centered", settings.Centered);
    visit("Navigation", settings.Navigation);
    visit("NearPages", settings.NearPages);
    VisitImageWizardSet(settings.ImageSet, "ImageSet.", visit);
    VisitImageWizardSet(settings.ThumbnailSet, "ThumbnailSet.", visit);
}

// "Restore Defaults": both field sets back to their start values.
void RestoreWizardDefaults(SchemeWizardSettings& settings);

// The wizard's pages: 0 gallery, 1 navigation, 2 thumbnail, 3 image scheme.
inline constexpr int WizardGalleryPage = 0;
inline constexpr int WizardNavigationPage = 1;
inline constexpr int WizardThumbnailPage = 2;
inline constexpr int WizardImagePage = 3;
// The page the scheme editor's "use Wizard" opens for a scheme kind, and back.
int WizardPageOfScheme(int schemeKind);
int SchemeOfWizardPage(int page);
// The text the page generates from the current choices.
TStringList WizardPageText(const SchemeWizardSettings& settings, int page);

TStringList ImageWizardScheme(const TImageWizardSet& set);
// The image scheme text of the set with its first "<!-IMAGE->" made "<!-THUMB->".
TStringList ThumbnailWizardScheme(const TImageWizardSet& set);

}  // namespace fsc
