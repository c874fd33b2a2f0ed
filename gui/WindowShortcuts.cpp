#include "gui/WindowShortcuts.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace {

struct ButtonKey
{
    const char *button; // the button's object name
    QKeyCombination key;
    const char *keyText; // as a German keyboard labels it
};

constexpr ButtonKey kButtonKeys[] = {
    { "BtnNew", Qt::CTRL | Qt::Key_N, "Strg+N" },
    { "BtnOpen", Qt::CTRL | Qt::Key_O, "Strg+O" },
    { "btnSave", Qt::CTRL | Qt::Key_S, "Strg+S" },
    { "btnPrint", Qt::CTRL | Qt::Key_P, "Strg+P" },
    { "BtnHilfe", QKeyCombination(Qt::Key_F1), "F1" },
    { "BtnExit", Qt::CTRL | Qt::Key_Q, "Strg+Q" },
};

} // namespace

void installWindowShortcuts(QWidget &window)
{
    for (const ButtonKey &entry : kButtonKeys) {
        auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(entry.button));
        if (!button)
            continue;
        auto *shortcut = new QShortcut(QKeySequence(entry.key), &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
        button->setToolTip(button->toolTip() + QStringLiteral(" (")
                           + QLatin1StringView(entry.keyText) + u')');
    }
}
