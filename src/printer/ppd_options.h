#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One choice of a printer driver's option: its keyword ("A4") and the text
// the driver shows for it ("A4 210 x 297 mm").
struct PpdChoice
{
    QString keyword;
    QString text;
};

// One option a printer driver (its PPD file) offers the user: the keyword
// ("PageSize"), its text, how many choices may be taken at once, the choices
// in file order and the one taken by default.
struct PpdOption
{
    enum Type
    {
        PickOne,
        Boolean,
        PickMany
    };

    QString keyword;
    QString text;
    Type type = PickOne;
    QString defaultChoice;
    QVector<PpdChoice> choices;
};

// The user options of a PPD file (`*OpenUI` or `*JCLOpenUI` ... `*CloseUI`
// blocks) in file order, with their choices and `*Default` values. The file
// comes from the print system and may be damaged: whatever can be read is
// returned, anything else is passed over.
QVector<PpdOption> ReadPpdOptions(const QByteArray& ppd);
