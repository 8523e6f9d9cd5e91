#include "reports/escaped_picture_bytes.h"
#include "reports/rich_text_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Every character 7 pixels wide and 14 high at size factor 1; a picture's
// size is written in its name ("40x30.jpg"), and embedded data that does not
// start with "JPG" is no picture.
class FixedMeasure : public RichTextMeasure
{
public:
    QSize TextSize(const QString& text, const RichTextStyle& style) override
    {
        return QSize(static_cast<int>(std::lround(7 * style.sizeFactor)) * int(text.size()),
                     static_cast<int>(std::lround(14 * style.sizeFactor)));
    }
    std::optional<QSize> PictureSize(const RichPicture& picture) override
    {
        if (picture.source == RichPicture::Source::Embedded)
            return picture.bytes.startsWith("JPG") ? std::optional<QSize>(QSize(10, 10))
                                                   : std::nullopt;
        const QStringList size = picture.location.section(u'/', -1).section(u'.', 0, 0).split(u'x');
        return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
    }
};

QString Describe(const RichPlacedItem& item)
{
    static const char kKinds[] = "TLP";
    QString text = QStringLiteral("%1 %2,%3 %4x%5")
                       .arg(QLatin1Char(kKinds[int(item.kind)]))
                       .arg(item.rect.x())
                       .arg(item.rect.y())
                       .arg(item.rect.width())
                       .arg(item.rect.height());
    if (item.kind != RichPlacedItem::Kind::Picture)
        text += QStringLiteral(" '%1'").arg(item.text);
    if (item.style.colour != kBlack)
        text += QStringLiteral(" c=%1").arg(item.style.colour, 6, 16, QChar(u'0'));
    if (item.style.bold)
        text += QStringLiteral(" b");
    if (item.style.italic)
        text += QStringLiteral(" i");
    if (item.style.underline)
        text += QStringLiteral(" u");
    if (item.kind != RichPlacedItem::Kind::Text)
        text += QStringLiteral(" id=%1").arg(item.identifier);
    if (item.kind == RichPlacedItem::Kind::Picture) {
        static const char kSources[] = "FWE";
        text += QStringLiteral(" %1:%2")
                    .arg(QLatin1Char(kSources[int(item.picture.source)]))
                    .arg(item.picture.source == RichPicture::Source::Embedded
                             ? QString::fromLatin1(item.picture.bytes.toHex())
                             : item.picture.location);
        if (!item.clickable)
            text += QStringLiteral(" noclick");
    }
    return text;
}

