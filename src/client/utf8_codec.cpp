#include "client/utf8_codec.h"

QByteArray EncodeUtf8(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const unsigned u = c.unicode();
        if (u < 0x80) {
            out.append(static_cast<char>(u));
        } else if (u < 0x800) {
            out.append(static_cast<char>(0xC0 | (u >> 6)));
            out.append(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.append(static_cast<char>(0xE0 | (u >> 12)));
            out.append(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.append(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

QString DecodeUtf8(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    // A sequence cut off by the end of the data reads its missing bytes as 0.
    auto at = [&](qsizetype i) -> unsigned {
        return i < size ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype written = 0;
    qsizetype i = 0;
    while (i < size) {
        const unsigned a = at(i);
        unsigned unit;
        if (a < 0x80) {
            unit = a;
            i += 1;
        } else if ((a & 0xE0) == 0xC0) {
            unit = ((a << 6) & 0x7FF) | (at(i + 1) & 0x3F);
            i += 2;
        } else {
            unit = ((at(i + 1) << 6) & 0xFFF) | (at(i + 2) & 0x3F) | (a << 12);
            i += 3;
        }
        out[written++] = static_cast<char16_t>(unit & 0xFFFF);
    }
    text.truncate(written);
    return text;
}
