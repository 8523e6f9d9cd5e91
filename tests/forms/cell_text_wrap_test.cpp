#include "forms/cell_text_wrap.h"

#include <gtest/gtest.h>

namespace {

// Ten pixels a character, so widths are easy to read.
int Measure(const QString& text)
{
    return int(text.size()) * 10;
}

TEST(CellTextWrapTest, WrapsAtSpacesAndEndsWhatDoesNotFit)
{
    const struct
    {
        const char* text;
        int width, lines;
        const char* expected; // lines joined by "|"
    } cases[] = {
        {"ala ma kota", 60, 3, "ala ma|kota"},
        {"ala ma kota i psa", 60, 2, "ala ma|..."},
        {"ala ma kota i psa", 60, 1, "ala..."},
        {"bardzodługiesłowo x", 60, 3, "bardzodługiesłowo|x"},
        {"", 60, 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapCellText(QString::fromUtf8(c.text), c.width, c.lines, Measure).join(u'|'),
                  QString::fromUtf8(c.expected))
            << c.text << " " << c.lines;
}

} // namespace
