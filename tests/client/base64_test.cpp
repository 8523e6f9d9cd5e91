#include "client/base64.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Bytes of every value in a scrambled order, so each length exercises
// different sextets.
QByteArray Bytes(qsizetype length)
{
    QByteArray bytes(length, '\0');
    std::uint32_t seed = 7;
    for (qsizetype i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

TEST(Base64, EncodesAndDecodesEveryLengthRemainder)
{
    // Qt's encoder is an independent reference for the standard alphabet.
    for (qsizetype length = 0; length <= 70; ++length) {
        const QByteArray bytes = Bytes(length);
        const QByteArray text = Base64Encode(bytes);
        EXPECT_EQ(text, bytes.toBase64()) << "length " << length;
        EXPECT_EQ(Base64Decode(text), bytes) << "length " << length;
    }
    EXPECT_EQ(Base64Encode(QByteArray("\xFB\xFF\xBF")), QByteArray("+/+/"));
    EXPECT_EQ(Base64Encode(QByteArray("ab")), QByteArray("YWI="));
    EXPECT_EQ(Base64Encode(QByteArray("a")), QByteArray("YQ=="));
}

TEST(Base64, SkipsForeignCharactersAndStopsAtPadding)
{
    const struct
    {
        const char* text;
        QByteArray bytes;
    } rows[] = {
        /* 0*/ {"QUJD", "ABC"},
        /* 1*/ {"QU\r\nJD ", "ABC"},
        /* 2*/ {"*Q-U.J\\D_", "ABC"},
        /* 3*/ {"\xC3\xB3QUJD\xFF", "ABC"},
        /* 4*/ {"QQ==", "A"},
        /* 5*/ {"QQ", "A"},
        /* 6*/ {"QUI=", "AB"},
        /* 7*/ {"QUI", "AB"},
        /* 8*/ {"QUJD=QUJD", "ABC"},
        /* 9*/ {"=QUJD", ""},
        /*10*/ {"Q", ""},
        /*11*/ {"QUJDQ", "ABC"},
        /*12*/ {"", ""},
        /*13*/ {"Q=UJD", ""},
        /*14*/ {"Q U J D Q U J D", "ABCABC"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(Base64Decode(QByteArray(rows[i].text)), rows[i].bytes) << "row " << i;
}

TEST(Base64, DecoderInPiecesMatchesTheWholeText)
{
    // Runs cut at backslashes, with characters fed singly in between, in
    // every phase of the four-character groups (no padding to stop at).
    const QByteArray bytes = Bytes(99);
    const QByteArray text = Base64Encode(bytes);
    for (qsizetype cut = 0; cut < 8; ++cut) {
        QByteArray pieces = text;
        for (qsizetype at = pieces.size() - 1 - cut; at > 0; at -= 9)
            pieces.insert(at, '\\');
        Base64Decoder decoder(pieces.size());
        qsizetype pos = 0;
        while (pos < pieces.size()) {
            pos += decoder.AddRun(pieces.constData() + pos, pieces.size() - pos, true);
            if (pos < pieces.size()) {
                ASSERT_EQ(pieces[pos], '\\');
                decoder.AddCharacter(u'\\'); // outside the alphabet: skipped
                ++pos;
            }
        }
        EXPECT_EQ(decoder.Take(), bytes) << "cut " << cut;
    }
}

TEST(Base64, DecoderGrowsPastThePromisedLengthAndIgnoresTextAfterPadding)
{
    const QByteArray text = Base64Encode(Bytes(300));
    Base64Decoder decoder(0);
    EXPECT_EQ(decoder.AddRun(text.constData(), 10, false), 10);
    for (qsizetype i = 10; i < 20; ++i)
        decoder.AddCharacter(static_cast<char16_t>(text[i]));
    decoder.AddCharacter(u'\u0141'); // beyond one byte: skipped
    EXPECT_EQ(decoder.AddRun(text.constData() + 20, text.size() - 20, false), text.size() - 20);
    EXPECT_FALSE(decoder.Finished());
    decoder.AddCharacter(u'=');
    EXPECT_TRUE(decoder.Finished());
    decoder.AddCharacter(u'Q');
    EXPECT_EQ(decoder.AddRun("QUJD", 4, false), 4);
    EXPECT_EQ(decoder.Take(), Bytes(300));
}

} // namespace
