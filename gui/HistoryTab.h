#pragma once

#include "storage/PreparationHistory.h"

#include <QFutureWatcher>
#include <QWidget>

#include <memory>

class HymnIndexSource;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QStandardItemModel;
class QTreeView;
class PreparationDocument;

// The tab "Verlauf": what was prepared for the chosen day before (upper part) and which hymns
// were sung how often in a period (lower part), both from the saved preparations of the data
// folder. The folder is read on a worker thread; a newer reading supersedes an older one.
class HistoryTab : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryTab(const PreparationDocument &document, QWidget *parent = nullptr);
    ~HistoryTab() override;

    // Reads the data folder again (in the background) and refills both tables.
    void refresh();

    // The weeks within which a hymn counts as sung lately are set here, beside the button that
    // reads a parish's list of hymns in.
    void setHymnIndex(HymnIndexSource &source);

signals:
    // Both tables show the result of the latest reading.
    void filled();
    // A double click on a saved preparation: it is to be opened as "Öffnen" does.
    void openRequested(const QString &path);
    void statusText(const QString &text);
    // "Liedplan …": the hymn plan of the coming services is asked for.
    void hymnPlanRequested();
    // "Liederverzeichnis einlesen …".
    void hymnListRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls, named as their objectName.
    QLabel *lblVerlaufTag = nullptr;
    QTreeView *grdVorbereitungen = nullptr;
    QDateEdit *dtpVon = nullptr;
    QDateEdit *dtpBis = nullptr;
    QLineEdit *txtLiedFilter = nullptr;
    QTreeView *grdLieder = nullptr;
    QLabel *lblVerlaufStatus = nullptr;
    QPushButton *btnLiedplan = nullptr;
    QPushButton *btnLiederverzeichnis = nullptr;
    QSpinBox *spnWiederholungWochen = nullptr;

    void finishForShowing();
    void scanFinished(QFutureWatcher<history::Scan> *watcher, quint64 generation);
    void fillPreparations();
    void fillHymns();
    void openPreparation(const QModelIndex &index);

    const PreparationDocument &m_document;
    QStandardItemModel *m_preparations = nullptr;
    QStandardItemModel *m_hymns = nullptr;
    QSortFilterProxyModel *m_hymnFilter = nullptr;
    std::shared_ptr<const history::Scan> m_scan;

    quint64 m_generation = 0;
    bool m_reading = false;
};
