#include "persistence/journal.h"

#include "persistence/atomic_file.h"
#include "persistence/private_folder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rh {

namespace {

struct KindName {
    ChangeKind kind;
    const char* name;
};

constexpr std::array<KindName, 20> kKindNames = {{{ChangeKind::Score, "score"},
                                                  {ChangeKind::Rename, "rename"},
                                                  {ChangeKind::Lone, "lone"},
                                                  {ChangeKind::Bump, "bump"},
                                                  {ChangeKind::Wood, "wood"},
                                                  {ChangeKind::Paid, "paid"},
                                                  {ChangeKind::EntryFeePaid, "fee"},
                                                  {ChangeKind::EntryFeeAll, "feeall"},
                                                  {ChangeKind::Alias, "alias"},
                                                  {ChangeKind::PayoutOption, "payout"},
                                                  {ChangeKind::CustomPayouts, "custom"},
                                                  {ChangeKind::BumpFee, "bumpfee"},
                                                  {ChangeKind::WoodFee, "woodfee"},
                                                  {ChangeKind::EntryFee, "entryfee"},
                                                  {ChangeKind::Expenses, "expenses"},
                                                  {ChangeKind::ClockStart, "start"},
                                                  {ChangeKind::ClockPause, "pause"},
                                                  {ChangeKind::ClockResume, "resume"},
                                                  {ChangeKind::ClockStop, "stop"},
                                                  {ChangeKind::RoundAdvance, "advance"}}};

constexpr const char* kHeaderName = "file";
constexpr const char* kCheckpointName = "checkpoint";

const char* nameOf(ChangeKind kind) {
    for (const KindName& k : kKindNames)
        if (k.kind == kind)
            return k.name;
    return "?";
}

std::string numberText(double v) {
    std::array<char, 32> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return ec == std::errc() ? std::string(buf.data(), end) : std::string("0");
}

template <typename T> bool parse(std::string_view text, T& out, int base = 10) {
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = std::from_chars(text.data(), end, out);
    else
        r = std::from_chars(text.data(), end, out, base);
    return r.ec == std::errc() && r.ptr == end;
}

std::string escape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool unescape(std::string_view field, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

std::string hex8(std::uint32_t v) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08x", v);
    return buf;
}

std::string hex16(std::uint64_t v) {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

std::uint64_t fnv1a64(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// One record as read: its sequence, time and unescaped fields.
struct RawRecord {
    std::uint64_t sequence = 0;
    std::int64_t time = 0;
    std::vector<std::string> fields;
};

std::optional<RawRecord> parseRecord(std::string_view line) {
    const std::size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos)
        return std::nullopt;
    std::uint32_t sum = 0;
    if (line.size() - lastTab - 1 != 8 || !parse(line.substr(lastTab + 1), sum, 16) ||
        crc32(line.substr(0, lastTab)) != sum)
        return std::nullopt;
    std::vector<std::string_view> parts;
    std::string_view body = line.substr(0, lastTab);
    for (std::size_t from = 0;;) {
        const std::size_t tab = body.find('\t', from);
        parts.push_back(body.substr(from, tab == std::string_view::npos ? body.npos : tab - from));
        if (tab == std::string_view::npos)
            break;
        from = tab + 1;
    }
    RawRecord r;
    if (parts.size() < 3 || !parse(parts[0], r.sequence) || !parse(parts[1], r.time))
        return std::nullopt;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        std::string field;
        if (!unescape(parts[i], field))
            return std::nullopt;
        r.fields.push_back(std::move(field));
    }
    return r;
}

// Record 0 ("file") and checkpoints ("checkpoint") name a file the same way.
std::optional<FileFingerprint> decodeFile(const std::vector<std::string>& f, const char* name) {
    FileFingerprint fp;
    if (f.size() != 4 || f[0] != name || !parse(f[2], fp.size) || !parse(f[3], fp.hash, 16))
        return std::nullopt;
    fp.path = f[1];
    return fp;
}

std::vector<std::string> encodeFile(const FileFingerprint& file, const char* name) {
    return {name, file.path, std::to_string(file.size), hex16(file.hash)};
}

void syncFolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Changes

Change Change::score(long long round, std::string entrant, std::string score) {
    Change c;
    c.kind = ChangeKind::Score;
    c.round = round;
    c.entrant = std::move(entrant);
    c.value = std::move(score);
    return c;
}

Change Change::count(ChangeKind kind, std::string entrant, std::string count) {
    Change c;
    c.kind = kind;
    c.entrant = std::move(entrant);
    c.value = std::move(count);
    return c;
}

Change Change::money(ChangeKind kind, double amount) {
    Change c;
    c.kind = kind;
    c.amount = amount;
    return c;
}

Change Change::clock(ChangeKind kind, std::int64_t clockTime) {
    Change c;
    c.kind = kind;
    c.clockTime = clockTime;
    return c;
}

std::vector<std::string> encodeChange(const Change& c) {
    std::vector<std::string> f{nameOf(c.kind)};
    switch (c.kind) {
    case ChangeKind::Score:
        f.insert(f.end(), {std::to_string(c.round), c.entrant, c.value});
        break;
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood:
    case ChangeKind::Paid:
    case ChangeKind::EntryFeePaid:
    case ChangeKind::Alias:
    case ChangeKind::Rename:
        f.insert(f.end(), {c.entrant, c.value});
        break;
    case ChangeKind::EntryFeeAll:
    case ChangeKind::PayoutOption:
        f.push_back(c.value);
        break;
    case ChangeKind::CustomPayouts:
        for (double a : c.amounts)
            f.push_back(numberText(a));
        break;
    case ChangeKind::BumpFee:
    case ChangeKind::WoodFee:
    case ChangeKind::EntryFee:
    case ChangeKind::Expenses:
        f.push_back(numberText(c.amount));
        break;
    case ChangeKind::ClockStart:
    case ChangeKind::ClockPause:
    case ChangeKind::ClockResume:
    case ChangeKind::ClockStop:
        f.push_back(std::to_string(c.clockTime));
        break;
    case ChangeKind::RoundAdvance:
        f.insert(f.end(), {std::to_string(c.round), c.value, std::to_string(c.clockTime)});
        break;
    }
    return f;
}

std::optional<Change> decodeChange(const std::vector<std::string>& f) {
    if (f.empty())
        return std::nullopt;
    const KindName* known = nullptr;
    for (const KindName& k : kKindNames)
        if (f[0] == k.name)
            known = &k;
    if (!known)
        return std::nullopt;
    Change c;
    c.kind = known->kind;
    const std::size_t n = f.size() - 1;
    switch (c.kind) {
    case ChangeKind::Score:
        if (n != 3 || !parse(f[1], c.round))
            return std::nullopt;
        c.entrant = f[2];
        c.value = f[3];
        break;
    case ChangeKind::Lone:
    case ChangeKind::Bump:
    case ChangeKind::Wood:
    case ChangeKind::Paid:
    case ChangeKind::EntryFeePaid:
    case ChangeKind::Alias:
    case ChangeKind::Rename:
        if (n != 2)
            return std::nullopt;
        c.entrant = f[1];
        c.value = f[2];
        break;
    case ChangeKind::EntryFeeAll:
    case ChangeKind::PayoutOption:
        if (n != 1)
            return std::nullopt;
        c.value = f[1];
        break;
    case ChangeKind::CustomPayouts:
        for (std::size_t i = 1; i < f.size(); ++i) {
            double a = 0;
            if (!parse(f[i], a))
                return std::nullopt;
            c.amounts.push_back(a);
        }
        break;
    case ChangeKind::BumpFee:
    case ChangeKind::WoodFee:
    case ChangeKind::EntryFee:
    case ChangeKind::Expenses:
        if (n != 1 || !parse(f[1], c.amount))
            return std::nullopt;
        break;
    case ChangeKind::ClockStart:
    case ChangeKind::ClockPause:
    case ChangeKind::ClockResume:
    case ChangeKind::ClockStop:
        if (n != 1 || !parse(f[1], c.clockTime))
            return std::nullopt;
        break;
    case ChangeKind::RoundAdvance:
        if (n != 3 || !parse(f[1], c.round) || !parse(f[3], c.clockTime))
            return std::nullopt;
        c.value = f[2];
        break;
    }
    return c;
}

std::string describeChange(const Change& change) {
    std::string out;
    for (const std::string& f : encodeChange(change))
        out += (out.empty() ? "" : " ") + f;
    return out;
}

std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// ---------------------------------------------------------------------------------------------
// Files

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : p).lexically_normal().string();
}

