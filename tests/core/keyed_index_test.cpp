// The keyed collection against a plain model (a list in insertion order) through long random runs
// of adds, removals by key and by position, the write rule, copies and clears: the index grows,
// fills with removed buckets, is rebuilt and compacted many times, and every lookup, count and
// enumeration must still agree with the model.
#include "core/errors.h"
#include "core/keyed_collection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace rh;

namespace {

using Model = std::vector<std::pair<std::string, std::string>>; // key, value in insertion order

Model::iterator findIn(Model& m, const std::string& key) {
    return std::find_if(m.begin(), m.end(), [&](const auto& e) { return e.first == key; });
}

// Every observable of the collection against the model; "" when they agree.
std::string disagreement(const KeyedCollection& c, const Model& m,
                         const std::vector<std::string>& keys) {
    if (c.Count() != m.size())
        return "count " + std::to_string(c.Count()) + " against " + std::to_string(m.size());
    auto entries = c.entries();
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (entries[i].key != m[i].first || entries[i].value != m[i].second)
            return "entry " + std::to_string(i) + " is " + entries[i].key;
        if (c.ItemAt(i + 1) != m[i].second)
            return "position " + std::to_string(i + 1);
    }
    for (const std::string& key : keys) {
        auto it = std::find_if(m.begin(), m.end(), [&](const auto& e) { return e.first == key; });
        const std::string* found = c.find(key);
        if ((found == nullptr) != (it == m.end()))
            return "key " + key + (found ? " found" : " missing");
        if (found && *found != it->second)
            return "key " + key + " holds " + *found;
    }
    return {};
}

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RhError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(KeyedIndex, RandomRunsAgreeWithAPlainList) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        // Few keys in the first run (many collisions with removed buckets), many in the last.
        const int keySpace = seed == 1 ? 40 : (seed == 2 ? 600 : 5000);
        std::vector<std::string> keys;
        for (int k = 0; k < keySpace; ++k)
            keys.push_back(std::to_string(k * 7919 % 100000));
        KeyedCollection c;
        Model m;
        for (int step = 0; step < 30000; ++step) {
            const std::string& key = keys[rng() % keys.size()];
            const std::string value = "v" + std::to_string(step);
            switch (rng() % 10) {
            case 0:
            case 1:
            case 2: { // add
                bool held = findIn(m, key) != m.end();
                int e = errorOf([&] { c.Add(value, key); });
                ASSERT_EQ(e, held ? err::DuplicateKey : 0) << "step " << step;
                if (!held)
                    m.emplace_back(key, value);
                break;
            }
            case 3:
            case 4: { // remove by key
                auto it = findIn(m, key);
                int e = errorOf([&] { c.Remove(key); });
                ASSERT_EQ(e, it == m.end() ? err::InvalidCall : 0) << "step " << step;
                if (it != m.end())
                    m.erase(it);
                break;
            }
            case 5: { // remove by position
                if (m.empty())
                    break;
                std::size_t pos = rng() % m.size();
                c.RemoveAt(pos + 1);
                m.erase(m.begin() + static_cast<long>(pos));
                break;
            }
            case 6:
            case 7:
            case 8: { // the write rule (a blank value removes)
                bool blank = rng() % 4 == 0;
                c.replace(key, blank ? "  " : value);
                auto it = findIn(m, key);
                if (it != m.end())
                    m.erase(it);
                if (!blank)
                    m.emplace_back(key, value);
                break;
            }
            default: { // a copy must be independent and equal
                if (step % 97 != 0)
                    break;
                KeyedCollection copy = c;
                ASSERT_EQ(disagreement(copy, m, keys), "") << "copy at step " << step;
                copy.Add("only in the copy", "copy-only");
                ASSERT_FALSE(c.Exists("copy-only"));
                if (step % 5 == 0) {
                    c.Clear();
                    m.clear();
                }
            }
            }
            if (step % 1000 == 999) {
                ASSERT_EQ(disagreement(c, m, keys), "") << "after step " << step;
            }
        }
        ASSERT_EQ(disagreement(c, m, keys), "");
    }
}

TEST(KeyedIndex, TheWriteRuleOnOneKeyStaysSmallAndFast) {
    KeyedCollection c;
    for (int i = 0; i < 1000; ++i)
        c.Add("x", "k" + std::to_string(i));
    // Remove and re-add the same key a great many times, as score entry does.
    for (int i = 0; i < 200000; ++i)
        c.replace("k500", std::to_string(i));
    EXPECT_EQ(c.Count(), 1000u);
    EXPECT_EQ(c.Item("k500"), "199999");
    EXPECT_EQ(c.Item("k499"), "x");
    EXPECT_EQ(c.values().back(), "199999");
}

TEST(KeyedIndex, ReserveKeepsEverythingFindable) {
    KeyedCollection c;
    for (int i = 0; i < 100; ++i)
        c.Add(std::to_string(i), "a" + std::to_string(i));
    c.reserve(100000);
    for (int i = 100; i < 5000; ++i)
        c.Add(std::to_string(i), "a" + std::to_string(i));
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(c.value("a" + std::to_string(i)), std::to_string(i));
    }
    EXPECT_EQ(c.value("a5000"), "");
}
