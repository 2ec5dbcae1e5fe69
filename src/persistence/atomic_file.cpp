#include "persistence/atomic_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
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

// Closes a descriptor and removes the temporary file unless released.
class TempFile {
public:
    TempFile(int fd, std::string name) : m_fd(fd), m_name(std::move(name)) {}
    ~TempFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_released)
            ::unlink(m_name.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return m_fd; }
    const std::string& name() const { return m_name; }
    /// Closes the descriptor; returns the errno of a failed close, else 0.
    int close() {
        int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }
    void release() { m_released = true; }

private:
    int m_fd;
    std::string m_name;
    bool m_released = false;
};

mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

RhError fileError(int e) {
    switch (e) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return RhError(err::DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return RhError(err::PermissionDenied);
    case ENOENT:
    case ENOTDIR:
        return RhError(err::PathNotFound);
    default:
        return RhError(err::PathFileAccess);
    }
}

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
// killed mid-write): "." + name + "." + six characters, regular, a minute old or more.
void removeLeftTemporaries(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string prefix = "." + name + ".";
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::error_code e2;
        if (!it->is_regular_file(e2) || e2 || it->is_symlink(e2))
            continue;
        const auto written = fs::last_write_time(it->path(), e2);
        if (!e2 && now - written >= std::chrono::minutes(1))
            fs::remove(it->path(), e2);
    }
}

} // namespace

void writeFileAtomic(const std::string& givenPath, std::string_view bytes, FileAccess access) {
    if (givenPath.empty())
        throw RhError(err::PathNotFound);
    const std::string path = followLinks(givenPath);
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (S_ISDIR(existing.st_mode))
            throw RhError(err::PathFileAccess);
        throw RhError(err::PathFileAccess, "Not a regular file: " + givenPath);
    }
    std::string folder = folderOf(path);
    std::string name = std::filesystem::path(path).filename().string();
    if (name.empty())
        throw RhError(err::PathFileAccess);
    removeLeftTemporaries(folder, name);
    std::vector<char> tmpl(folder.begin(), folder.end());
    std::string suffix = "/." + name + ".XXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        throw fileError(errno);
    TempFile tmp(fd, tmpl.data());

    // Keep the permissions of the file being replaced; a new file gets the usual ones. A file
    // for its owner only is that whatever it replaces.
    struct stat st {};
    mode_t mode = access == FileAccess::OwnerOnly ? mode_t(0600)
                  : ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                      ? mode_t(st.st_mode & 07777)
                      : newFileMode();
    ::fchmod(tmp.fd(), mode);

    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(tmp.fd(), data, left);
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
    if (::fsync(tmp.fd()) != 0 && errno != EINVAL)
        throw fileError(errno);
    if (int e = tmp.close(); e != 0)
        throw fileError(e);
    if (::rename(tmp.name().c_str(), path.c_str()) != 0)
        throw fileError(errno);
    tmp.release();
    // Make the rename itself durable.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

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
    // A FIFO or a device would block the reading or never end; a huge file would fill memory.
    auto refuse = [&](const struct stat& s) {
        if (!S_ISREG(s.st_mode))
            throw RhError(err::PathFileAccess, "Not a regular file: " + path);
        if (s.st_size > kMaxReadBytes)
            throw RhError(err::PathFileAccess, "The file is larger than 256 MB: " + path);
    };
    refuse(st);
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        throw fileError(errno);
    // The file opened may not be the one looked at a moment ago.
    if (::fstat(fd, &st) != 0) {
        int e = errno;
        ::close(fd);
        throw fileError(e);
    }
    try {
        refuse(st);
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
