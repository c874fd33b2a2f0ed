#include "tests/support/HttpsTestServer.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QMetaObject>
#include <QProcess>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class Server : public QTcpServer
{
public:
    explicit Server(HttpsTestServer *owner)
        : m_owner(owner)
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        m_owner->countConnection();
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(m_owner->certificate());
        socket->setPrivateKey(m_owner->key());
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            const QString target
                = requestLine.size() > 1 ? QString::fromLatin1(requestLine.at(1)) : QString();
            m_owner->record(target);
            const HttpsTestServer::Answer answer = m_owner->answerFor(QUrl(target).path());
            if (answer.silent)
                return;
            QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status)
                + (answer.status == 200 ? " OK" : " Not Found")
                + "\r\nContent-Length: " + QByteArray::number(answer.body.size())
                + "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
            socket->write(head);
            const auto sendBody = [socket, body = answer.body] {
                socket->write(body);
                socket->disconnectFromHost();
            };
            if (answer.msPerByte > 0) {
                // The timer belongs to the socket: it stops when the client goes away.
                auto *trickle = new QTimer(socket);
                auto sent = std::make_shared<qsizetype>(0);
                QObject::connect(trickle, &QTimer::timeout, socket,
                                 [socket, trickle, sent, body = answer.body] {
                                     if (*sent >= body.size()) {
                                         trickle->stop();
                                         socket->disconnectFromHost();
                                         return;
                                     }
                                     socket->write(body.mid((*sent)++, 1));
                                 });
                trickle->start(answer.msPerByte);
            } else if (answer.delayMs > 0)
                QTimer::singleShot(answer.delayMs, socket, sendBody);
            else
                sendBody();
        });
        socket->startServerEncryption();
    }

private:
    HttpsTestServer *m_owner;
};

} // namespace

HttpsTestServer::HttpsTestServer()
{
    QTemporaryDir dir;
    const QString keyPath = dir.filePath(QStringLiteral("key.pem"));
    const QString certPath = dir.filePath(QStringLiteral("cert.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                    QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                    keyPath, QStringLiteral("-out"), certPath, QStringLiteral("-days"),
                    QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                    QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1") });
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        ADD_FAILURE() << "openssl failed: " << openssl.readAllStandardError().toStdString();
        return;
    }
    m_certificate = QSslCertificate(readFileBytes(certPath), QSsl::Pem);
    m_key = QSslKey(readFileBytes(keyPath), QSsl::Rsa, QSsl::Pem);
    if (m_certificate.isNull() || m_key.isNull()) {
        ADD_FAILURE() << "cannot read the test certificate";
        return;
    }

    m_server = new Server(this);
    m_server->moveToThread(&m_thread);
    m_thread.start();
    quint16 port = 0;
    QMetaObject::invokeMethod(
        m_server,
        [this, &port] {
            if (m_server->listen(QHostAddress::LocalHost, 0))
                port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
    m_port = port;
    if (m_port == 0)
        ADD_FAILURE() << "test server cannot listen";
}

HttpsTestServer::~HttpsTestServer()
{
    if (m_server)
        QMetaObject::invokeMethod(
            m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString HttpsTestServer::base() const
{
    return QStringLiteral("https://127.0.0.1:") + QString::number(m_port);
}

void HttpsTestServer::setAnswer(const QString &path, const Answer &answer)
{
    const std::lock_guard lock(m_mutex);
    m_answers.insert(path, answer);
}

QStringList HttpsTestServer::requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

int HttpsTestServer::connectionCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_connections;
}

HttpsTestServer::Answer HttpsTestServer::answerFor(const QString &path) const
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_answers.constFind(path);
    if (it == m_answers.constEnd())
        return Answer { .status = 404,
                        .body = QByteArrayLiteral("<html><body>Nicht gefunden</body></html>") };
    return *it;
}

void HttpsTestServer::record(const QString &target)
{
    const std::lock_guard lock(m_mutex);
    m_requests.append(target);
}

void HttpsTestServer::countConnection()
{
    const std::lock_guard lock(m_mutex);
    ++m_connections;
}

QString unreachableBase()
{
    // A port that was free a moment ago and that nobody listens on now.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("https://127.0.0.1:") + QString::number(port);
}
