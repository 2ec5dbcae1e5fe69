#include "net/wall_server.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QNetworkInterface>
#include <QTcpServer>

namespace rh {

namespace {

using Status = QHttpServerResponder::StatusCode;

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");
const QByteArray kText = QByteArrayLiteral("text/plain; charset=utf-8");

void answerText(QHttpServerResponder& responder, Status status, const QByteArray& text,
                bool withAllow = false) {
    if (withAllow)
        responder.write(
            text, {{"Content-Type", kText}, {"Cache-Control", "no-store"}, {"Allow", "GET, HEAD"}},
            status);
    else
        responder.write(text, {{"Content-Type", kText}, {"Cache-Control", "no-store"}}, status);
}

} // namespace

class WallServer::Http : public QAbstractHttpServer {
public:
    explicit Http(WallServer& owner) : m_owner(owner) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        ++m_owner.m_requests;
        QHttpServerResponder responder = makeResponder(request, socket);
        const auto method = request.method();
        const bool get = method == QHttpServerRequest::Method::Get;
        const bool head = method == QHttpServerRequest::Method::Head;
        if (request.url().path() != QLatin1String("/")) {
            answerText(responder, Status::NotFound, "Not found\n");
        } else if (!get && !head) {
            answerText(responder, Status::MethodNotAllowed, "Method not allowed\n", true);
        } else if (m_owner.m_page.isEmpty()) {
            answerText(responder, Status::ServiceUnavailable, "No page yet\n");
        } else if (head) {
            responder.writeStatusLine(Status::Ok);
            responder.writeHeader("Content-Type", kHtml);
            responder.writeHeader("Cache-Control", "no-store");
            responder.writeHeader("Content-Length", QByteArray::number(m_owner.m_page.size()));
            responder.writeBody(QByteArray());
        } else {
            responder.write(m_owner.m_page,
                            {{"Content-Type", kHtml},
                             {"Cache-Control", "no-store"},
                             {"X-Content-Type-Options", "nosniff"}},
                            Status::Ok);
        }
        return true;
    }

    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        QHttpServerResponder responder = makeResponder(request, socket);
        answerText(responder, Status::NotFound, "Not found\n");
    }

private:
    WallServer& m_owner;
};

WallServer::WallServer() = default;

WallServer::~WallServer() = default;

bool WallServer::listen(const QHostAddress& address, quint16 port) {
    close();
    auto http = std::make_unique<Http>(*this);
    auto* tcp = new QTcpServer(http.get());
    if (!tcp->listen(address, port)) {
        m_error = tcp->errorString();
        return false;
    }
    http->bind(tcp);
    m_port = tcp->serverPort();
    m_address = address;
    m_error.clear();
    m_http = std::move(http);
    return true;
}

void WallServer::close() {
    m_http.reset();
    m_port = 0;
}

bool WallServer::isListening() const {
    return m_http != nullptr;
}

QString WallServer::shareUrl() const {
    QHostAddress host = m_address;
    if (host == QHostAddress::Any || host == QHostAddress::AnyIPv4 ||
        host == QHostAddress::AnyIPv6) {
        host = QHostAddress(QHostAddress::LocalHost);
        for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() &&
                !a.isLinkLocal()) {
                host = a;
                break;
            }
        }
    }
    QString text = host.toString();
    if (host.protocol() == QAbstractSocket::IPv6Protocol)
        text = QLatin1Char('[') + text + QLatin1Char(']');
    return QStringLiteral("http://") + text + QLatin1Char(':') + QString::number(m_port) +
           QLatin1Char('/');
}

void WallServer::setPage(QByteArray html) {
    m_page = std::move(html);
}

} // namespace rh
