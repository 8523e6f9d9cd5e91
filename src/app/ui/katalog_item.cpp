#include "app/ui/katalog_item.h"

#include <utility>

KatalogItem::KatalogItem(const CatalogMenuNode& catalog, QStringList ancestors, QObject* parent)
    : QAction(catalog.caption, parent), m_caption(catalog.caption), m_address(catalog.address),
      m_port(catalog.port), m_user(catalog.user), m_ancestors(std::move(ancestors))
{}

QString KatalogItem::NamePath() const
{
    return ::NamePath(m_caption, m_ancestors);
}
