// The text side of the FTP control connection: replies split into lines and gathered
// into whole (possibly multi-line) replies, and the arguments some replies carry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fsc {

struct TFtpReply {
    int Code = 0;
    // Every line of the reply, joined by LF, without line ends.
    std::string Text;
};

// Replies no real server comes near; a longer one (a line that never ends, a multi-line reply
// that never closes) is what a hostile server or someone on the path sends to fill memory.
inline constexpr std::size_t MaxReplyLine = 8192;
inline constexpr std::size_t MaxReplyText = 65536;
inline constexpr const char* TooLongReplyText =
    "421 The server sent a reply longer than any server needs; the connection was closed.";

// Gathers replies from the bytes of the control connection in whatever pieces they arrive.
// Lines end with CR LF or LF alone. A multi-line reply starts with "ddd-" and runs to a line
// starting with the same code and a blank (RFC 959); lines without a code outside a reply
// are dropped. A line longer than MaxReplyLine or a reply longer than MaxReplyText gives a
// 421 reply with TooLongReplyText instead, the rest of that line is dropped, and the same
// replies come out however the bytes are cut into pieces.
class TFtpReplyReader {
public:
    std::vector<TFtpReply> Feed(std::string_view bytes);
    void Reset();

private:
    std::string pending;
    // The rest of a line that was too long is dropped up to its end.
    bool discarding = false;
    int multiCode = 0;
    std::string multiText;
    void TakeLine(const std::string& line, std::vector<TFtpReply>& replies);
    void TooLong(std::vector<TFtpReply>& replies);
};

// The directory of a 257 reply: the text between the first '"' and the next single '"',
// a doubled '"' standing for one. False when the reply quotes no directory.
bool QuotedDirectory(std::string_view replyText, std::string& directory);

// Server text made safe to show: control characters (C0, DEL and C1) become "?", so that
// a reply cannot clear a terminal, set its title or move the cursor.
std::string PrintableText(std::string_view text);

// The size of a 213 reply to SIZE: "213 312673". False unless the text after the code is
// a whole number and nothing else.
bool SizeOfReply(std::string_view replyText, std::int64_t& size);

// The port of a 229 reply "(|||port|)".
bool EpsvPort(std::string_view replyText, std::uint16_t& port);
// The port of a 227 reply "(h1,h2,h3,h4,p1,p2)"; the address is not used, the data
// connection goes to the control connection's server, so a reply cannot point elsewhere.
bool PasvPort(std::string_view replyText, std::uint16_t& port);

// "h1,h2,h3,h4,p1,p2" for PORT from a dotted IPv4 address and a port.
std::string PortArgument(const std::string& ipv4, std::uint16_t port);

// "host", "host:port" or "[v6 address]:port"; false for a bad port.
bool SplitHostPort(const std::string& hostName, std::string& host, std::uint16_t& port);

}  // namespace fsc
