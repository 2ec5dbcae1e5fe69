#pragma once
// Entrants: one record per entrant of the open tournament, found by its ID in one array access.
//
// A record holds what is known of the entrant apart from its seats and scores: the name (when the
// file named it), the alias, the stored counts of lones, bumps and woods, the paid mark of its
// fines and the entry-fee mark. A stored count is distinct from none: a file lists the entrants
// that have an entry, and a count of 0 is written back while a missing one is not.
//
// Records are created on first mention of an ID (a name, a seat, a score or a count), so an ID the
// seating or the scores use without a name still has its place. The dense slot of an ID never
// changes while the object lives.
//
// The name order is the entrant list every screen shows: names compared upper-cased and trimmed
// (up to a "~", which the name list reads as the end of the name), byte by byte; among equal names
// the one that arrived last comes first. A rename arrives anew.

#include "core/ids.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rh {

struct EntrantRecord {
    EntrantId id{};
    std::optional<std::string> name;
    std::optional<std::string> alias;
    std::optional<std::int32_t> lones;
    std::optional<std::int32_t> bumps;
    std::optional<std::int32_t> woods;
    std::optional<std::int32_t> paid; // the fines' paid mark; 1 is paid
    std::optional<bool> entryFeePaid;

    bool finesPaid() const { return paid == 1; }
};

class Entrants {
public:
    /// The dense slot of the ID, -1 when the ID has no record.
    int slotOf(EntrantId id) const {
        const int n = num(id);
        const std::vector<std::int32_t>& bySlot = n >= 0 ? m_slotOfId : m_slotOfNegativeId;
        const auto i = static_cast<std::size_t>(n >= 0 ? n : -(n + 1));
        return i < bySlot.size() ? bySlot[i] : -1;
    }
    /// The record of the ID, creating an empty one on first mention.
    EntrantRecord& record(EntrantId id) { return m_records[static_cast<std::size_t>(slotFor(id))]; }
    /// The slot of the ID, creating an empty record on first mention.
    int slotFor(EntrantId id);
    const EntrantRecord* find(EntrantId id) const {
        const int slot = slotOf(id);
        return slot < 0 ? nullptr : &m_records[static_cast<std::size_t>(slot)];
    }
    const EntrantRecord& atSlot(int slot) const {
        return m_records[static_cast<std::size_t>(slot)];
    }
    /// Every record in slot order.
    const std::vector<EntrantRecord>& records() const { return m_records; }
    std::size_t slotCount() const { return m_records.size(); }
    void reserve(std::size_t count) { m_records.reserve(count); }

    /// Names an entrant not yet named; false (and nothing changed) when the ID has a name.
    bool addName(EntrantId id, std::string name);
    /// Gives a named entrant its new name; it moves in the name order as a new arrival would.
    void rename(EntrantId id, std::string name);
    /// The named entrants in name order.
    const std::vector<EntrantId>& byName() const;
    std::size_t namedCount() const { return m_named.size(); }
    /// The named entrants in the order they were named (the order of the file).
    const std::vector<EntrantId>& inFileOrder() const { return m_named; }

    /// Forgets every name (the name list is then empty); the other fields stay.
    void clearNames();
    /// Forgets every entrant's lone count, or its bumps, woods and paid mark.
    void clearLones();
    void clearFines();

    /// The name, "" when the entrant has none.
    const std::string& nameOf(EntrantId id) const;
    /// The alias, "" when the entrant has none.
    const std::string& aliasOf(EntrantId id) const;

private:
    void sortByName() const;

    // Slot by ID, growing with the highest ID met: IDs from 0 up, and apart the negative ones
    // (-1 at 0) a damaged or hand-made file may hold; -1 where an ID has no record.
    std::vector<std::int32_t> m_slotOfId;
    std::vector<std::int32_t> m_slotOfNegativeId;
    std::vector<EntrantRecord> m_records;
    std::vector<EntrantId> m_named;       // in order of naming
    std::vector<std::uint32_t> m_arrival; // per slot: when the current name arrived
    std::uint32_t m_arrivals = 0;
    mutable std::vector<EntrantId> m_byName;
    mutable bool m_byNameValid = true;
};

} // namespace rh