FileFingerprint fingerprintOf(const std::string& path) {
    const std::string bytes = readWholeFile(path);
    return FileFingerprint{absolutePath(path), bytes.size(), fnv1a64(bytes)};
}

bool sameFileOnDisk(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool sameFile(const FileFingerprint& a, const FileFingerprint& b) {
    return a.size == b.size && a.hash == b.hash && sameFileOnDisk(a.path, b.path);
}

std::optional<std::size_t> JournalContents::changesAfter(const FileFingerprint& loaded) const {
    for (auto it = checkpoints.rbegin(); it != checkpoints.rend(); ++it)
        if (sameFile(it->file, loaded))
            return it->changesBefore;
    if (hasHeader && sameFile(file, loaded))
        return 0;
    return std::nullopt;
}

JournalContents readJournal(const std::string& path) {
    JournalContents out;
    std::string bytes;
    try {
        bytes = readPrivateFile(path);
    } catch (const RhError&) {
        return out;
    }
    std::size_t at = 0;
    std::uint64_t lastSequence = 0; // of the last record read
    for (std::uint64_t line = 0; at < bytes.size(); ++line) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) {
            out.tornTail = true; // the crash came before the line end
            break;
        }
        std::string_view text = std::string_view(bytes).substr(at, end - at);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        at = end + 1;
        out.validBytes = at;
        const std::optional<RawRecord> r = parseRecord(text);
        std::optional<FileFingerprint> file;
        std::optional<Change> change;
        bool good = false;
        if (r && line == 0 && r->sequence == 0) {
            good = (file = decodeFile(r->fields, kHeaderName)).has_value();
            if (good) {
                out.hasHeader = true;
                out.file = *file;
                out.startedAt = r->time;
            }
        } else if (r && r->sequence > lastSequence) {
            if ((file = decodeFile(r->fields, kCheckpointName))) {
                out.checkpoints.push_back(JournalCheckpoint{*file, out.changes.size()});
                good = true;
            } else if ((change = decodeChange(r->fields))) {
                out.changes.push_back(JournalEntry{r->sequence, r->time, std::move(*change)});
                good = true;
            }
        }
        if (good)
            lastSequence = r->sequence;
        else
            out.damaged.push_back(line);
        // A damaged line took a sequence number too, as far as can be told.
        out.nextSequence = std::max({out.nextSequence, lastSequence + 1, line + 1});
    }
    return out;
}

