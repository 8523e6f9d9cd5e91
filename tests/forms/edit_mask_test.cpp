#include "forms/edit_mask.h"
#include "forms/font_specification.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(EditMask, TranslatesStoresAndShows)
{
    struct Row
    {
        const char* mask;
        const char* inputMask;
        const char* shown; // as the control shows it, empty positions as spaces
        const char* value;
        const char* shownAgain;
    };
    const Row rows[] = {
        /* 0*/ {"99.99.9999;0; ", "00.00.0000; ", "31.12.2026", "31122026", "31.12.2026"},
        /* 1*/ {"99.99.9999;0; ", "00.00.0000; ", "12.0 .    ", "120", "12.0 .    "},
        /* 2*/ {"#9999,99;0; ", "#0000,00; ", "  -12,50", "  -1250", "  -12,50"},
        /* 3*/ {"000-000;1;_", "999-999;_", "12_-4__", "12 -4", "12 -4  "},
        /* 4*/ {">LL\\0a<>c", ">AA\\0n!x;_", "AB0xy", "AB0xy", "AB0xy"},
        /* 5*/ {"(999) H", "(000) \\H;_", "(12 ) H", "(12 ) H", "(12 ) H"},
    };
    for (const Row& row : rows) {
        const EditMask mask(S(row.mask));
        EXPECT_EQ(mask.InputMask(), S(row.inputMask)) << row.mask;
        EXPECT_EQ(mask.ValueOfShown(S(row.shown)), S(row.value)) << row.mask;
        EXPECT_EQ(mask.ShownOfValue(S(row.value)), S(row.shownAgain)) << row.mask;
    }
}

TEST(FontSpecification, ReadsFaceHeightAndBold)
{
    const auto courier = ParseFontSpecification(S("Courier New/-14/B"));
    ASSERT_TRUE(courier);
    EXPECT_EQ(courier->face, S("Courier New"));
    EXPECT_EQ(courier->height, -14);
    EXPECT_TRUE(courier->bold);
    const auto plain = ParseFontSpecification(S("Tahoma/9"));
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->bold);
    for (const char* bad : {"", "Courier New", "/-14/B", "Arial/x/B", "Arial/0"})
        EXPECT_FALSE(ParseFontSpecification(S(bad))) << bad;
}

} // namespace
