#pragma once

#include <QString>

// The per-user automatic login: a small settings file under
// $XDG_CONFIG_HOME/Zelvoran/ (default ~/.config/Zelvoran/) with the server
// address "ip", "port", the user "user" and the password "pwd", scrambled
// with the fixed key. The program only reads it; the command-line tool writes
// it, readable by its owner alone.
//
// The file is UTF-8 text with one section "[Zelvoran]". "pwd" holds the
// password as the Windows version keeps it: the clear text in the 8-bit code
// page, scrambled with kRegistryPasswordKey, each byte taken back as the code
// page's character. Scrambled bytes may be control characters, so in every
// value a control character (below 0x20, 0x7F to 0x9F), a backslash, and a
// blank or quote at the value's first or last place (which the settings
// reader would drop) is written "\xNN" with two upper-case hex digits. On
// reading, "\x" and two hex digits stand for that character; any other
// backslash is itself.

struct AutoLogin
{
    QString ip;
    qint32 port = 0;
    QString user;
    QString password; // in clear
};

// A port number, 1..65535, written as a whole number; false for anything
// else, `port` then unchanged.
bool ParsePortNumber(const QString& text, qint32& port);

// The file's path for this user.
QString AutoLoginFilePath();

enum class AutoLoginRead
{
    Absent, // no file: the operator logs in through the login window
    Read,
    Broken // the file is there but cannot be used; see the error text
};

// Reads the file; a "port" that is missing or not a number (1..65535), a
// "pwd" that the code page cannot hold, or a file that cannot be read makes
// it Broken with a text that names the file and the value. `values` is only
// changed when the file is Read.
AutoLoginRead ReadAutoLogin(const QString& path, AutoLogin& values, QString& error);

// Writes the file (creating its missing folders with mode 0700) with mode
// 0600: a new file is written beside it and renamed over it, so a reader
// never sees half a file. A port outside 1..65535 is refused. Returns an
// error text, empty on success.
QString WriteAutoLogin(const QString& path, const AutoLogin& values);
// Removes the file; no file is no error. Returns an error text.
QString ClearAutoLogin(const QString& path);
