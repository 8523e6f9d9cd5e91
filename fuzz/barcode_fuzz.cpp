// Encodes any bytes (report data comes from the server) in any symbology.
// Building may fail only with the component's own error; a symbol that
// builds must draw, stretched, without a fault.
#include "reports/bars.h"
#include "reports/recording_surface.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    TBarcode barcode;
    barcode.Typ = static_cast<TBarcodeType>(data[0] % 15);
    barcode.Ratio = 2.0 + (data[1] % 16) / 10.0;
    barcode.Height = 40;
    barcode.Text =
        QByteArray(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    try {
        const QByteArray pattern = barcode.Pattern();
        barcode.SetWidth(data[1] * 8);
        if (barcode.Width() <= 0 || pattern.isEmpty())
            std::abort(); // a symbol always has its start and stop
        RecordingSurface surface;
        barcode.Draw(surface);
    } catch (const TBarcodeError& error) {
        if (error.Text().isEmpty())
            std::abort();
    }
    return 0;
}
