#include "scoring/score.h"

#include "core/text.h"
#include "roster/keys.h"

namespace rh {

std::string ScoreStore::getScore2(std::string_view round, std::string_view id) const {
    return getScore1(makekey(round, id));
}

void ScoreStore::setScore(std::string_view round, std::string_view id, std::string value) {
    m_col.replace(makekey(round, id), std::move(value));
}

bool ScoreStore::ExistsKey2(std::string_view round, std::string_view id) const {
    return ExistsKey1(makekey(round, id));
}

bool ScoreStore::ExistsKey3(std::int16_t round, std::int16_t id) const {
    return ExistsKey2(fmt00(round), fmt00(id));
}

const std::string* ScoreStore::find(long long round, long long id) const {
    return m_col.find(makekey2(round, id));
}

void emptyStore(KeyedCollection& store) {
    for (std::size_t i = store.Count(); i >= 1; --i)
        store.RemoveAt(i);
}

void emptyStore(ScoreStore& store) {
    for (std::int32_t i = store.Count(); i >= 1; --i)
        store.Remove(static_cast<std::size_t>(i));
}

std::string loneKey(long long id) {
    return fmt00(id);
}
std::string bumpKey(long long id) {
    return makekey2(id, 0);
}
std::string woodKey(long long id) {
    return makekey2(id, 1);
}
std::string paidKey(long long id) {
    return makekey2(id, 2);
}

void writeCount(KeyedCollection& store, const std::string& key, std::string_view count) {
    std::string text = trim(count);
    double v;
    if (tryParseNumber(text, v))
        text = fmt00(static_cast<long long>(roundHalfAway(v)));
    store.replace(key, text);
}

void writePaid(KeyedCollection& bumps, long long id, bool paid) {
    std::string key = paidKey(id);
    if (bumps.Exists(key))
        bumps.Remove(key);
    bumps.Add(paid ? "1" : "0", key);
}

} // namespace rh
