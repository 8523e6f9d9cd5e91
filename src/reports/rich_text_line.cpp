#include "reports/rich_text_line.h"

namespace {

constexpr char16_t kEsc = 0x1B;
constexpr char16_t kSub = 0x1A;

} // namespace

std::vector<RichTextPiece> SplitRichTextLine(const QString& line)
{
    std::vector<RichTextPiece> pieces;
    const QStringView all(line);
    qsizetype at = 0;
    while (at < all.size()) {
        const qsizetype esc = all.indexOf(QChar(kEsc), at);
        const qsizetype textEnd = esc < 0 ? all.size() : esc;
        if (textEnd > at)
            pieces.push_back({false, QChar(), all.mid(at, textEnd - at)});
        if (esc < 0)
            break;
        RichTextPiece command{true, QChar(), QStringView()};
        qsizetype argument = esc + 1;
        if (argument < all.size() && all[argument] != QChar(kSub))
            command.letter = all[argument++];
        const qsizetype sub = all.indexOf(QChar(kSub), argument);
        const qsizetype end = sub < 0 ? all.size() : sub;
        command.text = all.mid(argument, end - argument);
        pieces.push_back(command);
        at = sub < 0 ? all.size() : sub + 1;
    }
    return pieces;
}
