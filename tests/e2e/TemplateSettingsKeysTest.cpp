// Every key of the table of template settings keys, through "--set", saving a template and
// applying it again: a key whose saving and reading disagree loses the value on the way.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/CreateGallery.h"
#include "app/TemplateTestSupport.h"
#include "app/WorkspaceSettings.h"
#include "base/Files.h"
#include "base/Text.h"
#include "cli/SetOption.h"
#include "imaging/RecordingMessages.h"
#include "support/TempDir.h"
#include "templates/TemplateSettingsKeys.h"

namespace fsc {
namespace {

// For each key, the "--set" values that give it a value other than its start value; the
// key's own comes last, after those it needs to be saved at all. The values are spelled as
// saving writes them.
std::map<std::string, TStringList> ValuesOfEveryKey(const std::string& folder) {
    const std::string scheme = folder + "/own.scheme";
    SaveLines(scheme, {"<!-IMAGE-> mine"});
    const std::string page = folder + "/own.html";
    SaveLines(page, {"<html><!-IMAGE-></html>"});
    return {
        {"USETARGET=", {"USETARGET=true"}},
        {"TARGETFRAME=", {"USETARGET=true", "TARGETFRAME=main"}},
        {"STYLE=", {"STYLE=list"}},
        {"TABLECSS=", {"TABLECSS=grid"}},
        {"TABLEBORDER=", {"TABLEBORDER=2"}},
        {"TABLEWIDTH=", {"TABLEWIDTH=80%"}},
        {"TABLETDALIGN=", {"TABLETDALIGN=left"}},
        {"TABLETDVALIGN=", {"TABLETDVALIGN=top"}},
        {"TABLEROWS=", {"TABLEROWS=4"}},
        {"TABLECOLS=", {"TABLECOLS=6"}},
        {"LISTCSS=", {"LISTCSS=items"}},
        {"LISTSTYLE=", {"LISTSTYLE=ordered"}},
        {"LISTROWS=", {"LISTROWS=12"}},
        {"PARAALIGN=", {"PARAALIGN=right"}},
        {"PARACSS=", {"PARACSS=text"}},
        {"COLLAGECSS=", {"COLLAGECSS=wall"}},
        {"COLLAGETYPE=", {"COLLAGETYPE=CIRCLE"}},
        {"COLLAGEBGCOLOR=", {"COLLAGEBGCOLOR=navy = #000080"}},
        {"COLLAGECENTER=", {"COLLAGECENTER=true"}},
        {"SLIDESCHEME=", {"SLIDESCHEME=<!-SLIDES-> <!-NEXTBUTTON->"}},
        {"SLIDEWIDTH=", {"SLIDEWIDTH=450"}},
        {"SLIDEHEIGHT=", {"SLIDEHEIGHT=250"}},
        {"USEIMAGEASHTML=", {"USEIMAGEASHTML=true"}},
        {"IMAGEASHTMLTEMPLATE=", {"IMAGEASHTMLTEMPLATE=" + page}},
        {"THUMBMETHOD=", {"THUMBMETHOD=fit"}},
        {"THUMBQUALITY=", {"THUMBQUALITY=high"}},
        {"THUMBWIDTH=", {"THUMBWIDTH=150"}},
        {"THUMBHEIGHT=", {"THUMBHEIGHT=110"}},
        {"IMAGEDORESIZE=", {"IMAGEDORESIZE=true"}},
        {"IMAGEWIDTH=", {"IMAGEDORESIZE=true", "IMAGEWIDTH=640"}},
        {"IMAGEHEIGHT=", {"IMAGEDORESIZE=true", "IMAGEHEIGHT=-1"}},
        {"IMAGENOEXT=", {"IMAGENOEXT=true"}},
        {"RESIZEMETHOD=", {"RESIZEMETHOD=classic"}},
        {"IMAGEWEBP=", {"IMAGEWEBP=true"}},
        {"IMAGEAVIF=", {"IMAGEAVIF=true"}},
        {"IMAGEORIGINALS=", {"IMAGEORIGINALS=true"}},
        {"DEFAULTHTMLEXT=", {"DEFAULTHTMLEXT=php"}},
        {"NAVIGATIONSCHEME=", {"NAVIGATIONSCHEME=" + scheme}},
        {"GALLERYSCHEME=", {"GALLERYSCHEME=" + scheme}},
        {"IMAGESCHEME=", {"IMAGESCHEME=" + scheme}},
        {"THUMBSCHEME=", {"THUMBSCHEME=" + scheme}},
        {"USEAUTHOR=", {"USEAUTHOR=true"}},
        {"AUTHOR=", {"AUTHOR=Ann"}},
        {"USEKEYWORDS=", {"USEKEYWORDS=true"}},
        {"KEYWORDS=", {"KEYWORDS=k1, k2"}},
        {"KEYWORDSNAME=", {"KEYWORDSNAME=false"}},
        {"KEYWORDSHINTDESC=", {"KEYWORDSHINTDESC=false"}},
        {"USEMETADESC=", {"USEMETADESC=true"}},
        {"METADESC=", {"METADESC=Holiday"}},
        {"METADESCHINT=", {"METADESCHINT=false"}},
        {"USEDISABLERMB=", {"USEDISABLERMB=true"}},
        {"RMBMESSAGE=", {"RMBMESSAGE=No copies, please."}},
        {"USEWATERMARK=", {"USEWATERMARK=true"}},
        {"WATERMARKTEXT=", {"WATERMARKTEXT=(c) Ann"}},
        {"WATERMARKTRANSPARENCY=", {"WATERMARKTRANSPARENCY=30"}},
        {"WATERMARKADJUSTTOSIZE=", {"WATERMARKADJUSTTOSIZE=false"}},
        {"WATERMARKFONTNAME=", {"WATERMARKFONTNAME=DejaVu Sans"}},
        {"WATERMARKFONTSIZE=", {"WATERMARKFONTSIZE=14"}},
        {"WATERMARKFONTCOLOR=", {"WATERMARKFONTCOLOR=" + std::to_string(0x332211)}},
        {"WATERMARKFONTBOLD=", {"WATERMARKFONTBOLD=true"}},
        {"WATERMARKFONTITALIC=", {"WATERMARKFONTITALIC=true"}},
        {"WATERMARKFONTUNDERLINE=", {"WATERMARKFONTUNDERLINE=true"}},
        {"WATERMARKFONTSTRIKEOUT=", {"WATERMARKFONTSTRIKEOUT=true"}},
        {"WATERMARKLT=", {"WATERMARKLT=true"}},
        {"WATERMARKLM=", {"WATERMARKLM=true"}},
        {"WATERMARKLB=", {"WATERMARKLB=false"}},
        {"WATERMARKCT=", {"WATERMARKCT=true"}},
        {"WATERMARKCM=", {"WATERMARKCM=true"}},
        {"WATERMARKCB=", {"WATERMARKCB=true"}},
        {"WATERMARKRT=", {"WATERMARKRT=true"}},
        {"WATERMARKRM=", {"WATERMARKRM=true"}},
        {"WATERMARKRB=", {"WATERMARKRB=true"}},
        {"REMOVELOCATION=", {"REMOVELOCATION=false"}},
    };
}

// A line as the command line gives it, or as a template file would hold it for a key that
// "--set" does not take.
void SetValue(Workspace& ws, const std::string& assignment) {
    const std::string key = assignment.substr(0, assignment.find('=') + 1);
    const TSettingsKey* row = FindSettingsKey(key);
    ASSERT_NE(row, nullptr) << key;
    if (row->OnCommandLine) {
        ApplySetOption(ws, assignment);
        return;
    }
    TemplateContext context = ws.Templates();
    ApplySettingsLines(context, ".", assignment + (row->EndMarker ? row->EndMarker : ""),
                       TLinesFrom::User);
}

// The workspace's settings as the command line shows them, and its schemes; without the
// template dialog's own state, which names the file the template was applied from.
TStringList SettingsOf(const Workspace& ws) {
    TStringList lines;
    for (const std::string& line : WorkspaceSettingLines(ws)) {
        if (!StartsWith(line, "Selection.") && !StartsWith(line, "Main.TemplateName=")) {
            lines.push_back(line);
        }
    }
    for (const TScheme* scheme :
         {&ws.Schemes.Navigation, &ws.Schemes.Gallery, &ws.Schemes.Image, &ws.Schemes.Thumbnail}) {
        lines.push_back("Scheme=" + ToCommaText(scheme->Text));
    }
    return lines;
}

// The lines of `ws` that differ from the same lines of `base`.
TStringList ChangedSettings(const Workspace& ws, const Workspace& base) {
    const TStringList lines = SettingsOf(ws);
    const TStringList baseLines = SettingsOf(base);
    TStringList changed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i >= baseLines.size() || lines[i] != baseLines[i]) changed.push_back(lines[i]);
    }
    return changed;
}

