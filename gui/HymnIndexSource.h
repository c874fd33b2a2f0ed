#pragma once

#include "storage/HymnIndex.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>

#include <memory>
#include <optional>

// The hymn index of the data folder for the window. Nothing is read at start-up: the index is
// built on a worker thread when first asked for (a hymn field takes the focus, the window's
// first frame is on the screen), and built again when a save or a list read in makes it
// outdated. Also holds the weeks within which a hymn counts as sung lately.
class HymnIndexSource : public QObject
{
    Q_OBJECT

public:
    explicit HymnIndexSource(const QString &dataDir, QObject *parent = nullptr);
    ~HymnIndexSource() override;

    // Starts building unless a build is under way or the index is current: built since the
    // last change the program made, and less than kFreshMs ago (a colleague may have saved
    // into a shared data folder since).
    void request();
    static constexpr qint64 kFreshMs = 60 * 1000;
    // What the index was built from has changed: it is built again (at once when it had been
    // asked for before).
    void invalidate();

    // Null until the first build has ended.
    const hymnindex::Index *index() const { return m_index.get(); }
    // Why the parish's kept list of hymns was left out of the index; empty when it was not.
    const QString &listProblem() const { return m_listProblem; }
    const QString &dataDir() const { return m_dataDir; }

    // Read from the program's settings when first asked for.
    int repeatWeeks() const;
    // Keeps the weeks in the program's settings; the failure says why they could not be kept.
    Result<> setRepeatWeeks(int weeks);
    // What marks a hymn sung within those weeks, in the hymn fields and the plan.
    static QColor recentColour() { return QColor(255, 222, 150); }

signals:
    // The index was built (again) or the weeks changed.
    void changed();

private:
    struct Built
    {
        std::shared_ptr<const hymnindex::Index> index;
        QString listProblem;
    };
    static Built build(const QString &dataDir);
    void finished();

    QString m_dataDir;
    std::shared_ptr<const hymnindex::Index> m_index;
    QString m_listProblem;
    QFutureWatcher<Built> *m_watcher = nullptr;
    bool m_requested = false;
    bool m_outdated = true;
    QElapsedTimer m_builtAgo; // since the build now shown was started
    mutable std::optional<int> m_repeatWeeks;
};
