#include "persistence/atomic_file.h"

#include "persistence/private_folder.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rh {

namespace {

std::string folderOf(const std::string& path) {
    std::filesystem::path p(path);
    std::filesystem::path parent = p.parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A descriptor closed at the end of its scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    /// Closes the descriptor; returns the errno of a failed close, else 0.
    int close() {
        int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// A temporary file of a folder (given by its descriptor), removed unless released.
class TempFile {
public:
    TempFile(int dir, int fd, std::string name) : m_dir(dir), m_fd(fd), m_name(std::move(name)) {}
    ~TempFile() {
        if (!m_released)
            ::unlinkat(m_dir, m_name.c_str(), 0);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    Fd& fd() { return m_fd; }
    const std::string& name() const { return m_name; }
    void release() { m_released = true; }

private:
    int m_dir;
    Fd m_fd;
    std::string m_name;
    bool m_released = false;
};

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// A new file of the folder named "." + name + "." + six random characters, created exclusively
// and never through a link, so that no name can be guessed and planted in advance.
TempFile createTemporary(int dir, const std::string& name) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string tmp = "." + name + ".";
        for (int i = 0; i < 6; ++i)
            tmp += kLetters[random() % (sizeof kLetters - 1)];
        const int fd =
            ::openat(dir, tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     S_IRUSR | S_IWUSR);
        if (fd >= 0)
            return TempFile(dir, fd, tmp);
        if (errno != EEXIST)
            throw fileError(errno);
    }
    throw fileError(EEXIST);
}

} // namespace

namespace {

// The file a path finally names: a symbolic link is followed (link after link, relative ones
// from their own folder), so that writing replaces the file and keeps the link.
std::string followLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec)
            return p.string();
        fs::path target = fs::read_symlink(p, ec);
        if (ec)
            throw fileError(ec.value());
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    throw RhError(err::PathFileAccess, "Too many symbolic links: " + path);
}

// Temporary files of earlier writes to this target that were never renamed (the program was
// killed mid-write): "." + name + "." + six characters, regular files of the user's own, a
// minute old or more.
void removeLeftTemporaries(int dir, const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string prefix = "." + name + ".";
    const auto now = std::chrono::system_clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
            continue;
        struct stat st {};
        if (::fstatat(dir, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        if (now - std::chrono::system_clock::from_time_t(st.st_mtime) >= std::chrono::minutes(1))
            ::unlinkat(dir, entry.c_str(), 0);
    }
}

} // namespace

void writeFileAtomic(const std::string& givenPath, std::string_view bytes, FileAccess access) {
    if (givenPath.empty())
        throw RhError(err::PathNotFound);
    // A file of the private folder is replaced at its name whatever stands there; the
    // director's own file is written where its links lead.
    const bool privateFile = access == FileAccess::OwnerOnly;
    const std::string path = privateFile ? givenPath : followLinks(givenPath);
    const std::string folder = folderOf(path);
    const std::string name = std::filesystem::path(path).filename().string();
    if (name.empty() || name == "." || name == "..")
        throw RhError(err::PathFileAccess);
    int dirFd = -1;
    if (privateFile) {
        dirFd = openPrivateFolder(folder);
    } else if ((dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) {
        throw fileError(errno);
    }
    Fd dir(dirFd);
    struct stat existing {};
    const bool exists = ::fstatat(dir.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
                        !(privateFile && S_ISLNK(existing.st_mode));
    if (exists && !S_ISREG(existing.st_mode)) {
        if (S_ISDIR(existing.st_mode))
            throw RhError(err::PathFileAccess);
        throw RhError(err::PathFileAccess, "Not a regular file: " + givenPath);
    }
    removeLeftTemporaries(dir.get(), folder, name);
    TempFile tmp = createTemporary(dir.get(), name);

    // Keep the permissions of the file being replaced; a new file gets the usual ones. A file
    // for its owner only is that whatever it replaces.
    const mode_t mode = privateFile ? mode_t(0600)
                        : exists    ? mode_t(existing.st_mode & 07777)
                                    : newFileMode();
    ::fchmod(tmp.fd().get(), mode);

    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(tmp.fd().get(), data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fileError(errno);
        }
        if (n == 0)
            throw RhError(err::DiskFull);
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(tmp.fd().get()) != 0 && errno != EINVAL)
        throw fileError(errno);
    if (int e = tmp.fd().close(); e != 0)
        throw fileError(e);
    if (::renameat(dir.get(), tmp.name().c_str(), dir.get(), name.c_str()) != 0)
        throw fileError(errno);
    tmp.release();
    ::fsync(dir.get()); // makes the rename itself durable
}

namespace {

// A FIFO or a device would block the reading or never end; a huge file would fill memory.
void refuseToRead(const struct stat& s, const std::string& path) {
    if (!S_ISREG(s.st_mode))
        throw RhError(err::PathFileAccess, "Not a regular file: " + path);
    if (s.st_size > kMaxReadBytes)
        throw RhError(err::PathFileAccess, "The file is larger than 256 MB: " + path);
}

// Every byte of the file open as fd, which it closes.
std::string readOpenFile(int fd, const std::string& path) {
    struct stat st {};
    // The file opened may not be the one looked at a moment ago.
    if (::fstat(fd, &st) != 0) {
        int e = errno;
        ::close(fd);
        throw fileError(e);
    }
    try {
        refuseToRead(st, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    // Read straight into the text, sized as the file was a moment ago; it grows if the file did.
    std::string out(S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size)
                                                          : std::size_t{65536},
                    '\0');
    std::size_t filled = 0;
    char more[4096]; // once the text is full: whether the file goes on, without growing it first
    while (true) {
        const bool full = filled == out.size();
        ssize_t n = full ? ::read(fd, more, sizeof more)
                         : ::read(fd, out.data() + filled, out.size() - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int e = errno;
            ::close(fd);
            throw fileError(e);
        }
        if (n == 0)
            break;
        if (full)
            out.append(more, static_cast<std::size_t>(n)); // the file grew since it was looked at
        filled += static_cast<std::size_t>(n);
        if (static_cast<long long>(filled) > kMaxReadBytes) {
            ::close(fd); // it grew while being read
            throw RhError(err::PathFileAccess, "The file is larger than 256 MB: " + path);
        }
    }
    out.resize(filled);
    ::close(fd);
    return out;
}

} // namespace

std::string readWholeFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        int e = errno;
        if (path.empty() || e == ENOENT || e == ENOTDIR)
            throw RhError(err::FileNotFound);
        throw fileError(e);
    }
    if (S_ISDIR(st.st_mode))
        throw RhError(err::PathFileAccess);
    refuseToRead(st, path);
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw fileError(errno);
    return readOpenFile(fd, path);
}

std::string readPrivateFile(const std::string& path) {
    return readOpenFile(openPrivateFile(path, O_RDONLY), path);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

void removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw fileError(errno);
}

void renameFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw fileError(errno);
}

} // namespace rh
