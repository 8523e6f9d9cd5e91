#include "app/report_form_file.h"

#include "client/ansi_codec.h"

#include <QSaveFile>
#include <QStringList>

QString WriteReportFormFile(const QString& path, const QString& form)
{
    QString text;
    for (const QString& piece : form.split(u'\r'))
        text += piece.trimmed() + QStringLiteral("\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeAnsi(text)) < 0 || !file.commit())
        return QStringLiteral("Błąd zapisywania pliku %1").arg(path);
    return QString();
}
