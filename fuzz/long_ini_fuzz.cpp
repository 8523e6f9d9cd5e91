// Arbitrary bytes as a long settings file: the reader must take anything a
// disk can hold, and every entry it lists must be found again by its key.
#include "config/long_ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString InputPath()
{
    static const QTemporaryDir dir;
    return dir.filePath(QStringLiteral("long.ini"));
}

void WriteInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = InputPath();
    WriteInput(path, data, size);
    const TLongIniFile file(path);
    for (const QString& section : file.ReadSections()) {
        QStringList lines;
        file.ReadSectionValues(section, lines);
        for (const QString& line : lines) {
            const QString key = line.left(line.indexOf(QLatin1Char('=')));
            if (key.isEmpty() || !file.ValueExists(section, key))
                std::abort();
            file.ReadString(section, key, QString());
            file.ReadInteger(section, key, 0);
        }
    }
    return 0;
}
