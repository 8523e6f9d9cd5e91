#include "app/autologin_file.h"

#include "client/ansi_code_page.h"
#include "client/ansi_codec.h"
#include "client/hex_digits.h"
#include "client/scramble.h"
#include "config/config_integer.h"
#include "config/ini_file.h"
#include "config/user_config_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSection = QStringLiteral("Zelvoran");
constexpr int kMaxPort = 65535;
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString Failure(const QString& text)
{
    return QStringLiteral("Automatyczne logowanie: ") + text;
}

QString InFile(const QString& path, const QString& text)
{
    return Failure(QStringLiteral("w pliku \"%1\" ").arg(path) + text);
}

bool IsControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// What the settings reader would lose at a value's ends: blanks are trimmed
// and a pair of quotes around the value is taken off.
bool LostAtEnd(char16_t unit)
{
    return unit == u' ' || unit == u'"' || unit == u'\'';
}

QString EscapeValue(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool atEnd = i == 0 || i == text.size() - 1;
        if (IsControl(unit) || unit == u'\\' || (atEnd && LostAtEnd(unit))) {
            escaped += QStringLiteral("\\x");
            escaped += HexDigit(unit >> 4);
            escaped += HexDigit(unit & 0xF);
        } else {
            escaped += text[i];
        }
    }
    return escaped;
}

QString UnescapeValue(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('\\') && i + 3 < text.size() &&
            text[i + 1] == QLatin1Char('x') && HexDigitValue(text[i + 2].unicode()) >= 0 &&
            HexDigitValue(text[i + 3].unicode()) >= 0) {
            plain += QChar(static_cast<char16_t>(HexDigitValue(text[i + 2].unicode()) * 16 +
                                                 HexDigitValue(text[i + 3].unicode())));
            i += 4;
        } else {
            plain += text[i++];
        }
    }
    return plain;
}

// The scrambled bytes are taken to and from text byte for byte through the
// code page, without the escape runs of the 8-bit codec: scrambled bytes
// that happen to look like such a run would otherwise not come back.
QString HidePassword(const QString& password)
{
    return DecodeCodePage(ScrambleText(QByteArray(kRegistryPasswordKey), EncodeAnsi(password)));
}

bool RevealPassword(const QString& stored, QString& password)
{
    QByteArray scrambled;
    if (!EncodeCodePage(stored, scrambled))
        return false;
    password = DecodeAnsi(UnscrambleText(QByteArray(kRegistryPasswordKey), scrambled));
    return true;
}

// Creates the missing folders of `folder` one by one, each for its owner
// alone: they hold a password.
bool MakeFolders(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    qsizetype next = 1; // past the root's "/"
    while (next <= clean.size()) {
        qsizetype slash = clean.indexOf(QLatin1Char('/'), next);
        if (slash < 0)
            slash = clean.size();
        const QString part = clean.left(slash);
        if (!QFileInfo(part).isDir() && ::mkdir(QFile::encodeName(part).constData(), 0700) != 0 &&
            errno != EEXIST)
            return false;
        next = slash + 1;
    }
    return QFileInfo(clean).isDir();
}

QString FileText(const AutoLogin& values)
{
    return QLatin1Char('[') + kSection + QStringLiteral("]\n") + QStringLiteral("ip=") +
           EscapeValue(values.ip) + QStringLiteral("\nport=") + QString::number(values.port) +
           QStringLiteral("\nuser=") + EscapeValue(values.user) + QStringLiteral("\npwd=") +
           EscapeValue(HidePassword(values.password)) + QLatin1Char('\n');
}

// Writes `bytes` to a new file beside `path` that only its owner can read,
// then puts it in place in one step, so a reader finds the old file or the
// whole new one.
bool ReplaceFile(const QString& path, const QByteArray& bytes)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || !file.setPermissions(kOwnerOnly) || file.write(bytes) != bytes.size() ||
        !file.flush() || ::fsync(file.handle()) != 0)
        return false;
    file.close();
    const QByteArray from = QFile::encodeName(file.fileName());
    const QByteArray to = QFile::encodeName(path);
    if (std::rename(from.constData(), to.constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

// Whether `path` names nothing at all, as opposed to something that cannot
// be looked at.
bool NothingAt(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) != 0 &&
           (errno == ENOENT || errno == ENOTDIR);
}

} // namespace

bool ParsePortNumber(const QString& text, qint32& port)
{
    int value = 0;
    if (!ParseConfigInteger(text, value) || value < 1 || value > kMaxPort)
        return false;
    port = value;
    return true;
}

QString AutoLoginFilePath()
{
    return UserConfigFile(QStringLiteral("autologin.ini"));
}

AutoLoginRead ReadAutoLogin(const QString& path, AutoLogin& values, QString& error)
{
    error.clear();
    if (NothingAt(path))
        return AutoLoginRead::Absent;
    // The settings reader takes an unreadable file for an empty one; here
    // that must be told apart from a file without a port.
    QFile probe(path);
    if (!QFileInfo(path).isFile() || !probe.open(QIODevice::ReadOnly)) {
        error = Failure(QStringLiteral("nie można odczytać pliku \"%1\"").arg(path));
        return AutoLoginRead::Broken;
    }
    probe.close();

    const IniFile file(path);
    const QString port = QStringLiteral("port");
    if (!file.ValueExists(kSection, port)) {
        error = InFile(path, QStringLiteral("brak wartości \"port\""));
        return AutoLoginRead::Broken;
    }
    const QString portText = UnescapeValue(file.ReadString(kSection, port, QString()));
    AutoLogin read;
    if (!ParsePortNumber(portText, read.port)) {
        error = InFile(
            path, QStringLiteral("wartość \"port\" nie jest numerem portu (\"%1\")").arg(portText));
        return AutoLoginRead::Broken;
    }
    if (!RevealPassword(UnescapeValue(file.ReadString(kSection, QStringLiteral("pwd"), QString())),
                        read.password)) {
        error = InFile(path, QStringLiteral("wartość \"pwd\" jest uszkodzona"));
        return AutoLoginRead::Broken;
    }
    read.ip = UnescapeValue(file.ReadString(kSection, QStringLiteral("ip"), QString()));
    read.user = UnescapeValue(file.ReadString(kSection, QStringLiteral("user"), QString()));
    values = read;
    return AutoLoginRead::Read;
}

QString WriteAutoLogin(const QString& path, const AutoLogin& values)
{
    if (values.port < 1 || values.port > kMaxPort)
        return Failure(
            QStringLiteral("numer portu musi być liczbą od 1 do 65535 (\"%1\")").arg(values.port));
    const QString folder = QFileInfo(path).absolutePath();
    if (!MakeFolders(folder))
        return Failure(QStringLiteral("nie można utworzyć folderu \"%1\"").arg(folder));
    if (!ReplaceFile(path, FileText(values).toUtf8()))
        return Failure(QStringLiteral("nie można zapisać pliku \"%1\"").arg(path));
    return QString();
}

QString ClearAutoLogin(const QString& path)
{
    if (QFile::remove(path) || NothingAt(path))
        return QString();
    return Failure(QStringLiteral("nie można usunąć pliku \"%1\"").arg(path));
}
