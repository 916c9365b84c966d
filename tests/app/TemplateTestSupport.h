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

inline void ApplyTemplateLines(Workspace& ws, const std::string& path, const TStringList& lines) {
    SaveLines(path, lines);
    ApplyTemplateFile(ws, path);
}

}  // namespace fsc::test
