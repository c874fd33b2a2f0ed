#include "gui/HymnIndexSource.h"

#include "storage/ProgramSettings.h"

#include <QtConcurrent/QtConcurrentRun>

HymnIndexSource::HymnIndexSource(const QString &dataDir, QObject *parent)
    : QObject(parent)
    , m_dataDir(dataDir)
{
}

int HymnIndexSource::repeatWeeks() const
{
    if (!m_repeatWeeks)
        m_repeatWeeks = programsettings::repeatWeeks();
    return *m_repeatWeeks;
}

HymnIndexSource::~HymnIndexSource()
{
    // A build under way reads files only; the window waits for it rather than leave it
    // running into freed memory.
    if (m_watcher)
        m_watcher->waitForFinished();
}

HymnIndexSource::Built HymnIndexSource::build(const QString &dataDir)
{
    hymnindex::FolderIndex read = hymnindex::readDataFolder(dataDir);
    return { std::make_shared<const hymnindex::Index>(std::move(read.index)), read.listProblem };
}

void HymnIndexSource::request()
{
    m_requested = true;
    if (m_watcher || (!m_outdated && m_builtAgo.isValid() && m_builtAgo.elapsed() < kFreshMs))
        return;
    m_outdated = false;
    m_builtAgo.start();
    m_watcher = new QFutureWatcher<Built>(this);
    connect(m_watcher, &QFutureWatcher<Built>::finished, this, &HymnIndexSource::finished);
    m_watcher->setFuture(QtConcurrent::run(&HymnIndexSource::build, m_dataDir));
}

void HymnIndexSource::invalidate()
{
    m_outdated = true;
    if (m_requested)
        request();
}

void HymnIndexSource::finished()
{
    const Built built = m_watcher->result();
    m_watcher->deleteLater();
    m_watcher = nullptr;
    m_index = built.index;
    m_listProblem = built.listProblem;
    emit changed();
    // Something changed while the files were read: read them again.
    if (m_outdated)
        request();
}

Result<> HymnIndexSource::setRepeatWeeks(int weeks)
{
    m_repeatWeeks = weeks;
    emit changed();
    return programsettings::setRepeatWeeks(weeks);
}
