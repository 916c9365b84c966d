// libFuzzer target of the FTP reply parser: the control connection's bytes arrive in pieces
// of any size and give the same replies as when they arrive at once, and every reply's
// arguments are read as if it had the code that carries them.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzFiles.h"
#include "ftp/FtpReplies.h"

namespace {

void ReadArguments(const fsc::TFtpReply& reply) {
    std::string text;
    std::uint16_t port = 0;
    fsc::QuotedDirectory(reply.Text, text);
    fsc::EpsvPort(reply.Text, port);
    fsc::PasvPort(reply.Text, port);
    fsc::SplitHostPort(reply.Text, text, port);
}

bool SameReplies(const std::vector<fsc::TFtpReply>& a, const std::vector<fsc::TFtpReply>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Code != b[i].Code || a[i].Text != b[i].Text) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    FuzzedDataProvider input(data, size);
    const std::string all = input.ConsumeRandomLengthString(size);
    TFtpReplyReader whole;
    const std::vector<TFtpReply> expected = whole.Feed(all);
    TFtpReplyReader pieces;
    std::vector<TFtpReply> replies;
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(1, 64);
        for (TFtpReply& reply : pieces.Feed(std::string_view(all).substr(at, piece)))
            replies.push_back(std::move(reply));
        at += piece;
    }
    fuzz::Require(SameReplies(replies, expected));
    for (const TFtpReply& reply : expected) {
        fuzz::Require(reply.Code > 0 && reply.Code <= 999);
        ReadArguments(reply);
    }
    return 0;
}
