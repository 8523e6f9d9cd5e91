#pragma once

#include "catalog/catalog_description.h"

#include <QString>

// Reads the catalog description out of the server's "struktura" text. Each
// kind of record is taken from its own copy of the text, so records keep
// their order within a kind and records of other kinds (the reading-room
// layout among them) are passed over. The indexes are bound to `client`.
//
// Returns an error text, empty on success. A "tab", "ind" or "id" that is
// not a whole number in its range stops the reading; `description` then
// holds what was read before it.
QString ReadStructureDescription(const QString& structure, TNuraClient* client,
                                 CatalogDescription& description);
