#pragma once

#include <QDate>
#include <QString>

// The texts the reading-room window shows about itself.

// The branch label: the server parameter "placówka", or else the operator's
// agenda number when it is not 0; empty when neither.
QString BranchLabel(const QString& placowka, qint16 agendaNumber);
// caption + " [" + label + "]", or the caption alone for an empty label.
QString CaptionWithBranch(const QString& caption, const QString& label);
// The caption once the layout is built: the reading room's name (or, when it
// is empty, the current caption), " - " and the date as 08.12.2026.
QString LayoutCaption(const QString& name, const QString& currentCaption, const QDate& today);
// A category button's caption: its name and, in brackets, its count.
QString ButtonCaption(const QString& name, qint32 count);
