#pragma once
// The typed error of a failed file operation, from the C library's error number.

#include "core/errors.h"

namespace rh {

/// The RhError for a C library error number (errno) of a file operation: 61 disk full, 70
/// permission denied, 76 path not found, 75 any other path or file access error.
RhError fileError(int errnoValue);

} // namespace rh
