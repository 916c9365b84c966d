// Reply gathering and the small argument formats of the FTP control connection.
#include "ftp/FtpReplies.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/Text.h"

namespace fsc {

namespace {

bool ParseNumber(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// The code of a line "ddd", "ddd text" or "ddd-text", with the character after it.
int LineCode(const std::string& line, char& after) {
    if (line.size() < 3) return 0;
    for (int i = 0; i < 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[std::size_t(i)]))) return 0;
    }
    after = line.size() > 3 ? line[3] : ' ';
    if (after != ' ' && after != '-') return 0;
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

}  // namespace

std::vector<TFtpReply> TFtpReplyReader::Feed(std::string_view bytes) {
    std::vector<TFtpReply> replies;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (!discarding) pending.append(bytes.substr(start, lf == bytes.npos ? lf : lf - start));
        if (lf == bytes.npos) {
            // Room for a CR that may end the line in the next piece.
            if (!discarding && pending.size() > MaxReplyLine + 1) TooLong(replies);
            break;
        }
        start = lf + 1;
        if (discarding) {
            discarding = false;
            continue;
        }
        std::string line = std::move(pending);
        pending.clear();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > MaxReplyLine) {
            TooLong(replies);
            discarding = false;
        } else {
            TakeLine(line, replies);
        }
    }
    return replies;
}

void TFtpReplyReader::Reset() {
    pending.clear();
    discarding = false;
    multiCode = 0;
    multiText.clear();
}

void TFtpReplyReader::TooLong(std::vector<TFtpReply>& replies) {
    replies.push_back({421, TooLongReplyText});
    pending.clear();
    discarding = true;
    multiCode = 0;
    multiText.clear();
}

void TFtpReplyReader::TakeLine(const std::string& line, std::vector<TFtpReply>& replies) {
    char after = ' ';
    const int code = LineCode(line, after);
    if (multiCode != 0 && multiText.size() + line.size() > MaxReplyText) {
        TooLong(replies);
        discarding = false;
        return;
    }
    if (multiCode != 0) {
        multiText += "\n" + line;
        if (code == multiCode && after == ' ') {
            replies.push_back({multiCode, multiText});
            multiCode = 0;
            multiText.clear();
        }
        return;
    }
    if (code == 0) return;
    if (after == '-') {
        multiCode = code;
        multiText = line;
    } else {
        replies.push_back({code, line});
    }
}

bool QuotedDirectory(std::string_view replyText, std::string& directory) {
    const std::size_t open = replyText.find('"');
    if (open == std::string_view::npos) return false;
    std::string result;
    for (std::size_t i = open + 1; i < replyText.size(); ++i) {
        if (replyText[i] != '"') {
            result += replyText[i];
        } else if (i + 1 < replyText.size() && replyText[i + 1] == '"') {
            result += '"';
            ++i;
        } else {
            directory = result;
            return true;
        }
    }
    return false;
}

std::string PrintableText(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            shown += '?';
        } else if (c == 0xc2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // A C1 control in UTF-8; terminals obey some of them as they do ESC sequences.
            shown += '?';
            ++i;
        } else {
            shown += char(c);
        }
    }
    return shown;
}

bool SizeOfReply(std::string_view replyText, std::int64_t& size) {
    std::string_view text = replyText.substr(0, replyText.find('\n'));
    if (text.size() >= 4 && std::isdigit(static_cast<unsigned char>(text[0])))
        text.remove_prefix(4);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
    if (text.empty() || text.size() > 18) return false;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    size = value;
    return true;
}

bool EpsvPort(std::string_view replyText, std::uint16_t& port) {
    const std::size_t open = replyText.find('(');
    const std::size_t close = replyText.find(')', open);
    if (open == std::string_view::npos || close == std::string_view::npos || close - open < 6) {
        return false;
    }
    // "(|||port|)": the delimiter is the first character and is repeated three times.
    const std::string_view inner = replyText.substr(open + 1, close - open - 1);
    const char d = inner.front();
    if (inner.size() < 5 || inner[1] != d || inner[2] != d || inner.back() != d) return false;
    int value = 0;
    if (!ParseNumber(inner.substr(3, inner.size() - 4), value) || value < 1 || value > 65535) {
        return false;
    }
    port = std::uint16_t(value);
    return true;
}

bool PasvPort(std::string_view replyText, std::uint16_t& port) {
    // Some servers leave out the parentheses: take the six numbers after the code. A bare
    // "227" has nothing after its code.
    std::size_t start = replyText.find('(');
    start =
        start == std::string_view::npos ? std::min<std::size_t>(4, replyText.size()) : start + 1;
    int numbers[6] = {};
    for (int i = 0; i < 6; ++i) {
        while (start < replyText.size() && replyText[start] == ' ') ++start;
        std::size_t end = start;
        while (end < replyText.size() && std::isdigit(static_cast<unsigned char>(replyText[end])))
            ++end;
        if (!ParseNumber(replyText.substr(start, end - start), numbers[i]) || numbers[i] > 255) {
            return false;
        }
        if (i < 5 && (end >= replyText.size() || replyText[end] != ',')) return false;
        start = end + 1;
    }
    port = std::uint16_t(numbers[4] * 256 + numbers[5]);
    return port != 0;
}

std::string PortArgument(const std::string& ipv4, std::uint16_t port) {
    return ReplaceAll(ipv4, ".", ",") + "," + std::to_string(port / 256) + "," +
           std::to_string(port % 256);
}

bool SplitHostPort(const std::string& hostName, std::string& host, std::uint16_t& port) {
    port = 21;
    std::string portText;
    if (StartsWith(hostName, "[")) {
        const std::size_t close = hostName.find(']');
        if (close == std::string::npos) return false;
        host = hostName.substr(1, close - 1);
        if (close + 1 == hostName.size()) return !host.empty();
        if (hostName[close + 1] != ':') return false;
        portText = hostName.substr(close + 2);
    } else if (const std::size_t colon = hostName.find(':');
               colon != std::string::npos && hostName.find(':', colon + 1) == std::string::npos) {
        host = hostName.substr(0, colon);
        portText = hostName.substr(colon + 1);
    } else {
        // No colon, or a bare IPv6 address with several.
        host = hostName;
        return !host.empty();
    }
    int value = 0;
    if (host.empty() || !ParseNumber(portText, value) || value < 1 || value > 65535) return false;
    port = std::uint16_t(value);
    return true;
}

}  // namespace fsc
