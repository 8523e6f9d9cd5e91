#pragma once

#include "reports/surface.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Lays out the rich text content of a form's panel: word-wrapped text runs
// with their colour, style and size, links and pictures, as placed items the
// window turns into controls. The layout is a pure function of the content,
// the area and the measurements the caller supplies, so that everything
// about where things go is decided here and tested without a display.

struct RichTextStyle
{
    SurfaceColor colour = kBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double sizeFactor = 1.0;

    bool operator==(const RichTextStyle& other) const
    {
        return colour == other.colour && bold == other.bold && italic == other.italic &&
               underline == other.underline && sizeFactor == other.sizeFactor;
    }
};

// Where a picture comes from. File pictures name their file as given, web
// pictures their address; embedded ones carry their JPEG bytes.
struct RichPicture
{
    enum class Source : unsigned char
    {
        File,
        Web,
        Embedded
    };
    Source source = Source::File;
    QString location;
    QByteArray bytes;
};

struct RichPlacedItem
{
    enum class Kind : unsigned char
    {
        Text,
        Link,
        Picture
    };
    Kind kind = Kind::Text;
    QRect rect;
    QString text; // text and links
    RichTextStyle style;
    // What a click reports; a web picture has one but takes no clicks.
    QString identifier;
    bool clickable = false;
    RichPicture picture; // pictures
};

struct RichTextLayout
{
    std::vector<RichPlacedItem> items;
    std::optional<SurfaceColor> background; // the area's colour, when set
    // The bottom right corner of everything placed, for the scrolled size.
    QSize Extent() const;
};

// The area the content is laid out in: its width, the width of its vertical
// scroll bar, and the height of its font in pixels.
struct RichTextArea
{
    int width = 0;
    int scrollBarWidth = 0;
    int fontHeight = 0;
};

// The caller's measurements: the size a label of `text` takes in `style`,
// and the size of a picture, or nothing when the picture is to be left out
// (its data is not a picture). An unreadable file or a failed download is an
// empty picture, not a left-out one.
class RichTextMeasure
{
public:
    virtual ~RichTextMeasure() = default;
    virtual QSize TextSize(const QString& text, const RichTextStyle& style) = 0;
    virtual std::optional<QSize> PictureSize(const RichPicture& picture) = 0;
};

RichTextLayout LayOutRichText(const QStringList& lines, const RichTextArea& area,
                              RichTextMeasure& measure);
