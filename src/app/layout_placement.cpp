#include "app/layout_placement.h"

#include "catalog/brace_notation.h"

#include <algorithm>

namespace {

// Where a group box puts its first child: inside its frame and below its
// caption.
constexpr int kBoxChildLeft = 5;
constexpr int kBoxChildTop = 16;
// What a group box adds right of and below its children.
constexpr int kBoxMargin = 5;
// The layout comes from the server. Group boxes nested deeper than this keep
// no children, so a runaway description cannot exhaust the stack or build a
// pile of controls nobody could read.
constexpr int kMaxBoxDepth = 32;

struct Extent
{
    int bottom = 0;
    int right = 0;
};

// One element's own records, taken in the order the layout writes them.
struct ElementRecords
{
    QString name;
    QString type;
    QString loc;
    QString glue;
    QString rest; // what is left: a button's "bar", a box's children
};

ElementRecords TakeElementRecords(QString value)
{
    ElementRecords records;
    records.name = TakeRecord(value, QStringLiteral("nam"));
    records.type = TakeRecord(value, QStringLiteral("typ"));
    records.loc = TakeRecord(value, QStringLiteral("loc"));
    records.glue = TakeRecord(value, QStringLiteral("glue"));
    records.rest = std::move(value);
    return records;
}

bool IsVertical(const QString& loc)
{
    return loc == QLatin1String("V");
}

Extent PlaceInto(Placement& placement, int parent, int x0, int y0, bool vertical,
                 QString description, ButtonSize size, int depth);

// Adds one element at (x, y) and returns its index.
int PlaceElement(Placement& placement, int parent, int x, int y, const QString& value,
                 ButtonSize size, int depth, QString& glue)
{
    ElementRecords records = TakeElementRecords(value);
    glue = records.glue;

    PlacedElement element;
    element.parent = parent;
    element.x = x;
    element.y = y;
    element.name = records.name;
    const int index = static_cast<int>(placement.elements.size());
    if (!records.type.isEmpty()) {
        element.kind = PlacedElement::Kind::Button;
        element.type = records.type;
        element.barcode = TakeRecord(records.rest, QStringLiteral("bar"));
        element.width = size.width;
        element.height = size.height;
        placement.elements.push_back(std::move(element));
        placement.controlOrder.push_back(index);
        return index;
    }

    // Anything without a visit type is a group box, even with a barcode.
    element.kind = PlacedElement::Kind::GroupBox;
    placement.elements.push_back(std::move(element));
    Extent children;
    if (depth < kMaxBoxDepth)
        children = PlaceInto(placement, index, kBoxChildLeft, kBoxChildTop, IsVertical(records.loc),
                             std::move(records.rest), size, depth + 1);
    PlacedElement& box = placement.elements[static_cast<size_t>(index)];
    box.width = children.right + kBoxMargin;
    box.height = children.bottom + kBoxMargin;
    // After its children: they go before their box when the window tears
    // the layout down.
    placement.controlOrder.push_back(index);
    return index;
}

Extent PlaceInto(Placement& placement, int parent, int x0, int y0, bool vertical,
                 QString description, ButtonSize size, int depth)
{
    Extent extent;
    int x = x0;
    int y = y0;
    QString previousGlue;
    const QStringList values = TakeRecords(description, QStringLiteral("e"));
    for (const QString& value : values) {
        QString glue;
        const int index = PlaceElement(placement, parent, x, y, value, size, depth, glue);
        const PlacedElement& element = placement.elements[static_cast<size_t>(index)];
        const int w = element.width;
        const int h = element.height;
        extent.bottom = std::max(extent.bottom, y + h);
        extent.right = std::max(extent.right, x + w);
        // Only the glue across the container's direction joins neighbours:
        // "H" in a column puts the next one alongside, "V" in a row below.
        if (vertical) {
            if (glue == QLatin1String("H")) {
                x += w;
            } else {
                y = extent.bottom;
                if (previousGlue == QLatin1String("H"))
                    x = x0;
            }
        } else {
            if (glue == QLatin1String("V")) {
                y += h;
            } else {
                x = extent.right;
                if (previousGlue == QLatin1String("V"))
                    y = y0;
            }
        }
        previousGlue = glue;
    }
    return extent;
}

} // namespace

Placement PlaceElements(int x0, int y0, bool vertical, QString description, ButtonSize size)
{
    Placement placement;
    const Extent extent =
        PlaceInto(placement, -1, x0, y0, vertical, std::move(description), size, 0);
    placement.maxBottom = extent.bottom;
    placement.maxRight = extent.right;
    return placement;
}

ReadingRoomLayout LayOutReadingRoom(const QString& structureText, ButtonSize size)
{
    QString structure = structureText;
    QString layout = TakeRecord(structure, QStringLiteral("czytelnia"));
    const QString loc = TakeRecord(layout, QStringLiteral("loc"));

    ReadingRoomLayout result;
    result.placement = PlaceElements(0, 0, IsVertical(loc), std::move(layout), size);
    // An empty room still shows a panel the size of one button.
    result.panelHeight = std::max(result.placement.maxBottom, size.height);
    result.panelWidth = std::max(result.placement.maxRight, size.width);
    return result;
}
