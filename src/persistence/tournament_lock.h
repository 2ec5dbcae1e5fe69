#pragma once
// One program at a time holds a tournament: a lock file beside the tournament's journal
// ("Rankhall_<code>.LCK"), locked with flock(2) for as long as the tournament is open. The holder
// writes its process id and program name into the file, so that a second program can say who
// has the tournament. The kernel releases the lock when its holder ends, however it ends, so the
// lock of a program that crashed is simply free again; the file itself stays.
//
// Ownership: the Session owns the lock of the open tournament; the lock owns its descriptor.

#include <memory>
#include <string>

namespace rh {

/// The program that holds a tournament, as its lock file names it (pid 0: it wrote nothing yet).
struct LockHolder {
    long pid = 0;
    std::string program;
};

class TournamentLock {
public:
    ~TournamentLock();
    TournamentLock(const TournamentLock&) = delete;
    TournamentLock& operator=(const TournamentLock&) = delete;

    /// Takes the lock at `path` (the file created 0600 when missing) without waiting. Answers
    /// null when another program holds it, with that program in `holder`. Throws RhError when
    /// the file cannot be opened or locked for another reason.
    static std::unique_ptr<TournamentLock> acquire(const std::string& path, LockHolder& holder);

    const std::string& path() const { return m_path; }

private:
    TournamentLock(std::string path, int fd) : m_path(std::move(path)), m_fd(fd) {}

    std::string m_path;
    int m_fd = -1;
};

} // namespace rh
