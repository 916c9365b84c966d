// Writing small template files and applying them to a workspace the way the dialog does.
#pragma once

#include "app/Workspace.h"
#include "base/Files.h"
#include "base/IAsk.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc::test {

// Answers every question with the same word and remembers what was asked.
class ScriptedAsk final : public IAsk {
public:
    explicit ScriptedAsk(bool answer) : answer(answer) {}
    bool Ask(const std::string& statement, const std::string& question) override {
        Asked.push_back(statement + " / " + question);
        return answer;
    }
    TStringList Asked;

private:
    bool answer;
};

// Selects "USER:" + path in the dialog as the main window does and applies it.
inline void ApplyTemplateFile(Workspace& ws, const std::string& path) {
    ws.Selection.Entries = {"USER:" + path};
    ws.Selection.ItemIndex = 0;
    ScriptedAsk never(false);
    TemplateContext context = ws.Templates();
    SelectTemplate(context, TTemplateSender::MainWindow, {}, never);
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
}

// Every setting a template carries, changed from its start value.
inline void ChangeTemplateSettings(Workspace& ws) {
    MainSettings& m = ws.Main;
    m.Style = TGalleryStyle::Collage;
    m.Rows = 4;
    m.Cols = 6;
    m.ThumbQuality = TThumbQualityLevel::VeryLow;
    m.ThumbSize = TThumbSizeMode::hardLimit;
    m.ThumbWidth = 120;
    m.ThumbHeight = 90;
    m.ResizeWidthChecked = true;
    m.GreaterThan = 640;
    m.WriteWebp = true;
    m.WriteAvif = true;
    m.OfferOriginals = true;
    m.LinkToHTML = true;
    m.ImagesAreThumbs = true;
    m.UseDefaultExt = true;
    m.DefaultExt = "php";
    m.UseTargetFrame = true;
    m.TargetFrame = "main";
    ws.Table = {"t", 0, "80%", THorzAlign::Right, TVertAlign::Bottom};
    ws.List = {true, "l"};
    ws.Para = {THorzAlign::Right, "p"};
    ws.Collage = {TCollageType::Circle, "navy = #000080 ", true, "c"};
    ws.SlideShow = {{"<!-SLIDES->", "", "<!-FIRSTBUTTON->"}, true, false, 450};
    SpecialOptions& s = ws.Special;
    s = {true, "Ann", true, "k1, k2", true, "Desc", false, false, false, true, "No!", true, {}};
    WatermarkOptions& w = ws.Watermark;
    w.Text = {"(c) Ann", "", "  https://ann.example/  "};
    w.Transparency = 30;
    w.AdjustSize = false;
    w.Font = {"DejaVu Sans", 14, 200, 100, 50, true, true, true, true};
    w.LT = w.CM = w.RB = true;
    w.LB = false;
}

inline void ApplyTemplateLines(Workspace& ws, const std::string& path, const TStringList& lines) {
    SaveLines(path, lines);
    ApplyTemplateFile(ws, path);
}

}  // namespace fsc::test
