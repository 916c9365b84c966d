// The command line's settings lines, checked against the reader's key table first, because
// the reader passes over unknown keys silently, as a template file needs, while a mistyped
// option on the command line must not be lost without a word.
#include "cli/SetOption.h"

#include <algorithm>
#include <iterator>

#include "base/Errors.h"
#include "templates/TemplateSettingsLines.h"

namespace fsc {

namespace {

// Every key the template reader applies; multi-line keys are refused below.
constexpr const char* Keys[] = {"STYLE=",
                                "TABLECSS=",
                                "TABLEBORDER=",
                                "TABLEWIDTH=",
                                "TABLETDALIGN=",
                                "TABLETDVALIGN=",
                                "TABLEROWS=",
                                "TABLECOLS=",
                                "LISTCSS=",
                                "LISTSTYLE=",
                                "LISTROWS=",
                                "PARAALIGN=",
                                "PARACSS=",
                                "COLLAGECSS=",
                                "COLLAGETYPE=",
                                "COLLAGEBGCOLOR=",
                                "COLLAGECENTER=",
                                "SLIDESCHEME=",
                                "SLIDEWIDTH=",
                                "SLIDEHEIGHT=",
                                "USETARGET=",
                                "TARGETFRAME=",
                                "USEIMAGEASHTML=",
                                "IMAGEASHTMLTEMPLATE=",
                                "IMAGEDORESIZE=",
                                "IMAGEWIDTH=",
                                "IMAGEHEIGHT=",
                                "IMAGENOEXT=",
                                "THUMBQUALITY=",
                                "RESIZEMETHOD=",
                                "IMAGEWEBP=",
                                "IMAGEAVIF=",
                                "IMAGEORIGINALS=",
                                "THUMBMETHOD=",
                                "THUMBWIDTH=",
                                "THUMBHEIGHT=",
                                "NAVIGATIONSCHEME=",
                                "GALLERYSCHEME=",
                                "IMAGESCHEME=",
                                "THUMBSCHEME=",
                                "DEFAULTHTMLEXT=",
                                "USEAUTHOR=",
                                "AUTHOR=",
                                "USEKEYWORDS=",
                                "KEYWORDS=",
                                "KEYWORDSNAME=",
                                "KEYWORDSHINTDESC=",
                                "USEMETADESC=",
                                "METADESC=",
                                "METADESCHINT=",
                                "USEDISABLERMB=",
                                "RMBMESSAGE=",
                                "USEWATERMARK=",
                                "WATERMARKTEXT=",
                                "WATERMARKTRANSPARENCY=",
                                "WATERMARKADJUSTTOSIZE=",
                                "WATERMARKFONTNAME=",
                                "WATERMARKFONTSIZE=",
                                "WATERMARKFONTCOLOR=",
                                "WATERMARKFONTBOLD=",
                                "WATERMARKFONTITALIC=",
                                "WATERMARKFONTUNDERLINE=",
                                "WATERMARKFONTSTRIKEOUT=",
                                "WATERMARKLT=",
                                "WATERMARKLM=",
                                "WATERMARKLB=",
                                "WATERMARKCT=",
                                "WATERMARKCM=",
                                "WATERMARKCB=",
                                "WATERMARKRT=",
                                "WATERMARKRM=",
                                "WATERMARKRB=",
                                "REMOVELOCATION="};

}  // namespace

bool IsTemplateSettingsKey(const std::string& keyWithEquals) {
    return std::find(std::begin(Keys), std::end(Keys), keyWithEquals) != std::end(Keys);
}

void ApplySetOption(Workspace& ws, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw EUserInputError("--set needs KEY=VALUE, not \"" + assignment + "\".");
    }
    const std::string key = assignment.substr(0, equals + 1);
    if (!IsTemplateSettingsKey(key)) {
        throw EUserInputError("Unknown setting \"" + key.substr(0, equals) +
                              "\" (keys are those of a template file, such as STYLE, THUMBWIDTH "
                              "or IMAGEDORESIZE; they are written in capitals).");
    }
    if (assignment.find_first_of("\r\n") != std::string::npos) {
        throw EUserInputError("The value of --set " + key + " must be one line.");
    }
    // Multi-line values end at their marker; one value on the command line is the whole text.
    std::string line = assignment;
    if (key == "SLIDESCHEME=") line += SlideSchemeEnd;
    if (key == "WATERMARKTEXT=") line += WatermarkEnd;
    TemplateContext context = ws.Templates();
    // Relative scheme and page files are looked for where the user runs the program.
    ApplySettingsLines(context, ".", line, TLinesFrom::User);
}

}  // namespace fsc
