#pragma once

#include <QString>
#include <QStringList>

// Where a command reaches the server and as whom: the options that `call`,
// `catalog` and `visits` share.
struct ServerOptions
{
    QString address;
    // 0 for an HTTPS or HTTP address, which carries its own port.
    qint32 port = 0;
    QString user;
    QString password;
    QString service;
    // Whether --service was on the command line at all, so a command can
    // tell "no service" from "the default service".
    bool serviceGiven = false;
};

// Takes --address, --port, --user, --password, --service, --cafile and
// --insecure off the front of `arguments`, in any order, up to the first
// word that is none of them. Returns false when the address is missing or a
// TCP address has no numeric port; otherwise --cafile and --insecure become
// the process's HTTPS settings, on top of those of the configuration file.
bool TakeServerOptions(QStringList& arguments, ServerOptions& options);
