#pragma once

#include "gui/PreparationDocument.h"

#include <QDate>
#include <QList>
#include <QObject>

class HymnIndexSource;
class QAction;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;

// What the five hymn fields of "Proprium" get from the hymn index: while the pastor types, a
// list to complete from (the title to a number, the verses kept; the numbers to words of a
// title); when the hymn was last sung before the service, in the label under the field, the
// field's tooltip, the status bar while the field has the focus and the accessible
// descriptions; a mark in the field and its label when that was within the weeks the pastor set.
// The hymns of the week the propers give as titles get their numbers where the index knows them.
class HymnFieldHelp : public QObject
{
    Q_OBJECT

public:
    // A hymn field with the label that says when its hymn was last sung.
    struct Control
    {
        QLineEdit *edit;
        QLabel *lastSung;
        PreparationDocument::Field field;
    };
    HymnFieldHelp(PreparationDocument &document, HymnIndexSource &source,
                  const QList<Control> &fields, QObject *parent);

signals:
    void statusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field
    {
        QLineEdit *edit = nullptr;
        QLabel *lastSung = nullptr;
        PreparationDocument::Field field;
        QCompleter *completer = nullptr;
        QStringListModel *offers = nullptr;
        QAction *mark = nullptr; // made when first needed
        QString note;
    };

    void offer(Field &field, const QString &typed);
    void describe(Field &field);
    void describeAll();
    // The hymns of the week of a day just loaded from the propers, numbered when the index is
    // there or as soon as it comes, unless the pastor has changed the preparation by then.
    void numberWeekHymns();
    QDate serviceDate() const;

    PreparationDocument &m_document;
    HymnIndexSource &m_source;
    QList<Field> m_fields;
    bool m_numberWeekHymns = false;
};
