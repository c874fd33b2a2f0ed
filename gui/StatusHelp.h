#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// The help text that the status bar shows while the mouse moves over a control (or, for the
// two combo boxes, when they receive the focus). std::nullopt: the control has no help text
// and leaves the status bar as it is; an empty string clears it.
std::optional<QString> statusHelpText(const QString &objectName);

class QComboBox;
class QWidget;

// Shows the help text of the control under the mouse (its statusHelpText, else the status tip
// its action gave it) through show. Only the control under the mouse explains itself: a move
// that arrives over a child came from there and must not let a group's background clear the
// text. Events of a scroll area's viewport count as the scroll area's.
class StatusHelpFilter : public QObject
{
public:
    StatusHelpFilter(std::function<void(const QString &)> show, QObject *parent);

    // Watches the controls' mouse moves (and their viewports').
    void watch(std::initializer_list<QWidget *> controls);
    // A combo box explains itself when it (or its typing field) receives the focus, not when
    // the mouse moves over it.
    void watchFocus(QComboBox *combo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> m_show;
};
