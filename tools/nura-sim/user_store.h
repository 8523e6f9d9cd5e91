#pragma once

#include <QString>

#include <mutex>
#include <optional>
#include <vector>

// A user the simulated server knows.
struct SimUser
{
    QString name;
    QString password;
    QString rights;      // e.g. "czytelnia=1;"
    QString loginInfo;   // second field of the password reply
    QString loginNotice; // non-empty: the server asks for a new password
};

// The users of the data folder (users.json). A password change is written
// to disk before it is acknowledged.
class UserStore
{
public:
    // Returns an error text, empty on success; a missing file means no users.
    QString Load(const QString& path);
    std::optional<SimUser> Find(const QString& name) const;
    // Stores the new password and clears the user's notice. Returns an
    // error text, empty on success.
    QString ChangePassword(const QString& name, const QString& password);

private:
    QString SaveLocked() const;

    mutable std::mutex m_mutex;
    QString m_path;
    std::vector<SimUser> m_users;
};
