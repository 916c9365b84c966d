// Editing the image list through the panel.
#include "app/ImageListEdit.h"

#include <utility>

#include "app/ImageNames.h"
#include "app/PictureOrder.h"
#include "base/Text.h"
#include "engine/SortThumbnails.h"

namespace fsc {

TThumbnail* SelectedImage(Workspace& ws, const ImageListPanel& panel) {
    if (panel.ItemIndex < 0 || panel.ItemIndex >= static_cast<int>(ws.Images.size())) {
        return nullptr;
    }
    return &ws.Images[static_cast<std::size_t>(panel.ItemIndex)];
}

std::string ImageListHint(const Workspace& ws) {
    return std::to_string(ws.Images.size()) + " Images";
}

void ShowSelection(Workspace& ws, ImageListPanel& panel) {
    TThumbnail* thumb = SelectedImage(ws, panel);
    if (thumb == nullptr) return;
    thumb->Name = RepairShownName(thumb->Name);
    thumb->Link = thumb->Name;
}

void EditImageText(Workspace& ws, ImageListPanel& panel, TImageText field,
                   const std::string& text) {
    TThumbnail* thumb = SelectedImage(ws, panel);
    if (thumb == nullptr) {
        ShowSelection(ws, panel);
        return;
    }
    switch (field) {
        case TImageText::Name:
            thumb->Name = text;
            thumb->Link = text;
            break;
        case TImageText::Hint:
            thumb->Hint = text;
            break;
        case TImageText::Description:
            thumb->Description = Trim(text);
            break;
        case TImageText::FieldA:
            thumb->FieldA = text;
            break;
        case TImageText::FieldB:
            thumb->FieldB = text;
            break;
        case TImageText::FieldC:
            thumb->FieldC = Trim(text);
            break;
        case TImageText::OtherLink:
            thumb->OtherLink = text;
            break;
    }
}

void EditImageSwitch(Workspace& ws, ImageListPanel& panel, TImageSwitch field, bool value) {
    TThumbnail* thumb = SelectedImage(ws, panel);
    if (thumb == nullptr) {
        ShowSelection(ws, panel);
        return;
    }
    (field == TImageSwitch::noImage ? thumb->noImage : thumb->useOtherLink) = value;
}

void LeaveNameField(Workspace& ws, ImageListPanel& panel) {
    ShowSelection(ws, panel);
    CheckIdenticalNames(ws.Images);
}

void MoveImageUp(Workspace& ws, ImageListPanel& panel) {
    if (panel.ItemIndex <= 0 || SelectedImage(ws, panel) == nullptr) return;
    const auto i = static_cast<std::size_t>(panel.ItemIndex);
    std::swap(ws.Images[i], ws.Images[i - 1]);
    --panel.ItemIndex;
    ShowSelection(ws, panel);
}

void MoveImageDown(Workspace& ws, ImageListPanel& panel) {
    if (SelectedImage(ws, panel) == nullptr ||
        panel.ItemIndex + 1 >= static_cast<int>(ws.Images.size())) {
        return;
    }
    const auto i = static_cast<std::size_t>(panel.ItemIndex);
    std::swap(ws.Images[i], ws.Images[i + 1]);
    ++panel.ItemIndex;
    ShowSelection(ws, panel);
}

void RemoveImage(Workspace& ws, ImageListPanel& panel) {
    if (SelectedImage(ws, panel) != nullptr) {
        ws.Images.erase(ws.Images.begin() + panel.ItemIndex);
        if (panel.ItemIndex >= static_cast<int>(ws.Images.size())) panel.ItemIndex = -1;
    }
    ShowSelection(ws, panel);
}

void ClearImages(Workspace& ws, ImageListPanel& panel) {
    ws.Images.clear();
    panel.ItemIndex = -1;
}

void ChooseSortEntry(Workspace& ws, ImageListPanel& panel, TSortEntry entry) {
    switch (entry) {
        case TSortEntry::ByName:
        case TSortEntry::ByDate:
        case TSortEntry::ByDateTaken:
            panel.SortByName = entry == TSortEntry::ByName;
            panel.SortByDate = entry == TSortEntry::ByDate;
            panel.SortByDateTaken = entry == TSortEntry::ByDateTaken;
            break;
        case TSortEntry::Up:
        case TSortEntry::Down:
            panel.SortUp = entry == TSortEntry::Up;
            break;
    }
    if (ws.Images.size() < 2) return;
    if (panel.SortByDateTaken) {
        SortByDateTaken(ws.Images, panel.SortUp);
    } else {
        SortThumbnails(ws.Images, panel.SortByName ? SortByName : SortByDate, panel.SortUp);
    }
    panel.ItemIndex = -1;
}

bool UsesAdvancedOptions(const TThumbnailArray& images) {
    for (const TThumbnail& thumb : images) {
        if (thumb.noImage || thumb.useOtherLink || !Trim(thumb.FieldA).empty() ||
            !Trim(thumb.FieldB).empty() || !Trim(thumb.FieldC).empty()) {
            return true;
        }
    }
    return false;
}

void CheckAdvancedOptions(const Workspace& ws, ImageListPanel& panel, IAsk& ask) {
    if (panel.ShowAdvancedOptions || !UsesAdvancedOptions(ws.Images)) return;
    panel.ShowAdvancedOptions = ask.Ask("Advanced Image Options are only for experts.",
                                        "Are you sure, you want to continue?");
}

}  // namespace fsc
