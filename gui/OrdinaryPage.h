#pragma once

#include "base/Result.h"
#include "storage/LiturgicalTexts.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Dialogs;
class QMenu;
class QPlainTextEdit;
namespace Ui {
class OrdinaryPage;
}
namespace ordertext {
struct OrderInput;
}

// The tab "Ordinarium": the nine liturgical texts of the order. They start with the built-in
// texts; the text files of the program folder replace them at start-up, and the context menu
// of a memo that has a text file loads another file into it or saves it.
class OrdinaryPage : public QWidget
{
    Q_OBJECT

public:
    OrdinaryPage(Dialogs &dialogs, QWidget *parent = nullptr);
    ~OrdinaryPage() override;

    // Loads the text files of the program folder. A missing file leaves the built-in text; a
    // file that cannot be read fails, before the later files.
    Result<> loadTextFiles();

    // The lines of the nine memos into the input of the order text.
    void fillOrderInput(ordertext::OrderInput &input) const;

signals:
    void statusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPlainTextEdit *memo(liturgicaltexts::Memo which) const;
    void openTextFile();
    void saveTextFile();

    std::unique_ptr<Ui::OrdinaryPage> m_ui;
    Dialogs &m_dialogs;
    QMenu *m_menu = nullptr;
    // The memo whose context menu is open.
    QPointer<QPlainTextEdit> m_popupMemo;
};
