// Selecting a template in the selection dialog, applying the choice to the program's
// settings (the dialog's "OK"), and Cancel.
#pragma once

#include "base/IAsk.h"
#include "templates/TemplateContext.h"

namespace fsc {

// Who asks for a selection or an apply: the main window and the directory-tree tool never
// get the confirmation question, and an apply asked by the main window only takes the
// template name and the parameter values.
enum class TTemplateSender { MainWindow, DirectoryTreeTool, TemplateDialog, Wizard };

struct TSelectionView {
    // The main window is on screen, so a choice made elsewhere is confirmed first.
    bool MainWindowVisible = false;
    // The dialog's panel sits in the main window's template tab: a choice applies at once.
    bool PanelInMainWindow = false;
};

// The list's change handler for the entry at Selection.ItemIndex. May ask "You selected a
// new template." / "Are you sure?"; on No the index goes back to the one remembered when
// the list got the focus and nothing else changes. Reads the template file when it exists
// (its description and parameters); a missing file clears the description only.
void SelectTemplate(TemplateContext& context, TTemplateSender sender, const TSelectionView& view,
                    IAsk& ask);

// The dialog's "OK": does nothing when nothing changed since the last apply. Otherwise sets
// the template name, copies the parameter values into the current template and, unless the
// main window asks, reads the template file: the new current template, the slide show and
// target frame reset, the scheme files of its companion folder, then its settings lines.
// A bad number in a settings line raises EFSC_Exception with what came before applied.
void ApplyTemplate(TemplateContext& context, TTemplateSender sender);

// "Cancel": forget the edited parameters and go back to the remembered choice; nothing at
// all when nothing changed since it was remembered or last applied.
void CancelTemplateSelection(TemplateContext& context, const TSelectionView& view, IAsk& ask);

// The file names of the scheme files in a template's companion folder.
inline constexpr const char* NavigationSchemeFile = "scheme.nvs";
inline constexpr const char* ThumbSchemeFile = "scheme.ths";
inline constexpr const char* GallerySchemeFile = "scheme.gls";
inline constexpr const char* ImageSchemeFile = "scheme.ims";

}  // namespace fsc
