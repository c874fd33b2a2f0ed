#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// What the network plugin (libpergolan_network.so in the program folder) offers: HTTPS requests
// with the certificate checked. The program knows Qt's network library only through this
// interface, so that a start which asks nothing of the network does not load that library
// with its proxy and Kerberos libraries. The rules of the update check (which addresses, which
// limits) stay in the program; the plugin only carries them out.
namespace update {

struct TransferSettings
{
    QString userAgent;
    // No byte for this long ends the request as failed.
    int transferTimeoutMs = 30000;
    // The whole request may take no longer than this.
    int deadlineMs = 30000;
    // A longer answer is not what was asked for: the request fails.
    qint64 maxBytes = 0;
    // PEM certificates to trust instead of the system's; empty: the system's.
    QList<QByteArray> trustedCertificates;
};

} // namespace update

class NetworkTransport
{
public:
    virtual ~NetworkTransport() = default;
    // The body of a successful answer (2xx) to a GET of url, or nullopt when the server cannot
    // be reached, answers with an error, sends more than settings.maxBytes or does not finish
    // within settings.deadlineMs. Blocks the calling thread.
    virtual std::optional<QByteArray> fetch(const QUrl &url,
                                            const update::TransferSettings &settings)
        = 0;
    // Writes the body of a successful answer to a GET of url into target, replacing it as a
    // whole; true only when the body was not empty and everything was written. Otherwise target
    // is left as it was and nothing partial stays on disk. stopRequested is asked every few
    // milliseconds; once it says true, the transfer is abandoned. Blocks the calling thread.
    virtual bool download(const QUrl &url, const QString &target,
                          const update::TransferSettings &settings,
                          const std::function<bool()> &stopRequested)
        = 0;
};

#define PERGOLAN_NETWORKTRANSPORT_IID "example.pergolan.NetworkTransport/1.0"
Q_DECLARE_INTERFACE(NetworkTransport, PERGOLAN_NETWORKTRANSPORT_IID)
