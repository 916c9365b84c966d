// The entries of one file pane, with the pane's sort key and direction.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/Files.h"
#include "ftp/TFile.h"

namespace fsc {

enum class TFileSortKey { Name = 0, Type = 1, Size = 2, Date = 3 };

class TFileList {
public:
    TFileSortKey Key = TFileSortKey::Type;
    bool Ascending = true;

    int Count() const { return int(entries.size()); }
    // Null outside 0..Count()-1.
    const TFile* Get(int index) const;
    void Add(const TFile& file) { entries.push_back(file); }
    void AddLocal(const TDirEntry& entry);
    void Delete(int index);
    void Clear() { entries.clear(); }
    // The last entry of exactly this name, or null.
    const TFile* Find(const std::string& name) const;

    // Top-down merge sort by one key in one direction.
    void Sort(TFileSortKey key, bool ascending);
    // The pane's display order: by date, size, name, type, then by its own key, each pass
    // with the pane's direction, so that the passes break ties for one another.
    void Order();

    const std::vector<TFile>& Entries() const { return entries; }

private:
    std::vector<TFile> entries;
};

// Upper-cased five characters from the first '.' (the first five without a '.').
std::string TypeText(const std::string& name);

// The four cells of a grid row: "d"/"f" with "r"/"-", size, short date, name.
std::array<std::string, 4> GridCells(const TFile& file);

}  // namespace fsc
