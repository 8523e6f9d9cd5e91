#include "password_check.h"

#include "client/password_encoding.h"

std::optional<QString> DecodePassword(const QString& encoded, qint32 challenge)
{
    if (challenge == 0)
        return encoded;
    // The encoding took digits alternately from the back and the front of
    // the digit string; put them back in place.
    const qsizetype size = encoded.size();
    QString digits(size, QLatin1Char('0'));
    qsizetype front = 0;
    qsizetype back = size - 1;
    for (qsizetype i = 0; i < size; ++i)
        digits[(i % 2 == 0) ? back-- : front++] = encoded.at(i);

    QString password;
    qsizetype position = 0;
    while (position < digits.size()) {
        const int length = digits.at(position).digitValue();
        if (length < 1 || position + 1 + length > digits.size())
            return std::nullopt;
        bool ok = false;
        const qint64 number = digits.mid(position + 1, length).toLongLong(&ok);
        const qint64 code = number - challenge - password.size() - 1;
        if (!ok || code < 0 || code > 0xFFFF)
            return std::nullopt;
        password += QChar(static_cast<char16_t>(code));
        position += 1 + length;
    }
    // Signs, blanks or leading zeros would parse but are no encoding.
    if (EncodePassword(password, challenge) != encoded)
        return std::nullopt;
    return password;
}

bool PasswordMatches(const QString& sent, const QString& password, qint32 challenge)
{
    return sent == EncodePassword(password, challenge);
}
