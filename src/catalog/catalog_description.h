#pragma once

#include "catalog/nura_order.h"

#include <QString>
#include <QStringList>

#include <vector>

// What a catalog offers, as its server describes it: the parts of the
// description other than the indexes, which are list cursors of their own.

// A record format the server can show a record in.
struct nura_format
{
    qint16 identifier = 0;
    QString name;
    QString type;
};

// A report of the "Zestawienie" menu.
struct nura_report
{
    qint16 identifier = 0; // "id"
    QString idf;
    QString name;        // "nam"
    QString group;       // "fat"
    bool noForm = false; // "par" was empty
    QString kind;        // "lan"
    QString icon;        // "ico"
    QString form;        // "par", or "win" when "par" is empty
    QString act;
    QString opt;
};

// A search criterium.
struct nura_criterium
{
    QString name;       // "nam"
    QString type;       // "typ"
    QString dictionary; // "khw"
    QString par;
    QString act;
    QString opt;
};

// A program the server runs for the operator.
struct nura_programm
{
    QString name;       // "nam"
    QString identifier; // "id"
    QString par;
    QString act;
    QString opt;
    QString aft;
    QString cal;
    QString app;
    QString group; // "fat"
};

// One index of a keyword dictionary.
struct nura_KHW_index
{
    QString name;           // "nam"
    qint32 kind = 0;        // "tab"
    qint32 indexNumber = 0; // "ind"
    QString prefix;         // "pre"
};

// A keyword dictionary with its indexes.
struct nura_KHW
{
    QString name;       // "nam"
    QString identifier; // "id"
    std::vector<nura_KHW_index> indexes;
};

struct nura_filter
{
    QString name;       // "nam"
    QString identifier; // "id"
};

// The whole description, every list in the order the server gave it.
struct CatalogDescription
{
    std::vector<nura_order> indexes;
    std::vector<nura_KHW> dictionaries;
    std::vector<nura_criterium> criteria;
    QStringList sNames;
    QStringList sdNames;
    std::vector<nura_format> formats;
    std::vector<nura_report> reports;
    std::vector<nura_programm> programs;
    std::vector<nura_filter> filters;
    // Index into `reports` of the filter report (the first whose "idf" is
    // "filtr" in any case), -1 when there is none.
    int filterReport = -1;
};

// The index a catalog with search criteria adds for the remote collection.
inline constexpr quint8 kRemoteCollectionKind = 99;

// Appends "Kolekcja zdalna" when there is at least one criterium, and finds
// the filter report: the last steps of every load, whatever the source.
void CompleteDescription(CatalogDescription& description, TNuraClient* client,
                         qint32 remoteCollectionIndex);

// The first report whose "idf" (or name) equals `text`, letters compared
// without regard to case; null when none does.
const nura_report* FindReportByIdf(const CatalogDescription& description, const QString& text);
const nura_report* FindReportByName(const CatalogDescription& description, const QString& text);
