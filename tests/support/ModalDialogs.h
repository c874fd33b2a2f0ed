#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class TfrmMain;
class QWidget;

// What a real message box showed.
struct ShownMessage
{
    QString text; // as its label shows it
    Qt::TextFormat format = Qt::AutoText; // the format of that label
};

// Answers the real modal dialogs of the program while a test runs: message boxes are recorded
// and go to the next expected message-box handler, or without one are closed with their
// escape button (OK, No, Abbrechen); every other dialog goes to the next expected handler. A dialog
// nobody expected fails the test and is rejected, so no test waits for a dialog nobody sees.
class ModalDialogs : public QObject
{
public:
    using Handler = std::function<void(QWidget &dialog)>;

    ModalDialogs();
    ~ModalDialogs() override;

    void expect(Handler handler) { m_handlers.push_back(std::move(handler)); }
    void expectMessageBox(Handler handler) { m_boxHandlers.push_back(std::move(handler)); }
    std::size_t pendingHandlers() const { return m_handlers.size() + m_boxHandlers.size(); }

    QList<ShownMessage> messages;

private:
    void answer();

    QTimer m_timer;
    std::deque<Handler> m_handlers;
    std::deque<Handler> m_boxHandlers;
    QPointer<QWidget> m_answered;
};

// A handler for Qt's own file dialog widget: puts name into the file-name field (unless name
// is empty, which keeps what the dialog proposes) and presses Save or Open. The name the field
// held before typing goes to *proposed. A native dialog, which a test cannot drive, fails.
ModalDialogs::Handler acceptFileDialog(const QString &name, QString *proposed = nullptr);

// Message-box handlers: press the box's button with this role (Ja, Nein, Abbrechen), press the
// Escape or the Enter key on it, or close it as its title bar's close button does.
ModalDialogs::Handler pressMessageBoxButton(int standardButton);
ModalDialogs::Handler pressEscapeOnMessageBox();
ModalDialogs::Handler pressEnterOnMessageBox();
ModalDialogs::Handler closeMessageBox();

// The main window with the platform's real dialogs and without the update check.
std::unique_ptr<TfrmMain> makeMainWindowWithQtDialogs();
