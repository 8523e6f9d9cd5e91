#pragma once

#include "app/message_window_layout.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;

// The message window: an icon, the text, and a centred row of buttons, each
// closing the window with its answer code. Sized to its text (word-wrapped at
// half the screen's width). Stays on top, centred on the screen.
class TOknoKomunikatu : public QDialog
{
    Q_OBJECT
public:
    TOknoKomunikatu(MessageKind kind, const QString& text, int defaultAnswer,
                    QWidget* parent = nullptr);

    const QString& Text() const;
    // The buttons in the order of the window's description ("Tak", "Nie").
    const std::vector<QPushButton*>& Buttons() const { return m_buttons; }
    // The answer code of each button, in the same order.
    const std::vector<int>& Answers() const { return m_answers; }

    // The close box and Escape give kAnswerCancel.
    void reject() override;

private:
    void AddButtons(const MessageWindowSpec& spec);
    QPushButton* MakeButton(const MessageButtonGrid& grid, const MessageButton& button, int number);

    QString m_message;
    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
    std::vector<QPushButton*> m_buttons;
    std::vector<int> m_answers;
};
