// The device-settings record: where each public field lies in the bytes,
// and how big the record is for a driver.
#include "printer/dev_mode_record.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

quint16 WordAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 FieldsOf(const QByteArray& bytes)
{
    return qFromLittleEndian<quint32>(bytes.constData() + 72);
}

// Offsets and dmFields bits of the public part, as the printing interface
// the settings files come from lays it out.
struct FieldCase
{
    int row;
    DevModeShort field;
    int offset;
    quint32 bit;
};

// Rows are named by their number in the test list.
void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << "row " << c.row;
}

class DevModeFieldTest : public testing::TestWithParam<FieldCase>
{};

TEST_P(DevModeFieldTest, LiesAtItsOffsetAndSetsItsBit)
{
    const FieldCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    DevModeRecord record(QStringLiteral("Laserowa"), {});
    record.SetValue(c.field, -2);
    EXPECT_EQ(WordAt(record.Bytes(), c.offset), 0xFFFE);
    EXPECT_EQ(FieldsOf(record.Bytes()), c.bit);
    EXPECT_EQ(record.Value(c.field), -2);
    EXPECT_TRUE(record.Has(static_cast<DevModeField>(c.bit)));
    // No other byte of the public part changed, apart from dmFields.
    DevModeRecord blank(QStringLiteral("Laserowa"), {});
    for (int i = 0; i < DevModeRecord::kPublicSize; ++i) {
        if ((i < c.offset || i > c.offset + 1) && (i < 72 || i > 75)) {
            EXPECT_EQ(record.Bytes()[i], blank.Bytes()[i]) << "byte " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, DevModeFieldTest,
    testing::Values(/* 0*/ FieldCase{0, DevModeShort::dmOrientation, 76, 0x1},
                    /* 1*/ FieldCase{1, DevModeShort::dmPaperSize, 78, 0x2},
                    /* 2*/ FieldCase{2, DevModeShort::dmPaperLength, 80, 0x4},
                    /* 3*/ FieldCase{3, DevModeShort::dmPaperWidth, 82, 0x8},
                    /* 4*/ FieldCase{4, DevModeShort::dmScale, 84, 0x10},
                    /* 5*/ FieldCase{5, DevModeShort::dmCopies, 86, 0x100},
                    /* 6*/ FieldCase{6, DevModeShort::dmDefaultSource, 88, 0x200},
                    /* 7*/ FieldCase{7, DevModeShort::dmPrintQuality, 90, 0x400},
                    /* 8*/ FieldCase{8, DevModeShort::dmColor, 92, 0x800},
                    /* 9*/ FieldCase{9, DevModeShort::dmDuplex, 94, 0x1000},
                    /*10*/ FieldCase{10, DevModeShort::dmYResolution, 96, 0x2000},
                    /*11*/ FieldCase{11, DevModeShort::dmTTOption, 98, 0x4000},
                    /*12*/ FieldCase{12, DevModeShort::dmCollate, 100, 0x8000}));

TEST(DevModeRecordTest, NamesAreWideCharactersOfAtMostThirtyOne)
{
    const QString longName = QStringLiteral("Łódź – drukarka w czytelni naukowej nr 2");
    DevModeRecord record(longName, {});
    record.SetFormName(QStringLiteral("A4"));
    const QByteArray& bytes = record.Bytes();
    EXPECT_EQ(WordAt(bytes, 0), 0x0141); // 'Ł', little-endian UTF-16
    EXPECT_EQ(WordAt(bytes, 2), u'ó');
    EXPECT_EQ(record.DeviceName(), longName.left(31));
    EXPECT_EQ(WordAt(bytes, 62), 0); // the 32nd character ends the name
    EXPECT_EQ(WordAt(bytes, 102), u'A');
    EXPECT_EQ(WordAt(bytes, 104), u'4');
    EXPECT_EQ(WordAt(bytes, 106), 0);
    EXPECT_EQ(record.FormName(), QStringLiteral("A4"));
    EXPECT_EQ(FieldsOf(bytes), 0x10000u);
    EXPECT_EQ(WordAt(bytes, 64), 0x0401); // dmSpecVersion
}

// dmSize is the public part; dmDriverExtra a slot for each driver option,
// whatever the choices.
TEST(DevModeRecordTest, SizeFollowsTheDriverNotTheChoices)
{
    QVector<PpdOption> driver = {
        {QStringLiteral("PageSize"), QString(), PpdOption::PickOne, QStringLiteral("A4"), {}},
        {QStringLiteral("Duplex"), QString(), PpdOption::PickOne, QStringLiteral("None"), {}},
        {QStringLiteral("ColorModel"), QString(), PpdOption::PickOne, QStringLiteral("Gray"), {}},
    };
    const struct
    {
        int row;
        qsizetype options;
        int size;
    } rows[] = {{0, 0, 220}, {1, 1, 220 + 82}, {2, 3, 220 + 3 * 82}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        DevModeRecord record(QStringLiteral("P"), driver.mid(0, row.options));
        EXPECT_EQ(WordAt(record.Bytes(), 68), 220);
        EXPECT_EQ(WordAt(record.Bytes(), 70), row.size - 220);
        EXPECT_EQ(record.Size(), row.size);
        EXPECT_EQ(record.Bytes().size(), row.size);
        EXPECT_EQ(DevModeRecord::SizeOf(record.Bytes().left(220)), row.size);
    }
    DevModeRecord a(QStringLiteral("P"), driver);
    DevModeRecord b(QStringLiteral("P"), driver);
    EXPECT_TRUE(b.SetOption(QStringLiteral("ColorModel"), QStringLiteral("RGB")));
    b.SetValue(DevModeShort::dmCopies, 7);
    EXPECT_EQ(a.Size(), b.Size());
}

TEST(DevModeRecordTest, DriverOptionsKeepTheirSlotsAndSkipThePaperInJobs)
{
    const QVector<PpdOption> driver = {
        {QStringLiteral("PageSize"), QString(), PpdOption::PickOne, QStringLiteral("A4"), {}},
        {QStringLiteral("ColorModel"), QString(), PpdOption::PickOne, QStringLiteral("Gray"), {}},
        {QStringLiteral("Duplex"), QString(), PpdOption::PickOne, QStringLiteral("None"), {}},
        {QStringLiteral("InputSlot"), QString(), PpdOption::PickOne, QString(), {}},
    };
    DevModeRecord record(QStringLiteral("P"), driver);
    record.SetOptions({QStringLiteral("ColorModel"), QStringLiteral("RGB"),
                       QStringLiteral("Unknown"), QStringLiteral("x"), QStringLiteral("PageSize")});
    EXPECT_FALSE(record.SetOption(QStringLiteral("Resolution"), QStringLiteral("600dpi")));
    const QVector<DriverChoice> expected = {{QStringLiteral("PageSize"), QStringLiteral("A4")},
                                            {QStringLiteral("ColorModel"), QStringLiteral("RGB")},
                                            {QStringLiteral("Duplex"), QStringLiteral("None")},
                                            {QStringLiteral("InputSlot"), QString()}};
    EXPECT_EQ(record.Options(), expected);
    // The keyword sits at the slot's start, the choice 41 bytes further.
    EXPECT_EQ(record.Bytes().mid(220 + 82, 10), QByteArray("ColorModel"));
    EXPECT_EQ(record.Bytes().mid(220 + 82 + 41, 4), QByteArray("RGB\0", 4));
    // The paper and two-sided printing travel in the public fields; an
    // option without a choice is left to the driver.
    EXPECT_EQ(record.DriverJobOptions(),
              QStringList({QStringLiteral("ColorModel"), QStringLiteral("RGB")}));
}

// A record read from a file whose sizes lie yields only what its bytes hold.
TEST(DevModeRecordTest, DamagedSizesReadNoOptionsBeyondTheBytes)
{
    DevModeRecord record(QStringLiteral("P"), {});
    QByteArray bytes = record.Bytes();
    qToLittleEndian<quint16>(0xFFFF, bytes.data() + 68);
    qToLittleEndian<quint16>(0xFFFF, bytes.data() + 70);
    record.SetBytes(bytes);
    EXPECT_EQ(record.Size(), 2 * 0xFFFF);
    EXPECT_TRUE(record.Options().isEmpty());
    EXPECT_FALSE(record.SetOption(QStringLiteral("PageSize"), QStringLiteral("A4")));
    EXPECT_EQ(DevModeRecord().Size(), 0);
    EXPECT_EQ(DevModeRecord::DeviceNameOf(QByteArray("P\0", 2)), QStringLiteral("P"));
}

} // namespace

namespace {

PpdOption Offering(const char* keyword, const QStringList& choices, const char* fallback)
{
    PpdOption option{QString::fromLatin1(keyword),
                     QString(),
                     PpdOption::PickOne,
                     QString::fromLatin1(fallback),
                     {}};
    for (const QString& choice : choices)
        option.choices.append({choice, choice});
    return option;
}

// The paper and the sides, between the public fields and the driver's own
// options: captured into both, and read back with the driver's first.
TEST(DevModeRecordTest, PaperAndSidesFollowThePublicFields)
{
    const QVector<PpdOption> driver = {
        Offering("PageSize", {QStringLiteral("A4"), QStringLiteral("A5")}, "A4"),
        Offering("PageRegion", {QStringLiteral("A4"), QStringLiteral("A5")}, "A4"),
        Offering("Duplex", {QStringLiteral("None"), QStringLiteral("DuplexNoTumble")}, "None"),
    };
    const struct
    {
        int row;
        const char* form;         // empty: dmFormName not set
        qint16 duplex;            // 0: dmDuplex not set
        const char* pageSize;     // the driver's PageSize and PageRegion after matching
        const char* driverDuplex; // the driver's Duplex after matching
        qint16 sides;
    } rows[] = {
        {0, "A5", DMDUP_VERTICAL, "A5", "DuplexNoTumble", DMDUP_VERTICAL},
        // A size or a way of binding the driver does not offer leaves its
        // choice as it was.
        {1, "Letter", DMDUP_HORIZONTAL, "A4", "None", DMDUP_SIMPLEX},
        {2, "", 0, "A4", "None", DMDUP_SIMPLEX},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        DevModeRecord record(QStringLiteral("P"), driver);
        if (*row.form)
            record.SetFormName(QString::fromLatin1(row.form));
        if (row.duplex)
            record.SetValue(DevModeShort::dmDuplex, row.duplex);
        record.MatchDriverToFields(driver);
        EXPECT_EQ(record.Option(QStringLiteral("PageSize")), QString::fromLatin1(row.pageSize));
        EXPECT_EQ(record.Option(QStringLiteral("PageRegion")), QString::fromLatin1(row.pageSize));
        EXPECT_EQ(record.Option(QStringLiteral("Duplex")), QString::fromLatin1(row.driverDuplex));
        EXPECT_EQ(record.PaperKey(), QString::fromLatin1(row.pageSize));
        EXPECT_EQ(record.Sides(), row.sides);
    }
    // Without such driver options, the public fields answer.
    DevModeRecord plain(QStringLiteral("P"), {});
    EXPECT_EQ(plain.PaperKey(), QString());
    EXPECT_EQ(plain.Sides(), DMDUP_SIMPLEX);
    plain.SetFormName(QStringLiteral("Legal"));
    plain.SetValue(DevModeShort::dmDuplex, DMDUP_HORIZONTAL);
    EXPECT_EQ(plain.PaperKey(), QStringLiteral("Legal"));
    EXPECT_EQ(plain.Sides(), DMDUP_HORIZONTAL);
}

} // namespace
