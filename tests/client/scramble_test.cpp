#include "client/scramble.h"

#include <gtest/gtest.h>

namespace {

QByteArray B(const char* bytes, qsizetype size)
{
    return QByteArray(bytes, size);
}

TEST(Scramble, InactiveKeysLeaveDataUnchanged)
{
    const QByteArray data = B("\x01\x7F\xFF\x00z", 5);
    for (const char* key : {"", "X", "XX", "xxA", "AXXA"}) {
        EXPECT_EQ(ScrambleText(QByteArray(key), data), data) << key;
        EXPECT_EQ(UnscrambleText(QByteArray(key), data), data) << key;
    }
}

struct ByteCase
{
    const char* key;
    unsigned char plain;
    unsigned char scrambled;
};

class ScrambleByteTest : public testing::TestWithParam<ByteCase>
{};

TEST_P(ScrambleByteTest, ScramblesAndRestores)
{
    const ByteCase& c = GetParam();
    const QByteArray plain(1, static_cast<char>(c.plain));
    const QByteArray scrambled(1, static_cast<char>(c.scrambled));
    EXPECT_EQ(ScrambleText(QByteArray(c.key), plain), scrambled);
    EXPECT_EQ(UnscrambleText(QByteArray(c.key), scrambled), plain);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrambleByteTest,
                         testing::Values(
                             /* 0*/ ByteCase{"XXA", 1, 67},
                             /* 1*/ ByteCase{"XXA", 190, 1},
                             /* 2*/ ByteCase{"XXA", 0, 0},
                             /* 3*/ ByteCase{"XXA", 189, 255},
                             /* 4*/ ByteCase{"XXA", 255, 66},
                             // Key byte 255 with data byte 255 wraps to 1 and
                             // must come back as 255, not as a zero byte.
                             /* 5*/ ByteCase{"XX\xFF", 255, 1},
                             /* 6*/ ByteCase{"XX\xFF", 1, 2},
                             /* 7*/ ByteCase{"XX\xFE", 255, 255}));

TEST(Scramble, KeyWrapsAroundFromItsThirdByte)
{
    // Key bytes used: 1, 2, 1, 2, ... (zero bytes advance the key too).
    const QByteArray key = B("XX\x01\x02", 4);
    EXPECT_EQ(ScrambleText(key, B("\x0A\x0A\x00\x0A\x0A", 5)), B("\x0C\x0D\x00\x0D\x0C", 5));
}

TEST(Scramble, EveryByteUnderEveryKeyByteRoundTrips)
{
    QByteArray data(256, '\0');
    for (int b = 0; b < 256; ++b)
        data[b] = static_cast<char>(b);
    for (int k = 0; k < 256; ++k) {
        const QByteArray key = QByteArray("XX") + static_cast<char>(k);
        const QByteArray scrambled = ScrambleText(key, data);
        EXPECT_EQ(scrambled.count('\0'), 1) << k;
        EXPECT_EQ(UnscrambleText(key, scrambled), data) << k;
    }
}

TEST(Scramble, RegistryPasswordKey)
{
    const QByteArray key(kRegistryPasswordKey);
    const QByteArray stored = ScrambleText(key, QByteArray("tajne hasło"));
    EXPECT_NE(stored, QByteArray("tajne hasło"));
    EXPECT_EQ(UnscrambleText(key, stored), QByteArray("tajne hasło"));
}

} // namespace
