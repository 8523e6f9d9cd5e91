#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "client/ansi_codec.h"
#include "reports/bars.h"
#include "reports/ui/image_surface.h"

#include <QStringList>

#include <cmath>

namespace {

const char kBarcodeUsage[] =
    "Usage: czytelnia-cli barcode --mode N DATA [--png FILE --width W --height H]\n"
    "N is the symbology as a report's MODE= gives it, 1 to 15; W and H are pixels\n"
    "from 1 to 10000.";

// Pictures are for labels and checks, not posters: the limit keeps a typing
// slip from asking for gigabytes.
constexpr int kMaxPixels = 10000;
// Decoders need a white margin of ten narrow elements on either side.
constexpr double kQuietModules = 10.0;
constexpr int kPictureResolution = 96;

struct BarcodeRequest
{
    int mode = 0;
    QString data;
    bool hasData = false;
    QString png;
    int width = 0;
    int height = 0;
};

bool ParseNumber(const QString& word, int low, int high, int& number)
{
    bool ok = false;
    number = word.toInt(&ok);
    return ok && number >= low && number <= high;
}

// Empty text: the request is complete; otherwise what is wrong with it.
QString ParseRequest(const QStringList& arguments, BarcodeRequest& request)
{
    bool hasMode = false;
    bool hasWidth = false;
    bool hasHeight = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const bool option = word.startsWith(QStringLiteral("--"));
        const bool known = word == QStringLiteral("--mode") || word == QStringLiteral("--png") ||
                           word == QStringLiteral("--width") || word == QStringLiteral("--height");
        if (option && !known)
            return QStringLiteral("Unknown option %1").arg(word);
        if (known && i + 1 >= arguments.size())
            return QStringLiteral("%1 needs a value").arg(word);
        if (word == QStringLiteral("--mode")) {
            if (!ParseNumber(arguments[++i], 1, 15, request.mode))
                return QStringLiteral("--mode must be a number from 1 to 15: %1").arg(arguments[i]);
            hasMode = true;
        } else if (word == QStringLiteral("--png")) {
            request.png = arguments[++i];
        } else if (word == QStringLiteral("--width") || word == QStringLiteral("--height")) {
            const bool isWidth = word == QStringLiteral("--width");
            if (!ParseNumber(arguments[++i], 1, kMaxPixels,
                             isWidth ? request.width : request.height))
                return QStringLiteral("%1 must be a number from 1 to %2: %3")
                    .arg(word)
                    .arg(kMaxPixels)
                    .arg(arguments[i]);
            (isWidth ? hasWidth : hasHeight) = true;
        } else if (request.hasData) {
            return QStringLiteral("Only one DATA may be given");
        } else {
            request.data = word;
            request.hasData = true;
        }
    }
    if (!hasMode || !request.hasData)
        return QStringLiteral("--mode and DATA are required");
    const bool drawing = !request.png.isEmpty() || hasWidth || hasHeight;
    if (drawing && (request.png.isEmpty() || !hasWidth || !hasHeight))
        return QStringLiteral("--png, --width and --height go together");
    return QString();
}

// The symbol stretched to the asked width and height, on a white picture
// that adds a quiet zone of ten (stretched) narrow elements on every side.
int WritePicture(TBarcode& barcode, const BarcodeRequest& request, CliIo& io)
{
    barcode.SetWidth(0);
    const int natural = barcode.Width();
    barcode.SetWidth(request.width);
    const int width = barcode.Width();
    if (width > request.width)
        io.WriteError(QStringLiteral("The symbol needs %1 pixels, more than --width %2; it is "
                                     "drawn %1 pixels wide")
                          .arg(width)
                          .arg(request.width));
    const int margin = static_cast<int>(
        std::lround(kQuietModules * barcode.Modul() * width / std::max(natural, 1)));
    barcode.Height = request.height;
    barcode.Left = margin;
    barcode.Top = margin;
    ImageSurface surface(width + 2 * margin, request.height + 2 * margin, kPictureResolution);
    barcode.Draw(surface);
    if (!surface.Save(request.png))
        return io.Fail(QStringLiteral("Cannot write the file %1").arg(request.png));
    return kCliSuccess;
}

} // namespace

int RunBarcodeCommand(const QStringList& arguments, CliIo& io)
{
    BarcodeRequest request;
    const QString error = ParseRequest(arguments, request);
    if (!error.isEmpty())
        return io.Fail(error + QLatin1Char('\n') + QString::fromLatin1(kBarcodeUsage));

    TBarcode barcode;
    // The data goes to the symbol as the program's 8-bit text, as a report
    // hands it over.
    barcode.Text = EncodeAnsi(request.data);
    barcode.Typ = static_cast<TBarcodeType>(request.mode - 1);
    try {
        io.WriteLine(QString::fromLatin1(barcode.Pattern()));
        if (!request.png.isEmpty())
            return WritePicture(barcode, request, io);
    } catch (const TBarcodeError& barcodeError) {
        return io.Fail(barcodeError.Text());
    }
    return kCliSuccess;
}
