#include "persistence/file_error.h"

#include <cerrno>

namespace rh {

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

} // namespace rh
