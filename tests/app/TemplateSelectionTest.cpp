#include <gtest/gtest.h>

#include "TemplateTestSupport.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

// A library with two templates, "plain" (with preview) and "fancy".
struct Library {
    test::TempDir Dir;
    Workspace Ws;

    Library() {
        SaveLines(Dir / "plain.tpl", {"DESCRIPTION=Plain pages", "STYLE=list", "ASKSTRING=Title",
                                      "ASKDEFAULT=My photos"});
        WriteFileBytes(Dir / "plain.jpg", "jpeg");
        SaveLines(Dir / "fancy.tpl", {"DESCRIPTION=old", "DESCRIPTION=Fancy frames",
                                      "STYLE=collage", "ASKCOLOR=Back"});
        Ws.TemplateLibrary = Dir.Path();
        Ws.Selection.Entries = ListTemplates(Dir.Path());
    }

    int IndexOf(const std::string& entry) const { return IndexOfLine(Ws.Selection.Entries, entry); }

    void Select(const std::string& entry, TTemplateSender sender, TSelectionView view, IAsk& ask) {
        Ws.Selection.ItemIndex = IndexOf(entry);
        TemplateContext context = Ws.Templates();
        SelectTemplate(context, sender, view, ask);
    }
};

TEST(SelectTemplate, ShowsDescriptionPreviewAndParameters) {
    Library lib;
    test::ScriptedAsk yes(true);
    lib.Select("plain", TTemplateSender::TemplateDialog, {}, yes);
    EXPECT_TRUE(yes.Asked.empty());  // the main window is not on screen yet
    EXPECT_EQ(lib.Ws.Selection.Description, "Plain pages");
    EXPECT_EQ(lib.Ws.Selection.PreviewFile, lib.Dir / "plain.jpg");
    EXPECT_TRUE(lib.Ws.Selection.UseTemplate);
    EXPECT_TRUE(lib.Ws.Selection.Changed);
    EXPECT_EQ(lib.Ws.Main.TemplateName, "plain");
    ASSERT_EQ(lib.Ws.Selection.DialogTemplate.Parameters.size(), 1u);
    EXPECT_EQ(lib.Ws.Selection.DialogTemplate.Parameters[0].Value, "My photos");
    // Selecting alone changes no settings.
    EXPECT_EQ(lib.Ws.Main.Style, TGalleryStyle::Table);

    lib.Select("fancy", TTemplateSender::TemplateDialog, {}, yes);
    EXPECT_EQ(lib.Ws.Selection.Description, "Fancy frames");
    EXPECT_EQ(lib.Ws.Selection.PreviewFile, "");
}

TEST(SelectTemplate, WindowsOtherThanMainAndTreeToolAreAskedFirst) {
    struct Case {
        TTemplateSender Sender;
        bool Asked;
    };
    const Case cases[] = {{TTemplateSender::TemplateDialog, true},
                          {TTemplateSender::Wizard, true},
                          {TTemplateSender::MainWindow, false},
                          {TTemplateSender::DirectoryTreeTool, false}};
    for (const Case& c : cases) {
        Library lib;
        test::ScriptedAsk no(false);
        lib.Ws.Selection.FocusItemIndex = lib.IndexOf("plain");
        lib.Select("fancy", c.Sender, {true, false}, no);
        if (c.Asked) {
            EXPECT_EQ(no.Asked, (TStringList{"You selected a new template. / Are you sure?"}));
            // No: the earlier entry stays selected and nothing changed.
            EXPECT_EQ(lib.Ws.Selection.ItemIndex, lib.IndexOf("plain"));
            EXPECT_FALSE(lib.Ws.Selection.Changed);
            EXPECT_EQ(lib.Ws.Main.TemplateName, "- no template -");
        } else {
            EXPECT_TRUE(no.Asked.empty());
            EXPECT_EQ(lib.Ws.Main.TemplateName, "fancy");
        }
    }
}

TEST(SelectTemplate, APanelInTheMainWindowAppliesAtOnce) {
    Library lib;
    test::ScriptedAsk yes(true);
    lib.Select("fancy", TTemplateSender::TemplateDialog, {true, true}, yes);
    EXPECT_EQ(yes.Asked.size(), 1u);
    EXPECT_EQ(lib.Ws.Main.Style, TGalleryStyle::Collage);
    EXPECT_FALSE(lib.Ws.Selection.Changed);
}

TEST(SelectTemplate, AMissingFileKeepsTheParametersAndClearsTheDescription) {
    Library lib;
    test::ScriptedAsk yes(true);
    lib.Select("plain", TTemplateSender::MainWindow, {}, yes);
    lib.Ws.Selection.Entries.push_back("USER:" + lib.Dir / "gone.tpl");
    lib.Select("USER:" + lib.Dir / "gone.tpl", TTemplateSender::MainWindow, {}, yes);
    EXPECT_EQ(lib.Ws.Selection.Description, "");
    EXPECT_EQ(lib.Ws.Selection.PreviewFile, "");
    EXPECT_EQ(lib.Ws.Selection.DialogTemplate.Parameters.size(), 1u);
}

