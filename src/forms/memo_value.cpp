#include "forms/memo_value.h"

namespace {

const QString kParagraph = QStringLiteral("\x1b/");

} // namespace

QString MemoShownText(const QString& stored)
{
    QString shown = stored;
    return shown.replace(kParagraph, QStringLiteral("\n"));
}

QString MemoStoredText(const QString& shown, bool multiLine)
{
    if (!multiLine)
        return WithoutControlCharacters(shown);
    QString stored = shown;
    stored.replace(QStringLiteral("\r\n"), kParagraph);
    stored.replace(u'\n', kParagraph);
    stored.replace(u'\r', kParagraph);
    return stored;
}

QString WithoutControlCharacters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 32)
            kept += c;
    }
    return kept;
}
