#pragma once

#include <QByteArray>
#include <QString>

// A picture named by a form (SPEED, MENU, FORM). The core keeps the file's
// bytes; the editors decode them. A file that is missing or cannot be read
// leaves the picture empty, and the form shows no picture, without a message.
struct FormPicture
{
    QString path;
    QByteArray bytes;

    bool isEmpty() const { return bytes.isEmpty(); }
};

FormPicture LoadFormPicture(const QString& path);
