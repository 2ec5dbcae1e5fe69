#include "persistence/tournament_lock.h"

#include "persistence/atomic_file.h"

#include <cerrno>
#include <charconv>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rh {

namespace {

// What the holder wrote: "pid TAB program LF".
LockHolder holderOf(int fd) {
    LockHolder holder;
    char buf[512];
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    if (n <= 0)
        return holder;
    const std::string_view text(buf, static_cast<std::size_t>(n));
    const std::size_t tab = text.find('\t');
    const std::size_t end = text.find('\n');
    if (tab == std::string_view::npos || end == std::string_view::npos || end < tab)
        return holder;
    long pid = 0;
    const auto r = std::from_chars(text.data(), text.data() + tab, pid);
    if (r.ec != std::errc() || r.ptr != text.data() + tab || pid <= 0)
        return holder;
    holder.pid = pid;
    holder.program = std::string(text.substr(tab + 1, end - tab - 1));
    return holder;
}

} // namespace

TournamentLock::~TournamentLock() {
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock; the file stays for the next holder
}

std::unique_ptr<TournamentLock> TournamentLock::acquire(const std::string& path,
                                                        LockHolder& holder) {
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        throw fileError(errno);
    std::unique_ptr<TournamentLock> lock(new TournamentLock(path, fd));
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK) {
            holder = holderOf(fd);
            return nullptr;
        }
        throw fileError(errno);
    }
    const std::string me = std::to_string(::getpid()) + "\t" + program_invocation_short_name + "\n";
    // Who holds it is news for the next program, not a condition of holding it.
    if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, me.data(), me.size(), 0) > 0)
        ::fdatasync(fd);
    return lock;
}

} // namespace rh
