#include "user_store.h"

#include "json_file.h"

#include <QJsonArray>
#include <QJsonObject>

QString UserStore::Load(const QString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
    m_users.clear();
    QJsonDocument document;
    if (QString error = ReadJsonFile(path, document); !error.isEmpty())
        return error;
    const QJsonArray users = document.object().value(QLatin1String("users")).toArray();
    for (const QJsonValue& value : users) {
        const QJsonObject object = value.toObject();
        SimUser user;
        user.name = object.value(QLatin1String("name")).toString();
        user.password = object.value(QLatin1String("password")).toString();
        user.rights = object.value(QLatin1String("rights")).toString();
        user.loginInfo = object.value(QLatin1String("loginInfo")).toString();
        user.loginNotice = object.value(QLatin1String("loginNotice")).toString();
        if (!user.name.isEmpty())
            m_users.push_back(std::move(user));
    }
    return {};
}

std::optional<SimUser> UserStore::Find(const QString& name) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const SimUser& user : m_users) {
        if (user.name == name)
            return user;
    }
    return std::nullopt;
}

QString UserStore::ChangePassword(const QString& name, const QString& password)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (SimUser& user : m_users) {
        if (user.name != name)
            continue;
        const SimUser before = user;
        user.password = password;
        user.loginNotice.clear();
        QString error = SaveLocked();
        if (!error.isEmpty())
            user = before; // not on disk, so not changed
        return error;
    }
    return QStringLiteral("Nieznany użytkownik");
}

QString UserStore::SaveLocked() const
{
    QJsonArray users;
    for (const SimUser& user : m_users) {
        users.append(QJsonObject{{QLatin1String("name"), user.name},
                                 {QLatin1String("password"), user.password},
                                 {QLatin1String("rights"), user.rights},
                                 {QLatin1String("loginInfo"), user.loginInfo},
                                 {QLatin1String("loginNotice"), user.loginNotice}});
    }
    return WriteJsonFileAtomic(m_path, QJsonDocument(QJsonObject{{QLatin1String("users"), users}}));
}
