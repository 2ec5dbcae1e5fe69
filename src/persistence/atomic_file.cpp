#include "persistence/atomic_file.h"

#include <cerrno>
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

void writeFileAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty())
        throw RhError(err::PathNotFound);
    std::string folder = folderOf(path);
    std::string name = std::filesystem::path(path).filename().string();
    if (name.empty())
        throw RhError(err::PathFileAccess);
    std::vector<char> tmpl(folder.begin(), folder.end());
    std::string suffix = "/." + name + ".XXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        throw fileError(errno);
    TempFile tmp(fd, tmpl.data());

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? (st.st_mode & 07777)
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
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        throw fileError(errno);
    std::string out;
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int e = errno;
            ::close(fd);
            throw fileError(e);
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
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
