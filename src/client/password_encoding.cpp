#include "client/password_encoding.h"

// Each character becomes the decimal text of challenge + index + code + 1,
// preceded by its length as one digit; the digits are then taken alternately
// from the end and from the front of that string.
QString EncodePassword(const QString& password, qint32 challenge)
{
    if (challenge == 0)
        return password;
    QString digits;
    for (qsizetype i = 0; i < password.size(); ++i) {
        const qint64 number = qint64{challenge} + i + password.at(i).unicode() + 1;
        const QString text = QString::number(number);
        digits += QString::number(text.size()) + text;
    }
    QString mixed;
    mixed.reserve(digits.size());
    qsizetype front = 0;
    qsizetype back = digits.size() - 1;
    while (front <= back) {
        mixed += digits.at(back--);
        if (front <= back)
            mixed += digits.at(front++);
    }
    return mixed;
}
