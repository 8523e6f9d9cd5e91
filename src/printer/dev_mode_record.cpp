#include "printer/dev_mode_record.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr int kDeviceNameOffset = 0;
constexpr int kSpecVersionOffset = 64;
constexpr int kSizeOffset = 68;
constexpr int kDriverExtraOffset = 70;
constexpr int kFieldsOffset = 72;
constexpr int kFormNameOffset = 102;

struct ShortField
{
    int offset;
    quint32 bit;
};

// In the order of DevModeShort.
constexpr ShortField kShortFields[] = {
    {76, DM_ORIENTATION}, {78, DM_PAPERSIZE}, {80, DM_PAPERLENGTH},   {82, DM_PAPERWIDTH},
    {84, DM_SCALE},       {86, DM_COPIES},    {88, DM_DEFAULTSOURCE}, {90, DM_PRINTQUALITY},
    {92, DM_COLOR},       {94, DM_DUPLEX},    {96, DM_YRESOLUTION},   {98, DM_TTOPTION},
    {100, DM_COLLATE},
};

const ShortField& FieldOf(DevModeShort field)
{
    return kShortFields[static_cast<int>(field)];
}

bool Fits(const QByteArray& bytes, int offset, int size)
{
    return offset >= 0 && size >= 0 && offset + size <= bytes.size();
}

