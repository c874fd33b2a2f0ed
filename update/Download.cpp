#include "update/Download.h"

#include "base/ProgramInfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QTimer>

#include <mutex>

namespace update {

namespace {

// The settings for tests live behind one lock: the download thread reads them too.
std::mutex g_settingsMutex;
QString g_serverBase;
QList<QSslCertificate> g_trusted;
int g_versionTimeoutMs = 5000;
int g_transferTimeoutMs = 30000;
int g_downloadDeadlineMs = kDownloadDeadlineMs;

// How often a running download looks at the stop request.
constexpr int kStopPollMs = 50;

// The version file is a number; anything longer is not a version file.
constexpr qint64 kMaxVersionBytes = 4096;
// No installer is bigger than this; a server that sends more is not sending an installer.
constexpr qint64 kMaxInstallerBytes = qint64(1) << 30;

QString overridingBase()
{
    {
        const std::lock_guard lock(g_settingsMutex);
        if (!g_serverBase.isEmpty())
            return g_serverBase;
    }
    return qEnvironmentVariable(kServerBaseVariable);
}

bool succeeded(const QNetworkReply &reply)
{
    if (reply.error() != QNetworkReply::NoError)
        return false;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

QNetworkRequest makeRequest(const QUrl &url, const QString &agent, int transferTimeout)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, agent);
    // Every answer comes from the server itself, never from a cache.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(transferTimeout);
    applyTlsSettings(request);
    return request;
}

} // namespace

QString versionServerBase()
{
    const QString base = overridingBase();
    return base.isEmpty() ? QStringLiteral("https://") + QString::fromUtf16(programinfo::kMakerHost)
                          : base;
}

QString installerServerBase()
{
    const QString base = overridingBase();
    return base.isEmpty()
        ? QStringLiteral("https://") + QString::fromUtf16(programinfo::kDownloadHost)
        : base;
}

QUrl versionUrl()
{
    return QUrl(versionServerBase() + QString::fromUtf16(kVersionPath) + sessionQuery());
}

QString sessionQuery()
{
    static std::mutex mutex;
    static QRandomGenerator generator(
        static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() & 0xffffffff));
    const std::lock_guard lock(mutex);
    return QStringLiteral("?session=") + QString::number(generator.bounded(1000000));
}

QString installerFile()
{
    QString folder = qEnvironmentVariable("TEMP");
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QString::fromUtf16(kInstallerFileName));
}

int versionTimeoutMs()
{
    const std::lock_guard lock(g_settingsMutex);
    return g_versionTimeoutMs;
}

int transferTimeoutMs()
{
    const std::lock_guard lock(g_settingsMutex);
    return g_transferTimeoutMs;
}

int downloadDeadlineMs()
{
    const std::lock_guard lock(g_settingsMutex);
    return g_downloadDeadlineMs;
}

bool isSecureAddress(const QUrl &url)
{
    return url.isValid() && url.scheme().compare(u"https", Qt::CaseInsensitive) == 0
        && !url.host().isEmpty();
}

void applyTlsSettings(QNetworkRequest &request)
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    {
        const std::lock_guard lock(g_settingsMutex);
        if (!g_trusted.isEmpty())
            tls.setCaCertificates(g_trusted);
    }
    request.setSslConfiguration(tls);
}

std::optional<QByteArray> fetchVersionText(const QUrl &url)
{
    if (!isSecureAddress(url))
        return std::nullopt;
    QNetworkAccessManager manager;
    const int timeout = versionTimeoutMs();
    QNetworkReply *reply = manager.get(makeRequest(url, QStringLiteral("Pergol"), timeout));
    QByteArray content;
    bool tooLong = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        content += reply->readAll();
        if (content.size() > kMaxVersionBytes) {
            tooLong = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (reply->isOpen())
        content += reply->readAll();
    const bool ok = !tooLong && succeeded(*reply);
    delete reply;
    if (!ok)
        return std::nullopt;
    return content;
}

bool DownloadFile(const QString &address, const QString &target,
                  const std::function<bool()> &stopRequested)
{
    const auto stopNow = [&stopRequested] { return stopRequested && stopRequested(); };
    const QString agent = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QUrl url(address + sessionQuery());
    if (!isSecureAddress(url) || stopNow())
        return false;

    // QSaveFile writes beside target and removes its file unless committed: a stopped or
    // failed download leaves nothing partial behind.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(makeRequest(url, agent, transferTimeoutMs()));
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
        // An error page is not an installer: keep nothing until the server said "success".
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray block = reply->readAll();
        if (status < 200 || status >= 300 || writeFailed)
            return;
        if (file.write(block) != block.size() || written + block.size() > kMaxInstallerBytes) {
            writeFailed = true;
            reply->abort();
            return;
        }
        written += block.size();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(downloadDeadlineMs());
    stopPoll.start(kStopPollMs);
    if (!reply->isFinished())
        loop.exec();
    deadline.stop();
    stopPoll.stop();
    const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray();
    const bool answered = !abandoned && succeeded(*reply);
    delete reply;
    if (answered && !writeFailed && !rest.isEmpty()) {
        if (file.write(rest) != rest.size())
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

void setServerBaseForTesting(const QString &base)
{
    const std::lock_guard lock(g_settingsMutex);
    g_serverBase = base;
}

void setTrustedCertificatesForTesting(const QList<QSslCertificate> &certificates)
{
    const std::lock_guard lock(g_settingsMutex);
    g_trusted = certificates;
}

void setTimeoutsForTesting(int versionMs, int transferMs, int downloadMs)
{
    const std::lock_guard lock(g_settingsMutex);
    g_versionTimeoutMs = versionMs;
    g_transferTimeoutMs = transferMs;
    g_downloadDeadlineMs = downloadMs;
}

} // namespace update

TDownloadThread::TDownloadThread(QString address, QString target, QObject *parent)
    : QThread(parent)
    , m_address(std::move(address))
    , m_target(std::move(target))
{
}

TDownloadThread::~TDownloadThread()
{
    requestInterruption();
    wait();
}

void TDownloadThread::run()
{
    Execute();
}

void TDownloadThread::Execute()
{
    m_status.store(Running);
    try {
        if (isInterruptionRequested()) {
            m_status.store(NotDownloaded);
            return;
        }
        if (QFileInfo::exists(m_target))
            QFile::remove(m_target);
        if (isInterruptionRequested()) {
            m_status.store(NotDownloaded);
            return;
        }
        const bool done = update::DownloadFile(m_address, m_target,
                                               [this] { return isInterruptionRequested(); });
        m_status.store(done ? Downloaded : NotDownloaded);
    } catch (...) {
        m_status.store(NotDownloaded);
    }
}
