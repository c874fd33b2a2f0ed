#include "gui/DateTyping.h"

#include "base/TypedDate.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace datetyping {

namespace {

class Typing : public QObject
{
public:
    Typing(QDateEdit &edit, QLineEdit &line)
        : QObject(&edit)
        , m_edit(edit)
        , m_line(line)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &m_edit)
            return false;
        if (event->type() == QEvent::FocusOut) {
            finish();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        return keyPressed(*static_cast<QKeyEvent *>(event));
    }

private:
    // True when the key was taken.
    bool keyPressed(const QKeyEvent &key)
    {
        const QString text = key.text();
        const bool dateCharacter = text.size() == 1 && (text.front().isDigit() || text == u".")
            && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (dateCharacter) {
            if (!m_active) {
                const int start
                    = m_line.hasSelectedText() ? m_line.selectionStart() : m_line.cursorPosition();
                if (start != 0 || !text.front().isDigit())
                    return false;
                m_active = true;
                m_typed.clear();
            }
            if (typeddate::canContinue(m_typed + text)) {
                m_typed += text;
                show();
                if (typeddate::complete(m_typed).isValid())
                    finish();
            }
            return true;
        }
        if (!m_active)
            return false;
        switch (key.key()) {
        case Qt::Key_Backspace:
            m_typed.chop(1);
            show();
            return true;
        case Qt::Key_Escape:
            m_typed.clear();
            finish();
            return true;
        default:
            // Return, Tab, an arrow key: the typing ends, and the field does the rest.
            finish();
            return false;
        }
    }

    // The text as typed, out of the field's own reading until it is a date.
    void show()
    {
        const QSignalBlocker block(&m_line);
        m_line.setText(m_typed);
        m_line.setCursorPosition(int(m_typed.size()));
    }

    void finish()
    {
        if (!m_active)
            return;
        m_active = false;
        const QDate date = typeddate::complete(m_typed);
        // Setting the date shows it in the field's format, also when it stays what it was.
        m_edit.setDate(date.isValid() ? date : m_edit.date());
    }

    QDateEdit &m_edit;
    QLineEdit &m_line;
    QString m_typed;
    bool m_active = false;
};

} // namespace

void install(QDateEdit &edit)
{
    if (auto *line = edit.findChild<QLineEdit *>())
        edit.installEventFilter(new Typing(edit, *line));
}

} // namespace datetyping
