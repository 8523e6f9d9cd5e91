#include "config/config_file_name.h"

namespace {

// Everything up to and including the last "/"; empty when there is none.
QString FolderPart(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Position of the extension's "." in the file-name part, -1 when it has none.
qsizetype ExtensionDot(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > path.lastIndexOf(QLatin1Char('/')) ? dot : -1;
}

} // namespace

QString ConfigurationFileName(const QString& programFilePath, const QStringList& arguments)
{
    const QString ini = QStringLiteral(".ini");
    if (!arguments.isEmpty() && !arguments.first().startsWith(QLatin1Char('-'))) {
        QString name = arguments.first();
        if (FolderPart(name).isEmpty())
            name.prepend(FolderPart(programFilePath));
        if (ExtensionDot(name) < 0)
            name += ini;
        return name;
    }
    const qsizetype dot = ExtensionDot(programFilePath);
    return (dot < 0 ? programFilePath : programFilePath.left(dot)) + ini;
}
