#include <gtest/gtest.h>

#include "ftp/FtpReplies.h"
#include "ftp/JobLine.h"

namespace fsc {
namespace {

std::string Show(const std::vector<TFtpReply>& replies) {
    std::string text;
    for (const TFtpReply& r : replies) text += std::to_string(r.Code) + "[" + r.Text + "]";
    return text;
}

TEST(TFtpReplyReader, GathersRepliesFromAnyPieces) {
    const struct {
        std::vector<const char*> pieces;
        const char* expected;
    } cases[] = {
        {{"220 Ready\r\n"}, "220[220 Ready]"},
        {{"220 Ready\n"}, "220[220 Ready]"},
        {{"22", "0 Re", "ady\r", "\n"}, "220[220 Ready]"},
        {{"331 Pass\r\n230 In\r\n"}, "331[331 Pass]230[230 In]"},
        {{"220-Welcome\r\n", "220-second\r\n 220 indented\r\n220 end\r\n"},
         "220[220-Welcome\n220-second\n 220 indented\n220 end]"},
        // Inside a multi-line reply, lines of another code do not end it.
        {{"226-Stats\n150 inner\n226-more\n226 Done\n"},
         "226[226-Stats\n150 inner\n226-more\n226 Done]"},
        {{"junk before\r\n200 OK\r\n"}, "200[200 OK]"},
        {{"200\r\n"}, "200[200]"},
        {{"250 partial"}, ""},
    };
    for (const auto& c : cases) {
        TFtpReplyReader reader;
        std::vector<TFtpReply> all;
        for (const char* piece : c.pieces) {
            for (TFtpReply& r : reader.Feed(piece)) all.push_back(r);
        }
        EXPECT_EQ(Show(all), c.expected) << "first piece: " << c.pieces.front();
    }
}

// A server that sends a line without end, or a multi-line reply that never closes, ends the
// connection instead of filling the memory; the replies after such a line still count.
TEST(TFtpReplyReader, RepliesTooLongForAnyServerCloseTheConnection) {
    const std::string endless = "220 " + std::string(MaxReplyLine, 'x');
    const std::string tooLong = "421[" + std::string(TooLongReplyText) + "]";
    for (const std::size_t piece : {std::size_t(1000), std::size_t(100000)}) {
        TFtpReplyReader reader;
        std::vector<TFtpReply> all;
        const std::string bytes = endless + endless + "\r\n200 OK\r\n";
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            for (TFtpReply& r : reader.Feed(std::string_view(bytes).substr(at, piece)))
                all.push_back(r);
        }
        EXPECT_EQ(Show(all), tooLong + "200[200 OK]") << piece;
    }
    TFtpReplyReader reader;
    std::vector<TFtpReply> all;
    for (TFtpReply& r : reader.Feed("230-Welcome\r\n")) all.push_back(r);
    for (int i = 0; i < 20 && all.empty(); ++i) {
        for (TFtpReply& r : reader.Feed(std::string(4000, 'y') + "\r\n")) all.push_back(r);
    }
    EXPECT_EQ(Show(all), tooLong);
}

TEST(QuotedDirectory, ReadsThePathOfA257Reply) {
    const struct {
        const char* reply;
        bool ok;
        const char* directory;
    } cases[] = {
        {"257 \"/\" is the current directory", true, "/"},
        {"257 \"/a \"\"quoted\"\" dir\" ok", true, "/a \"quoted\" dir"},
        {"257 junk: here \"/pub\"", true, "/pub"},
        {"257 \"\"", true, ""},
        {"257 /no/quotes", false, ""},
        {"257 \"/unterminated", false, ""},
    };
    for (const auto& c : cases) {
        std::string directory = "unchanged";
        ASSERT_EQ(QuotedDirectory(c.reply, directory), c.ok) << c.reply;
        if (c.ok) {
            EXPECT_EQ(directory, c.directory) << c.reply;
        }
    }
}

TEST(DataPorts, PassiveRepliesAndPortArguments) {
    std::uint16_t port = 0;
    EXPECT_TRUE(EpsvPort("229 Entering Extended Passive Mode (|||50123|)", port));
    EXPECT_EQ(port, 50123);
    EXPECT_TRUE(PasvPort("227 Entering Passive Mode (127,0,0,1,195,203).", port));
    EXPECT_EQ(port, 195 * 256 + 203);
    EXPECT_TRUE(PasvPort("227 =127,0,0,1,4,1", port) || PasvPort("227 127,0,0,1,4,1", port));
    for (const char* bad : {"229 (|||0|)", "229 (|||70000|)", "229 no port", "229 (||50|)"}) {
        EXPECT_FALSE(EpsvPort(bad, port)) << bad;
    }
    for (const char* bad : {"227 (127,0,0,1,300,1)", "227 (127,0,0,1,4)", "227 nothing"}) {
        EXPECT_FALSE(PasvPort(bad, port)) << bad;
    }
    EXPECT_EQ(PortArgument("127.0.0.1", 50123), "127,0,0,1,195,203");
}

TEST(SplitHostPort, TakesAnOptionalPort) {
    const struct {
        const char* hostName;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"ftp.example.org", true, "ftp.example.org", 21},
        {"127.0.0.1:2121", true, "127.0.0.1", 2121},
        {"[::1]:2121", true, "::1", 2121},
        {"[::1]", true, "::1", 21},
        {"::1", true, "::1", 21},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:99999", false, "", 0},
        {"host:21x", false, "", 0},
        {"", false, "", 0},
    };
    for (const auto& c : cases) {
        std::string host;
        std::uint16_t port = 0;
        ASSERT_EQ(SplitHostPort(c.hostName, host, port), c.ok) << c.hostName;
        if (c.ok) {
            EXPECT_EQ(host + ":" + std::to_string(port),
                      std::string(c.host) + ":" + std::to_string(c.port));
        }
    }
}

TEST(JobField, CountsFieldsBetweenSemicolons) {
    const struct {
        const char* line;
        int k;
        const char* field;
    } cases[] = {
        {"Down;a.jpg;FALSE", 0, "Down"},
        {"Down;a.jpg;FALSE", 1, "a.jpg"},
        {"Down;a.jpg;FALSE", 2, "FALSE"},
        {"Down;a.jpg;FALSE", 3, ""},
        {"WebChDir;", 1, ""},
        {"List", 1, ""},
        {"a;b;c;d;e", 3, "d"},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JobField(c.line, c.k), c.field) << c.line << " field " << c.k;
}

}  // namespace
}  // namespace fsc