quint16 WordAt(const QByteArray& bytes, int offset)
{
    if (!Fits(bytes, offset, 2))
        return 0;
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// A name of up to 32 UTF-16 characters, ended early by a zero.
QString WideTextAt(const QByteArray& bytes, int offset)
{
    QString text;
    for (int i = 0; i < DevModeRecord::kNameChars; ++i) {
        const quint16 unit = WordAt(bytes, offset + 2 * i);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

// At most 31 characters, so that a zero always ends the name.
void SetWideText(QByteArray& bytes, int offset, const QString& text)
{
    if (!Fits(bytes, offset, 2 * DevModeRecord::kNameChars))
        return;
    const QString kept = text.left(DevModeRecord::kNameChars - 1);
    for (int i = 0; i < DevModeRecord::kNameChars; ++i) {
        const quint16 unit = i < kept.size() ? kept[i].unicode() : 0;
        qToLittleEndian<quint16>(unit, bytes.data() + offset + 2 * i);
    }
}

} // namespace

DevModeRecord::DevModeRecord(const QString& deviceName, const QVector<PpdOption>& driverOptions)
{
    const int slots = static_cast<int>(std::min<qsizetype>(driverOptions.size(), kMaxSlots));
    m_bytes = QByteArray(kPublicSize + slots * kSlotBytes, '\0');
    SetWideText(m_bytes, kDeviceNameOffset, deviceName);
    SetWord(kSpecVersionOffset, kSpecVersion);
    SetWord(kSizeOffset, kPublicSize);
    SetWord(kDriverExtraOffset, static_cast<quint16>(slots * kSlotBytes));
    for (int i = 0; i < slots; ++i) {
        const int slot = kPublicSize + i * kSlotBytes;
        SetLatin1Text(slot, kKeywordBytes, driverOptions[i].keyword);
        SetLatin1Text(slot + kKeywordBytes, kChoiceBytes, driverOptions[i].defaultChoice);
    }
}

int DevModeRecord::Size() const
{
    return SizeOf(m_bytes);
}

QString DevModeRecord::DeviceNameOf(const QByteArray& publicPart)
{
    return WideTextAt(publicPart, kDeviceNameOffset);
}

int DevModeRecord::SizeOf(const QByteArray& publicPart)
{
    return WordAt(publicPart, kSizeOffset) + WordAt(publicPart, kDriverExtraOffset);
}

quint32 DevModeRecord::dmFields() const
{
    if (!Fits(m_bytes, kFieldsOffset, 4))
        return 0;
    return qFromLittleEndian<quint32>(m_bytes.constData() + kFieldsOffset);
}

void DevModeRecord::SetFields(quint32 fields)
{
    if (Fits(m_bytes, kFieldsOffset, 4))
        qToLittleEndian<quint32>(fields, m_bytes.data() + kFieldsOffset);
}

qint16 DevModeRecord::Value(DevModeShort field) const
{
    return static_cast<qint16>(Word(FieldOf(field).offset));
}

void DevModeRecord::SetValue(DevModeShort field, qint16 value)
{
    if (!Fits(m_bytes, kPublicSize - 1, 1))
        return;
    SetWord(FieldOf(field).offset, static_cast<quint16>(value));
    SetFields(dmFields() | FieldOf(field).bit);
}

QString DevModeRecord::FormName() const
{
    return WideTextAt(m_bytes, kFormNameOffset);
}

void DevModeRecord::SetFormName(const QString& name)
{
    if (!Fits(m_bytes, kPublicSize - 1, 1))
        return;
    SetWideText(m_bytes, kFormNameOffset, name);
    SetFields(dmFields() | DM_FORMNAME);
}

// The private part starts where the public part says it ends; a damaged
// record yields only the slots its bytes really hold.
int DevModeRecord::SlotCount() const
{
    const int start = dmSize();
    if (start > m_bytes.size())
        return 0;
    const int extra = std::min<int>(dmDriverExtra(), static_cast<int>(m_bytes.size()) - start);
    return extra / kSlotBytes;
}

QVector<DriverChoice> DevModeRecord::Options() const
{
    QVector<DriverChoice> options;
    const int slots = SlotCount();
    for (int i = 0; i < slots; ++i) {
        const int slot = dmSize() + i * kSlotBytes;
        options.append(
            {Latin1Text(slot, kKeywordBytes), Latin1Text(slot + kKeywordBytes, kChoiceBytes)});
    }
    return options;
}

QString DevModeRecord::Option(const QString& keyword) const
{
    for (const DriverChoice& option : Options()) {
        if (option.keyword == keyword)
            return option.choice;
    }
    return QString();
}

bool DevModeRecord::SetOption(const QString& keyword, const QString& choice)
{
    const int slots = SlotCount();
    for (int i = 0; i < slots; ++i) {
        const int slot = dmSize() + i * kSlotBytes;
        if (Latin1Text(slot, kKeywordBytes) == keyword) {
            SetLatin1Text(slot + kKeywordBytes, kChoiceBytes, choice);
            return true;
        }
    }
    return false;
}

void DevModeRecord::SetOptions(const QStringList& keywordsAndChoices)
{
    for (qsizetype i = 0; i + 1 < keywordsAndChoices.size(); i += 2)
        SetOption(keywordsAndChoices[i], keywordsAndChoices[i + 1]);
}

bool DevModeRecord::FollowsPrinterSettings(const QString& keyword)
{
    return keyword == QLatin1String("PageSize") || keyword == QLatin1String("PageRegion") ||
           keyword == QLatin1String("Duplex");
}

namespace {

// The driver's usual names for the ways of printing on both sides.
struct SidesChoice
{
    qint16 value;
    const char* choice;
};
constexpr SidesChoice kSidesChoices[] = {
    {DMDUP_SIMPLEX, "None"},
    {DMDUP_VERTICAL, "DuplexNoTumble"},
    {DMDUP_HORIZONTAL, "DuplexTumble"},
};

bool Offers(const PpdOption& option, const QString& choice)
{
    for (const PpdChoice& offered : option.choices) {
        if (offered.keyword == choice)
            return true;
    }
    return false;
}

} // namespace

void DevModeRecord::MatchDriverToFields(const QVector<PpdOption>& driver)
{
    QString sides;
    for (const SidesChoice& known : kSidesChoices) {
        if (Has(DM_DUPLEX) && known.value == Value(DevModeShort::dmDuplex))
            sides = QString::fromLatin1(known.choice);
    }
    for (const PpdOption& option : driver) {
        QString choice;
        if (option.keyword == QLatin1String("Duplex"))
            choice = sides;
        else if (FollowsPrinterSettings(option.keyword) && Has(DM_FORMNAME))
            choice = FormName();
        if (!choice.isEmpty() && Offers(option, choice))
            SetOption(option.keyword, choice);
    }
}

QString DevModeRecord::PaperKey() const
{
    const QString driverChoice = Option(QStringLiteral("PageSize"));
    if (!driverChoice.isEmpty())
        return driverChoice;
    return Has(DM_FORMNAME) ? FormName() : QString();
}

qint16 DevModeRecord::Sides() const
{
    const QString driverChoice = Option(QStringLiteral("Duplex"));
    for (const SidesChoice& known : kSidesChoices) {
        if (driverChoice == QLatin1String(known.choice))
            return known.value;
    }
    return Has(DM_DUPLEX) ? Value(DevModeShort::dmDuplex) : qint16{DMDUP_SIMPLEX};
}

QStringList DevModeRecord::DriverJobOptions() const
{
    QStringList options;
    for (const DriverChoice& option : Options()) {
        if (!FollowsPrinterSettings(option.keyword) && !option.choice.isEmpty())
            options << option.keyword << option.choice;
    }
    return options;
}

quint16 DevModeRecord::Word(int offset) const
{
    return WordAt(m_bytes, offset);
}

void DevModeRecord::SetWord(int offset, quint16 value)
{
    if (Fits(m_bytes, offset, 2))
        qToLittleEndian<quint16>(value, m_bytes.data() + offset);
}

QString DevModeRecord::Latin1Text(int offset, int bytes) const
{
    if (!Fits(m_bytes, offset, bytes))
        return QString();
    const char* start = m_bytes.constData() + offset;
    const auto end = std::find(start, start + bytes, '\0');
    return QString::fromLatin1(start, end - start);
}

void DevModeRecord::SetLatin1Text(int offset, int bytes, const QString& text)
{
    if (!Fits(m_bytes, offset, bytes))
        return;
    const QByteArray latin1 = text.toLatin1().left(bytes - 1);
    std::fill(m_bytes.data() + offset, m_bytes.data() + offset + bytes, '\0');
    std::copy(latin1.cbegin(), latin1.cend(), m_bytes.data() + offset);
}
