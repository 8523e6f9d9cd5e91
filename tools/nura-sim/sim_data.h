#pragma once

#include "canned_replies.h"
#include "entry_lists.h"
#include "server_profile.h"
#include "sim_options.h"
#include "user_store.h"
#include "visit_registry.h"

#include <QString>

// Everything the simulated server keeps in its data folder:
//   server.json, struktura.txt  the server's description
//   users.json                  users, passwords, rights, notices
//   registry.json               visit counts per date and type
//   replies.json                canned replies
//   lists.json                  lists served entry by entry
//   reports/<N>.txt             report output (wins over a computed report),
//                               files/ and blobs/ areas
struct SimData
{
    // Returns an error text, empty on success.
    QString Load(const QString& folder, const SimOptions& options);

    QString FilePath(const QString& name) const;

    QString dir;
    ServerProfile profile;
    UserStore users;
    VisitRegistry registry;
    CannedReplies canned;
    EntryLists lists;
};
