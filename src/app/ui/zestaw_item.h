#pragma once

#include "catalog/catalog_description.h"

#include <QAction>

// A report of the catalog in the "Zestawienie" menu.
class ZestawItem : public QAction
{
    Q_OBJECT
public:
    ZestawItem(const nura_report& report, QObject* parent);

    const nura_report& Report() const { return m_report; }

private:
    // The report's own copy: the menu outlives a session replaced at the
    // next login until the menu is rebuilt.
    nura_report m_report;
};
