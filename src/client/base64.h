#pragma once

#include <QByteArray>

// Base64 as the HTTPS server carries files and blobs: the standard alphabet
// with "=" padding. A download may be tens of megabytes, so both directions
// are table-driven and write into one buffer sized up front.

QByteArray Base64Encode(const QByteArray& bytes);
// Appends the encoded form of bytes to out; a caller that reserves room for
// more (escapes it adds afterwards) avoids copying a large result again.
void AppendBase64(QByteArray& out, const QByteArray& bytes);
qsizetype Base64Length(qsizetype byteCount);

// Characters outside the alphabet (line breaks, blanks, anything else) are
// skipped; the first "=" ends the data. Bits that do not fill a last byte are
// dropped.
QByteArray Base64Decode(const QByteArray& text);

// The decoder in pieces, for callers that find the characters themselves
// (escaped text is unescaped and decoded in one pass).
class Base64Decoder
{
public:
    // `textLength` bounds the output: three bytes per four characters.
    explicit Base64Decoder(qsizetype textLength);

    // Decodes text[0, length) and returns how many bytes were taken: all of
    // them, or fewer when a "=" ended the data (it is taken too) or when
    // `stopAtBackslash` and a backslash came (it is not taken).
    qsizetype AddRun(const char* text, qsizetype length, bool stopAtBackslash);
    // One character, skipped when it is outside the alphabet.
    void AddCharacter(char16_t character);
    // A "=" has ended the data; whatever is added later is ignored.
    bool Finished() const { return m_finished; }
    // The decoded bytes; the decoder is spent afterwards.
    QByteArray Take();

private:
    void Reserve(qsizetype count);
    void AddSextet(unsigned sextet);

    QByteArray m_out;
    char* m_write;
    char* m_end;
    // Bits decoded but not yet written, the newest lowest; fewer than 8.
    unsigned m_bits = 0;
    int m_bitCount = 0;
    bool m_finished = false;
};
