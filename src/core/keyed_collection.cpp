#include "core/keyed_collection.h"

#include "core/errors.h"
#include "core/text.h"

namespace rh {

namespace {
constexpr std::size_t kNoBucket = static_cast<std::size_t>(-1);

// The smallest power of two that holds `count` keys with the index at most three quarters full.
std::size_t bucketsFor(std::size_t count) {
    std::size_t buckets = 16;
    while (buckets * 3 < (count + 1) * 4)
        buckets *= 2;
    return buckets;
}
} // namespace

std::size_t KeyedCollection::findBucket(std::string_view key, std::size_t hash) const {
    if (m_index.empty())
        return kNoBucket;
    const std::size_t mask = m_index.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Bucket& b = m_index[i];
        if (b.slot == kEmpty)
            return kNoBucket;
        if (b.slot != kRemoved && b.hashTag == tag && m_slots[b.slot]->key == key)
            return i;
    }
}

void KeyedCollection::indexSlot(std::size_t slot, std::size_t hash) {
    const std::size_t mask = m_index.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Bucket& b = m_index[i];
        if (b.slot == kEmpty || b.slot == kRemoved) {
            if (b.slot == kEmpty)
                ++m_used;
            b = Bucket{static_cast<std::uint32_t>(slot), tagOf(hash)};
            return;
        }
    }
}

void KeyedCollection::rebuildIndex(std::size_t bucketCount) {
    // Allocated before anything changes: a failure leaves the old index as it was.
    std::vector<Bucket> fresh(bucketCount, Bucket{kEmpty, 0});
    m_index.swap(fresh);
    m_used = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i])
            indexSlot(i, hashOf(m_slots[i]->key));
}

void KeyedCollection::reserveIndex(std::size_t count) {
    std::size_t buckets = bucketsFor(count);
    if (buckets > m_index.size())
        rebuildIndex(buckets);
}

void KeyedCollection::Add(std::string value, std::string key) {
    const std::size_t hash = hashOf(key);
    if (findBucket(key, hash) != kNoBucket)
        throw RhError(err::DuplicateKey);
    if (m_slots.size() >= kRemoved)
        throw RhError(err::OutOfMemory);
    // Room first (a rebuild drops the removed buckets), so that a failure changes nothing.
    if ((m_used + 1) * 4 > m_index.size() * 3)
        rebuildIndex(bucketsFor(m_live + 1));
    m_slots.emplace_back(Entry{std::move(key), std::move(value)});
    indexSlot(m_slots.size() - 1, hash);
    ++m_live;
}

void KeyedCollection::Remove(std::string_view key) {
    std::size_t bucket = findBucket(key, hashOf(key));
    if (bucket == kNoBucket)
        throw RhError(err::InvalidCall);
    m_slots[m_index[bucket].slot].reset();
    m_index[bucket].slot = kRemoved;
    --m_live;
    while (!m_slots.empty() && !m_slots.back())
        m_slots.pop_back();
    compactIfSparse();
}

std::size_t KeyedCollection::slotOfPosition(std::size_t position) const {
    if (position < 1 || position > m_live)
        throw RhError(err::BadIndex);
    if (m_live == m_slots.size())
        return position - 1;
    std::size_t seen = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i] && ++seen == position)
            return i;
    throw RhError(err::BadIndex);
}

void KeyedCollection::RemoveAt(std::size_t position) {
    std::size_t slot = slotOfPosition(position);
    const std::string& key = m_slots[slot]->key;
    m_index[findBucket(key, hashOf(key))].slot = kRemoved;
    m_slots[slot].reset();
    --m_live;
    // Emptying from the last position down is the usual pattern: drop trailing holes at once.
    while (!m_slots.empty() && !m_slots.back())
        m_slots.pop_back();
    compactIfSparse();
}

const std::string& KeyedCollection::Item(std::string_view key) const {
    const std::string* v = find(key);
    if (!v)
        throw RhError(err::InvalidCall);
    return *v;
}

const std::string& KeyedCollection::ItemAt(std::size_t position) const {
    return m_slots[slotOfPosition(position)]->value;
}

const std::string* KeyedCollection::find(std::string_view key) const {
    std::size_t bucket = findBucket(key, hashOf(key));
    return bucket == kNoBucket ? nullptr : &m_slots[m_index[bucket].slot]->value;
}

std::string KeyedCollection::value(std::string_view key) const {
    const std::string* v = find(key);
    return v ? *v : std::string();
}

void KeyedCollection::Clear() {
    m_slots.clear();
    m_index.clear();
    m_used = 0;
    m_live = 0;
}

void KeyedCollection::replace(std::string_view key, std::string value) {
    if (Exists(key))
        Remove(key);
    if (!trim(value).empty())
        Add(std::move(value), std::string(key));
}

std::vector<KeyedCollection::Entry> KeyedCollection::entries() const {
    std::vector<Entry> out;
    out.reserve(m_live);
    forEach([&](const std::string& k, const std::string& v) { out.push_back({k, v}); });
    return out;
}

std::vector<std::string> KeyedCollection::values() const {
    std::vector<std::string> out;
    out.reserve(m_live);
    forEach([&](const std::string&, const std::string& v) { out.push_back(v); });
    return out;
}

void KeyedCollection::compactIfSparse() {
    if (m_slots.size() < 32 || m_slots.size() - m_live <= m_live)
        return;
    // Everything is allocated before anything moves, so a failure leaves the collection as it was.
    std::vector<std::optional<Entry>> packed;
    packed.reserve(m_live);
    std::vector<Bucket> fresh(bucketsFor(m_live), Bucket{kEmpty, 0});
    for (auto& slot : m_slots)
        if (slot)
            packed.push_back(std::move(slot));
    m_slots.swap(packed);
    // Slot numbers have moved: index them afresh (which also drops the removed buckets).
    m_index.swap(fresh);
    m_used = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        indexSlot(i, hashOf(m_slots[i]->key));
}

} // namespace rh
