#include "services/play.h"

#include "core/text.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/round_advance.h"

#include <charconv>
#include <new>
#include <sstream>

namespace rh {

namespace {

constexpr const char* kMismatchText = "Score and Lone data mismatch";
constexpr const char* kUnprotectedText =
    "The journal cannot be written, so changes are no longer protected against a crash: this "
    "change was not made (save the tournament to keep the changes made so far)";

bool wholeNumber(const std::string& text, long long& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

PlayOutcome failure(std::string message) {
    for (std::size_t at; (at = message.find("\r\n")) != std::string::npos;)
        message.replace(at, 2, " ");
    return PlayOutcome{false, false, std::move(message)};
}

PlayOutcome done() {
    return PlayOutcome{true, true, {}};
}

// The entrant's ID text when the tournament has that entrant.
bool entrantOf(const Session& session, const std::string& word, std::string& id) {
    long long n = 0;
    if (!wholeNumber(word, n) || n < 1)
        return false;
    const auto entrant = entrantIdOf(n);
    if (!entrant)
        return false;
    id = idText(*entrant);
    return session.state().hasName(*entrant);
}

bool countIn(const std::string& word, long long low, long long high, long long& n) {
    return wholeNumber(word, n) && n >= low && n <= high;
}

// Whether the entrant owes a bump or a wood.
bool owesFines(const TournamentState& s, const std::string& id) {
    const EntrantRecord* r = s.entrant(*entrantIdOf(id));
    return r && (r->bumps.value_or(0) >= 1 || r->woods.value_or(0) >= 1);
}

} // namespace

ChangePlayer::ChangePlayer(Session& session, std::string file, bool journalRequired)
    : m_session(session), m_file(std::move(file)),
      m_journalLost(journalRequired && !session.journal()) {}

PlayOutcome ChangePlayer::apply(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    if (words.empty())
        return PlayOutcome{true, false, {}};
    const bool saving = words.size() == 1 && words[0] == "save";
    if (m_journalLost && !saving)
        return failure(kUnprotectedText);
    const bool journalled = m_session.journal() != nullptr;
    PlayOutcome out;
    try {
        out = applyWords(words);
    } catch (const RhError& e) {
        out = failure(commonErrorText(e));
    } catch (const std::bad_alloc&) {
        out = failure(commonErrorText(RhError(err::OutOfMemory)));
    }
    if (journalled && !m_session.journal()) {
        // From here on nothing reaches the disk before a save: no more changes are made. A save
        // that wrote the file still counts as done.
        m_journalLost = true;
        if (!saving)
            return failure("The journal could not be written");
    }
    if (out.ok && out.change)
        ++m_applied;
    return out;
}

PlayOutcome ChangePlayer::applyWords(const std::vector<std::string>& w) {
    const std::string& verb = w[0];
    if (verb == "save" && w.size() == 1)
        return save();
    if (verb == "score" && w.size() == 4)
        return score(w);
    if (w.size() != 3)
        return failure("Unknown change: " + verb);
    std::string id;
    if (!entrantOf(m_session, w[1], id))
        return failure("No entrant " + w[1]);
    const TournamentState& s = m_session.state();
    long long n = 0;
    if (verb == "lone") {
        if (!countIn(w[2], 0, 99, n))
            return failure("Lones must be 0 to 99");
        // The lone list offers no more lones than the scores leave 4 points for.
        if (n > s.maxLones(*entrantIdOf(id)))
            return failure(kMismatchText);
        storeChange(m_session, Change::count(ChangeKind::Lone, id, fmt00(n)));
        return done();
    }
    if (verb == "bump" || verb == "wood") {
        if (!countIn(w[2], 0, 99, n))
            return failure(verb == "bump" ? "Bumps must be 0 to 99" : "Woods must be 0 to 99");
        const ChangeKind kind = verb == "bump" ? ChangeKind::Bump : ChangeKind::Wood;
        storeChange(m_session, Change::count(kind, id, fmt00(n)));
        // As the paid box: with no bump and no wood owed, nothing is marked paid.
        if (!owesFines(s, id))
            storeChange(m_session, Change::count(ChangeKind::Paid, id, "0"));
        return done();
    }
    if (verb == "paid" || verb == "fee") {
        if (!countIn(w[2], 0, 1, n))
            return failure(verb + " must be 0 or 1");
        if (verb == "fee") {
            storeChange(m_session, Change::count(ChangeKind::EntryFeePaid, id, n ? "1" : "0"));
            return done();
        }
        if (n == 1 && !owesFines(s, id))
            return failure("Nothing to pay: no bumps or woods");
        storeChange(m_session, Change::count(ChangeKind::Paid, id, n ? "1" : "0"));
        return done();
    }
    return failure("Unknown change: " + verb);
}

PlayOutcome ChangePlayer::score(const std::vector<std::string>& w) {
    const TournamentState& s = m_session.state();
    long long round = 0, points = 0;
    if (!wholeNumber(w[1], round) || round < 1 || round > s.currentRound())
        return failure("Round " + w[1] + " is not open for scores");
    std::string id;
    if (!entrantOf(m_session, w[2], id))
        return failure("No entrant " + w[2]);
    if (!s.isSeated(RoundNo{static_cast<std::int16_t>(round)}, *entrantIdOf(id)))
        return failure("Entrant " + w[2] + " does not play in round " + w[1]);
    if (!countIn(w[3], 0, 32, points))
        return failure("Scores must be 0 to 32");
    storeChange(m_session, Change::score(round, id, fmt00(points)));
    // The round check after every score, its dialogs answered OK: the window's road.
    RoundAdvanceHooks hooks = clockHooks(m_session);
    hooks.SaveData = [this] { SaveData(m_session, false); };
    UpdateGrid(m_session, nullptr, hooks);
    return done();
}

PlayOutcome ChangePlayer::save() {
    Session& s = m_session;
    if (SaveTournament(s, m_file))
        return PlayOutcome{true, false, {}};
    return failure("The tournament could not be saved to " + m_file);
}

} // namespace rh
