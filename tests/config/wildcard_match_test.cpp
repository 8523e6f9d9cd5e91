#include "config/wildcard_match.h"

#include "config_test_files.h"

#include <gtest/gtest.h>

TEST(WildcardMatch, Table)
{
    const struct
    {
        const char* text;
        const char* pattern;
        bool match;
    } rows[] = {
        /* 0*/ {"", "*", true},
        /* 1*/ {"abcd", "a*c", false}, // the whole text must match
        /* 2*/ {"abc", "?b?", true},
        /* 3*/ {"ABC", "abc", false},
        /* 4*/ {"a*c", "a\\*c", true},
        /* 5*/ {"abc", "a\\*c", false},
        /* 6*/ {"ab", "a\\?", false},
        /* 7*/ {"a\\", "a\\", true}, // a final backslash matches itself
        /* 8*/ {"[]", "[*]", true},
        /* 9*/ {"[KATALOG", "[*]", false},
        /*10*/ {"abcbcd", "*bcd", true}, // the star must give back what it took
        /*11*/ {"mississippi", "m*si*pa", false},
        /*12*/ {"ł*ó", "ł\\*?", true},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(WildcardMatch(U(rows[i].text), U(rows[i].pattern)), rows[i].match) << "row " << i;
}

// A matcher that backtracks into every star would not finish this.
TEST(WildcardMatch, ManyStarsAgainstLongTextStayCheap)
{
    const QString text(20000, QLatin1Char('a'));
    EXPECT_FALSE(WildcardMatch(text, QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*b")));
}
