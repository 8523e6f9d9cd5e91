#include "forms/form_picture.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Button pictures are small; a name that points at something huge (or at a
// device that never ends) must not stall the opening of a form.
constexpr qint64 kLargestPicture = 16 * 1024 * 1024;

} // namespace

FormPicture LoadFormPicture(const QString& path)
{
    FormPicture picture;
    picture.path = path;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kLargestPicture)
        return picture;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        picture.bytes = file.read(kLargestPicture);
    return picture;
}
