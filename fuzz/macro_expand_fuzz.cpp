// Macro definitions and one text to expand: every line but the last becomes
// section "GLOBAL" of a settings file, the last line is expanded with the
// table built from it.
#include "config/config_text.h"
#include "config/ini_file.h"
#include "config/ini_macro.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lastBreak = input.lastIndexOf('\n');
    const QByteArray definitions = input.left(lastBreak + 1);
    const QByteArray text = input.mid(lastBreak + 1);

    const QString path = ScratchFolder().filePath(QStringLiteral("macro.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("[GLOBAL]\n" + definitions) < 0)
        std::abort();
    file.close();

    const MacroTable table =
        MacroTable::Build(IniFile(path), ScratchFolder().path() + QLatin1Char('/'));
    if (table.Expand(DecodeConfigText(text).text).size() > 32767)
        std::abort();
    return 0;
}
