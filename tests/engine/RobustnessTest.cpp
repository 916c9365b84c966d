// Templates and schemes are shared untrusted text: any mix of tag fragments must end,
// stay bounded and never read outside the image list.
#include <gtest/gtest.h>

#include <random>

#include "engine/CalculatedValues.h"
#include "engine/EngineFixture.h"
#include "engine/Navigation.h"

namespace fsc {
namespace {

const char* const Fragments[] = {"<!-",
                                 "->",
                                 "<!-IF",
                                 "<!-ENDIF->",
                                 "<!-IFNEXT->",
                                 "<!-IFPREVIOUS->",
                                 "<!-IFINDEX->",
                                 "<!-IFINDEX=",
                                 "<!-IFINDEX+",
                                 "<!-IFINDEX-",
                                 "2",
                                 "-1",
                                 "x",
                                 "<!-LINK->",
                                 "<!-NAME->",
                                 "<!-NEXT->",
                                 "<!-ADD->",
                                 "<!-MUL->",
                                 "<!-DIV->",
                                 "<!-SUB->",
                                 "<!-/->",
                                 "<!-THUMBWIDTH->",
                                 "99999",
                                 "\r\n"};

std::string RandomText(std::mt19937& engine) {
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> pick(0, int(std::size(Fragments)) - 1);
    std::string text;
    for (int n = length(engine); n > 0; --n) text += Fragments[pick(engine)];
    return text;
}

TEST(Robustness, NavigationOfArbitrarySchemesEnds) {
    std::mt19937 engine(4711);
    test::TEngineFixture gallery(5);
    gallery.HTML.Rows = gallery.HTML.Cols = 1;
    gallery.SetPages();
    gallery.Thumbs[2].noImage = true;
    for (int round = 0; round < 2000; ++round) {
        const std::string scheme = RandomText(engine);
        gallery.HTML.NavigationScheme = SplitLines(scheme);
        for (const TFSC_File& page : {TFSC_File{{}, "", "i.html", "", 1 + round % 5, 0},
                                      TFSC_File{{}, "", "p", "", 0, 1 + round % 5}}) {
            const std::string text = NavigationText(gallery.Context, page);
            // At worst every block repeats once per page or image.
            EXPECT_LE(text.size(), (scheme.size() + 2) * 40) << scheme;
        }
    }
}

TEST(Robustness, CalculatedValuesOfArbitraryTextEnd) {
    std::mt19937 engine(815);
    test::TEngineFixture gallery(2);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomText(engine);
        EXPECT_LE(ApplyCalculatedValues(gallery.Context, text).size(), (1u << 20) * 8 + 200)
            << text;
    }
}

}  // namespace
}  // namespace fsc
