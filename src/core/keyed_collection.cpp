#include "core/keyed_collection.h"

#include "core/errors.h"
#include "core/text.h"

namespace rh {

void KeyedCollection::Add(std::string value, std::string key) {
    if (m_index.find(key) != m_index.end())
        throw RhError(err::DuplicateKey);
    m_index.emplace(key, m_slots.size());
    m_slots.emplace_back(Entry{std::move(key), std::move(value)});
    ++m_live;
}

void KeyedCollection::Remove(std::string_view key) {
    auto it = m_index.find(key);
    if (it == m_index.end())
        throw RhError(err::InvalidCall);
    m_slots[it->second].reset();
    m_index.erase(it);
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
    m_index.erase(m_slots[slot]->key);
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
    auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : &m_slots[it->second]->value;
}

std::string KeyedCollection::value(std::string_view key) const {
    const std::string* v = find(key);
    return v ? *v : std::string();
}

void KeyedCollection::Clear() {
    m_slots.clear();
    m_index.clear();
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
    std::vector<std::optional<Entry>> packed;
    packed.reserve(m_live);
    for (auto& slot : m_slots)
        if (slot) {
            m_index[slot->key] = packed.size();
            packed.push_back(std::move(slot));
        }
    m_slots.swap(packed);
}

} // namespace rh
