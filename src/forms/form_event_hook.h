#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class my_record;

// What an editor tells the form's owner. The numbers are the ones the form
// language has always used for them.
enum class FormEvent : int
{
    Announce = 0, // an editor is built for a field; TEXT and PANEL content is asked for
    Focus = 1,    // a field's control gains the focus
    Change = 2,   // the user changed a value (the record already holds it)
    Commit = 3,   // a field is committed
    Action = 4,   // a button, a menu item, a link ... asks for an action
};

// The owner's answer to an event: lines of content, or nothing. The owner
// may change values in the record.
using FormEventHook = std::function<std::optional<QStringList>(FormEvent event, my_record& record,
                                                               const QString& name)>;
