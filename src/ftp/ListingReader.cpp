// Unix long-listing lines to TFile entries, with the listing's date rules.
#include "ftp/ListingReader.h"

#include <charconv>
#include <chrono>

#include "base/Errors.h"
#include "base/Text.h"

namespace fsc {

namespace {

constexpr const char* MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int MonthNumber(const std::string& word) {
    for (int m = 0; m < 12; ++m) {
        if (StartsWith(word, MonthNames[m])) return m + 1;
    }
    return 0;
}

bool TryParseInt64(std::string_view text, std::int64_t& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// A two-digit year is placed in the 100 years starting 50 years before now.
int WindowedYear(int year, int currentYear) {
    const int threshold = currentYear - 50;
    int full = threshold / 100 * 100 + year % 100;
    if (full < threshold) full += 100;
    return full;
}

bool ValidDate(int year, int month, int day) {
    using namespace std::chrono;
    return year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                          std::chrono::day{unsigned(day)}}
        .ok();
}

bool IsTotalLine(const std::string& line) {
    const TStringList words = ListingWords(line);
    int ignored = 0;
    return words.size() == 2 && words[0] == "total" && TryParseInt(words[1], ignored);
}

}  // namespace

std::string ListingName(std::string_view line, bool isLink) {
    // The name is all that follows the eighth field, blanks inside it included.
    std::size_t at = 0;
    for (int field = 0; field < 8; ++field) {
        while (at < line.size() && line[at] == ' ') ++at;
        while (at < line.size() && line[at] != ' ') ++at;
    }
    // One blank parts the date from the name; any more, and blanks at its end, are the
    // name's own, or a file " a.jpg" would never be found and be sent again every time.
    if (at < line.size()) ++at;
    std::string name(line.substr(at));
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (isLink) {
        const std::size_t arrow = name.find(" -> ");
        if (arrow != std::string::npos) name.resize(arrow);
    }
    return name;
}

TStringList ListingWords(std::string_view line) {
    TStringList words;
    std::string rest = Trim(line);
    for (std::size_t blank = rest.find(' '); blank != std::string::npos; blank = rest.find(' ')) {
        words.push_back(Trim(std::string_view(rest).substr(0, blank)));
        rest = Trim(std::string_view(rest).substr(blank + 1));
    }
    if (!rest.empty()) words.push_back(rest);
    return words;
}

bool ListingDate(const std::string& month, const std::string& day, const std::string& timeOrYear,
                 TDateTime now, TDateTime& date) {
    const int monthNumber = MonthNumber(month);
    int dayNumber = 0, year = 0, hour = 0, minute = 0;
    if (monthNumber == 0 || !TryParseInt(day, dayNumber)) return false;
    const int currentYear = DecodeDateTime(now).Year;
    const bool hasTime = (month + day + timeOrYear).find(':') != std::string::npos;
    if (hasTime) {
        const std::string time = timeOrYear.substr(0, 5);
        const std::size_t colon = time.find(':');
        if (colon == std::string::npos || !TryParseInt(time.substr(0, colon), hour) ||
            !TryParseInt(time.substr(colon + 1), minute)) {
            return false;
        }
        year = currentYear;
    } else if (!TryParseInt(timeOrYear.substr(0, 4), year) || year < 0) {
        return false;
    }
    year = WindowedYear(year, currentYear);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
    if (dayNumber < 1 || !ValidDate(year, monthNumber, dayNumber)) return false;
    date = EncodeDateTime(year, monthNumber, dayNumber, hour, minute);
    return true;
}

TFile ListingEntry(const std::string& line, TDateTime now) {
    const TStringList words = ListingWords(line);
    TFile file;
    if (words.size() < 9 || !TryParseInt64(words[4], file.Size)) {
        throw EFSC_Exception("Incompatible directory listing. " + line);
    }
    file.Name = ListingName(line, words[0][0] == 'l' || words[0][0] == 'L');
    file.IsDir = words[0][0] == 'd' || words[0][0] == 'D';
    if (!ListingDate(words[5], words[6], words[7], now, file.Date)) file.Date = 0;
    return file;
}

bool IsPlainListingName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') return false;
    }
    return true;
}

void ReadListing(const TStringList& lines, TFileList& list, TDateTime now) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && IsTotalLine(lines[i])) continue;
        TFile file = ListingEntry(lines[i], now);
        if (IsPlainListingName(file.Name)) list.Add(std::move(file));
    }
}

}  // namespace fsc
