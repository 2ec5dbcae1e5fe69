#pragma once
// SortedCollection: the ranking container. Records are "~"-separated texts ordered by their first
// field as they arrive; the order of equal keys is fixed at insertion (in descending mode a new
// record goes after the stored equal ones, in ascending mode before them), and the payout and place
// rules rest on it.
//
// Arrivals are buffered and merged in on the next read, which gives exactly the order that
// inserting them one at a time would give, in O(n log n) for a whole ranking. When the ordering
// properties change while records are held, later arrivals are inserted one by one with the
// linear first-stop scan, so even that unusual use keeps the documented result.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

class SortedCollection {
public:
    /// Inserts the record (trimmed) at its sorted position. In numeric mode a key that is not a
    /// number throws RhError 13 and one outside 16 bits RhError 6; the record is then not stored.
    void AddItem(std::string_view record);
    std::int16_t Count() const;
    std::size_t size() const { return m_items.size() + m_pending.size(); }
    /// Removes the record at the 1-based index; throws RhError 9 for a bad index.
    void Remove(int index);
    /// The record at the 1-based index, or "" for a bad index.
    std::string Item(int index) const;
    /// The records in stored order.
    const std::vector<std::string>& items() const;
    void RemoveAll();

    bool NumericSort() const { return m_numeric; }
    void setNumericSort(bool numeric);
    bool AscendingOrder() const { return m_ascending; }
    void setAscendingOrder(bool ascending);

    // Range-for over the records in stored order.
    auto begin() const { return items().begin(); }
    auto end() const { return items().end(); }

private:
    struct Rec {
        std::string record;
        std::string key;         // field 0, trimmed and upper-cased (text mode)
        std::int16_t number = 0; // field 0 as a number (numeric mode)
        bool converted = false;
    };
    int compare(const Rec& a, const Rec& b) const;
    bool stopsAt(const Rec& stored, const Rec& incoming) const;
    Rec makeRec(std::string_view record, bool convert) const;
    void flush() const;
    void modeChanging();

    bool m_numeric = false;
    bool m_ascending = true;
    bool m_ordered = true; // the stored records are in order under the current mode
    mutable std::vector<Rec> m_sorted;
    mutable std::vector<Rec> m_pending;
    mutable std::vector<std::string> m_items; // cache of the texts in stored order
    mutable bool m_itemsValid = true;
};

/// The eight place words, "First" to "Eighth".
class PlaceWords {
public:
    PlaceWords();
    std::int16_t Count() const { return static_cast<std::int16_t>(m_words.size()); }
    /// The word at the 1-based index; throws RhError 9 outside 1..Count.
    const std::string& Place(int index) const;
    const std::vector<std::string>& words() const { return m_words; }
    void RemoveAll() { m_words.clear(); }

private:
    std::vector<std::string> m_words;
};

} // namespace rh
