// Editing the image list through the panel: showing the selected image, its texts and
// switches, moving, removing, clearing, sorting, and the advanced options check.
#pragma once

#include <string>

#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/IAsk.h"

namespace fsc {

// The selected image, or null when no entry (or none below the list's end) is selected.
TThumbnail* SelectedImage(Workspace& ws, const ImageListPanel& panel);

// The list's hint: the number of images followed by " Images".
std::string ImageListHint(const Workspace& ws);

// Run after almost every change: the selected image's name gets RepairShownName and its
// link follows. The panel fills its fields from the image (or empties them without one).
void ShowSelection(Workspace& ws, ImageListPanel& panel);

// The per-image texts the panel edits.
enum class TImageText { Name, Hint, Description, FieldA, FieldB, FieldC, OtherLink };
enum class TImageSwitch { noImage, useOtherLink };

// Stores the text in the selected image: the name also becomes the link, the two memos
// (description and field C) are trimmed. Without a selection nothing changes and the
// selection is shown again.
void EditImageText(Workspace& ws, ImageListPanel& panel, TImageText field, const std::string& text);
void EditImageSwitch(Workspace& ws, ImageListPanel& panel, TImageSwitch field, bool value);

// Leaving the name field: show the selection again, then CheckIdenticalNames.
void LeaveNameField(Workspace& ws, ImageListPanel& panel);

// "Up" does nothing on the first entry, "Down" nothing on the last or without a selection;
// otherwise the image swaps places with its neighbour and the selection follows it.
void MoveImageUp(Workspace& ws, ImageListPanel& panel);
void MoveImageDown(Workspace& ws, ImageListPanel& panel);

// "Remove": the selected image goes, the later ones move up; the selection stays at its
// place while an image is there. "Clear": no images, no selection.
void RemoveImage(Workspace& ws, ImageListPanel& panel);
void ClearImages(Workspace& ws, ImageListPanel& panel);

// The "Images", "Sort" menu entries. Choosing one checks it (its group's other entries are
// unchecked) and sorts with SortThumbnails by name when "by Name" is checked, else by
// date; ascending when "Up" is checked. "by Date Taken" sorts by the date the camera
// recorded instead, as the command line's --sort date does, keeping pictures with the same
// date in their order. Fewer than two images are left alone. Afterwards no entry is
// selected.
enum class TSortEntry { ByName, ByDate, Up, Down, ByDateTaken };
void ChooseSortEntry(Workspace& ws, ImageListPanel& panel, TSortEntry entry);

// True when an image uses the advanced options: "no image", "other link" or a non-blank
// field A, B or C.
bool UsesAdvancedOptions(const TThumbnailArray& images);
// After an image set or a project was loaded: the advanced options are switched on when
// an image uses them and they are off, after "Advanced Image Options are only for
// experts." / "Are you sure, you want to continue?"; No leaves them off.
void CheckAdvancedOptions(const Workspace& ws, ImageListPanel& panel, IAsk& ask);

}  // namespace fsc
