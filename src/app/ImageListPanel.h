// What the image list panel and the "Images" menu remember besides the list itself: the
// selected entry, the two switches of the panel and the checked "Sort" entries.
#pragma once

namespace fsc {

struct ImageListPanel {
    // The selected entry of the list; -1 when none.
    int ItemIndex = -1;
    bool ShowImage = false;
    bool ShowAdvancedOptions = false;
    // "by Name", "by Date" and "by Date Taken" form one radio group with none checked at
    // start; "Up" and "Down" another with "Up" checked.
    bool SortByName = false;
    bool SortByDate = false;
    bool SortByDateTaken = false;
    bool SortUp = true;
};

}  // namespace fsc
