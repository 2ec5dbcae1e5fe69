#pragma once
// WallServer: the read-only standings server for the players' phones. It answers GET and HEAD of
// "/" with the page its owner last gave it (setPage), "404 Not Found" for every other path and
// "405 Method Not Allowed" for every other method, to any number of phones at once. It never
// reads the tournament: the owner (the window, or rankhall-cli serve) builds the wall page and
// hands it over after every change. It runs on the thread that owns it, inside that thread's
// event loop; the owner owns the server, the server owns its sockets.

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <cstdint>
#include <memory>

namespace rh {

class WallServer {
public:
    WallServer();
    ~WallServer();
    WallServer(const WallServer&) = delete;
    WallServer& operator=(const WallServer&) = delete;

    /// Starts listening on the address and port (0: any free port). False, with errorString(),
    /// when the port cannot be had; a server already listening is closed first.
    bool listen(const QHostAddress& address, quint16 port);
    /// Stops listening and drops every connection.
    void close();
    bool isListening() const;
    /// The port listened on, 0 when not listening.
    quint16 port() const { return m_port; }
    QHostAddress address() const { return m_address; }
    QString errorString() const { return m_error; }

    /// The address phones open: "http://host:port/". For a server listening on every address,
    /// host is this machine's first IPv4 address that is not a loopback one (the loopback address
    /// when there is none).
    QString shareUrl() const;

    /// The page answered from now on (HTML text). Before the first page, "/" answers
    /// "503 Service Unavailable".
    void setPage(QByteArray html);
    const QByteArray& page() const { return m_page; }

    /// Requests answered since the server was made, whatever the answer.
    std::uint64_t requestCount() const { return m_requests; }

private:
    class Http;
    friend class Http;

    std::unique_ptr<Http> m_http;
    QByteArray m_page;
    QHostAddress m_address;
    quint16 m_port = 0;
    QString m_error;
    std::uint64_t m_requests = 0;
};

} // namespace rh
