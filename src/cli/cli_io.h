#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The streams of one command-line run. Text on the terminal side is UTF-8;
// the codec commands read and write raw bytes. Output is collected and
// written out by the caller, so tests can run commands in-process.
class CliIo
{
public:
    explicit CliIo(QIODevice& input) : m_input(input) {}

    QByteArray ReadBytes();
    QString ReadText();
    // Input text with one trailing line break removed: what a terminal or
    // `echo` appends is not part of the text.
    QString ReadLineText();

    void WriteBytes(const QByteArray& bytes) { m_out += bytes; }
    void WriteText(const QString& text) { m_out += text.toUtf8(); }
    void WriteLine(const QString& line);

    // A line on the error stream: errors, and notes that must not mix with
    // the result.
    void WriteError(const QString& line);
    // Records the error text and returns the failure exit code.
    int Fail(const QString& error);

    const QByteArray& Out() const { return m_out; }
    const QByteArray& Err() const { return m_err; }

private:
    QIODevice& m_input;
    QByteArray m_out;
    QByteArray m_err;
};

inline constexpr int kCliSuccess = 0;
inline constexpr int kCliFailure = 1;
