// Image directory prefix and CSS class attributes.
#include "engine/PageSetup.h"

#include "base/Text.h"

namespace fsc {

std::string ImageDirPrefix(const std::string& imageDir) {
    return Trim(imageDir).empty() ? imageDir : imageDir + "/";
}

namespace {

void WrapCSS(std::string& css) {
    if (css.find("class=") == std::string::npos) css = "class=\"" + css + "\"";
}

}  // namespace

void WrapCSSFields(TTemplate& tpl) {
    WrapCSS(tpl.TableCSS);
    WrapCSS(tpl.ListCSS);
    WrapCSS(tpl.ParaCSS);
    WrapCSS(tpl.CollageCSS);
}

}  // namespace fsc
