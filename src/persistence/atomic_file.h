#pragma once
// Whole-file reads and the one atomic write of the program.
//
// writeFileAtomic never leaves a half-written file behind: the bytes go to a temporary file in the
// target's folder (created exclusively, under a name no one can guess, never through a link),
// every byte is checked as written, the file is flushed to the disk, and only then is it renamed
// over the target. A failure at any step removes the temporary file and leaves
// the old target as it was. The tournament file, the recovery copy and the HTML page all go
// through it. Failures are typed errors with the numbers the common error message shows.

#include "core/errors.h"
#include "persistence/file_error.h"

#include <string>
#include <string_view>

namespace rh {

/// Who may read a file written anew, and where it is written.
/// Usual: the director's own file (a tournament chosen in a dialog, a page written with -o): the
/// umask decides who may read a new one, a replaced one keeps its permissions, and a path that is
/// a symbolic link writes the file it points to and keeps the link.
/// OwnerOnly: a file of the private folder (the recovery copies, the pages): written 0600, in a
/// folder that must pass openPrivateFolder, and whatever stands at the name (a link too) is
/// replaced, never followed.
enum class FileAccess { Usual, OwnerOnly };

/// Writes the bytes to the path atomically (see FileAccess for links). A temporary file of the
/// user's that a killed write left for the same target is removed first. Throws RhError: 61 disk
/// full, 70 permission denied, 76 path not found (a missing folder), 75 any other path or file
/// access error (for instance a target that is a folder, a FIFO or a device: only regular files are
/// replaced).
void writeFileAtomic(const std::string& path, std::string_view bytes,
                     FileAccess access = FileAccess::Usual);

/// The largest file the program reads.
inline constexpr long long kMaxReadBytes = 256LL * 1024 * 1024;

/// Every byte of the file. Throws RhError 53 when the path names nothing, 75 for a folder, a
/// FIFO, a device, a file over kMaxReadBytes or a read error, 70 when reading is not permitted.
/// Nothing is read from a file that is refused.
std::string readWholeFile(const std::string& path);

/// Every byte of a file of the private folder, opened as openPrivateFile opens it: a link, a FIFO,
/// anything but a regular file of the user's own is refused (RhError 75 naming the file) and
/// nothing of it is read; 53 when it is missing.
std::string readPrivateFile(const std::string& path);

/// True when the path exists and is not a folder; false on any error.
bool PathExists(const std::string& path);

/// Removes a file; throws RhError (70, 75 or 76) when it exists and cannot be removed.
void removeFile(const std::string& path);

/// Renames a file over another, replacing it in one step; throws RhError on failure.
void renameFile(const std::string& from, const std::string& to);

} // namespace rh
