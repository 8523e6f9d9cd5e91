#pragma once

#include <QString>

#include <vector>

// Where the buttons and group boxes of the reading-room layout go. The layout
// is the "czytelnia" record of the server's structure text: element records
// "e", each a button (it has a visit type "typ") or a group box holding
// elements of its own, placed in rows or columns and glued to their
// neighbours. The window only creates the controls these functions place.

// The size of one category button, in pixels.
struct ButtonSize
{
    int height = 30;
    int width = 100;
};

struct PlacedElement
{
    enum class Kind
    {
        Button,
        GroupBox
    };
    Kind kind = Kind::Button;
    // The group box (an index into Placement::elements) that holds the
    // element; -1 for the panel itself.
    int parent = -1;
    // Position relative to the container, and the outer size. A group box's
    // size is its children's extent plus 5 pixels right and below.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    QString name;    // "nam": the caption
    QString type;    // "typ": the visit type a button registers
    QString barcode; // "bar": the code a scan must equal to press a button
};

struct Placement
{
    // In creation order: a group box comes before its children.
    std::vector<PlacedElement> elements;
    // The same elements in the order the window keeps its controls: a group
    // box after its children, so that destroying them in this order never
    // touches a control whose box is gone.
    std::vector<int> controlOrder;
    int maxBottom = 0;
    int maxRight = 0;
};

// Places the element records of `description` into a container starting at
// (x0, y0), in a column when `vertical`, else in a row. Element records are
// consumed from the description; what else it holds is ignored.
Placement PlaceElements(int x0, int y0, bool vertical, QString description, ButtonSize size);

// The whole panel: the layout record "czytelnia" of `structureText`, its
// orientation ("loc" = "V" for a column), the placement from (0, 0), and the
// panel's client size, at least one button high and one button wide.
struct ReadingRoomLayout
{
    Placement placement;
    int panelWidth = 0;
    int panelHeight = 0;
};
ReadingRoomLayout LayOutReadingRoom(const QString& structureText, ButtonSize size);
