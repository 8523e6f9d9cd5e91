#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class CliIo;
class TNuraClient;

// The arguments of one operation as typed, read by their kinds.
class CallArguments
{
public:
    explicit CallArguments(QStringList values) : m_values(std::move(values)) {}

    qint32 Int(int index) const;
    qint16 Short(int index) const;
    quint8 Byte(int index) const;
    QChar Char(int index) const;
    QString Text(int index) const { return m_values.value(index); }

    // Checks every value against the kinds of `signature` ("i:i1 s:s1 ...");
    // the error text names the first one that does not fit.
    QString Check(const QString& operation, const QString& signature) const;

private:
    QStringList m_values;
};

// Prints results: records and answers as their count and then one field per
// line, texts as they are, transfers as true or false.
class CallOutput
{
public:
    explicit CallOutput(CliIo& io) : m_io(io) {}

    void Line(const QString& text);
    void Flag(bool value);
    // A transfer's result; an incomplete one fails the command.
    void Transfer(bool complete);
    bool Failed() const { return m_failed; }

    CliIo& Io() { return m_io; }

private:
    CliIo& m_io;
    bool m_failed = false;
};

struct CallOperation
{
    const char* name;
    // Space-separated kind:name pairs; kinds: i int32, n int16, b byte,
    // c character, s text.
    const char* signature;
    void (*run)(TNuraClient& client, const CallArguments& arguments, CallOutput& output);
};

// Every operation of the client, in the server's slot order.
const std::vector<CallOperation>& CallOperations();
