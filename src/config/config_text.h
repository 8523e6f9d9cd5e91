#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// How configuration files become text and lines, and text becomes bytes
// again: files in UTF-8 and old files in the 8-bit code page are both read,
// and a file written back keeps the form it was read in.

enum class ConfigEncoding
{
    Utf8,
    Utf8WithBom,
    CodePage
};

struct ConfigText
{
    QString text;
    ConfigEncoding encoding = ConfigEncoding::Utf8;
};

// Valid UTF-8 (after an optional byte order mark) reads as UTF-8; anything
// else as the current 8-bit code page.
ConfigText DecodeConfigText(const QByteArray& bytes);

// Reads and decodes a whole file. A missing file is empty text. False when
// the file exists but cannot be read in full; `out` then holds what was read.
bool ReadConfigText(const QString& path, ConfigText& out);

// The bytes of `text` in `encoding`. A code-page text is written as UTF-8
// instead, and `encoding` changed to say so, when the page cannot hold one of
// its characters or when its 8-bit bytes would read back as UTF-8.
QByteArray EncodeConfigText(const QString& text, ConfigEncoding& encoding);

struct ConfigLines
{
    QStringList lines;
    QString lineBreak;          // the first break found: "\r\n", "\n" or "\r"; empty when none
    bool endsWithBreak = false; // a break after the last line adds no empty line
};

// Splits at CR, LF and CR LF alike.
ConfigLines SplitConfigLines(const QString& text);

// `text` without blanks and control characters (codes up to 32) at its ends.
QStringView TrimBlanks(QStringView text);
