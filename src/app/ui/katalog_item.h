#pragma once

#include "app/catalog_menu.h"

#include <QAction>
#include <QStringList>

// One catalog of the login window's menu. Choosing it makes it the catalog
// the window connects to.
class KatalogItem : public QAction
{
    Q_OBJECT
public:
    // `ancestors`: the captions of the groups around it, nearest first.
    KatalogItem(const CatalogMenuNode& catalog, QStringList ancestors, QObject* parent);

    const QString& Address() const { return m_address; }
    qint32 Port() const { return m_port; }
    const QString& User() const { return m_user; }
    // The caption with the groups it sits in: "Główna [Miasto. Filie]".
    QString NamePath() const;

private:
    QString m_caption;
    QString m_address;
    qint32 m_port = 0;
    QString m_user;
    QStringList m_ancestors;
};
