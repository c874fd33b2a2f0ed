#pragma once

#include <QByteArray>
#include <QHash>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QStringList>
#include <QThread>

#include <mutex>

class QTcpServer;

// An HTTPS server on the loopback interface for the update tests, with a self-signed
// certificate made by openssl for this run. It runs in a thread of its own, so that it keeps
// answering while the user-interface thread blocks (waiting for the download thread).
class HttpsTestServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0; // before the body is sent
        bool silent = false; // accept the connection, never answer
        int msPerByte = 0; // when set, the body trickles one byte at a time
    };

    HttpsTestServer();
    ~HttpsTestServer();

    bool isValid() const { return m_port != 0; }
    // "https://127.0.0.1:<port>"
    QString base() const;
    QSslCertificate certificate() const { return m_certificate; }

    // The answer for a path (without the query); unknown paths get 404.
    void setAnswer(const QString &path, const Answer &answer);
    // Every request's path and query, in order of arrival.
    QStringList requests() const;
    int connectionCount() const;

    // Called from the server's thread.
    Answer answerFor(const QString &path) const;
    void record(const QString &target);
    void countConnection();
    QSslKey key() const { return m_key; }

private:
    QThread m_thread;
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
    QSslCertificate m_certificate;
    QSslKey m_key;
    mutable std::mutex m_mutex;
    QHash<QString, Answer> m_answers;
    QStringList m_requests;
    int m_connections = 0;
};

// A closed port on the loopback interface: nothing answers there.
QString unreachableBase();