// Content as the rows write it: "{" stands for ESC and "}" for SUB.
QStringList Content(const std::vector<std::string>& lines)
{
    QStringList content;
    for (const std::string& line : lines) {
        QString text = QString::fromStdString(line);
        text.replace(u'{', QChar(0x1B)).replace(u'}', QChar(0x1A));
        content << text;
    }
    return content;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The area is 200 wide with a 16-pixel scroll bar: text runs from the left
// margin 2 up to 178, 25 characters; lines are 13 apart (font height 10).
TEST(RichTextLayout, PlacesTextLinksAndPictures)
{
    const std::string x25(25, 'x');
    const std::string ones(22, '1');
    struct Row
    {
        std::vector<std::string> lines;
        std::vector<std::string> items;
    };
    const Row rows[] = {
        /* 0*/ {{"Ala ", "ma kota"}, {"T 2,0 28x14 'Ala '", "T 30,0 49x14 'ma kota'"}},
        /* 1*/ {{"a{/}b"}, {"T 2,0 7x14 'a'", "T 2,13 7x14 'b'"}},
        /* 2*/
        {{"12345678901234567890 abcdefghij"},
         {"T 2,0 140x14 '12345678901234567890'", "T 2,13 70x14 'abcdefghij'"}},
        /* 3*/ {{x25 + "xxxxx"}, {"T 2,0 175x14 '" + x25 + "'", "T 2,13 35x14 'xxxxx'"}},
        // A run whose first word does not fit after other text starts a new line.
        /* 4*/ {{ones, "abcdef"}, {"T 2,0 154x14 '" + ones + "'", "T 2,13 42x14 'abcdef'"}},
        /* 5*/
        {{"{C$FF0000}a", "{CR}b", "{CX}c", "{C$12}d", "{C$1234567}e", "{C0}f"},
         {"T 2,0 7x14 'a' c=0000ff", "T 9,0 7x14 'b' c=ff0000", "T 16,0 7x14 'c' c=ff0000",
          "T 23,0 7x14 'd' c=120000", "T 30,0 7x14 'e' c=120000", "T 37,0 7x14 'f'"}},
        /* 6*/
        {{"{SBIQ}a", "{SI}b", "{S}c"},
         {"T 2,0 7x14 'a' b i", "T 9,0 7x14 'b' i", "T 16,0 7x14 'c'"}},
        /* 7*/
        {{"{Labc|Text}", "{Lid||Show}", "{LPlain}"},
         {"L 2,0 28x14 'Text' c=0000ff u id=abc|Text", "L 30,0 28x14 'Show' c=0000ff u id=id",
          "L 58,0 35x14 'Plain' c=0000ff u id=Plain"}},
        // Three pictures right to left along the top; text wraps to their left.
        /* 8*/
        {{"{B40x30.jpg}{Bp2||20x10.png}{B30x20.jpg}", "abcdefghij klmno"},
         {"P 138,0 40x30 id=40x30.jpg F:40x30.jpg", "P 115,0 20x10 id=p2 F:20x10.png",
          "P 82,0 30x20 id=30x20.jpg F:30x20.jpg", "T 2,0 70x14 'abcdefghij'",
          "T 2,13 35x14 'klmno'"}},
        // "AH" starts a new row below; "AV" a column from the text's limit.
        /* 9*/
        {{"{B40x30.jpg}{AH}{B20x10.jpg}{AV}{B10x10.jpg}"},
         {"P 138,0 40x30 id=40x30.jpg F:40x30.jpg", "P 158,33 20x10 id=20x10.jpg F:20x10.jpg",
          "P 125,0 10x10 id=10x10.jpg F:10x10.jpg"}},
        // Pictures left of the margin stack from the floor; "/" goes below them.
        /*10*/
        {{"{X50}{AL}{B40x30.jpg}{B20x10.jpg}a{/}b"},
         {"P 10,0 40x30 id=40x30.jpg F:40x30.jpg", "P 30,32 20x10 id=20x10.jpg F:20x10.jpg",
          "T 50,0 7x14 'a'", "T 50,44 7x14 'b'"}},
        /*11*/
        {{"{H2}ab{/}c{H0}{Hx}{H1,5}d"},
         {"T 2,0 28x28 'ab'", "T 2,26 14x28 'c'", "T 16,26 11x21 'd'"}},
        /*12*/
        {{"{X20}{Y40}a{X0}b{Yq}c"}, {"T 20,40 7x14 'a'", "T 2,40 7x14 'b'", "T 9,40 7x14 'c'"}},
        /*13*/
        {{"{Ip1||JPG}{Ibad}{JxxID||yySlBHeA==}{JxxSlBH}{Dc1||http://h/5x5.jpg}"},
         {"P 168,0 10x10 id=p1 E:4a5047", "P 155,0 10x10 id=IPUBID E:4a504778",
          "P 142,0 10x10 id=IPUB E:4a5047", "P 134,0 5x5 id=COVc1 W:http://h/5x5.jpg noclick"}},
        // Unknown letters, a bare ESC and an ESC at the end do nothing.
        /*14*/ {{"a{Qzz}{}b{"}, {"T 2,0 7x14 'a'", "T 9,0 7x14 'b'"}},
        // "&" is text; spaces where a line breaks are not carried over.
        /*15*/
        {{"A&B" + std::string(23, ' ') + "   cd"}, {"T 2,0 21x14 'A&B'", "T 2,13 14x14 'cd'"}},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(index++);
        FixedMeasure measure;
        const RichTextLayout layout = LayOutRichText(Content(row.lines), {200, 16, 10}, measure);
        std::vector<std::string> items;
        for (const RichPlacedItem& item : layout.items)
            items.push_back(Describe(item).toStdString());
        EXPECT_EQ(Joined(items), Joined(row.items));
    }
}

TEST(RichTextLayout, TheLastValidBackgroundColourHolds)
{
    FixedMeasure measure;
    EXPECT_FALSE(LayOutRichText(Content({"a"}), {200, 16, 10}, measure).background);
    const RichTextLayout layout =
        LayOutRichText(Content({"{R$00FF00}{R$zz}{R}"}), {200, 16, 10}, measure);
    EXPECT_EQ(layout.background, std::optional<SurfaceColor>(0x00FF00));
}

TEST(EscapedPictureBytes, UndoesTheEscapesThroughTheCodePage)
{
    struct Row
    {
        std::string text;
        QByteArray bytes;
    };
    const Row rows[] = {
        /* 0*/ {"{1{2{3{4{5", QByteArray("\x00\x1a\x1b\x0d|", 5)},
        /* 1*/ {"{9ab{", "9ab"},
        /* 2*/ {"ą\u00FF", "\xb9\xff"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecodeEscapedPictureBytes(Content({row.text})[0]).toHex(), row.bytes.toHex());
}

} // namespace
