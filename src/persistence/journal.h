#pragma once
// The journal of the open tournament: an append-only file of the director's changes since the
// tournament file was loaded or last saved, one record a line, so that a crash or a power cut
// costs nothing that the screen has shown as stored.
//
// The file lives in the temporary folder beside the recovery copies ("Rankhall_<code>.JNL") and
// is readable by its owner only. Each record is
//     sequence TAB time TAB field TAB field ... TAB checksum LF
// with the fields escaped (backslash, tab, CR and LF as \\ \t \r \n), the time in seconds since
// 1970 (UTC) and the checksum a CRC-32 of everything before its tab, in eight hex digits. Record 0
// names the file the journal belongs to: its path, size and a 64-bit FNV-1a hash of its bytes.
// A checkpoint record names a file (the recovery copy) that holds every change before it, so a
// load of that file needs only the changes after it. A line that cannot be read (a wrong
// checksum, a sequence number out of order) is counted as damaged and the reading goes on at the
// next line; CR LF line ends read as LF. Only a last record without its line end, torn by the
// crash, is dropped.
//
// A journal that cannot be used as it is (it belongs to another file, or is damaged) is never
// deleted: keepJournalAside copies it under a name of its own beside it.
//
// Ownership: the Session owns the open Journal (Session::journal()); the Journal owns its file
// descriptor. Change is plain data; services/changes.h applies it.

#include "core/errors.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

enum class ChangeKind {
    Score,         // round, entrant, value: the score that stands (for the partner too); "" none
    Lone,          // entrant, value: the entrant's lone count
    Bump,          // entrant, value: bump count
    Wood,          // entrant, value: wood count
    Paid,          // entrant, value: "1" the bump and wood money is paid, "0" not
    EntryFeePaid,  // entrant, value: "1" the entry fee is paid, "0" not
    EntryFeeAll,   // value: "1" every entrant paid the entry fee (Set All), "0" none (Clear All)
    Alias,         // entrant, value: the alias as typed
    PayoutOption,  // value: 0 standard, 1 custom
    CustomPayouts, // amounts: the custom payout of each place (3 to 8 places)
    BumpFee,       // amount
    WoodFee,       // amount
    EntryFee,      // amount
    Expenses,      // amount
    ClockStart,    // clockTime: the tournament clock started
    ClockPause,    // clockTime
    ClockResume,   // clockTime
    ClockStop,     // clockTime
    RoundAdvance,  // round: the round moved to; value: the seconds the round took; clockTime
    Rename         // entrant, value: the new name (a substitute takes over the seat and scores)
};

/// One change the director made. Only the fields its kind names are used.
struct Change {
    ChangeKind kind = ChangeKind::Score;
    long long round = 0;
    std::string entrant; // ID text, two digits
    std::string value;
    std::vector<double> amounts;
    double amount = 0;
    /// The clock's "now": seconds since 1970-01-01 00:00 local time (WallTime).
    std::int64_t clockTime = 0;

    static Change score(long long round, std::string entrant, std::string score);
    static Change count(ChangeKind kind, std::string entrant, std::string count);
    static Change money(ChangeKind kind, double amount);
    static Change clock(ChangeKind kind, std::int64_t clockTime);

    bool operator==(const Change&) const = default;
};

/// The change as the fields of a journal record ("score", "3", "07", "12"), and back. A record
/// that names no known kind or lacks a field decodes to nothing.
std::vector<std::string> encodeChange(const Change& change);
std::optional<Change> decodeChange(const std::vector<std::string>& fields);
/// The change as one line of text (the fields joined by blanks), for messages and logs.
std::string describeChange(const Change& change);

/// CRC-32 (the IEEE polynomial, as in zip and PNG).
std::uint32_t crc32(std::string_view bytes);

