#include "roster/entrants.h"

#include "core/text.h"

#include <algorithm>

namespace rh {

namespace {

const std::string kNone;

// The name as the name order compares it: up to the first "~", trimmed, upper-cased.
std::string sortKey(const std::string& name) {
    return toUpper(trim(std::string_view(name).substr(0, name.find('~'))));
}

} // namespace

int Entrants::slotFor(EntrantId id) {
    const int n = num(id);
    std::vector<std::int32_t>& bySlot = n >= 0 ? m_slotOfId : m_slotOfNegativeId;
    const auto i = static_cast<std::size_t>(n >= 0 ? n : -(n + 1));
    if (i >= bySlot.size())
        bySlot.resize(i + 1, -1);
    std::int32_t& slot = bySlot[i];
    if (slot < 0) {
        slot = static_cast<std::int32_t>(m_records.size());
        m_records.push_back(EntrantRecord{});
        m_records.back().id = id;
        m_arrival.push_back(0);
    }
    return slot;
}

bool Entrants::addName(EntrantId id, std::string name) {
    EntrantRecord& r = record(id);
    if (r.name)
        return false;
    r.name = std::move(name);
    m_arrival[static_cast<std::size_t>(slotOf(id))] = ++m_arrivals;
    m_named.push_back(id);
    m_byNameValid = false;
    return true;
}

void Entrants::rename(EntrantId id, std::string name) {
    EntrantRecord& r = record(id);
    if (!r.name)
        m_named.push_back(id);
    r.name = std::move(name);
    m_arrival[static_cast<std::size_t>(slotOf(id))] = ++m_arrivals;
    m_byNameValid = false;
}

void Entrants::clearNames() {
    for (EntrantRecord& r : m_records)
        r.name.reset();
    m_named.clear();
    m_byNameValid = false;
}

void Entrants::clearLones() {
    for (EntrantRecord& r : m_records)
        r.lones.reset();
}

void Entrants::clearFines() {
    for (EntrantRecord& r : m_records) {
        r.bumps.reset();
        r.woods.reset();
        r.paid.reset();
    }
}

const std::vector<EntrantId>& Entrants::byName() const {
    if (!m_byNameValid)
        sortByName();
    return m_byName;
}

void Entrants::sortByName() const {
    struct Key {
        std::string key;
        std::uint32_t arrival;
        EntrantId id;
    };
    std::vector<Key> keys;
    keys.reserve(m_named.size());
    for (EntrantId id : m_named) {
        const auto slot = static_cast<std::size_t>(slotOf(id));
        keys.push_back({sortKey(*m_records[slot].name), m_arrival[slot], id});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        const int c = a.key.compare(b.key);
        return c != 0 ? c < 0 : a.arrival > b.arrival;
    });
    m_byName.clear();
    m_byName.reserve(keys.size());
    for (const Key& k : keys)
        m_byName.push_back(k.id);
    m_byNameValid = true;
}

const std::string& Entrants::nameOf(EntrantId id) const {
    const EntrantRecord* r = find(id);
    return r && r->name ? *r->name : kNone;
}

const std::string& Entrants::aliasOf(EntrantId id) const {
    const EntrantRecord* r = find(id);
    return r && r->alias ? *r->alias : kNone;
}

} // namespace rh
