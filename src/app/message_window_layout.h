#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// The layout of the program's message windows (errors, notices, questions):
// an icon and a text, and a row of buttons centred below them. The window
// measures its text; these functions size the window and place the buttons.

// Answer codes of a question.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
// The answer of a window closed without a button.
inline constexpr int kAnswerCancel = 2;

enum class MessageKind
{
    Error = 0,
    Notice = 2,
    Question = 4
};

// Buttons in columns of a given width, in rows.
struct MessageButtonGrid
{
    int columns = 1;
    int buttonWidth = 80;
    int rows = 1;
};

struct MessageButton
{
    QString caption;
    int answer = 0;
    bool first = false; // first in the tab order: it has the focus
};

struct MessageWindowSpec
{
    QString caption; // "Błąd!", "Komunikat", "Pytanie"
    MessageButtonGrid grid;
    std::vector<MessageButton> buttons; // in creation order
};

// The window of a kind; a question marks the button of `defaultAnswer`.
MessageWindowSpec MessageWindowFor(MessageKind kind, int defaultAnswer);

// Where the icon and the text sit.
inline constexpr int kMessageIconLeft = 16;
inline constexpr int kMessageIconTop = 16;
inline constexpr int kMessageIconSize = 32;
inline constexpr int kMessageTextLeft = 66;
inline constexpr int kMessageTextTop = 16;

// The client size for a text measured (word-wrapped at half the screen's
// width) as `textSize`.
QSize MessageClientSize(const MessageButtonGrid& grid, QSize textSize);
// Button number `k` (1-based) in a window of client size `client`.
QRect MessageButtonRect(const MessageButtonGrid& grid, QSize client, int k);
