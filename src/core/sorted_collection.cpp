#include "core/sorted_collection.h"

#include "core/errors.h"
#include "core/text.h"

#include <algorithm>

namespace rh {

SortedCollection::Rec SortedCollection::makeRec(std::string_view record, bool convert) const {
    Rec r;
    r.record = trim(record);
    std::string key = field(r.record, 0);
    if (convert) {
        r.number = toInt16(key);
        r.converted = true;
    }
    r.key = toUpper(trim(key));
    return r;
}

int SortedCollection::compare(const Rec& a, const Rec& b) const {
    if (m_numeric)
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    int c = a.key.compare(b.key);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool SortedCollection::stopsAt(const Rec& stored, const Rec& incoming) const {
    int c = compare(stored, incoming);
    return m_ascending ? c >= 0 : c < 0;
}

void SortedCollection::AddItem(std::string_view record) {
    Rec rec = makeRec(record, m_numeric);
    m_itemsValid = false;
    if (m_ordered) {
        m_pending.push_back(std::move(rec));
        return;
    }
    // The stored records were ordered under other settings: insert with the first-stop scan.
    flush();
    std::size_t pos = 0;
    for (; pos < m_sorted.size(); ++pos) {
        Rec& stored = m_sorted[pos];
        if (m_numeric && !stored.converted) {
            stored.number = toInt16(field(stored.record, 0));
            stored.converted = true;
        }
        if (stopsAt(stored, rec))
            break;
    }
    m_sorted.insert(m_sorted.begin() + static_cast<std::ptrdiff_t>(pos), std::move(rec));
}

void SortedCollection::flush() const {
    if (m_pending.empty())
        return;
    std::vector<Rec> incoming;
    incoming.swap(m_pending);
    // Inserting one at a time puts a later equal key after the earlier ones (descending) or in
    // front of them (ascending); a stable sort of the arrivals, reversed first when ascending,
    // reproduces that, and the merge puts arrivals after stored equals (descending) or before them.
    if (m_ascending)
        std::reverse(incoming.begin(), incoming.end());
    auto less = [this](const Rec& a, const Rec& b) {
        int c = compare(a, b);
        return m_ascending ? c < 0 : c > 0;
    };
    std::stable_sort(incoming.begin(), incoming.end(), less);
    std::vector<Rec> merged;
    merged.reserve(m_sorted.size() + incoming.size());
    auto a = m_sorted.begin();
    auto b = incoming.begin();
    while (a != m_sorted.end() && b != incoming.end()) {
        bool takeIncoming = m_ascending ? !less(*a, *b) : less(*b, *a);
        if (takeIncoming)
            merged.push_back(std::move(*b++));
        else
            merged.push_back(std::move(*a++));
    }
    std::move(a, m_sorted.end(), std::back_inserter(merged));
    std::move(b, incoming.end(), std::back_inserter(merged));
    m_sorted.swap(merged);
}

std::int16_t SortedCollection::Count() const {
    return static_cast<std::int16_t>(size());
}

void SortedCollection::Remove(int index) {
    flush();
    if (index < 1 || static_cast<std::size_t>(index) > m_sorted.size())
        throw RhError(err::BadIndex);
    m_sorted.erase(m_sorted.begin() + (index - 1));
    m_itemsValid = false;
}

std::string SortedCollection::Item(int index) const {
    flush();
    if (index < 1 || static_cast<std::size_t>(index) > m_sorted.size())
        return {};
    return m_sorted[static_cast<std::size_t>(index - 1)].record;
}

const std::vector<std::string>& SortedCollection::items() const {
    flush();
    if (!m_itemsValid) {
        m_items.clear();
        m_items.reserve(m_sorted.size());
        for (const Rec& r : m_sorted)
            m_items.push_back(r.record);
        m_itemsValid = true;
    }
    return m_items;
}

void SortedCollection::RemoveAll() {
    m_sorted.clear();
    m_pending.clear();
    m_items.clear();
    m_itemsValid = true;
    m_ordered = true;
}

void SortedCollection::modeChanging() {
    flush();
    if (!m_sorted.empty())
        m_ordered = false;
}

void SortedCollection::setNumericSort(bool numeric) {
    if (numeric == m_numeric)
        return;
    modeChanging();
    m_numeric = numeric;
    for (Rec& r : m_sorted)
        r.converted = false;
}

void SortedCollection::setAscendingOrder(bool ascending) {
    if (ascending == m_ascending)
        return;
    modeChanging();
    m_ascending = ascending;
}

PlaceWords::PlaceWords()
    : m_words{"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"} {}

const std::string& PlaceWords::Place(int index) const {
    if (index < 1 || static_cast<std::size_t>(index) > m_words.size())
        throw RhError(err::BadIndex);
    return m_words[static_cast<std::size_t>(index - 1)];
}

} // namespace rh
