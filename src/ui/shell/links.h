#pragma once
// The maker's web site and support mail box, and the mail link that carries a tournament's
// support code.

#include <QUrl>

#include <string>

namespace rh::ui {

inline constexpr const char* kWebSite = "https://www.rankhall.example/";
inline constexpr const char* kSupportMail = "support@rankhall.example";

/// mailto: link to the support address, subject "SupportCode: " + supportDir, body
/// "Add comment here, leave subject intact". Every character of the code is percent-encoded, so
/// a code cannot add or change header fields of the mail.
QUrl supportMailUrl(const std::string& supportDir);
QUrl webSiteUrl();

} // namespace rh::ui
