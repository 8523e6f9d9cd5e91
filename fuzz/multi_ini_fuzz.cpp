// A settings file and one long file it may include, split at a line "=====":
// the first part is main.ini, the rest inc.ini in the same folder. Besides
// walking every section through the includes, one entry is written to the
// main file, and everything else in it must read back unchanged.
#include "config/ini_file.h"
#include "config/multi_ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QTemporaryDir& ScratchFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void WalkSections(const TMultiIniFile& ini)
{
    for (const QString& section : ini.ReadSections()) {
        QStringList lines;
        ini.ReadSectionValues(section, lines);
        for (const QString& line : lines) {
            const QString key = line.left(line.indexOf(QLatin1Char('=')));
            ini.ReadString(section, key, QString());
            ini.ReadInteger(section, key, 0);
        }
    }
}

// Writes one entry and checks the file on disk: the entry reads back, every
// other section and value is as before.
void CheckWriteBack(TMultiIniFile& ini, const QString& path, const QString& value)
{
    const QString section = QStringLiteral("FUZZ");
    const QString key = QStringLiteral("klucz");
    const IniFile before(path);
    if (!ini.Plain().WriteString(section, key, value).isEmpty())
        std::abort();
    const IniFile after(path);
    if (after.ReadString(section, key, QString()) != value)
        std::abort();
    QStringList sections = before.ReadSections();
    if (!before.SectionExists(section))
        sections.append(section);
    if (after.ReadSections() != sections)
        std::abort();
    for (const QString& name : before.ReadSections()) {
        for (const QString& other : before.ReadSection(name)) {
            const bool written = name.compare(section, Qt::CaseInsensitive) == 0 &&
                                 other.compare(key, Qt::CaseInsensitive) == 0;
            if (!written && after.ReadString(name, other, QString()) !=
                                before.ReadString(name, other, QString()))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray marker = QByteArrayLiteral("\n=====\n");
    const qsizetype split = input.indexOf(marker);
    const QString path = ScratchFolder().filePath(QStringLiteral("main.ini"));
    WriteFile(path, split < 0 ? input : input.left(split + 1));
    WriteFile(ScratchFolder().filePath(QStringLiteral("inc.ini")),
              split < 0 ? QByteArray() : input.mid(split + marker.size()));

    TMultiIniFile ini(path);
    WalkSections(ini);
    // One value the 8-bit page holds and one it does not, so that both ways
    // of writing an 8-bit file back are taken.
    CheckWriteBack(ini, path, size % 2 ? QStringLiteral("wartość 1") : QStringLiteral("знак 2"));
    return 0;
}
