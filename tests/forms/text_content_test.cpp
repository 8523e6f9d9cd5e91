#include "forms/text_content.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// The commands of a TEXT field's content: colours named and written
// blue-green-red, the style, paragraphs, the background, and text that
// runs on from one line to the next.
TEST(TextContentTest, CommandsSetTheRunsThatFollow)
{
    const TextContent content = ParseTextContent({S("a\x1b"
                                                    "CR\x1a"
                                                    "b\x1b"
                                                    "SBI\x1a"
                                                    "c"),
                                                  S("\x1b/\x1a"
                                                    "d\x1b"
                                                    "C$FF0000\x1a"
                                                    "e"),
                                                  S("\x1b"
                                                    "CX\x1a\x1bS\x1a"
                                                    "f\x1bR$00FF00")});
    struct Expected
    {
        const char* text;
        SurfaceColor colour;
        bool bold, italic, paragraph;
    } expected[] = {
        {"a", 0x000000, false, false, false}, {"b", 0xFF0000, false, false, false},
        {"c", 0xFF0000, true, true, false},   {"d", 0xFF0000, true, true, true},
        {"e", 0x0000FF, true, true, false},   {"f", 0x000000, false, false, false},
    };
    ASSERT_EQ(content.runs.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TextContentRun& run = content.runs[i];
        EXPECT_EQ(run.text, S(expected[i].text)) << i;
        EXPECT_EQ(run.colour, expected[i].colour) << i;
        EXPECT_EQ(run.bold, expected[i].bold) << i;
        EXPECT_EQ(run.italic, expected[i].italic) << i;
        EXPECT_EQ(run.newParagraph, expected[i].paragraph) << i;
    }
    EXPECT_EQ(content.background, SurfaceColor(0x00FF00));
    EXPECT_EQ(ParseTextContent({S("\x1bRzz")}).background, SurfaceColor(0xE0E0E0));
    EXPECT_EQ(TextContentForSearch({S("ab\x1b\\\x1a"
                                      "cd\x1b"
                                      "CR\x1a"
                                      "e"),
                                    S("f")}),
              S("ab\rcdef"));
}

} // namespace
