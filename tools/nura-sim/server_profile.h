#pragma once

#include "request_layout.h"
#include "sim_options.h"

#include <QString>

#include <utility>
#include <vector>

// What the simulated server says about itself in answer to the description
// request: the database generation and its parameters from server.json, the
// catalog structure from struktura.txt (always last, because the client
// reads it to the end of the text), as changed by --old-server and
// --version.
class ServerProfile
{
public:
    // Returns an error text, empty on success.
    QString Load(const QString& dataDir, const SimOptions& options);
    // For tests and the built-in defaults.
    void Set(QString generation, std::vector<std::pair<QString, QString>> parameters,
             QString structure);

    QString Description() const;
    QString Parameter(const QString& key) const;
    LayoutContext Layout() const;
    // The catalog structure as struktura.txt gave it.
    const QString& Structure() const { return m_structure; }

private:
    QString m_generation = QStringLiteral("NURA3");
    std::vector<std::pair<QString, QString>> m_parameters;
    QString m_structure;
};

// The structure file's lines joined with CR, the line break that the
// client's form descriptions use inside a structure.
QString StructureFromFile(const QByteArray& fileBytes);
