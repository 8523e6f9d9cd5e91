#pragma once

#include "catalog/catalog_description.h"

#include <QString>

// Builds the catalog description of an older server, which has no
// "struktura": fixed indexes for its generation and the lists it serves
// entry by entry ("051" or "Indeksy", "CRI", "FRM", "REP"). A list that
// fails midway ends its walk and keeps the entries read so far.
//
// Returns an error text, empty on success: a format or report identifier
// that is not a whole number stops the reading.
QString ReadServerListDescription(TNuraClient& client, CatalogDescription& description);