// Saves `ws` as a template in `folder` and applies it to a new workspace.
Workspace SavedAndApplied(Workspace& ws, const std::string& folder, TStringList& fileLines) {
    ForceDirectories(folder);
    test::RecordingMessages messages;
    SaveWorkspaceAsTemplate(ws, folder + "/t.tpl", messages);
    EXPECT_EQ(messages.Boxes, TStringList{});
    fileLines = LoadLines(folder + "/t.tpl");
    Workspace applied;
    test::ApplyTemplateFile(applied, folder + "/t.tpl");
    return applied;
}

bool HoldsLine(const TStringList& lines, const std::string& wanted) {
    for (const std::string& line : lines) {
        if (Trim(line) == Trim(wanted)) return true;
    }
    return false;
}

bool HoldsKey(const TStringList& lines, const std::string& key) {
    for (const std::string& line : lines) {
        if (StartsWith(line, key)) return true;
    }
    return false;
}

TEST(TemplateSettingsKeys, EveryKeySetOnTheCommandLineComesBackFromASavedTemplate) {
    test::TempDir dir;
    const std::map<std::string, TStringList> values = ValuesOfEveryKey(dir.Path());
    Workspace untouched;
    TStringList untouchedFile;
    const Workspace untouchedApplied = SavedAndApplied(untouched, dir / "untouched", untouchedFile);
    for (const TSettingsKey& row : TemplateSettingsKeys()) {
        SCOPED_TRACE(row.Key);
        const auto value = values.find(row.Key);
        if (value == values.end()) {
            ADD_FAILURE() << "no value to try for this key";
            continue;
        }
        const std::string& assignment = value->second.back();
        Workspace set;
        for (const std::string& line : value->second) SetValue(set, line);
        const TStringList changed = ChangedSettings(set, Workspace());
        EXPECT_FALSE(changed.empty()) << assignment << " leaves every setting at its start";

        TStringList file;
        const Workspace applied = SavedAndApplied(set, dir / row.Key, file);
        if (!row.Write) {
            EXPECT_FALSE(HoldsKey(file, row.Key)) << JoinLines(file);
            continue;
        }
        EXPECT_TRUE(HoldsLine(file, assignment + (row.EndMarker ? row.EndMarker : "")))
            << JoinLines(file);
        EXPECT_EQ(ChangedSettings(applied, untouchedApplied), changed);
    }
}

}  // namespace
}  // namespace fsc
