#pragma once
// ChangePlayer: the director's changes given as lines of text, applied to the open tournament
// through the same services as the window's Scores and Load / Money tabs (storeChange, the round
// advance after every score, the save). rankhall-cli play reads them from its standard input.
//
// Lines (ENTRANT is the entrant's ID number):
//   score ROUND ENTRANT SCORE   the round score, 0 to 32; in a Progressive tournament the
//                               partner takes it too, and it stands for both where the partner
//                               held another one (as when the director picks it in the conflict
//                               dialog); a round that completes advances as in the window
//   lone ENTRANT N              the lone count, 0 to what the scores allow (4 points a lone)
//   bump ENTRANT N, wood ENTRANT N   the counts, 0 to 99; with neither left the paid mark clears
//   paid ENTRANT 0|1            the bump and wood money paid (1 only while something is owed)
//   fee ENTRANT 0|1             the entry fee paid
//   save                        the tournament written to its file as the window's Save does
//
// No success without the disk: when the journal cannot be written (a full or read-only disk), or
// none could be opened although one is required, the line is answered with the error and so is
// every later line but `save` and empty lines; nothing more is applied. The change of the line
// whose record failed stays in the tournament in memory (as it stays on the window's screen), so
// a `save` that succeeds writes it to the file; `save` is still allowed, since it is the
// director's one way to keep the night's changes, and is answered as before. journalLost() then
// tells the caller to end with a failure.
//
// Ownership: holds a reference to the session, which must outlive it.

#include "services/session.h"

#include <cstddef>
#include <string>

namespace rh {

struct PlayOutcome {
    bool ok = false;
    bool change = false; // a change was applied (not a save, not an empty line)
    std::string message; // why the line could not be applied, on one line
};

class ChangePlayer {
public:
    /// `file` is where "save" writes the tournament. With `journalRequired`, changes are refused
    /// while the session keeps no journal.
    ChangePlayer(Session& session, std::string file, bool journalRequired = false);

    /// Applies one line. An empty line does nothing and answers ok.
    PlayOutcome apply(const std::string& line);
    /// Changes applied so far.
    std::size_t applied() const { return m_applied; }
    /// Whether changes stopped reaching the disk (the journal failed, or was required and absent).
    bool journalLost() const { return m_journalLost; }

private:
    PlayOutcome applyWords(const std::vector<std::string>& words);
    PlayOutcome score(const std::vector<std::string>& words);
    PlayOutcome save();

    Session& m_session;
    std::string m_file;
    std::size_t m_applied = 0;
    bool m_journalLost = false;
};

} // namespace rh
