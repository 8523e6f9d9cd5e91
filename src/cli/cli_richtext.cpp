// czytelnia-cli richtext: lays out the rich text content of a form's panel
// from a file, so that a form author can check it without a server.
#include "cli/cli_command.h"
#include "cli/cli_content_lines.h"
#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "cli/cli_report.h"
#include "reports/ui/rich_text_view.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollArea>

namespace {

const char kRichTextUsage[] =
    "Usage: czytelnia-cli richtext render FILE --width W (--png OUT | --layout)\n"
    "FILE holds one content line per line, in the configuration's code page, with\n"
    "ESC and SUB as bytes. The panel's font is Tahoma 12 pixels on light grey.\n"
    "--layout prints the placed items, one per line and tab-separated: kind, x,y,\n"
    "width x height, colour, style (B bold, I italic, U underlined, xF size\n"
    "factor), identifier and text (for pictures: where the picture comes from).\n";

// What the parameter window gives its panels.
constexpr int kPanelFontPixels = 12;
constexpr QRgb kPanelColour = 0xE0E0E0;
constexpr int kAreaHeight = 400;
constexpr int kMaxWidth = 10000;

QString Colour(SurfaceColor colour)
{
    return QStringLiteral("#%1").arg(colour, 6, 16, QChar(u'0')).toUpper();
}

QString Style(const RichTextStyle& style)
{
    QString text;
    if (style.bold)
        text += u'B';
    if (style.italic)
        text += u'I';
    if (style.underline)
        text += u'U';
    if (style.sizeFactor != 1.0)
        text += u'x' + QString::number(style.sizeFactor);
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString PictureOrigin(const RichPicture& picture)
{
    switch (picture.source) {
    case RichPicture::Source::File:
        return QStringLiteral("file:") + picture.location;
    case RichPicture::Source::Web:
        return QStringLiteral("web:") + picture.location;
    case RichPicture::Source::Embedded:
        break;
    }
    return QStringLiteral("embedded:%1 bytes").arg(picture.bytes.size());
}

QString Describe(const RichPlacedItem& item)
{
    static const char* const kKinds[] = {"text", "link", "picture"};
    const bool picture = item.kind == RichPlacedItem::Kind::Picture;
    const QStringList columns = {
        QString::fromLatin1(kKinds[static_cast<int>(item.kind)]),
        QStringLiteral("%1,%2").arg(item.rect.x()).arg(item.rect.y()),
        QStringLiteral("%1x%2").arg(item.rect.width()).arg(item.rect.height()),
        picture ? QStringLiteral("-") : Colour(item.style.colour),
        picture ? QStringLiteral("-") : Style(item.style),
        item.identifier,
        picture ? PictureOrigin(item.picture) : item.text,
    };
    return columns.join(u'\t');
}

// The laid-out content as the panel shows it, all of it, not only what
// fits the panel's height.
bool SavePicture(const QScrollArea& area, const RichTextLayout& layout, const QString& file)
{
    QWidget* content = area.widget();
    QImage image(content->size(), QImage::Format_RGB32);
    image.fill(layout.background ? QColor(QRgb(*layout.background)) : QColor(kPanelColour));
    QPainter painter(&image);
    content->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image.save(file, "PNG");
}

int Render(const ReportCommandLine& line, CliIo& io)
{
    bool ok = false;
    const int width = line.values.value(QStringLiteral("--width")).toInt(&ok);
    if (!ok || width < 1 || width > kMaxWidth)
        return io.Fail(
            QStringLiteral("--width must be a number of pixels from 1 to %1\n").arg(kMaxWidth) +
            QString::fromLatin1(kRichTextUsage));
    if (line.Has(QStringLiteral("--png")) == line.Has(QStringLiteral("--layout")))
        return io.Fail(QStringLiteral("Give one of --png OUT and --layout\n") +
                       QString::fromLatin1(kRichTextUsage));
    QFile file(line.file);
    if (!file.open(QIODevice::ReadOnly))
        return io.Fail(QStringLiteral("Cannot read the file %1").arg(line.file));
    const QStringList content = ContentLines(file.readAll());

    CliGuiScope gui;
    if (!gui.ShowsWidgets())
        return CliGuiScope::Unavailable(io);
    QScrollArea area;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kPanelFontPixels);
    area.setFont(font);
    area.resize(width, kAreaHeight);
    CliMessages messages(io);
    RichTextView view(area, RichTextView::ClickHandler(), messages);
    view.Render(content);
    // Web pictures arrive in the background; each arrival lays out again.
    while (view.WaitingForPictures()) {
        QEventLoop loop;
        QObject::connect(&view, &RichTextView::PicturesArrived, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const RichTextLayout& layout = view.Layout();
    if (line.Has(QStringLiteral("--layout"))) {
        if (layout.background)
            io.WriteLine(QStringLiteral("background\t") + Colour(*layout.background));
        for (const RichPlacedItem& item : layout.items)
            io.WriteLine(Describe(item));
        return kCliSuccess;
    }
    const QString out = line.values.value(QStringLiteral("--png"));
    if (!SavePicture(area, layout, out))
        return io.Fail(QStringLiteral("Cannot write the file %1").arg(out));
    return kCliSuccess;
}

} // namespace

int RunRichTextCommand(const QStringList& arguments, CliIo& io)
{
    if (arguments.isEmpty() || arguments.first() != QStringLiteral("render"))
        return io.Fail(QString::fromLatin1(kRichTextUsage));
    ReportCommandLine line;
    const QString error = ParseReportCommandLine(
        arguments.mid(1), {QStringLiteral("--width"), QStringLiteral("--png")},
        {QStringLiteral("--layout")}, line);
    if (!error.isEmpty())
        return io.Fail(error + u'\n' + QString::fromLatin1(kRichTextUsage));
    return Render(line, io);
}
