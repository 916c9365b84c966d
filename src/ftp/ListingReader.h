// Reading a server's Unix long listing ("ls -l" lines) into a remote file list.
#pragma once

#include <string>
#include <string_view>

#include "base/TDateTime.h"
#include "base/TStringList.h"
#include "ftp/TFileList.h"

namespace fsc {

// Words separated by runs of blanks; the remainder after the last blank is the last word.
TStringList ListingWords(std::string_view line);

// The date of the month, day and time-or-year words of a listing line. A time means the
// current year (taken from `now`); a year passes through two digits with a 50-year window
// around `now`. False for an unknown month, a non-number or an impossible date.
bool ListingDate(const std::string& month, const std::string& day, const std::string& timeOrYear,
                 TDateTime now, TDateTime& date);

// The name in a listing line: everything after the eighth field, without the " -> target"
// of a link.
std::string ListingName(std::string_view line, bool isLink);

// One listing line as an entry; raises "Incompatible directory listing. " + line unless the
// line has at least 9 words and a whole number as its 5th word. A bad date gives date 0.
TFile ListingEntry(const std::string& line, TDateTime now);

// False for a name no file of one folder can have, which a hostile server could send to
// lead a download or a delete elsewhere: empty, or with a separator or a control character.
bool IsPlainListingName(std::string_view name);

// Appends every line of a listing. A first line "total N", which most servers send before
// the entries, is skipped; every other line must be an entry. Entries whose names are not
// plain are left out.
void ReadListing(const TStringList& lines, TFileList& list, TDateTime now);

}  // namespace fsc
