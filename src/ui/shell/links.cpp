#include "ui/shell/links.h"

namespace rh::ui {

QUrl supportMailUrl(const std::string& supportDir) {
    const QByteArray subject = QUrl::toPercentEncoding(QStringLiteral("SupportCode: ") +
                                                       QString::fromStdString(supportDir));
    const QByteArray body =
        QUrl::toPercentEncoding(QStringLiteral("Add comment here, leave subject intact"));
    const QByteArray link =
        QByteArray("mailto:") + kSupportMail + "?subject=" + subject + "&body=" + body;
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

QUrl webSiteUrl() {
    return QUrl(QString::fromUtf8(kWebSite));
}

} // namespace rh::ui
