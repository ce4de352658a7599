#pragma once
#include <QString>
#include <stdexcept>

// A failure the user is told about by the general error handling. The text says
// in plain words what failed and why.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};
