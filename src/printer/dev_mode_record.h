#pragma once

#include "printer/ppd_options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The bits of dmFields: which public fields of a record hold a value.
enum DevModeField : quint32
{
    DM_ORIENTATION = 0x00000001,
    DM_PAPERSIZE = 0x00000002,
    DM_PAPERLENGTH = 0x00000004,
    DM_PAPERWIDTH = 0x00000008,
    DM_SCALE = 0x00000010,
    DM_COPIES = 0x00000100,
    DM_DEFAULTSOURCE = 0x00000200,
    DM_PRINTQUALITY = 0x00000400,
    DM_COLOR = 0x00000800,
    DM_DUPLEX = 0x00001000,
    DM_YRESOLUTION = 0x00002000,
    DM_TTOPTION = 0x00004000,
    DM_COLLATE = 0x00008000,
    DM_FORMNAME = 0x00010000,
};

// Values of the public fields, as printer drivers know them.
enum DevModeValue : qint16
{
    DMORIENT_PORTRAIT = 1,
    DMORIENT_LANDSCAPE = 2,
    DMCOLOR_MONOCHROME = 1,
    DMCOLOR_COLOR = 2,
    DMDUP_SIMPLEX = 1,
    DMDUP_VERTICAL = 2,
    DMDUP_HORIZONTAL = 3,
    DMCOLLATE_FALSE = 0,
    DMCOLLATE_TRUE = 1,
    DMBIN_ONLYONE = 1,
    DMBIN_LOWER = 2,
    DMBIN_MIDDLE = 3,
    DMBIN_MANUAL = 4,
    DMBIN_ENVELOPE = 5,
    DMBIN_ENVMANUAL = 6,
    DMBIN_AUTO = 7,
    DMBIN_TRACTOR = 8,
    DMBIN_SMALLFMT = 9,
    DMBIN_LARGEFMT = 10,
    DMBIN_LARGECAPACITY = 11,
    DMBIN_CASSETTE = 14,
    DMBIN_FORMSOURCE = 15,
    DMBIN_USER = 256,
};

// The 16-bit public fields the print system fills, each with its dmFields bit.
enum class DevModeShort
{
    dmOrientation,
    dmPaperSize,
    dmPaperLength, // tenths of a millimetre
    dmPaperWidth,  // tenths of a millimetre
    dmScale,
    dmCopies,
    dmDefaultSource,
    dmPrintQuality,
    dmColor,
    dmDuplex,
    dmYResolution,
    dmTTOption,
    dmCollate,
};

// A printer driver's option and the choice taken, as the record keeps it.
struct DriverChoice
{
    QString keyword;
    QString choice;

    bool operator==(const DriverChoice& other) const
    {
        return keyword == other.keyword && choice == other.choice;
    }
};

// One printer's device settings as a block of bytes: the 220-byte public
// part laid out as the device-mode record of the printing interface that
// settings files were first written by (little-endian, names in UTF-16),
// then the driver's private part, which holds the driver's own options in
// fixed slots, one per option of its PPD. The private part's size therefore
// depends on the driver, not on the choices: a record saved under another
// driver does not fit.
class DevModeRecord
{
public:
    static constexpr int kPublicSize = 220;
    static constexpr int kNameChars = 32;
    // PPD keywords have at most 40 characters; one byte more keeps a
    // terminating zero in each half of a slot.
    static constexpr int kKeywordBytes = 41;
    static constexpr int kChoiceBytes = 41;
    static constexpr int kSlotBytes = kKeywordBytes + kChoiceBytes;
    static constexpr int kMaxSlots = (0xFFFF / kSlotBytes);
    static constexpr quint16 kSpecVersion = 0x0401;

    // No record: size 0.
    DevModeRecord() = default;
    // A record for `deviceName` with a slot for each of the driver's
    // options (beyond kMaxSlots the rest are not kept), each holding the
    // option's default choice; no public field set yet.
    DevModeRecord(const QString& deviceName, const QVector<PpdOption>& driverOptions);

    bool IsNull() const { return m_bytes.isEmpty(); }
    // dmSize + dmDriverExtra.
    int Size() const;
    const QByteArray& Bytes() const { return m_bytes; }
    // Replaces the whole record, as read from a settings file; the bytes
    // are taken as they are (their sizes are checked by the caller).
    void SetBytes(const QByteArray& bytes) { m_bytes = bytes; }

    // Sizes and names of the public part; a record shorter than the public
    // part reads as zeros and empty texts.
    static QString DeviceNameOf(const QByteArray& publicPart);
    static int SizeOf(const QByteArray& publicPart);
    QString DeviceName() const { return DeviceNameOf(m_bytes); }
    quint16 dmSize() const { return Word(68); }
    quint16 dmDriverExtra() const { return Word(70); }
    quint32 dmFields() const;
    bool Has(DevModeField field) const { return (dmFields() & field) != 0; }

    // A public field and its bit in dmFields.
    qint16 Value(DevModeShort field) const;
    void SetValue(DevModeShort field, qint16 value);
    QString FormName() const;
    void SetFormName(const QString& name);

    // The driver's options in slot order, and one of them by keyword.
    QVector<DriverChoice> Options() const;
    QString Option(const QString& keyword) const;
    // False when the driver has no such option.
    bool SetOption(const QString& keyword, const QString& choice);
    // Takes the choices of a list of keyword, choice, keyword, choice ...
    // for the options the driver has; other keywords are passed over.
    void SetOptions(const QStringList& keywordsAndChoices);

    // Paper and two-sided printing are part of the printer's own settings
    // (the public fields); the driver's options that say the same are
    // carried there rather than beside them.
    static bool FollowsPrinterSettings(const QString& keyword);
    // Sets those options of the driver to what the public fields say
    // (dmFormName, dmDuplex), where the driver offers that choice.
    void MatchDriverToFields(const QVector<PpdOption>& driver);
    // The paper and two-sided printing the record asks for: the driver's
    // own choice when it has one (a driver knows sizes and ways of binding
    // the public fields have no number for), else the public fields'.
    QString PaperKey() const;
    qint16 Sides() const;
    // The other options as keyword, choice, keyword, choice ...: what a job
    // is given besides the printer's own settings.
    QStringList DriverJobOptions() const;

private:
    quint16 Word(int offset) const;
    void SetWord(int offset, quint16 value);
    void SetFields(quint32 fields);
    QString Latin1Text(int offset, int bytes) const;
    void SetLatin1Text(int offset, int bytes, const QString& text);
    int SlotCount() const;

    QByteArray m_bytes;
};
