#include "office/SermonDocument.h"

#include "base/DataPaths.h"
#include "office/OfficeBridge.h"

#include <QRandomGenerator>

namespace {

std::function<int()> &greetingDraw()
{
    static std::function<int()> draw;
    return draw;
}

} // namespace

Result<QString> sermonFolder(const QString &dataFolder, const QString &series)
{
    const Result<QString> folder = datapaths::seriesFolder(dataFolder, series);
    if (!folder)
        return folder;
    return *folder + QStringLiteral("/Predigten/");
}

Result<QString> sermonDocumentName(const QString &series, const QString &dayStamp,
                                   const QString &dayName)
{
    if (const QString problem = datapaths::fileNamePartProblem(dayName); !problem.isEmpty())
        return Failure { problem };
    return series + u' ' + dayStamp + QStringLiteral(" - ") + dayName + QStringLiteral(".odt");
}

QString sermonDocumentTitle(const QString &dayName, const QString &series)
{
    return dayName + QStringLiteral(", Predigtreihe ") + series;
}

QString PulpitGreeting(int draw)
{
    const QString greeting = draw == 0
        ? QStringLiteral("Friede sei mit euch von dem, der da ist, der da war und der da kommt im "
                         "Namen des Herrn!")
        : QStringLiteral("Gnade sei mit euch und Friede von Gott, unserm Vater, und dem Herrn "
                         "Jesus Christus!");
    return greeting + QStringLiteral("\n\rLiebe Gemeinde,");
}

QString PulpitGreeting()
{
    const auto &draw = greetingDraw();
    return PulpitGreeting(draw ? draw() : static_cast<int>(QRandomGenerator::global()->bounded(3)));
}

void setGreetingDrawForTesting(std::function<int()> draw)
{
    greetingDraw() = std::move(draw);
}

SermonOffice::SermonOffice()
{
    Result<OfficeBridge *> bridge = officebridge::load();
    if (!bridge) {
        m_problem = bridge.error();
        return;
    }
    m_session = (*bridge)->sermonSession();
}

SermonOffice::~SermonOffice() = default;

bool SermonOffice::connected() const
{
    return m_session && m_session->connected();
}

QString SermonOffice::problem() const
{
    return m_problem;
}

Result<bool> CreateSermonDocument(const SermonOffice &office, const QString &title,
                                  const QString &path, const SermonDocumentInput &input)
{
    if (!office.connected())
        return false;
    return office.m_session->createDocument(title, path, input, PulpitGreeting());
}
