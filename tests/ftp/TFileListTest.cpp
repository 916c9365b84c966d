#include <gtest/gtest.h>

#include "base/TDateTime.h"
#include "ftp/TFileList.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

TFile File(const std::string& name, std::int64_t size = 0, TDateTime date = 0) {
    return {name, false, false, size, date};
}
TFile Dir(const std::string& name) { return {name, true, false, 0, 0}; }

std::string Names(const TFileList& list) {
    std::string names;
    for (const TFile& f : list.Entries()) names += (names.empty() ? "" : ",") + f.Name;
    return names;
}

TFileList ListOf(std::initializer_list<TFile> files) {
    TFileList list;
    for (const TFile& f : files) list.Add(f);
    return list;
}

TEST(TFileList, OrdersByTheChosenKeyThenTheOthers) {
    const struct {
        TFileSortKey key;
        bool ascending;
        std::initializer_list<TFile> files;
        const char* expected;
    } cases[] = {
        // Directories first, then by the type text, then by name.
        {TFileSortKey::Type,
         true,
         {File("b.jpg"), File("a.html"), Dir("pics"), File("a.jpg")},
         "pics,a.html,a.jpg,b.jpg"},
        // Equal sizes fall back to type order, equal types to name order.
        {TFileSortKey::Size,
         true,
         {File("z.jpg", 5), File("b.jpg", 5), File("a.png", 5), File("c.gif", 1)},
         "c.gif,b.jpg,z.jpg,a.png"},
        {TFileSortKey::Name,
         true,
         {File("B.jpg"), File("a.jpg"), File("C.jpg")},
         "a.jpg,B.jpg,C.jpg"},
        {TFileSortKey::Date,
         true,
         {File("new", 0, 3), File("old", 0, 1), File("mid", 0, 2)},
         "old,mid,new"},
        // Down reverses: files before directories, later dates first.
        {TFileSortKey::Type,
         false,
         {File("b.jpg"), File("a.html"), Dir("pics"), File("a.jpg")},
         "b.jpg,a.jpg,a.html,pics"},
        {TFileSortKey::Date,
         false,
         {File("new", 0, 3), File("old", 0, 1), File("mid", 0, 2)},
         "new,mid,old"},
    };
    for (const auto& c : cases) {
        TFileList list = ListOf(c.files);
        list.Key = c.key;
        list.Ascending = c.ascending;
        list.Order();
        EXPECT_EQ(Names(list), c.expected)
            << "key " << int(c.key) << (c.ascending ? " Up" : " Down");
    }
}

TEST(TFileList, UpIsStableAndDownTakesEqualEntriesFromTheRight) {
    for (int count = 1; count <= 9; ++count) {
        TFileList list;
        std::string inOrder, reversed;
        for (int i = 0; i < count; ++i) {
            const std::string name = std::string(1, char('a' + i));
            list.Add(File(name, 7));
            inOrder += (inOrder.empty() ? "" : ",") + name;
            reversed = name + (reversed.empty() ? "" : ",") + reversed;
        }
        list.Sort(TFileSortKey::Size, true);
        EXPECT_EQ(Names(list), inOrder) << count << " equal entries, Up";
        list.Sort(TFileSortKey::Size, false);
        EXPECT_EQ(Names(list), reversed) << count << " equal entries, Down";
    }
}

TEST(TFileList, SortsEveryPermutationOfSizes) {
    std::vector<int> sizes{4, 1, 3, 1, 2, 5};
    std::sort(sizes.begin(), sizes.end());
    do {
        TFileList list;
        for (int s : sizes) list.Add(File("f", s));
        list.Sort(TFileSortKey::Size, false);
        for (int i = 1; i < list.Count(); ++i) ASSERT_GE(list.Get(i - 1)->Size, list.Get(i)->Size);
    } while (std::next_permutation(sizes.begin(), sizes.end()));
}

TEST(TFileList, TypeTextIsFiveCharactersFromTheFirstDot) {
    const std::pair<const char*, const char*> cases[] = {{"a.jpg", ".JPG"},
                                                         {"a.jpeg.bak", ".JPEG"},
                                                         {"README", "READM"},
                                                         {"ab", "AB"},
                                                         {".x", ".X"}};
    for (const auto& [name, type] : cases) EXPECT_EQ(TypeText(name), type) << name;
}

TEST(TFileList, GetAndDeleteStayInsideTheList) {
    TFileList list = ListOf({File("a"), File("b"), File("c")});
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(3), nullptr);
    list.Delete(1);
    list.Delete(7);
    EXPECT_EQ(Names(list), "a,c");
    list.Add(File("a", 9));
    EXPECT_EQ(list.Find("a")->Size, 9) << "the last entry of a name wins";
    EXPECT_EQ(list.Find("zz"), nullptr);
}

TEST(TFileList, GridCellsShowKindSizeDateAndName) {
    // The same in any locale: a date nobody has to decode.
    test::ScopedEnv locale("LC_ALL", "en_US.UTF-8");
    const TFile dir{"pics", true, true, 4096, EncodeDateTime(2026, 12, 7, 14, 30)};
    EXPECT_EQ(GridCells(dir),
              (std::array<std::string, 4>{"Folder (read-only)", "", "2026-12-07 14:30", "pics"}));
    const TFile file{"a.jpg", false, false, 12, EncodeDateTime(2001, 1, 5)};
    EXPECT_EQ(GridCells(file),
              (std::array<std::string, 4>{"File", "12", "2001-01-05 00:00", "a.jpg"}));
    const TFile undated{"..", true, false, 0, 0};
    EXPECT_EQ(GridCells(undated), (std::array<std::string, 4>{"Folder", "", "", ".."}));
}

}  // namespace
}  // namespace fsc
