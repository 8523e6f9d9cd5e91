#include "app/ui/zestaw_item.h"

ZestawItem::ZestawItem(const nura_report& report, QObject* parent)
    : QAction(report.name, parent), m_report(report)
{}
