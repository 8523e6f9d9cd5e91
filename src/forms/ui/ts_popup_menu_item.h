#pragma once

#include <QAction>

#include <functional>

// An item of the marker menu: the index of its marker definition and what a
// click does with it.
class TSPopupMenuItem : public QAction
{
    Q_OBJECT
public:
    using Callback = std::function<void(int index)>;

    TSPopupMenuItem(int index, const QString& caption, Callback onClick, QObject* parent);
    int Index() const { return m_index; }

private:
    int m_index;
    Callback m_onClick;
};
