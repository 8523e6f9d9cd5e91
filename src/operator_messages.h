#pragma once

#include <QString>
#include <QStringList>

// Where the core sends texts meant for the operator: the form compiler, the
// value model, the report description and the exports. The GUI shows each
// as a modal message window; the command-line tool writes them to standard
// error, and the tests collect them as lines.
class OperatorMessages
{
public:
    virtual ~OperatorMessages() = default;
    // Returns when the operator has seen the text.
    virtual void ShowMessage(const QString& text) = 0;
};

// Keeps every text in order, one line each.
class CollectedMessages : public OperatorMessages
{
public:
    void ShowMessage(const QString& text) override { m_lines << text; }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
