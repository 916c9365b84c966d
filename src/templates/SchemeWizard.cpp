// Generating scheme texts from the wizard's choices.
#include "templates/SchemeWizard.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Text.h"
#include "templates/TScheme.h"

namespace fsc {

namespace {

constexpr const char* CrLf = "\r\n";

std::string Field(TWizardField field) { return WizardFieldText(field); }

// A cell or line of layout B: texts and field, or "&nbsp;" when nothing shows.
std::string Cell(const std::string& text) { return Trim(text).empty() ? "&nbsp;" : text; }

}  // namespace

TStringList GalleryWizardScheme(TNavigationPlacement placement, bool centered) {
    std::string text;
    switch (placement) {
        case TNavigationPlacement::OnTop:
            text = "<!-NAVIGATION-> <br><br> <!-GALLERY-> \r\n<br> <!-ORVIKLINK-> ";
            break;
        case TNavigationPlacement::OnBottom:
            text = "<!-GALLERY-> \r\n<br><br> <!-NAVIGATION-> <br><br>\r\n <!-ORVIKLINK-> ";
            break;
        case TNavigationPlacement::TopAndBottom:
            text =
                "<!-NAVIGATION-> <br><br> <!-GALLERY-> \r\n<br><br> <!-NAVIGATION-> "
                "<br><br>\r\n <!-ORVIKLINK-> ";
            break;
        case TNavigationPlacement::None:
            text = "<!-GALLERY-> \r\n<br> <!-ORVIKLINK-> ";
            break;
    }
    if (centered) text = std::string("<CENTER>") + CrLf + text + CrLf + "</CENTER>";
    return SplitLines(text);
}

TStringList NavigationWizardScheme(TNavigationStyle style, int nearPages) {
    const std::string indexLine = "<a href=\"<!-LINK->\"><!-NUMBER-></a> <!-ENDIF-> \r\n";
    const std::string next = "<!-IFNEXT-> <a href=\"<!-LINK->\">Next</a> <!-ENDIF->";
    std::string text;
    switch (style) {
        case TNavigationStyle::PreviousNext:
            text = "<!-IFPREVIOUS-> <a href=\"<!-LINK->\">Previous</a> <!-ENDIF-> \r\n" + next;
            break;
        case TNavigationStyle::AllNumbers:
            text =
                "<!-IFPREVIOUS-> <a href=\"<!-LINK->\">Previous</a> <!-ENDIF-> \r\n"
                "<!-IFINDEX-> " +
                indexLine + next;
            break;
        case TNavigationStyle::NearNumbers: {
            const int n = std::clamp(nearPages, MinNearPages, MaxNearPages);
            text = "<!-IFPREVIOUS-> <a href=\"<!-LINK->\"> Previous </a> <!-ENDIF-> \r\n";
            for (int k = n; k >= 1; --k)
                text += "<!-IFINDEX-" + std::to_string(k) + "-> " + indexLine;
            for (int k = 1; k <= n; ++k)
                text += "<!-IFINDEX+" + std::to_string(k) + "-> " + indexLine;
            text += next;
            break;
        }
    }
    return SplitLines(text);
}

std::string WizardFieldText(TWizardField field) {
    switch (field) {
        case TWizardField::None:
            return "";
        case TWizardField::Hint:
            return " <!-HINT-> ";
        case TWizardField::Description:
            return " <!-DESCRIPTION-> ";
        case TWizardField::Name:
            return " <!-NAME-> ";
        case TWizardField::NameUS:
            return " <!-NAMEUS-> ";
        case TWizardField::Number:
            return " <!-NUMBER-> ";
        case TWizardField::Size:
            return " <!-SIZE-> ";
        case TWizardField::SizeKB:
            return " <!-SIZEKB-> kB ";
        case TWizardField::Date:
            return " <!-DATE-> ";
    }
    return "";
}

TImageWizardSet DefaultImageWizardSet() {
    TImageWizardSet set;
    set.A.LO = "<b> ";
    set.A.MO = " - ";
    set.A.RO = "</b>";
    set.A.FieldLO = TWizardField::Number;
    set.A.FieldRO = TWizardField::Name;
    set.A.FieldMU = TWizardField::Description;
    set.B.LO = "<b> ";
    set.B.RO = "</b> ";
    set.B.FieldMO = TWizardField::Name;
    set.B.FieldMU = TWizardField::Description;
    return set;
}

TImageWizardSet DefaultThumbnailWizardSet() {
    TImageWizardSet set;
    set.A.LO = "<b> ";
    set.A.MO = " - ";
    set.A.LM = "(";
    set.A.RM = ") </b>";
    set.A.FieldLO = TWizardField::Number;
    set.A.FieldRO = TWizardField::Name;
    set.A.FieldLM = TWizardField::SizeKB;
    set.B.LO = "<b> ";
    set.B.RO = "</b> ";
    set.B.LM = "<b> Size: ";
    set.B.LMM2 = "</b>";
    set.B.FieldMO = TWizardField::Name;
    set.B.FieldLMM = TWizardField::SizeKB;
    set.B.FieldRMM = TWizardField::Hint;
    return set;
}

void RestoreWizardDefaults(SchemeWizardSettings& settings) {
    settings.ImageSet = DefaultImageWizardSet();
    settings.ThumbnailSet = DefaultThumbnailWizardSet();
}

int WizardPageOfScheme(int schemeKind) {
    switch (schemeKind) {
        case SchemeGallery:
            return WizardGalleryPage;
        case SchemeNavigation:
            return WizardNavigationPage;
        case SchemeThumbnail:
            return WizardThumbnailPage;
        case SchemeImage:
            return WizardImagePage;
    }
    throw EFSC_Exception("Unknown scheme kind " + std::to_string(schemeKind) + ".");
}

int SchemeOfWizardPage(int page) {
    switch (page) {
        case WizardGalleryPage:
            return SchemeGallery;
        case WizardNavigationPage:
            return SchemeNavigation;
        case WizardThumbnailPage:
            return SchemeThumbnail;
        case WizardImagePage:
            return SchemeImage;
    }
    throw EFSC_Exception("Unknown scheme wizard page " + std::to_string(page) + ".");
}

TStringList WizardPageText(const SchemeWizardSettings& settings, int page) {
    switch (SchemeOfWizardPage(page)) {
        case SchemeGallery:
            return GalleryWizardScheme(settings.Placement, settings.Centered);
        case SchemeNavigation:
            return NavigationWizardScheme(settings.Navigation, settings.NearPages);
        case SchemeThumbnail:
            return ThumbnailWizardScheme(settings.ThumbnailSet);
        default:
            return ImageWizardScheme(settings.ImageSet);
    }
}

namespace {

std::string LayoutAText(const TWizardLayoutA& a) {
    const std::string rowEnd = std::string(" ") + " <br> " + CrLf;
    std::string text = std::string(" <!-IMAGE-> <br><br>") + CrLf;
    text += a.LO + " " + Field(a.FieldLO) + a.MO + " " + Field(a.FieldRO) + a.RO + rowEnd;
    text += a.LM + " " + Field(a.FieldLM) + a.MM + " " + Field(a.FieldRM) + a.RM + rowEnd;
    text += a.LU + " " + Field(a.FieldMU) + a.RU + rowEnd;
    return text;
}

std::string LayoutBText(const TWizardLayoutB& b) {
    const std::string top = Cell(b.LO + " " + Field(b.FieldMO) + b.RO + " ");
    const std::string left1 = Cell(b.LM + " " + Field(b.FieldLM) + b.LM2);
    const std::string left2 = Cell(b.LMM + " " + Field(b.FieldLMM) + b.LMM2);
    const std::string right1 = Cell(b.RM + " " + Field(b.FieldRM) + b.RM2);
    const std::string right2 = Cell(b.RMM + " " + Field(b.FieldRMM) + b.RMM2);
    const std::string bottom = Cell(b.LU + " " + Field(b.FieldMU) + b.RU);
    return "<table> <tr> <td colspan=\"3\" align=\"center\"> " + top + CrLf +
           "</td> </tr> <tr> <td width=\"25%\"> " + left1 + " <br>" + CrLf + left2 + " " + CrLf +
           "</td> <td align=\"center\"> <!-IMAGE-> </td> <td width=\"25%\"> " + right1 + " <br>" +
           CrLf + right2 + " " + CrLf + " </td> </tr> <tr> <td colspan=\"3\" align=\"center\"> " +
           CrLf + bottom + " " + CrLf + " </td> </tr> </table> ";
}

std::string ImageText(const TImageWizardSet& set) {
    return set.LayoutB ? LayoutBText(set.B) : LayoutAText(set.A);
}

}  // namespace

TStringList ImageWizardScheme(const TImageWizardSet& set) { return SplitLines(ImageText(set)); }

TStringList ThumbnailWizardScheme(const TImageWizardSet& set) {
    return SplitLines(ReplaceFirst(ImageText(set), "<!-IMAGE->", "<!-THUMB->"));
}

}  // namespace fsc
