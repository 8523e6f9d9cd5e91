#pragma once

#include <QString>
#include <QStringList>

// Where the form compiler and the value model send texts meant for the
// operator. The GUI shows each as a modal message window; the command-line
// tool and the tests collect them as lines.
class FormMessages
{
public:
    virtual ~FormMessages() = default;
    // Returns when the operator has seen the text.
    virtual void ShowMessage(const QString& text) = 0;
};

// Keeps every text in order, one line each.
class CollectedFormMessages : public FormMessages
{
public:
    void ShowMessage(const QString& text) override { m_lines << text; }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
