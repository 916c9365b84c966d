// The file pane list: merge sort with the pane's key rules and the grid cells of an entry.
#include "ftp/TFileList.h"

#include "base/Text.h"

namespace fsc {

namespace {

// Whether `left` belongs before `right` in descending order; ascending is its negation,
// which makes "Up" stable and "Down" take equal entries from the right half first.
bool GreaterByKey(const TFile& left, const TFile& right, TFileSortKey key) {
    switch (key) {
        case TFileSortKey::Name:
            return UpperCase(left.Name) > UpperCase(right.Name);
        case TFileSortKey::Type:
            if (left.IsDir != right.IsDir) return right.IsDir;
            return TypeText(left.Name) > TypeText(right.Name);
        case TFileSortKey::Size:
            return left.Size > right.Size;
        case TFileSortKey::Date:
            return left.Date > right.Date;
    }
    return false;
}

void MergeSort(std::vector<TFile>& items, int first, int last, TFileSortKey key, bool ascending) {
    if (first >= last) return;
    const int middle = first + (last - first) / 2;
    MergeSort(items, first, middle, key, ascending);
    MergeSort(items, middle + 1, last, key, ascending);
    std::vector<TFile> merged;
    merged.reserve(std::size_t(last - first + 1));
    int left = first, right = middle + 1;
    while (left <= middle || right <= last) {
        bool takeLeft;
        if (right > last) {
            takeLeft = true;
        } else if (left > middle) {
            takeLeft = false;
        } else {
            takeLeft = GreaterByKey(items[left], items[right], key) != ascending;
        }
        merged.push_back(std::move(items[takeLeft ? left++ : right++]));
    }
    std::move(merged.begin(), merged.end(), items.begin() + first);
}

}  // namespace

const TFile* TFileList::Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &entries[std::size_t(index)];
}

void TFileList::AddLocal(const TDirEntry& entry) {
    entries.push_back(
        {entry.Name, entry.IsDirectory, entry.ReadOnly, std::int64_t(entry.Size), entry.Modified});
}

void TFileList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries.erase(entries.begin() + index);
}

const TFile* TFileList::Find(const std::string& name) const {
    const TFile* found = nullptr;
    for (const TFile& file : entries) {
        if (file.Name == name) found = &file;
    }
    return found;
}

void TFileList::Sort(TFileSortKey key, bool ascending) {
    MergeSort(entries, 0, Count() - 1, key, ascending);
}

void TFileList::Order() {
    const TFileSortKey own = Key;
    for (TFileSortKey key :
         {TFileSortKey::Date, TFileSortKey::Size, TFileSortKey::Name, TFileSortKey::Type, own}) {
        Sort(key, Ascending);
    }
}

std::string TypeText(const std::string& name) {
    const std::size_t dot = name.find('.');
    return UpperCase(dot == std::string::npos ? name.substr(0, 5) : name.substr(dot, 5));
}

std::array<std::string, 4> GridCells(const TFile& file) {
    const std::string kind =
        std::string(file.IsDir ? "Folder" : "File") + (file.ReadOnly ? " (read-only)" : "");
    // A folder's size in a listing is the size of its own record, not of what it holds.
    const std::string size = file.IsDir ? std::string() : std::to_string(file.Size);
    // A date of 0 is unknown (a listing date that could not be read, the offered parent
    // entry); 30 December 1899 would pass for a real one.
    return {kind, size, file.Date == 0 ? "" : IsoDateTimeString(file.Date), file.Name};
}

}  // namespace fsc
