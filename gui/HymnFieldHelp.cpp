#include "gui/HymnFieldHelp.h"

#include "base/Clock.h"
#include "gui/DrawnIcons.h"
#include "gui/HymnIndexSource.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStringListModel>

using namespace Qt::Literals::StringLiterals;

namespace {

// Hymn titles and day names are the pastor's own text: one that looks like markup is shown
// as it is written, not rendered.
QString toolTipOf(const QString &text)
{
    return text.contains(u'<') ? u"<p style='white-space:pre'>"_s + text.toHtmlEscaped() + u"</p>"_s
                               : text;
}

} // namespace

HymnFieldHelp::HymnFieldHelp(PreparationDocument &document, HymnIndexSource &source,
                             const QList<Control> &fields, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_source(source)
{
    m_fields.reserve(fields.size());
    for (const auto &[edit, lastSung, which] : fields) {
        Field field;
        field.edit = edit;
        field.lastSung = lastSung;
        field.field = which;
        field.offers = new QStringListModel(this);
        // The index chooses what fits the text typed; the list shows all of it.
        field.completer = new QCompleter(field.offers, this);
        field.completer->setObjectName(u"cpl"_s + edit->objectName().mid(3));
        field.completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        field.completer->setMaxVisibleItems(12);
        edit->setCompleter(field.completer);
        edit->installEventFilter(this);
        m_fields.append(field);
    }
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        QLineEdit *edit = m_fields.at(i).edit;
        // Before the field asks its completer: the list then holds what fits the new text.
        connect(edit, &QLineEdit::textEdited, this,
                [this, i](const QString &typed) { offer(m_fields[i], typed); });
        connect(edit, &QLineEdit::textChanged, this, [this, i] { describe(m_fields[i]); });
        // After the field took the chosen text: nothing more is offered.
        connect(m_fields.at(i).completer, qOverload<const QString &>(&QCompleter::activated), this,
                [this, i] {
                    m_fields[i].offers->setStringList({});
                    describe(m_fields[i]);
                });
    }
    connect(&source, &HymnIndexSource::changed, this, [this] {
        // Once the pastor has changed anything, the text is the pastor's.
        if (m_document.isModified())
            m_numberWeekHymns = false;
        numberWeekHymns();
        describeAll();
    });
    connect(&document, &PreparationDocument::dayChanged, this, &HymnFieldHelp::describeAll);
    connect(&document, &PreparationDocument::propersLoaded, this, [this] {
        m_numberWeekHymns = true;
        numberWeekHymns();
    });
    connect(&document, &PreparationDocument::fileLoading, this,
            [this] { m_numberWeekHymns = false; });
    // The day shown may have come from the propers before the fields got their help.
    m_numberWeekHymns = document.showsPropers();
    describeAll();
}

bool HymnFieldHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (Field &field : m_fields) {
            if (field.edit == watched) {
                m_source.request();
                if (!field.note.isEmpty())
                    emit statusText(field.note);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QDate HymnFieldHelp::serviceDate() const
{
    // A preparation without a day's date is for the coming service: a hymn sung today counts.
    const QDate date = QDate::fromString(m_document.dayStamp(), u"yyyyMMdd"_s);
    return date.isValid() ? date : appclock::today().addDays(1);
}

void HymnFieldHelp::offer(Field &field, const QString &typed)
{
    const hymnindex::Index *index = m_source.index();
    if (!index)
        m_source.request();
    const QStringList offers = index ? index->completions(typed) : QStringList();
    field.offers->setStringList(offers);
    field.completer->popup()->setAccessibleName(u"Liedvorschläge"_s);
    describe(field);
}

void HymnFieldHelp::describe(Field &field)
{
    const hymnindex::Index *index = m_source.index();
    const hymnindex::FieldNote note = index
        ? hymnindex::fieldNote(*index, field.edit->text(), serviceDate(), m_source.repeatWeeks(),
                               m_document.preparation().dayName)
        : hymnindex::FieldNote();
    field.note = note.text;
    field.edit->setToolTip(toolTipOf(note.text));
    const QStringList offers = field.offers->stringList();
    QString description = note.text;
    if (!offers.isEmpty() && field.edit->hasFocus())
        description = (offers.size() == 1
                           ? u"Vorschlag: %1 (Pfeil nach unten wählt ihn aus)"_s.arg(offers.first())
                           : u"%1 Vorschläge, der erste: %2 (Pfeil nach unten wählt aus)"_s
                                 .arg(offers.size())
                                 .arg(offers.first()))
            + (description.isEmpty() ? QString() : u". "_s + description);
    field.edit->setAccessibleDescription(description);
    if (note.recent && !field.mark) {
        field.mark
            = field.edit->addAction(drawnIcon(DrawnIcon::Repeat), QLineEdit::TrailingPosition);
        field.mark->setObjectName(u"act"_s + field.edit->objectName().mid(3) + u"Wiederholung"_s);
        field.mark->setText(u"Vor kurzem gesungen"_s);
    }
    if (field.mark) {
        field.mark->setVisible(note.recent);
        field.mark->setToolTip(toolTipOf(note.text));
    }
    if (field.lastSung) {
        field.lastSung->setText(note.text);
        field.lastSung->setToolTip(toolTipOf(note.text));
        field.lastSung->setAccessibleDescription(note.text);
        // Marked as the hymn plan marks such a hymn, dark on light in any colour scheme.
        field.lastSung->setAutoFillBackground(note.recent);
        QPalette palette;
        if (note.recent) {
            palette.setColor(QPalette::Window, HymnIndexSource::recentColour());
            palette.setColor(QPalette::WindowText, Qt::black);
        }
        field.lastSung->setPalette(palette);
    }
    if (field.edit->hasFocus() && !note.text.isEmpty())
        emit statusText(note.text);
}

void HymnFieldHelp::describeAll()
{
    for (Field &field : m_fields)
        describe(field);
}

void HymnFieldHelp::numberWeekHymns()
{
    const hymnindex::Index *index = m_source.index();
    if (!m_numberWeekHymns || !index)
        return;
    m_numberWeekHymns = false;
    // Numbering changes nothing the pastor did: the day stays as unchanged as it was (a day
    // being loaded counts as unchanged once it is in).
    const bool wasModified = m_document.isModified();
    for (const Field &field : std::as_const(m_fields)) {
        if (field.field != PreparationDocument::Field::Wochenlied)
            continue;
        const QString numbered = hymnindex::withNumbers(*index, m_document.text(field.field));
        if (numbered != m_document.text(field.field)) {
            m_document.setText(field.field, numbered);
            m_document.setModified(wasModified);
        }
    }
}
