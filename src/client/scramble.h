#pragma once

#include <QByteArray>

// Keyed byte scrambling. It hides protocol strings and transferred files once
// the server has handed out a login key, and the password kept in the user's
// automatic-login settings. A key is active only when it starts with "XX" and
// is longer than that; its bytes from the third on are used cyclically. Any
// other key leaves the data unchanged. Zero bytes always stay zero, so
// terminators survive.

void ScrambleBytes(const QByteArray& key, char* buffer, qsizetype length);
void UnscrambleBytes(const QByteArray& key, char* buffer, qsizetype length);

QByteArray ScrambleText(const QByteArray& key, QByteArray text);
QByteArray UnscrambleText(const QByteArray& key, QByteArray text);

// The fixed key of the saved automatic-login password.
inline constexpr char kRegistryPasswordKey[] = "XXKorund";