/// What identifies a saved tournament file: its path (made absolute), size and content hash.
struct FileFingerprint {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};
/// The fingerprint of the file as it is on disk now; throws RhError when it cannot be read.
FileFingerprint fingerprintOf(const std::string& path);
/// The path made absolute and lexically normal, as the journal records it.
std::string absolutePath(const std::string& path);
/// Whether the two paths name one file now: the same device and inode (a path through a symbolic
/// link names the file it leads to). False when either names nothing.
bool sameFileOnDisk(const std::string& a, const std::string& b);
/// Whether the fingerprints are of one file with the same bytes (sameFileOnDisk, size and hash).
bool sameFile(const FileFingerprint& a, const FileFingerprint& b);

struct JournalEntry {
    std::uint64_t sequence = 0;
    std::int64_t time = 0; // seconds since 1970, UTC
    Change change;
};

/// A file written with every change before it: changes[0 .. changesBefore) are in it.
struct JournalCheckpoint {
    FileFingerprint file;
    std::size_t changesBefore = 0;
};

/// What a journal file holds.
struct JournalContents {
    bool hasHeader = false;     // record 0 was read: `file` is known
    FileFingerprint file;       // the file the journal belongs to
    std::int64_t startedAt = 0; // time of record 0
    std::vector<JournalEntry> changes;
    std::vector<JournalCheckpoint> checkpoints;
    /// The numbers of the lines (record 0 first) that could not be read.
    std::vector<std::uint64_t> damaged;
    std::uint64_t validBytes = 0;   // length of the whole lines; a torn last line follows
    std::uint64_t nextSequence = 1; // the sequence number of the next record to append
    bool tornTail = false;          // the last record had no line end and was dropped

    /// Anything that a director could miss: changes, or damaged records.
    bool holdsAnything() const { return !changes.empty() || !damaged.empty(); }
    /// The first change the file lacks: 0 when the journal began with the file, the changes
    /// before the last checkpoint of the file when it was written later; nothing when the
    /// journal does not know the file.
    std::optional<std::size_t> changesAfter(const FileFingerprint& loaded) const;
};

/// Reads the journal; a missing or unreadable file gives empty contents (no header).
JournalContents readJournal(const std::string& path);

/// Copies the journal at `path` beside it under a name of its own, created exclusively:
/// <path without ".JNL">-<local date and time>[-n][-tag].JNL. Answers the new name. Throws
/// RhError. Journals kept aside without a tag are offered again when their file is loaded.
std::string keepJournalAside(const std::string& path, const std::string& tag = {});
/// The journals kept aside for `path` without a tag, newest first.
std::vector<std::string> journalsKeptAside(const std::string& path);

class Journal {
public:
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    /// A new journal for the file: created (or emptied) with mode 0600, record 0 written and
    /// synced. Throws RhError.
    static std::unique_ptr<Journal> create(const std::string& path, const FileFingerprint& file);
    /// Continues a journal that was read: appends follow its whole lines (only a torn last line
    /// is cut off). Throws RhError.
    static std::unique_ptr<Journal> resume(const std::string& path,
                                           const JournalContents& contents);

    /// Writes one record and syncs it to the disk before returning. Throws RhError; after a
    /// failure the journal accepts no more records.
    void append(const Change& change);
    /// Records that `file` (the recovery copy, about to be written) holds every change so far.
    void checkpoint(const FileFingerprint& file);
    /// Empties the journal and starts it again for the file (after a save). Throws RhError.
    void restart(const FileFingerprint& file);

    const std::string& path() const { return m_path; }
    const FileFingerprint& file() const { return m_file; }
    /// Changes recorded since record 0.
    std::uint64_t changeCount() const { return m_changes; }

private:
    Journal(std::string path, int fd);
    void writeRecord(const std::vector<std::string>& fields);

    std::string m_path;
    int m_fd = -1;
    FileFingerprint m_file;
    std::uint64_t m_next = 0; // sequence number of the next record
    std::uint64_t m_changes = 0;
    bool m_failed = false;
};

} // namespace rh