TEST(TemplateParameters, AddDeleteAndEditMarkTheDialogChanged) {
    TemplateSelection selection;
    AddTemplateParameter(selection, "Back", true);
    AddTemplateParameter(selection, "Title", false);
    AddTemplateParameter(selection, "Link", true);
    EXPECT_TRUE(selection.Changed);
    selection.Changed = false;
    DeleteTemplateParameter(selection, 1);
    EXPECT_TRUE(selection.Changed);
    ChooseParameterColour(selection, 0, "mediumpurple  #9370DB ");
    ChooseParameterColour(selection, 1, "navy = #000080 ");
    EXPECT_EQ(selection.DialogTemplate.Parameters,
              (std::vector<TParameter>{{"Back", "", "#9370DB", ParameterColour},
                                       {"Link", "", "navy", ParameterColour}}));
    EXPECT_THROW(DeleteTemplateParameter(selection, 2), EUserInputError);
    EXPECT_THROW(EditTemplateParameter(selection, 5, "x"), EUserInputError);
}

TEST(CancelTemplateSelection, GoesBackToTheRememberedChoice) {
    Library lib;
    test::ScriptedAsk yes(true);
    lib.Select("plain", TTemplateSender::MainWindow, {}, yes);
    TemplateContext context = lib.Ws.Templates();
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    RememberForCancel(lib.Ws.Selection);

    lib.Select("fancy", TTemplateSender::MainWindow, {}, yes);
    EditTemplateParameter(lib.Ws.Selection, 0, "red");
    CancelTemplateSelection(context, {}, yes);
    EXPECT_EQ(lib.Ws.Selection.SelectedEntry(), "plain");
    EXPECT_TRUE(lib.Ws.Selection.UseTemplate);
    EXPECT_EQ(lib.Ws.Selection.Description, "Plain pages");
    EXPECT_EQ(lib.Ws.Main.TemplateName, "plain");
    ASSERT_EQ(lib.Ws.Selection.DialogTemplate.Parameters.size(), 1u);
    EXPECT_EQ(lib.Ws.Selection.DialogTemplate.Parameters[0].Name, "Title");

    // Remembered "no Template" stays "no Template" after Cancel.
    lib.Ws.Selection.UseTemplate = false;
    RememberForCancel(lib.Ws.Selection);
    lib.Select("fancy", TTemplateSender::MainWindow, {}, yes);
    CancelTemplateSelection(context, {}, yes);
    EXPECT_FALSE(lib.Ws.Selection.UseTemplate);
    EXPECT_EQ(lib.Ws.Main.TemplateName, "- no template -");
}

// The first window a newcomer meets: Cancel with nothing chosen asked "You selected a new
// template. Are you sure?".
TEST(CancelTemplateSelection, WithNothingChangedAsksNothingAndKeepsTheParameters) {
    Library lib;
    test::ScriptedAsk yes(true);
    lib.Select("fancy", TTemplateSender::MainWindow, {}, yes);
    TemplateContext context = lib.Ws.Templates();
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    RememberForCancel(lib.Ws.Selection);
    const std::vector<TParameter> parameters = lib.Ws.Selection.DialogTemplate.Parameters;
    ASSERT_FALSE(parameters.empty());
    const TSelectionView mainWindowShown{true, false};
    CancelTemplateSelection(context, mainWindowShown, yes);
    EXPECT_TRUE(yes.Asked.empty());
    EXPECT_EQ(lib.Ws.Selection.SelectedEntry(), "fancy");
    EXPECT_EQ(lib.Ws.Selection.DialogTemplate.Parameters, parameters);

    // A parameter edited since: Cancel takes it back (and asks, as before).
    EditTemplateParameter(lib.Ws.Selection, 0, "changed");
    CancelTemplateSelection(context, mainWindowShown, yes);
    EXPECT_EQ(yes.Asked.size(), 1u);
    EXPECT_NE(lib.Ws.Selection.DialogTemplate.Parameters[0].Value, "changed");
}

TEST(SelectTemplate, TheHTMLTemplateEditorFollowsTheCurrentTemplate) {
    Library lib;
    SaveLines(lib.Dir / "paged.tpl", {"INDEXISNOTGALLERY=true", "GALLERYFILE=thumbs.html"});
    SaveLines(lib.Dir / "thumbs.html", {"<!-GALLERY->"});
    lib.Ws.Selection.Entries.push_back("paged");
    EXPECT_EQ(lib.Ws.TemplateEditor.Pages, (TStringList{"Index/Gallery HTML", "Image HTML"}));
    test::ScriptedAsk yes(true);
    lib.Select("paged", TTemplateSender::MainWindow, {false, true}, yes);
    EXPECT_EQ(lib.Ws.TemplateEditor.Pages, (TStringList{"Gallery HTML", "Image HTML"}));
    EXPECT_EQ(lib.Ws.TemplateEditor.Text, (TStringList{"<!-GALLERY->"}));
}

TEST(StartupWorkspace, ListsTheLibraryAndReadsStartupSchemes) {
    test::TempDir data, config;
    test::ScopedEnv dataVar("FOLIOSCOPE_DATA_DIR", data.Path());
    test::ScopedEnv configVar("XDG_CONFIG_HOME", config.Path());
    ForceDirectories(data / "Templates");
    SaveLines(data / "Templates/b.tpl", {});
    SaveLines(data / "Templates/a.html", {});
    SaveLines(data / "thumbscheme.txt", {"<!-THUMB-><br><!-NAME->"});
    const Workspace ws = StartupWorkspace(ProgramOptions());
    EXPECT_EQ(ws.TemplateLibrary, data / "Templates");
    EXPECT_EQ(ws.Selection.Entries, (TStringList{"a", "b"}));
    EXPECT_EQ(ws.Schemes.Thumbnail.Text, (TStringList{"<!-THUMB-><br><!-NAME->"}));
}

}  // namespace
}  // namespace fsc
