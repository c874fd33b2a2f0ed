#pragma once

#include <QString>

#include <stdexcept>

// An error that ends the current operation and reaches the main window's general error
// report, which shows its German text in a message box and returns to the window.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }

    const QString &text() const { return m_text; }

private:
    QString m_text;
};
