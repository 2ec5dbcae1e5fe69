#pragma once
// The folder of the user's own inside the temporary folder, and the opening of files in it.
//
// The temporary folder is shared by every user of the machine, so nothing of the program's lives
// in it directly: the recovery copies, the journals, the pages and their temporary files go into
// "rankhall-<uid>" inside it, a folder created with mode 0700 that only its owner can list or
// change. A folder of that name that is not the user's own real folder of mode 0700 (another user
// made it, it is a link, or it is open to others) is never used: a fresh folder of an
// unpredictable name takes its place for the rest of the run (see ensurePrivateFolder).
//
// Files in a private folder are opened relative to the folder, never through a link, without
// waiting on a FIFO, and only when they are regular files of the user's own; anything else is
// refused with an RhError whose description names the file. No Qt here.

#include "core/errors.h"

#include <string>
#include <sys/types.h>

namespace rh {

/// The private folder's usual path in base: base + "/rankhall-" + the user's id.
std::string privateFolderIn(const std::string& base);

/// The folder to use and, when it is not the usual one, why.
struct PrivateFolder {
    std::string path;
    std::string problem; // "" when the usual folder is in use
};

/// The user's private folder in base, created (0700) when missing. When the usual folder cannot
/// be used safely, a fresh folder base + "/rankhall-<uid>-XXXXXX" (0700, created exclusively)
/// serves instead, the same one for every later call with that base, and `problem` says what was
/// wrong with the usual one. When base itself is missing or cannot be written, the usual path is
/// given: the files in it then fail to be written with the usual errors. Never throws.
PrivateFolder ensurePrivateFolder(const std::string& base);

/// The problem of the last ensurePrivateFolder that could not use the usual folder ("" none).
std::string privateFolderNotice();

/// Opens a folder the program keeps its own files in: not a link, owned by the user and writable
/// by no one else. Returns the descriptor (close-on-exec). Throws RhError 76 when it is missing,
/// 75 with a reason naming it when it is not private.
int openPrivateFolder(const std::string& folder);

/// Opens a file of a private folder: relative to the folder opened by openPrivateFolder, with
/// O_NOFOLLOW and without blocking on a FIFO, flags (O_RDONLY, O_WRONLY, O_APPEND, O_CREAT,
/// O_EXCL; never O_TRUNC: a file is emptied only once it is known to be the user's) and mode for
/// a new file. Returns the descriptor in blocking mode. Throws RhError: 53 when it is missing,
/// 75 naming the file when it is a link, not a regular file, not owned by the user or has other
/// names (hard links) (nothing of it is read or changed), or the error of the open.
int openPrivateFile(const std::string& path, int flags, mode_t mode = 0600);

/// True when the path names a regular file of the user's own, not a link (what a recovery copy
/// in the private folder must be to be offered); false on any error.
bool privateFileExists(const std::string& path);

} // namespace rh
