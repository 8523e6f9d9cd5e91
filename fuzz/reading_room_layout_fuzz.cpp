// The reading-room layout the server describes: any structure text is laid
// out without a crash, every control sits in a box created before it, each
// control is listed once, and the panel is at least one button large.
#include "app/layout_placement.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ReadingRoomLayout layout = LayOutReadingRoom(text, ButtonSize{30, 100});
    const std::vector<PlacedElement>& elements = layout.placement.elements;
    if (layout.panelHeight < 30 || layout.panelWidth < 100)
        std::abort();
    std::vector<int> listed(elements.size(), 0);
    for (const int index : layout.placement.controlOrder) {
        const auto at = static_cast<std::size_t>(index);
        if (index < 0 || at >= elements.size() || listed[at]++ != 0)
            std::abort();
    }
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const PlacedElement& element = elements[i];
        if (listed[i] != 1 || element.parent >= static_cast<int>(i))
            std::abort();
        if (element.parent >= 0 && elements[static_cast<std::size_t>(element.parent)].kind !=
                                       PlacedElement::Kind::GroupBox)
            std::abort();
    }
    return 0;
}
