#pragma once
// The program's version as the window and the splash show it.

#include <QString>

namespace rh::ui {

/// "Version " + major + "." + minor + "." + revision.
inline QString versionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(RANKHALL_VERSION_MAJOR)
        .arg(RANKHALL_VERSION_MINOR)
        .arg(RANKHALL_VERSION_PATCH);
}

} // namespace rh::ui
