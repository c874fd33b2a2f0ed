// The plugin with the HTTPS requests of the update check, loaded through QPluginLoader the
// first time the version file is asked for. The only code of the program that links Qt's
// network library.
#include "update/NetworkTransport.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>

namespace {

// How often a running download looks at the stop request.
constexpr int kStopPollMs = 50;

bool succeeded(const QNetworkReply &reply)
{
    if (reply.error() != QNetworkReply::NoError)
        return false;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

QNetworkRequest makeRequest(const QUrl &url, const update::TransferSettings &settings)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, settings.userAgent);
    // Every answer comes from the server itself, never from a cache.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(settings.transferTimeoutMs);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!settings.trustedCertificates.isEmpty()) {
        QList<QSslCertificate> trusted;
        for (const QByteArray &pem : settings.trustedCertificates)
            trusted += QSslCertificate::fromData(pem, QSsl::Pem);
        tls.setCaCertificates(trusted);
    }
    request.setSslConfiguration(tls);
    return request;
}

} // namespace

class QtNetworkTransport : public QObject, public NetworkTransport
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PERGOLAN_NETWORKTRANSPORT_IID)
    Q_INTERFACES(NetworkTransport)

public:
    std::optional<QByteArray> fetch(const QUrl &url,
                                    const update::TransferSettings &settings) override
    {
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(makeRequest(url, settings));
        QByteArray content;
        bool tooLong = false;
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
            content += reply->readAll();
            if (content.size() > settings.maxBytes) {
                tooLong = true;
                reply->abort();
            }
        });
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        deadline.start(settings.deadlineMs);
        if (!reply->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (reply->isOpen())
            content += reply->readAll();
        const bool ok = !tooLong && content.size() <= settings.maxBytes && succeeded(*reply);
        delete reply;
        if (!ok)
            return std::nullopt;
        return content;
    }

    bool download(const QUrl &url, const QString &target, const update::TransferSettings &settings,
                  const std::function<bool()> &stopRequested) override
    {
        const auto stopNow = [&stopRequested] { return stopRequested && stopRequested(); };
        // QSaveFile writes beside target and removes its file unless committed: a stopped or
        // failed download leaves nothing partial behind.
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            return false;

        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(makeRequest(url, settings));
        qint64 written = 0;
        bool writeFailed = false;
        bool abandoned = false;
        QEventLoop loop;
        const auto abandon = [&] {
            abandoned = true;
            reply->abort();
        };
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, reply, abandon);
        QTimer stopPoll;
        QObject::connect(&stopPoll, &QTimer::timeout, reply, [&] {
            if (stopNow())
                abandon();
        });
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
            // An error page is not what was asked for: keep nothing until the server said
            // "success".
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QByteArray block = reply->readAll();
            if (status < 200 || status >= 300 || writeFailed)
                return;
            if (file.write(block) != block.size() || written + block.size() > settings.maxBytes) {
                writeFailed = true;
                reply->abort();
                return;
            }
            written += block.size();
        });
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        deadline.start(settings.deadlineMs);
        stopPoll.start(kStopPollMs);
        if (!reply->isFinished())
            loop.exec();
        deadline.stop();
        stopPoll.stop();
        const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray();
        const bool answered = !abandoned && succeeded(*reply);
        delete reply;
        if (answered && !writeFailed && !rest.isEmpty()) {
            if (file.write(rest) != rest.size() || written + rest.size() > settings.maxBytes)
                writeFailed = true;
            else
                written += rest.size();
        }
        if (!answered || writeFailed || written == 0) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    }
};

#include "NetworkTransportPlugin.moc"
