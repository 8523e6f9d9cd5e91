#include "app/message_window_layout.h"

#include <algorithm>

namespace {

constexpr int kButtonGap = 8; // between buttons of a row
constexpr int kButtonHeight = 24;
constexpr int kBottomMargin = 16; // below the last row of buttons
constexpr int kRowPitch = 30;     // from one row of buttons to the next
constexpr int kTextRightMargin = 16;
constexpr int kButtonRowMargin = 32; // left and right of the row together
constexpr int kTextToButtons = 24 + 32;

// A grid always has at least one column and one row, so a wrong grid can
// never divide by zero.
int Columns(const MessageButtonGrid& grid)
{
    return std::max(grid.columns, 1);
}

int Rows(const MessageButtonGrid& grid)
{
    return std::max(grid.rows, 1);
}

int RowWidth(const MessageButtonGrid& grid)
{
    const int n = Columns(grid);
    return n * grid.buttonWidth + (n - 1) * kButtonGap;
}

} // namespace

MessageWindowSpec MessageWindowFor(MessageKind kind, int defaultAnswer)
{
    MessageWindowSpec window;
    switch (kind) {
    case MessageKind::Error:
        window.caption = QStringLiteral("Błąd!");
        window.grid = {1, 80, 1};
        window.buttons = {{QStringLiteral("Akceptacja"), 1, false}};
        break;
    case MessageKind::Question:
        window.caption = QStringLiteral("Pytanie");
        window.grid = {2, 80, 1};
        // With a default answer other than these, neither button is marked
        // and the tab order is the order of creation.
        window.buttons = {{QStringLiteral("Tak"), kAnswerYes, defaultAnswer == kAnswerYes},
                          {QStringLiteral("Nie"), kAnswerNo, defaultAnswer == kAnswerNo}};
        break;
    case MessageKind::Notice:
    default:
        window.caption = QStringLiteral("Komunikat");
        window.grid = {1, 80, 1};
        window.buttons = {{QStringLiteral("Akceptacja"), 1, false}};
        break;
    }
    return window;
}

QSize MessageClientSize(const MessageButtonGrid& grid, QSize textSize)
{
    const int width = std::max(RowWidth(grid) + kButtonRowMargin,
                               textSize.width() + kMessageTextLeft + kTextRightMargin);
    // The text is never less high than the icon beside it.
    const int height = kMessageTextTop + std::max(textSize.height(), kMessageIconSize) +
                       kTextToButtons + (Rows(grid) - 1) * kRowPitch;
    return QSize(width, height);
}

QRect MessageButtonRect(const MessageButtonGrid& grid, QSize client, int k)
{
    const int n = Columns(grid);
    const int index = k - 1;
    // The last row sits just above the bottom margin, earlier rows above it.
    const int top = client.height() - kButtonHeight - kBottomMargin +
                    (index / n - (Rows(grid) - 1)) * kRowPitch;
    const int left =
        (client.width() - RowWidth(grid)) / 2 + (index % n) * (grid.buttonWidth + kButtonGap);
    return QRect(left, top, grid.buttonWidth, kButtonHeight);
}
