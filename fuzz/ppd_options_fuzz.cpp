// Printer drivers' PPD files come from the print system: any bytes must be
// read without a crash or a hang, every option read must have a keyword of
// its own, and a settings record made for the options must give them back.
#include "printer/dev_mode_record.h"
#include "printer/ppd_options.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray ppd(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QVector<PpdOption> options = ReadPpdOptions(ppd);
    QSet<QString> keywords;
    for (const PpdOption& option : options) {
        if (option.keyword.isEmpty() || keywords.contains(option.keyword))
            std::abort();
        keywords.insert(option.keyword);
    }
    const DevModeRecord record(QStringLiteral("fuzz"), options);
    const QVector<DriverChoice> slots = record.Options();
    if (slots.size() != std::min<qsizetype>(options.size(), DevModeRecord::kMaxSlots) ||
        record.Size() != record.Bytes().size())
        std::abort();
    for (qsizetype i = 0; i < slots.size(); ++i) {
        const QString kept = QString::fromLatin1(options[i].keyword.toLatin1())
                                 .left(DevModeRecord::kKeywordBytes - 1);
        if (slots[i].keyword != kept.left(kept.indexOf(QChar(0))))
            std::abort();
    }
    return 0;
}
