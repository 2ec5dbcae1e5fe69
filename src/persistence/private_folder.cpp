#include "persistence/private_folder.h"

#include "persistence/file_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rh {

namespace {

std::mutex s_mutex;
std::map<std::string, std::string> s_fallbacks; // base -> the folder serving instead
std::string s_notice;

// Why the folder open as fd cannot be the user's private folder ("" when it can). `strict`
// asks for mode 0700 exactly (the folder the program makes); otherwise it is enough that no
// one else can add, rename or remove its files.
std::string whyNotPrivate(int fd, const std::string& folder, bool strict) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fileError(errno).description() + ": " + folder;
    if (st.st_uid != ::geteuid())
        return "The folder belongs to another user: " + folder;
    const mode_t others = strict ? 077 : 022;
    if ((st.st_mode & others) != 0)
        return "The folder is open to other users: " + folder;
    return {};
}

std::string folderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? std::string(".") : parent;
}

// Checks the usual folder at path, making it when missing. "" when it can be used.
std::string checkUsualFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return fileError(errno).description() + ": " + path;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            return "A link stands in place of the folder: " + path;
        if (e == ENOTDIR)
            return "Not a folder: " + path;
        return fileError(e).description() + ": " + path;
    }
    std::string why = whyNotPrivate(fd, path, true);
    ::close(fd);
    return why;
}

} // namespace

std::string privateFolderIn(const std::string& base) {
    return base + "/rankhall-" + std::to_string(::geteuid());
}

PrivateFolder ensurePrivateFolder(const std::string& base) {
    const std::string usual = privateFolderIn(base);
    std::lock_guard<std::mutex> lock(s_mutex);
    if (auto it = s_fallbacks.find(base); it != s_fallbacks.end())
        return {it->second, s_notice};
    struct stat st {};
    if (::stat(base.c_str(), &st) != 0 || ::access(base.c_str(), W_OK | X_OK) != 0)
        return {usual, {}}; // nothing can be made here: the writes say why
    std::string problem = checkUsualFolder(usual);
    if (problem.empty())
        return {usual, {}};
    std::string tmpl = usual + "-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        return {usual, problem}; // the writes into the usual folder are refused
    const std::string fallback = name.data();
    s_notice = problem + "\r\nThe recovery copies, the journal and the pages are kept in " +
               fallback + " instead.";
    s_fallbacks[base] = fallback;
    return {fallback, s_notice};
}

std::string privateFolderNotice() {
    std::lock_guard<std::mutex> lock(s_mutex);
    return s_notice;
}

int openPrivateFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT)
            throw RhError(err::PathNotFound);
        if (e == ELOOP || e == ENOTDIR)
            throw RhError(err::PathFileAccess, "Not a folder of your own: " + folder);
        throw fileError(e);
    }
    std::string why = whyNotPrivate(fd, folder, false);
    if (!why.empty()) {
        ::close(fd);
        throw RhError(err::PathFileAccess, why);
    }
    return fd;
}

int openPrivateFile(const std::string& path, int flags, mode_t mode) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (name.empty() || name == "." || name == "..")
        throw RhError(err::PathFileAccess);
    const int dir = openPrivateFolder(folderOf(path));
    const int fd =
        ::openat(dir, name.c_str(), (flags & ~O_TRUNC) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    const int openError = errno;
    struct stat st {};
    const bool linked = fd < 0 && ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISLNK(st.st_mode);
    ::close(dir);
    if (fd < 0) {
        if (linked || openError == ELOOP)
            throw RhError(err::PathFileAccess, "A link stands in place of the file: " + path);
        if (openError == ENXIO) // a FIFO no one reads
            throw RhError(err::PathFileAccess, "Not a regular file: " + path);
        if (openError == ENOENT)
            throw RhError(err::FileNotFound);
        throw fileError(openError);
    }
    std::string why;
    if (::fstat(fd, &st) != 0)
        why = fileError(errno).description() + ": " + path;
    else if (!S_ISREG(st.st_mode))
        why = "Not a regular file: " + path;
    else if (st.st_uid != ::geteuid())
        why = "The file belongs to another user: " + path;
    else if (st.st_nlink > 1) // emptying it would empty a file of another name too
        why = "The file has other names (hard links): " + path;
    const int status = ::fcntl(fd, F_GETFL);
    if (why.empty() && (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0))
        why = fileError(errno).description() + ": " + path;
    if (!why.empty()) {
        ::close(fd);
        throw RhError(err::PathFileAccess, why);
    }
    return fd;
}

bool privateFileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           st.st_uid == ::geteuid();
}

} // namespace rh
