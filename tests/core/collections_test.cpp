// The keyed collection behind every store and the sorted collection behind every ranking.
#include "core/errors.h"
#include "core/keyed_collection.h"
#include "core/sorted_collection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace rh;

namespace {
int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RhError& e) {
        return e.number();
    }
    return 0;
}
std::vector<std::string> all(const SortedCollection& c) {
    return c.items();
}
} // namespace

TEST(KeyedCollection, KeepsInsertionOrderAcrossRemovals) {
    KeyedCollection c;
    for (int i = 0; i < 100; ++i)
        c.Add("v" + std::to_string(i), "k" + std::to_string(i));
    for (int i = 0; i < 100; i += 2)
        c.Remove("k" + std::to_string(i));
    c.Add("again", "k0");
    ASSERT_EQ(c.Count(), 51u);
    auto values = c.values();
    EXPECT_EQ(values.front(), "v1");
    EXPECT_EQ(values[49], "v99");
    EXPECT_EQ(values.back(), "again");
    EXPECT_EQ(c.ItemAt(2), "v3");
    EXPECT_EQ(c.Item("k0"), "again");
}

TEST(KeyedCollection, ErrorsAreTyped) {
    KeyedCollection c;
    c.Add("x", "a");
    EXPECT_EQ(errorOf([&] { c.Add("y", "a"); }), err::DuplicateKey);
    EXPECT_EQ(errorOf([&] { c.Remove("b"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { (void)c.Item("b"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { c.RemoveAt(2); }), err::BadIndex);
    EXPECT_EQ(c.value("b"), "");
    EXPECT_FALSE(c.Exists("b"));
    EXPECT_EQ(c.Item("a"), "x"); // the failed add left the entry alone
}

TEST(KeyedCollection, KeysCompareExactly) {
    KeyedCollection c;
    c.Add("1", "ab");
    EXPECT_FALSE(c.Exists("AB"));
    EXPECT_FALSE(c.Exists("ab "));
}

TEST(KeyedCollection, WriteRuleReplacesAndBlankRemoves) {
    KeyedCollection c;
    c.replace("0312", "07");
    c.replace("0312", "09");
    EXPECT_EQ(c.Count(), 1u);
    EXPECT_EQ(c.Item("0312"), "09");
    c.replace("0312", "   ");
    EXPECT_FALSE(c.Exists("0312"));
}

TEST(KeyedCollection, EmptiesFromTheLastPosition) {
    KeyedCollection c;
    for (int i = 0; i < 10; ++i)
        c.Add("v", std::to_string(i));
    for (std::size_t i = c.Count(); i >= 1; --i)
        c.RemoveAt(i);
    EXPECT_EQ(c.Count(), 0u);
    c.Add("v", "0");
    EXPECT_EQ(c.Count(), 1u);
}

TEST(SortedCollection, NumericDescendingKeepsArrivalOrderOfEqualKeys) {
    SortedCollection c;
    c.setNumericSort(true);
    c.setAscendingOrder(false);
    for (const char* r : {"10~03", "12~01", "10~02", "15~04"})
        c.AddItem(r);
    EXPECT_EQ(all(c), (std::vector<std::string>{"15~04", "12~01", "10~03", "10~02"}));
}

TEST(SortedCollection, NumericAscendingPutsLaterEqualKeysInFront) {
    SortedCollection c;
    c.setNumericSort(true);
    for (const char* r : {"10~03", "12~01", "10~02", "15~04"})
        c.AddItem(r);
    EXPECT_EQ(all(c), (std::vector<std::string>{"10~02", "10~03", "12~01", "15~04"}));
}

TEST(SortedCollection, NumbersCompareAsNumbersNotText) {
    SortedCollection c;
    c.setNumericSort(true);
    c.setAscendingOrder(false);
    c.AddItem("9~01");
    c.AddItem("10~02");
    EXPECT_EQ(c.Item(1), "10~02");
    EXPECT_EQ(c.Item(2), "9~01");
}

TEST(SortedCollection, TextKeysIgnoreCaseAndBlanks) {
    SortedCollection c;
    c.AddItem("bob~01");
    c.AddItem(" BOB ~02"); // equal key, ascending: goes in front
    c.AddItem("Alice~03");
    EXPECT_EQ(all(c), (std::vector<std::string>{"Alice~03", "BOB ~02", "bob~01"}));
}

TEST(SortedCollection, StoresTrimmedRecordsAndReadsSafely) {
    SortedCollection c;
    c.AddItem("  Zed~05  ");
    EXPECT_EQ(c.Item(1), "Zed~05");
    EXPECT_EQ(c.Item(0), "");
    EXPECT_EQ(c.Item(2), "");
    EXPECT_EQ(errorOf([&] { c.Remove(2); }), err::BadIndex);
    c.Remove(1);
    EXPECT_EQ(c.Count(), 0);
}

TEST(SortedCollection, BadNumericKeysAreTypedErrorsAndNotStored) {
    SortedCollection c;
    c.setNumericSort(true);
    c.AddItem("5~01");
    EXPECT_EQ(errorOf([&] { c.AddItem("abc~02"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { c.AddItem("40000~03"); }), err::Overflow);
    EXPECT_EQ(c.Count(), 1);
    c.AddItem(" 2.5 ~04"); // rounds to 2
    EXPECT_EQ(c.Item(1), "2.5 ~04");
}

TEST(SortedCollection, ChangingOrderLaterDoesNotReorderStoredRecords) {
    SortedCollection c;
    c.setNumericSort(true);
    c.AddItem("1~a");
    c.AddItem("3~b");
    c.setAscendingOrder(false); // stored: 1, 3
    c.AddItem("2~c");           // first stop where old < new: before 1
    EXPECT_EQ(all(c), (std::vector<std::string>{"2~c", "1~a", "3~b"}));
    c.RemoveAll();
    EXPECT_EQ(c.Count(), 0);
}

// The buffered merge must give exactly what one-at-a-time insertion gives.
TEST(SortedCollection, MatchesOneAtATimeInsertionOnRandomData) {
    std::mt19937 rng(7);
    for (bool ascending : {true, false}) {
        for (int trial = 0; trial < 20; ++trial) {
            SortedCollection c;
            c.setNumericSort(true);
            c.setAscendingOrder(ascending);
            std::vector<std::pair<int, std::string>> reference;
            int n = 1 + static_cast<int>(rng() % 60);
            for (int i = 0; i < n; ++i) {
                int key = static_cast<int>(rng() % 8);
                std::string rec = std::to_string(key) + "~" + std::to_string(i);
                std::size_t pos = 0;
                for (; pos < reference.size(); ++pos) {
                    int old = reference[pos].first;
                    if (ascending ? old >= key : old < key)
                        break;
                }
                reference.insert(reference.begin() + static_cast<long>(pos), {key, rec});
                c.AddItem(rec);
                if (rng() % 5 == 0) // reads in between flush partial batches
                    (void)c.Item(1);
            }
            std::vector<std::string> expected;
            for (auto& p : reference)
                expected.push_back(p.second);
            ASSERT_EQ(all(c), expected) << "ascending=" << ascending << " trial=" << trial;
        }
    }
}

TEST(Places, EightWords) {
    PlaceWords p;
    EXPECT_EQ(p.Count(), 8);
    EXPECT_EQ(p.Place(3), "Third");
    EXPECT_EQ(p.Place(8), "Eighth");
    EXPECT_EQ(errorOf([&] { (void)p.Place(9); }), err::BadIndex);
    EXPECT_EQ(errorOf([&] { (void)p.Place(0); }), err::BadIndex);
}