namespace {

std::string stampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &local);
    return buf;
}

std::string stemOf(const std::string& path) {
    constexpr std::string_view kExt = ".JNL";
    return path.size() > kExt.size() && path.ends_with(kExt) ? path.substr(0, path.size() - 4)
                                                             : path;
}

} // namespace

std::string keepJournalAside(const std::string& path, const std::string& tag) {
    const std::string bytes = readWholeFile(path);
    const std::string stem = stemOf(path) + "-" + stampNow();
    const std::string suffix = (tag.empty() ? "" : "-" + tag) + ".JNL";
    for (int n = 1;; ++n) {
        const std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              S_IRUSR | S_IWUSR);
        if (fd < 0 && errno == EEXIST && n < 1000)
            continue;
        if (fd < 0)
            throw fileError(errno);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                const int error = w < 0 ? errno : ENOSPC;
                ::close(fd);
                ::unlink(name.c_str()); // a part of a copy is no copy; the journal stays
                throw fileError(error);
            }
            done += static_cast<std::size_t>(w);
        }
        const bool synced = ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        if (!synced) {
            ::unlink(name.c_str());
            throw fileError(error);
        }
        syncFolderOf(name);
        return name;
    }
}

std::vector<std::string> journalsKeptAside(const std::string& path) {
    const std::filesystem::path stem(stemOf(path) + "-");
    const std::string prefix = stem.filename().string();
    std::vector<std::pair<std::string, std::string>> found; // (stamp, path)
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(stem.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() + 4 || !name.starts_with(prefix) ||
            !name.ends_with(".JNL"))
            continue;
        const std::string stamp = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (stamp.find_first_not_of("0123456789-") != std::string::npos)
            continue; // tagged (declined, damaged), or another tournament's name
        // "-2" after the time sorts after the time alone: order by time, then number.
        std::string key = stamp.substr(0, 15);
        const std::string n = stamp.size() > 16 ? stamp.substr(16) : "1";
        key += std::string(8 - std::min<std::size_t>(8, n.size()), '0') + n;
        found.emplace_back(key, entry.path().string());
    }
    std::sort(found.begin(), found.end(), std::greater<>());
    std::vector<std::string> out;
    for (auto& f : found)
        out.push_back(std::move(f.second));
    return out;
}

