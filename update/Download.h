#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <functional>
#include <optional>

class NetworkTransport;

// Talking to the maker's web server: the version file and the installer, always over HTTPS
// with the certificate checked. The requests themselves are made by the network plugin.
namespace update {

inline constexpr char16_t kVersionPath[] = u"/files/Startseite/Pergol/version.txt";
inline constexpr char16_t kInstallerPath[] = u"/files/Startseite/Pergol/pergol-setup.exe";
inline constexpr char16_t kInstallerFileName[] = u"pergol-setup.exe";
// The environment variable that points the update check at another server (scheme, host and
// port, e.g. "https://127.0.0.1:8443"); used for trials against a local server.
inline constexpr char kServerBaseVariable[] = "PERGOLAN_UPDATE_BASE";

// "https://" and the host that serves the version file, or the overriding base.
QString versionServerBase();
// "https://" and the host that serves the installer, or the overriding base.
QString installerServerBase();

// The version file's address with a fresh "session" number.
QUrl versionUrl();

// "?session=" and a random number from 0 to 999999. The numbers come from a generator seeded
// from the clock when it is first used, so that every request has an address of its own and
// no cache on the way can answer it. Safe to call from any thread.
QString sessionQuery();

// Where the installer is downloaded to: the folder named by TEMP (the system's temporary
// folder when TEMP is not set) and "pergol-setup.exe".
QString installerFile();

// How long the version file may take, in milliseconds, before the check gives up silently.
int versionTimeoutMs();
// How long a download may go without receiving a byte before it counts as failed.
int transferTimeoutMs();
// How long a whole download may take: a server that trickles the installer byte by byte must
// not keep the thread, and with it the closing of the program, busy for days.
inline constexpr int kDownloadDeadlineMs = 5 * 60 * 1000;
int downloadDeadlineMs();

// Only HTTPS addresses are ever requested; any other scheme (a base set to "http://...")
// means no request at all.
bool isSecureAddress(const QUrl &url);

// The network plugin, loaded the first time it is asked for; nullptr when it is missing or
// cannot be loaded (then the update check finds nothing, as without a network). Ask for it on
// the user-interface thread only.
NetworkTransport *networkTransport();

// Fetches the version file (at most a few kilobytes) with a bounded wait. nullopt when the
// server cannot be reached, answers with an error, or does not answer in time, and when the
// network plugin is missing.
std::optional<QByteArray> fetchVersionText(const QUrl &url);

// Fetches address (with "?session=" and a random number appended) into the file target through
// transport (nullptr: nothing is fetched). True only when the server answered with success and
// sent a non-empty body within the download deadline, which then replaces target as a whole;
// otherwise target is left as it was and nothing partial stays on disk. stopRequested is asked
// every few milliseconds throughout; once it says true, the transfer is abandoned. Blocks the
// calling thread.
bool DownloadFile(NetworkTransport *transport, const QString &address, const QString &target,
                  const std::function<bool()> &stopRequested = {});

// For tests: the server to talk to instead of the maker's (empty restores the real one),
// the certificates (PEM) to trust instead of the system's (empty restores them), the timeouts.
void setServerBaseForTesting(const QString &base);
void setTrustedCertificatesForTesting(const QList<QByteArray> &pemCertificates);
void setTimeoutsForTesting(int versionMs, int transferMs, int downloadMs = kDownloadDeadlineMs);

} // namespace update

// Downloads the installer in a thread of its own, started as soon as the update check knows
// that a newer version exists, before the user is asked.
class TDownloadThread : public QThread
{
    Q_OBJECT

public:
    enum Status : quint8 { Running = 0, NotDownloaded = 1, Downloaded = 2 };

    // The installer's address without query, and the file to write it to. Created on the
    // user-interface thread, which loads the network plugin for it.
    TDownloadThread(QString address, QString target, QObject *parent = nullptr);
    ~TDownloadThread() override;

    // 0 while running, then once 1 (stopped or failed) or 2 (downloaded).
    quint8 DownloadStatus() const { return m_status.load(); }

    // The thread body: deletes an old installer file, then downloads the new one. The stop
    // request (requestInterruption) is honoured at any time, also while data flows, so that
    // waiting for the thread's end never takes long.
    void Execute();

protected:
    void run() override;

private:
    QString m_address;
    QString m_target;
    NetworkTransport *m_transport = nullptr;
    std::atomic<quint8> m_status { Running };
};
