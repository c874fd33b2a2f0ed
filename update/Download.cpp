#include "update/Download.h"

#include "base/Plugins.h"
#include "base/ProgramInfo.h"
#include "update/NetworkTransport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

#include <mutex>

namespace update {

namespace {

// The settings for tests live behind one lock: the download thread reads them too.
std::mutex g_settingsMutex;
QString g_serverBase;
QList<QByteArray> g_trusted;
int g_versionTimeoutMs = 5000;
int g_transferTimeoutMs = 30000;
int g_downloadDeadlineMs = kDownloadDeadlineMs;

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

TransferSettings settings(const QString &agent, int transferTimeoutMs, int deadlineMs,
                          qint64 maxBytes)
{
    TransferSettings result;
    result.userAgent = agent;
    result.transferTimeoutMs = transferTimeoutMs;
    result.deadlineMs = deadlineMs;
    result.maxBytes = maxBytes;
    const std::lock_guard lock(g_settingsMutex);
    result.trustedCertificates = g_trusted;
    return result;
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

NetworkTransport *networkTransport()
{
    QString problem;
    NetworkTransport *transport
        = plugins::load<NetworkTransport>(QStringLiteral("libpergolan_network.so"), &problem);
    // The update check stays silent, as without a network; the reason goes to the log.
    if (!transport)
        std::fprintf(stderr, "Pergolan: no network plugin: %s\n", qPrintable(problem));
    return transport;
}

std::optional<QByteArray> fetchVersionText(const QUrl &url)
{
    if (!isSecureAddress(url))
        return std::nullopt;
    NetworkTransport *transport = networkTransport();
    if (!transport)
        return std::nullopt;
    const int timeout = versionTimeoutMs();
    return transport->fetch(url,
                            settings(QStringLiteral("Pergol"), timeout, timeout, kMaxVersionBytes));
}

bool DownloadFile(NetworkTransport *transport, const QString &address, const QString &target,
                  const std::function<bool()> &stopRequested)
{
    const QString agent = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QUrl url(address + sessionQuery());
    if (!transport || !isSecureAddress(url) || (stopRequested && stopRequested()))
        return false;
    return transport->download(
        url, target, settings(agent, transferTimeoutMs(), downloadDeadlineMs(), kMaxInstallerBytes),
        stopRequested);
}

void setServerBaseForTesting(const QString &base)
{
    const std::lock_guard lock(g_settingsMutex);
    g_serverBase = base;
}

void setTrustedCertificatesForTesting(const QList<QByteArray> &pemCertificates)
{
    const std::lock_guard lock(g_settingsMutex);
    g_trusted = pemCertificates;
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
    , m_transport(update::networkTransport())
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
        const bool done = update::DownloadFile(m_transport, m_address, m_target,
                                               [this] { return isInterruptionRequested(); });
        m_status.store(done ? Downloaded : NotDownloaded);
    } catch (...) {
        m_status.store(NotDownloaded);
    }
}
