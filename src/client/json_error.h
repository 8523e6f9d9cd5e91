#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The one failure of the JSON model: a wrong-kind access or a syntax error in
// a parsed text. It never leaves the HTTPS client, which turns it into its
// error text.
class TJSONError : public std::exception
{
public:
    explicit TJSONError(const QString& text);

    const QString& Text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
