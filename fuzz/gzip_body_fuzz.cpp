// Reply bodies the server marks as gzip: any bytes must give either the
// unpacked body or an error text, never both and never a crash, and within
// the size limit. Unpacking stays within a small limit here, so packed
// inputs that would unfold into gigabytes are refused quickly.
#include "client/gzip_body.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr qsizetype kLimit = qsizetype(4) << 20;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray out;
    QString error;
    const bool unpacked = Gunzip(bytes, out, error, kLimit);
    if (unpacked != error.isEmpty() || (!unpacked && !out.isEmpty()) || out.size() > kLimit)
        std::abort();
    return 0;
}
