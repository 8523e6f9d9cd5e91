// Server descriptions in brace notation: any text must be walked to the end
// without crashing, and the one-pass walk must agree with repeated takes.
#include "catalog/brace_notation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the key, so records of several names get taken.
    const QString key = QString(QLatin1Char(static_cast<char>('a' + data[0] % 4)));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    QString walked = text;
    QStringList taken;
    for (QString v = TakeRecord(walked, key); !v.isEmpty(); v = TakeRecord(walked, key))
        taken << v;
    QString single = text;
    if (TakeRecords(single, key) != taken || single != walked)
        std::abort();

    QString rest = text;
    QString name;
    QString value;
    for (;;) {
        const qsizetype before = rest.size();
        NextRecord(rest, name, value);
        if (rest.size() == before)
            break;
    }
    return 0;
}
