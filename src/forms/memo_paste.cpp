#include "forms/memo_paste.h"

QString MemoPasteText(const QString& clipboard, bool acceptsLineBreaks)
{
    if (acceptsLineBreaks)
        return clipboard;
    QString text = clipboard;
    text.remove(u'\n');
    text.replace(u'\r', u' ');
    return text;
}
