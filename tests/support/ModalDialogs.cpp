#include "tests/support/ModalDialogs.h"

#include "gui/FrmMain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

ModalDialogs::ModalDialogs()
{
    // Polled: a modal dialog runs its own event loop, in which the timer keeps firing.
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogs::answer);
    m_timer.start();
}

ModalDialogs::~ModalDialogs()
{
    EXPECT_TRUE(m_handlers.empty()) << m_handlers.size() << " expected dialog(s) never came";
    EXPECT_TRUE(m_boxHandlers.empty())
        << m_boxHandlers.size() << " expected message box(es) never came";
}

void ModalDialogs::answer()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == m_answered || !dialog->isVisible())
        return;
    m_answered = dialog;
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        messages.append({ label ? label->text() : box->text(),
                          label ? label->textFormat() : box->textFormat() });
        if (!m_boxHandlers.empty()) {
            const Handler handler = std::move(m_boxHandlers.front());
            m_boxHandlers.pop_front();
            handler(*box);
            return;
        }
        if (QAbstractButton *escape = box->escapeButton())
            escape->click();
        else
            box->reject();
        return;
    }
    if (m_handlers.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog->metaObject()->className() << " \""
                      << dialog->windowTitle().toStdString() << '"';
        if (auto *d = qobject_cast<QDialog *>(dialog))
            d->reject();
        else
            dialog->close();
        return;
    }
    const Handler handler = std::move(m_handlers.front());
    m_handlers.pop_front();
    handler(*dialog);
}

ModalDialogs::Handler acceptFileDialog(const QString &name, QString *proposed)
{
    return [name, proposed](QWidget &widget) {
        auto *dialog = qobject_cast<QFileDialog *>(&widget);
        auto *field
            = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        auto *buttons
            = dialog ? dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")) : nullptr;
        if (!field || !field->isVisible() || !buttons) {
            ADD_FAILURE() << "not Qt's own file dialog: " << widget.metaObject()->className();
            if (auto *d = qobject_cast<QDialog *>(&widget))
                d->reject();
            return;
        }
        if (proposed)
            *proposed = field->text();
        // The field has the focus, as when the user types: a dialog whose field lacks it
        // keeps showing (and returns) the file selected in its list instead.
        dialog->activateWindow();
        QApplication::processEvents();
        field->setFocus(Qt::OtherFocusReason);
        // Set, not typed key by key: typing opens the name completer's popup, which would
        // take the keys and the button press meant for the dialog.
        if (!name.isEmpty())
            field->setText(name);
        QPushButton *accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave
                                                  ? QDialogButtonBox::Save
                                                  : QDialogButtonBox::Open);
        if (!accept || !accept->isEnabled()) {
            ADD_FAILURE() << "the file dialog does not take \"" << field->text().toStdString()
                          << '"';
            dialog->reject();
            return;
        }
        accept->click();
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the file dialog stays open on \"" << name.toStdString() << '"';
            dialog->reject();
        }
    };
}

namespace {

QMessageBox *messageBoxOf(QWidget &widget)
{
    auto *box = qobject_cast<QMessageBox *>(&widget);
    if (!box)
        ADD_FAILURE() << "not a message box: " << widget.metaObject()->className();
    return box;
}

} // namespace

ModalDialogs::Handler pressMessageBoxButton(int standardButton)
{
    return [standardButton](QWidget &widget) {
        QMessageBox *box = messageBoxOf(widget);
        if (!box)
            return;
        QAbstractButton *button
            = box->button(static_cast<QMessageBox::StandardButton>(standardButton));
        if (!button) {
            ADD_FAILURE() << "the message box has no such button";
            box->reject();
            return;
        }
        button->click();
    };
}

ModalDialogs::Handler pressEscapeOnMessageBox()
{
    return [](QWidget &widget) {
        if (QMessageBox *box = messageBoxOf(widget)) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
            // A box that Escape does not close fails the test instead of holding it.
            QTimer::singleShot(2000, box, [box] {
                if (box->isVisible()) {
                    ADD_FAILURE() << "Escape does not close the message box";
                    box->reject();
                }
            });
        }
    };
}

ModalDialogs::Handler pressEnterOnMessageBox()
{
    return [](QWidget &widget) {
        if (QMessageBox *box = messageBoxOf(widget)) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
            QTimer::singleShot(2000, box, [box] {
                if (box->isVisible()) {
                    ADD_FAILURE() << "Enter does not close the message box";
                    box->reject();
                }
            });
        }
    };
}

ModalDialogs::Handler closeMessageBox()
{
    return [](QWidget &widget) {
        if (QMessageBox *box = messageBoxOf(widget))
            box->close();
    };
}

std::unique_ptr<TfrmMain> makeMainWindowWithQtDialogs()
{
    StartOptions options;
    options.skipUpdateCheck = true;
    return std::make_unique<TfrmMain>(nullptr, options);
}
