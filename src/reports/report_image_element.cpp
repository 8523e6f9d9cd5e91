#include "reports/report_elements.h"

#include "reports/report_state.h"
#include "reports/report_words.h"

#include <QDir>
#include <QFile>

namespace {

// Picture names come from the server's data; a report may show what lies in
// its own folder, never a file elsewhere on the workstation.
bool StaysInFolder(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'/') || QDir::isAbsolutePath(name))
        return false;
    const QStringList parts = name.split(u'/');
    return !parts.contains(QStringLiteral(".."));
}

// The declared type must be what the file holds: a bitmap named JPG is not
// drawn.
bool HoldsType(const QString& path, const QString& type)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(8);
    if (type == u"BMP")
        return head.startsWith("BM");
    if (type == u"JPG")
        return head.startsWith("\xFF\xD8\xFF");
    if (type == u"PNG")
        return head == QByteArray("\x89PNG\r\n\x1A\n", 8);
    return false;
}

// Stretches the picture into the rectangle; any failure draws nothing.
void draw_image(Surface& surface, SurfacePoint topLeft, SurfacePoint bottomRight,
                const QString& type, const QString& path)
{
    if (!HoldsType(path, type))
        return;
    surface.StretchDraw(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, path);
}

} // namespace

void draw_image_element(ElementContext& element)
{
    // Folder names may be written the Windows way.
    const QString name = element.Expand(element.Word(1)).replace(u'\\', u'/');
    const SurfacePoint topLeft{element.X(element.Word(2)), element.Y(element.Word(3))};
    const SurfacePoint bottomRight{element.X(element.Word(4)), element.Y(element.Word(5))};
    const QString type = element.Word(6);
    if (StaysInFolder(name))
        draw_image(element.surface, topLeft, bottomRight, type,
                   element.state.imageDirectory + name);
}
