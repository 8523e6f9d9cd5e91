#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

// The process-wide single-byte code page that 8-bit files and the TCP wire
// use: windows-1250 unless the administrator chooses another one. Tables are
// built once per page through iconv, so converting is a table look-up.
struct AnsiCodePage
{
    static constexpr std::int16_t kNoByte = -1;

    int number = 0;
    std::array<char16_t, 256> toUnicode{};
    // The byte of each UTF-16 code unit, or kNoByte where the page has none.
    std::array<std::int16_t, 65536> fromUnicode{};
};

inline constexpr int kDefaultAnsiCodePage = 1250;

// The page in force; windows-1250 until SelectAnsiCodePage picks another.
const AnsiCodePage& CurrentAnsiCodePage();

// Makes page `number` (e.g. 1250, 1252) the process-wide page. Returns an
// error text and keeps the current page when the system does not know the
// page or it is not a single-byte page that keeps ASCII as it is.
QString SelectAnsiCodePage(int number);

// Plain conversions through the current page, without the escape runs of the
// wire codec: configuration files are plain 8-bit text.
QString DecodeCodePage(const QByteArray& bytes);
// False when some character has no byte in the page; `out` is then unusable.
bool EncodeCodePage(QStringView text, QByteArray& out);
