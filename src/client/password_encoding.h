#pragma once

#include <QString>

// The password as the login and password-change requests carry it, mixed
// with the challenge number the server sent for the user name. Challenge 0
// sends the password unchanged.
QString EncodePassword(const QString& password, qint32 challenge);
