#include "app/layout_placement.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString DemoStructure()
{
    QFile file(QStringLiteral(ZELVORAN_TEST_DATA "/../../tools/nura-sim/demo/struktura.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const PlacedElement* Named(const Placement& placement, const QString& name)
{
    for (const PlacedElement& element : placement.elements) {
        if (element.name == name)
            return &element;
    }
    return nullptr;
}

// "x,y wxh" of an element, so a wrong rectangle shows whole in the message.
QString Rect(const PlacedElement* element)
{
    if (!element)
        return QStringLiteral("missing");
    return QStringLiteral("%1,%2 %3x%4")
        .arg(element->x)
        .arg(element->y)
        .arg(element->width)
        .arg(element->height);
}

TEST(LayoutPlacement, DemoReadingRoom)
{
    const QString structure = DemoStructure();
    ASSERT_FALSE(structure.isEmpty());
    const ReadingRoomLayout layout = LayOutReadingRoom(structure, ButtonSize{30, 100});
    const Placement& placement = layout.placement;

    // Worked out by hand with 100 x 30 buttons: a column of boxes, each box's
    // children from (5, 16), each box 5 pixels beyond its children.
    const struct
    {
        const char* name;
        const char* rect;
    } rows[] = {
        /* 0*/ {"Czytelnia ogólna", "0,0 310x51"},
        /* 1*/ {"Nowy czytelnik", "205,16 100x30"},
        /* 2*/ {"Czasopisma", "0,51 220x102"},
        /* 3*/ {"Prasa bieżąca", "5,16 100x30"}, // glued "V": the next goes below
        /* 4*/ {"Prasa lokalna", "5,46 100x30"}, // then back to the first row
        /* 5*/ {"Archiwum", "105,16 110x81"},    // a column inside a row
        /* 6*/ {"Mikrofilmy", "5,46 100x30"},
        /* 7*/ {"Multimedia", "0,153 210x51"},
        /* 8*/ {"Skaner", "105,16 100x30"},    // glued "H" beside its neighbour
        /* 9*/ {"Informacja", "0,204 100x30"}, // a button directly in the panel
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(Rect(Named(placement, QString::fromUtf8(rows[i].name))),
                  QString::fromUtf8(rows[i].rect))
            << "row " << i;
    }
    EXPECT_EQ(layout.panelWidth, 310);
    EXPECT_EQ(layout.panelHeight, 234);

    const PlacedElement* skaner = Named(placement, QStringLiteral("Skaner"));
    ASSERT_TRUE(skaner);
    EXPECT_EQ(skaner->kind, PlacedElement::Kind::Button);
    EXPECT_EQ(skaner->type, QStringLiteral("MMS"));
    EXPECT_EQ(skaner->barcode, QStringLiteral("3001"));
    ASSERT_GE(skaner->parent, 0);
    EXPECT_EQ(placement.elements[static_cast<size_t>(skaner->parent)].name,
              QStringLiteral("Multimedia"));

    // Children before their box, boxes after everything they hold.
    const std::vector<int> order = {1, 2, 3, 0, 5, 6, 8, 9, 7, 4, 11, 12, 10, 13};
    EXPECT_EQ(placement.controlOrder, order);
}

TEST(LayoutPlacement, EmptyShapes)
{
    const ButtonSize size{36, 120};
    // No elements: the panel is still one button.
    const ReadingRoomLayout empty = LayOutReadingRoom(QStringLiteral("{czytelnia={loc=V}}"), size);
    EXPECT_TRUE(empty.placement.elements.empty());
    EXPECT_EQ(empty.panelHeight, 36);
    EXPECT_EQ(empty.panelWidth, 120);
    const ReadingRoomLayout none = LayOutReadingRoom(QString(), size);
    EXPECT_EQ(none.panelHeight, 36);
    EXPECT_EQ(none.panelWidth, 120);

    // A box without children, and an element that has a barcode but no type:
    // both boxes of 5 x 5.
    const Placement boxes = PlaceElements(
        0, 0, true, QStringLiteral("{e={nam=Pusta}}{e={nam=Bez typu}{bar=123}}"), size);
    ASSERT_EQ(boxes.elements.size(), 2u);
    for (const PlacedElement& box : boxes.elements) {
        EXPECT_EQ(box.kind, PlacedElement::Kind::GroupBox);
        EXPECT_EQ(box.width, 5);
        EXPECT_EQ(box.height, 5);
    }
    EXPECT_EQ(boxes.elements[1].y, 5);
}

TEST(LayoutPlacement, GlueAcrossTheContainerOnly)
{
    const ButtonSize size{30, 100};
    const struct
    {
        bool vertical;
        const char* description;
        const char* rects; // every element, in order
        int maxBottom;
        int maxRight;
    } rows[] = {
        // A glued "H", B and C plain: A and B share a row, C starts the next.
        /* 0*/ {true, "{e={nam=A}{typ=a}{glue=H}}{e={nam=B}{typ=b}}{e={nam=C}{typ=c}}",
                "10,20 100x30|110,20 100x30|10,50 100x30", 80, 210},
        // The same in a row with "V": A and B share a column, C the next one.
        /* 1*/
        {false, "{e={nam=A}{typ=a}{glue=V}}{e={nam=B}{typ=b}}{e={nam=C}{typ=c}}",
         "10,20 100x30|10,50 100x30|110,20 100x30", 80, 210},
        // Glue along the container's own direction changes nothing.
        /* 2*/
        {true, "{e={nam=A}{typ=a}{glue=V}}{e={nam=B}{typ=b}}", "10,20 100x30|10,50 100x30", 80,
         110},
        /* 3*/
        {false, "{e={nam=A}{typ=a}{glue=H}}{e={nam=B}{typ=b}}", "10,20 100x30|110,20 100x30", 50,
         210},
        // A tall box beside a button: the next row starts below the box.
        /* 4*/
        {true,
         "{e={nam=A}{glue=H}{loc=V}{e={nam=x}{typ=x}}{e={nam=y}{typ=y}}}"
         "{e={nam=B}{typ=b}}{e={nam=C}{typ=c}}",
         "10,20 110x81|5,16 100x30|5,46 100x30|120,20 100x30|10,101 100x30", 131, 220},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Placement placement =
            PlaceElements(10, 20, rows[i].vertical, QString::fromUtf8(rows[i].description), size);
        QStringList rects;
        for (const PlacedElement& element : placement.elements)
            rects.append(Rect(&element));
        EXPECT_EQ(rects.join(QLatin1Char('|')), QString::fromUtf8(rows[i].rects)) << "row " << i;
        EXPECT_EQ(placement.maxBottom, rows[i].maxBottom) << "row " << i;
        EXPECT_EQ(placement.maxRight, rows[i].maxRight) << "row " << i;
    }
}

TEST(LayoutPlacement, RunawayNestingStaysBounded)
{
    // A server that nests boxes without end must not exhaust the stack; every
    // level past the limit is left out.
    const int depth = 1000;
    QString description;
    for (int i = 0; i < depth; ++i)
        description += QStringLiteral("{e={nam=g}");
    description += QStringLiteral("{e={nam=b}{typ=t}}");
    for (int i = 0; i < depth; ++i)
        description += QLatin1Char('}');
    const Placement placement = PlaceElements(0, 0, true, description, ButtonSize{});
    ASSERT_FALSE(placement.elements.empty());
    EXPECT_LT(placement.elements.size(), 100u);
    EXPECT_EQ(placement.controlOrder.size(), placement.elements.size());
}

} // namespace