// ---------------------------------------------------------------------------------------------
// Journal

Journal::Journal(std::string path, int fd) : m_path(std::move(path)), m_fd(fd) {}

Journal::~Journal() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::unique_ptr<Journal> Journal::create(const std::string& path, const FileFingerprint& file) {
    // Emptied by restart once it is known to be a regular file of the user's own.
    const int fd = openPrivateFile(path, O_WRONLY | O_CREAT | O_APPEND, S_IRUSR | S_IWUSR);
    std::unique_ptr<Journal> j(new Journal(path, fd));
    // A journal left by an earlier run may have been readable by others.
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0)
        throw fileError(errno);
    j->restart(file);
    syncFolderOf(path);
    return j;
}

std::unique_ptr<Journal> Journal::resume(const std::string& path, const JournalContents& contents) {
    if (!contents.hasHeader)
        throw RhError(err::InvalidCall, "The journal names no tournament file");
    const int fd = openPrivateFile(path, O_WRONLY | O_APPEND);
    std::unique_ptr<Journal> j(new Journal(path, fd));
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 ||
        ::ftruncate(fd, static_cast<off_t>(contents.validBytes)) != 0 || ::fdatasync(fd) != 0)
        throw fileError(errno);
    j->m_file = contents.file;
    j->m_next = contents.nextSequence;
    j->m_changes = contents.changes.size();
    return j;
}

void Journal::writeRecord(const std::vector<std::string>& fields) {
    if (m_failed)
        throw RhError(err::PathFileAccess, "The journal could not be written");
    std::string line = std::to_string(m_next) + "\t" + std::to_string(std::time(nullptr));
    for (const std::string& f : fields)
        line += "\t" + escape(f);
    line += "\t" + hex8(crc32(line)) + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(m_fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            throw fileError(n < 0 ? errno : ENOSPC);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fdatasync(m_fd) != 0) {
        m_failed = true;
        throw fileError(errno);
    }
    ++m_next;
}

void Journal::append(const Change& change) {
    writeRecord(encodeChange(change));
    ++m_changes;
}

void Journal::checkpoint(const FileFingerprint& file) {
    writeRecord(encodeFile(file, kCheckpointName));
}

void Journal::restart(const FileFingerprint& file) {
    if (::ftruncate(m_fd, 0) != 0) {
        m_failed = true;
        throw fileError(errno);
    }
    m_failed = false;
    m_next = 0;
    m_changes = 0;
    m_file = file;
    writeRecord(encodeFile(file, kHeaderName));
}

} // namespace rh
