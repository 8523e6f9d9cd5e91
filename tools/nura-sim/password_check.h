#pragma once

#include <QString>

#include <optional>

// Reverses the client's password encoding for a challenge, so that a new
// password sent with the change-password request can be stored. Challenge 0
// means the password came unchanged. Returns nothing when the text is not
// an encoding of any password for that challenge.
std::optional<QString> DecodePassword(const QString& encoded, qint32 challenge);

// True when `sent` is the encoding of `password` for `challenge`.
bool PasswordMatches(const QString& sent, const QString& password, qint32 challenge);
