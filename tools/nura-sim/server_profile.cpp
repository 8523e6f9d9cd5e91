#include "server_profile.h"

#include "json_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

QString StructureFromFile(const QByteArray& fileBytes)
{
    QString text = QString::fromUtf8(fileBytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    while (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QString ServerProfile::Load(const QString& dataDir, const SimOptions& options)
{
    const QDir dir(dataDir);
    QJsonDocument document;
    if (QString error = ReadJsonFile(dir.filePath(QStringLiteral("server.json")), document);
        !error.isEmpty())
        return error;
    const QJsonObject object = document.object();
    QString generation =
        object.value(QLatin1String("generation")).toString(QStringLiteral("NURA3"));
    std::vector<std::pair<QString, QString>> parameters;
    for (const QJsonValue& value : object.value(QLatin1String("parameters")).toArray()) {
        const QJsonArray pair = value.toArray();
        parameters.emplace_back(pair.at(0).toString(), pair.at(1).toString());
    }
    QString structure;
    QFile file(dir.filePath(QStringLiteral("struktura.txt")));
    if (file.open(QIODevice::ReadOnly))
        structure = StructureFromFile(file.readAll());

    if (!options.oldServer.isEmpty()) {
        // An older server describes only its version (and its message); the
        // catalog comes from its lists.
        generation = options.oldServer;
        std::vector<std::pair<QString, QString>> kept;
        for (auto& parameter : parameters) {
            if (parameter.first == QLatin1String("wersja") ||
                parameter.first == QLatin1String("message"))
                kept.push_back(std::move(parameter));
        }
        parameters = std::move(kept);
        structure.clear();
    }
    if (!options.version.isEmpty()) {
        bool replaced = false;
        for (auto& parameter : parameters) {
            if (parameter.first == QLatin1String("wersja")) {
                parameter.second = options.version;
                replaced = true;
            }
        }
        if (!replaced)
            parameters.insert(parameters.begin(), {QStringLiteral("wersja"), options.version});
    }
    Set(generation, std::move(parameters), structure);
    return {};
}

void ServerProfile::Set(QString generation, std::vector<std::pair<QString, QString>> parameters,
                        QString structure)
{
    m_generation = std::move(generation);
    m_parameters = std::move(parameters);
    m_structure = std::move(structure);
}

QString ServerProfile::Description() const
{
    QString text = m_generation;
    for (const auto& [key, value] : m_parameters)
        text += QLatin1Char('&') + key + QLatin1Char('=') + value;
    if (!m_structure.isEmpty())
        text += QLatin1String("&struktura=") + m_structure;
    return text;
}

QString ServerProfile::Parameter(const QString& key) const
{
    for (const auto& [name, value] : m_parameters) {
        if (name == key)
            return value;
    }
    return {};
}

LayoutContext ServerProfile::Layout() const
{
    // The client adds the three strings for exactly these servers.
    LayoutContext context;
    context.moneyWithThreeMore = m_generation == QLatin1String("NURA3") &&
                                 Parameter(QStringLiteral("wersja")) >= QLatin1String("20171113");
    return context;
}
