#include "computed_reports.h"

#include "generated_readers.h"
#include "visit_kinds.h"

#include "client/ansi_codec.h"
#include "forms/form_record.h"
#include "forms/form_value_formats.h"
#include "forms/parameter_text.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The descriptions keep the layout of the reports the demo has always had;
// only the data lines (and the day, month and filter they show) depend on
// the form.
const char kDayHeader[] = "[REPORT 800 ALIGN=FULL]\n"
                          "[HEADER 70]\n"
                          "TEXT #Odwiedziny_w_dniu_&dzien 10 5 BOLD SIZE=24\n"
                          "TEXT #Wydruk_z_dnia_%D 790 10 RIGHT\n"
                          "TEXT #Typ 10 45 BOLD\n"
                          "TEXT #Rodzaj_odwiedzin 120 45 BOLD\n";
const char kDayGroupHeader[] = "TEXT #Grupa 450 45 BOLD\n";
const char kDayLine[] = "TEXT #Liczba 790 45 BOLD RIGHT\n"
                        "H 10 65 780 BOLD\n"
                        "[LINE 22]\n"
                        "TEXT &typ 10 3\n";
const char kDayName[] = "TEXT &nazwa 120 3 LIMIT 500\n";
const char kDayNameAndGroup[] = "TEXT &nazwa 120 3 LIMIT 320\n"
                                "TEXT &grupa 450 3 LIMIT 330\n";
const char kDayFooter[] = "TEXT &liczba 790 3 RIGHT\n"
                          "[FOOTER 30]\n"
                          "H 10 2 780\n"
                          "TEXT #Strona_%P 790 8 RIGHT\n"
                          "TEXT #Razem:_&razem 10 8 BOLD LAST\n"
                          "[END]\n";

const char kCardsDescription[] = "[REPORT 800 ALIGN=CONST 8 ORIENTATION=PORTRAIT LEFT=20 TOP=15]\n"
                                 "[HEADER 60]\n"
                                 "TEXT #Karty_czytelników 10 5 BOLD SIZE=24\n"
                                 "TEXT #%0 790 10 RIGHT\n"
                                 "TEXT &rodzaj 10 36 BOLD\n"
                                 "TEXT #Nazwiska_od:_&od 790 36 RIGHT WHEN &od\n"
                                 "[LINE 90]\n"
                                 "BOX 10 5 780 80\n"
                                 "TEXT &nazwisko 20 12 BOLD SIZE=20\n"
                                 "TEXT &adres 20 40 LIMIT 400\n"
                                 "BAR &karta 480 15 280 50\n"
                                 "TEXT &karta 620 68 CENTER SIZE=12\n"
                                 "[FOOTER 25]\n"
                                 "TEXT #Strona_%P 790 5 RIGHT\n"
                                 "[END]\n";

const char kMonthDescription[] = "[REPORT 600 ALIGN=STANDARD]\n"
                                 "[HEADER 60]\n"
                                 "TEXT #Odwiedziny_w_miesiącu:_&okres 10 5 BOLD SIZE=22\n"
                                 "TEXT #Dzień 10 40 BOLD\n"
                                 "TEXT #Rodzaje 70 40 BOLD\n"
                                 "TEXT #Odwiedzin 590 40 BOLD RIGHT\n"
                                 "H 10 58 580\n"
                                 "[LINE 20]\n"
                                 "TEXT &dzien 10 2\n"
                                 "TEXT &rodzaje 70 2 LIMIT 220\n"
                                 "BOX 300 5 &wykres 10 WHEN &wykres\n"
                                 "TEXT &liczba 590 2 RIGHT\n"
                                 "[FOOTER 50]\n"
                                 "H 10 2 580\n"
                                 "TEXT #Razem:_&razem 10 8 BOLD LAST\n"
                                 "TEXT #Strona_%P 590 8 RIGHT\n"
                                 "TEXT #Według_rodzajów:_&wedlug 10 28 LIMIT 570 LAST\n"
                                 "[END]\n";

const char kTodayDescription[] = "[REPORT 700 ALIGN=STANDARD]\n"
                                 "[HEADER 82]\n"
                                 "TEXT #Zestawienie_dzienne 10 5 BOLD SIZE=24\n"
                                 "TEXT #%0 690 10 RIGHT\n"
                                 "TEXT #Odwiedziny_w_dniu_%D#,_według_rodzajów 10 36\n"
                                 "TEXT #Rodzaj 10 60 BOLD\n"
                                 "TEXT #Nazwa 80 60 BOLD\n"
                                 "TEXT #Grupa 300 60 BOLD\n"
                                 "TEXT #Liczba 690 60 BOLD RIGHT\n"
                                 "H 10 80 680 BOLD\n"
                                 "[LINE 22]\n"
                                 "TEXT &typ 10 3\n"
                                 "TEXT &nazwa 80 3 LIMIT 210\n"
                                 "TEXT &grupa 300 3 LIMIT 170\n"
                                 "BOX 480 6 &wykres 10 WHEN &wykres\n"
                                 "TEXT &liczba 690 3 RIGHT\n"
                                 "[FOOTER 34]\n"
                                 "H 10 2 680\n"
                                 "TEXT #Razem:_&razem 10 10 BOLD LAST\n"
                                 "TEXT #Najczęściej:_&najczesciej 240 10 LAST\n"
                                 "TEXT #Strona_%P 690 10 RIGHT\n"
                                 "[END]\n";

const char kFilterDescription[] =
    "[REPORT 800 ALIGN=CONST 20 ORIENTATION=PORTRAIT LEFT=20]\n"
    "[HEADER 84]\n"
    "TEXT #Czytelnicy_według_filtru 10 5 BOLD SIZE=24 FIRST\n"
    "TEXT #Czytelnicy_według_filtru_(ciąg_dalszy) 10 5 BOLD SIZE=20 OTHER\n"
    "TEXT #%0 790 10 RIGHT\n"
    "TEXT #Filtr:_&filtr 10 36\n"
    "TEXT #Lp. 50 62 BOLD RIGHT\n"
    "TEXT #Nazwisko_i_imię 70 62 BOLD\n"
    "TEXT #Karta 330 62 BOLD\n"
    "TEXT #Ostatnia_wizyta 790 62 BOLD RIGHT\n"
    "H 10 82 780 BOLD\n"
    "[LINE 22]\n"
    "TEXT &lp 50 3 RIGHT\n"
    "TEXT &nazwisko 70 3 LIMIT 250\n"
    "TEXT &karta 330 3\n"
    "TEXT #karta_zastrzeżona 450 3 WHEN &zastrzezona\n"
    "TEXT &wizyta 790 3 RIGHT\n"
    "[FOOTER 34]\n"
    "H 10 2 780\n"
    "TEXT #Czytelników:_&razem 10 10 BOLD LAST\n"
    "TEXT #Strona_%P 790 10 RIGHT\n"
    "[END]\n";

const char kPeriodDescription[] = "[REPORT 800 ALIGN=STANDARD]\n"
                                  "[HEADER 82]\n"
                                  "TEXT #Odwiedziny_w_okresie 10 5 BOLD SIZE=24\n"
                                  "TEXT #%0 790 10 RIGHT\n"
                                  "TEXT #Okres:_&okres 10 36\n"
                                  "TEXT #Typ 10 60 BOLD\n"
                                  "TEXT #Rodzaj 60 60 BOLD\n"
                                  "TEXT #Odwiedzin 330 60 BOLD RIGHT\n"
                                  "TEXT #Najwięcej_w_dniu 470 60 BOLD RIGHT\n"
                                  "TEXT #Ponad_limitem 490 60 BOLD\n"
                                  "H 10 80 780 BOLD\n"
                                  "[LINE 22]\n"
                                  "TEXT &typ 10 3\n"
                                  "TEXT &nazwa 60 3 LIMIT 180\n"
                                  "TEXT &liczba 330 3 RIGHT\n"
                                  "TEXT &najwiecej 470 3 RIGHT\n"
                                  "TEXT &ponad 490 3 LIMIT 120\n"
                                  "BOX 620 6 &wykres 10 WHEN &wykres\n"
                                  "[FOOTER 50]\n"
                                  "H 10 2 780\n"
                                  "TEXT #Razem:_&razem 10 8 BOLD LAST\n"
                                  "TEXT #Strona_%P 790 8 RIGHT\n"
                                  "TEXT #Uwaga:_&uwaga 10 28 LIMIT 770 LAST WHEN &uwaga\n"
                                  "[END]\n";

// Longest bar of the month and of today's summary, in design units; a bar
// is four units a visit until the busiest one would be longer.
constexpr double kMonthBar = 240;
constexpr double kTodayBar = 180;
constexpr double kPeriodBar = 160;
constexpr double kUnitsPerVisit = 4;

const char* const kMonths[] = {"styczeń",  "luty",        "marzec",   "kwiecień",
                               "maj",      "czerwiec",    "lipiec",   "sierpień",
                               "wrzesień", "październik", "listopad", "grudzień"};

// One data line: "&" name "=" value for each field. An "&" in a value would
// start a field of its own, so it travels as ESC "1"; a line break would end
// the line.
class DataLine
{
public:
    DataLine& Add(const char* name, const QString& value)
    {
        QString escaped = value;
        escaped.replace(QLatin1Char('&'), QStringLiteral("\x1b"
                                                         "1"));
        escaped.replace(QLatin1Char('\r'), QLatin1Char(' '));
        escaped.replace(QLatin1Char('\n'), QLatin1Char(' '));
        m_text += QLatin1Char('&') + QLatin1String(name) + QLatin1Char('=') + escaped;
        return *this;
    }
    DataLine& Add(const char* name, qint64 value) { return Add(name, QString::number(value)); }
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

ComputedReport Finished(const QString& description, const QStringList& lines)
{
    QString text = description;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return {EncodeAnsi(text), QString()};
}

ComputedReport Refused(const QString& error)
{
    return {QByteArray(), error};
}

struct KindCount
{
    VisitKind kind;
    qint64 count = 0;
};

// The reading room's visit kinds with their counts on `date`, then the types
// counted that day that the reading room does not show (a button removed
// since), so no counted visit is left out.
std::vector<KindCount> CountsOfDay(const std::vector<VisitKind>& kinds,
                                   const VisitRegistry& registry, const QDate& date)
{
    QMap<QString, qint64> counts = registry.Day(date.toString(Qt::ISODate));
    std::vector<KindCount> rows;
    for (const VisitKind& kind : kinds)
        rows.push_back({kind, counts.take(kind.type)});
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        rows.push_back({{it.key(), it.key(), QString()}, it.value()});
    return rows;
}

qint64 Total(const std::vector<KindCount>& rows)
{
    qint64 total = 0;
    for (const KindCount& row : rows)
        total += row.count;
    return total;
}

qint64 Busiest(const std::vector<qint64>& counts)
{
    return counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
}

// A bar's length for `count` when the busiest bar stands for `busiest`.
qint64 BarLength(qint64 count, qint64 busiest, double longest)
{
    const double unit = busiest > 0 ? std::min(kUnitsPerVisit, longest / double(busiest)) : 0;
    return std::llround(double(count) * unit);
}

// "CZO 3, MMK 1": the kinds that had visits.
QString CountedKinds(const std::vector<KindCount>& rows)
{
    QStringList parts;
    for (const KindCount& row : rows) {
        if (row.count > 0)
            parts << QStringLiteral("%1 %2").arg(row.kind.type).arg(row.count);
    }
    return parts.join(QLatin1String(", "));
}

QString Shown(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// A DATE field sends eight digits, year first; a date typed by hand as
// DD.MM.YYYY is taken too. No date at all means today.
std::optional<QDate> DayOf(const QString& value, const QDate& today, QString& error)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return today;
    QDate date;
    QString shown = text;
    if (text.size() == 8) {
        date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
        shown =
            text.mid(6, 2) + QLatin1Char('.') + text.mid(4, 2) + QLatin1Char('.') + text.left(4);
    } else if (text.size() == 10) {
        date = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    }
    if (!date.isValid()) {
        error = QStringLiteral("Nieprawidłowa data: ") + shown;
        return std::nullopt;
    }
    return date;
}

// A whole number from a SPIN or NUMBER field (right-aligned with spaces).
std::optional<int> NumberIn(const QString& value, int lowest, int highest, const QString& missing,
                            const QString& wrong, QString& error)
{
    const QString text = value.trimmed();
    bool ok = false;
    const int number = text.toInt(&ok);
    if (text.isEmpty())
        error = missing;
    else if (!ok || number < lowest || number > highest)
        error = wrong + text;
    else
        return number;
    return std::nullopt;
}

ComputedReport VisitsOfDay(const my_record& form, const std::vector<VisitKind>& kinds,
                           const VisitRegistry& registry, const QDate& today)
{
    QString error;
    const std::optional<QDate> day = DayOf(form.Value(QStringLiteral("DZIEN")), today, error);
    if (!day)
        return Refused(error);
    // With details every kind is listed, visited or not, with its group;
    // without, only the kinds that had visits.
    const bool details = form.Value(QStringLiteral("SZCZEGOLY")) == QLatin1String("T");
    const std::vector<KindCount> rows = CountsOfDay(kinds, registry, *day);
    const qint64 total = Total(rows);
    QStringList lines;
    for (const KindCount& row : rows) {
        if (row.count == 0 && !details)
            continue;
        DataLine line;
        line.Add("dzien", Shown(*day)).Add("typ", row.kind.type).Add("nazwa", row.kind.name);
        if (details)
            line.Add("grupa", row.kind.group);
        lines << line.Add("liczba", row.count).Add("razem", total).Text();
    }
    if (lines.isEmpty()) {
        lines << DataLine()
                     .Add("dzien", Shown(*day))
                     .Add("nazwa", QStringLiteral("Brak odwiedzin"))
                     .Add("liczba", 0)
                     .Add("razem", 0)
                     .Text();
    }
    const QString description =
        QString::fromUtf8(kDayHeader) + QString::fromUtf8(details ? kDayGroupHeader : "") +
        QString::fromUtf8(kDayLine) + QString::fromUtf8(details ? kDayNameAndGroup : kDayName) +
        QString::fromUtf8(kDayFooter);
    return Finished(description, lines);
}

ComputedReport VisitsToday(const std::vector<VisitKind>& kinds, const VisitRegistry& registry,
                           const QDate& today)
{
    const std::vector<KindCount> rows = CountsOfDay(kinds, registry, today);
    const qint64 total = Total(rows);
    std::vector<qint64> counts;
    for (const KindCount& row : rows)
        counts.push_back(row.count);
    const qint64 busiest = Busiest(counts);
    QString mostOften = QStringLiteral("brak");
    for (const KindCount& row : rows) {
        if (busiest > 0 && row.count == busiest) {
            mostOften = row.kind.name;
            break;
        }
    }
    QStringList lines;
    for (const KindCount& row : rows) {
        DataLine line;
        line.Add("typ", row.kind.type)
            .Add("nazwa", row.kind.name)
            .Add("grupa", row.kind.group)
            .Add("liczba", row.count);
        if (row.count > 0)
            line.Add("wykres", BarLength(row.count, busiest, kTodayBar));
        lines << line.Add("razem", total).Add("najczesciej", mostOften).Text();
    }
    return Finished(QString::fromUtf8(kTodayDescription), lines);
}

ComputedReport VisitsOfMonth(const my_record& form, const std::vector<VisitKind>& kinds,
                             const VisitRegistry& registry)
{
    QString error;
    const std::optional<int> month = NumberIn(form.Value(QStringLiteral("MIESIAC")), 1, 12,
                                              QStringLiteral("Nie podano miesiąca"),
                                              QStringLiteral("Nieprawidłowy miesiąc: "), error);
    const std::optional<int> year = month ? NumberIn(form.Value(QStringLiteral("ROK")), 1, 9999,
                                                     QStringLiteral("Nie podano roku"),
                                                     QStringLiteral("Nieprawidłowy rok: "), error)
                                          : std::nullopt;
    if (!month || !year)
        return Refused(error);
    const QDate first(*year, *month, 1);
    std::vector<std::vector<KindCount>> days;
    std::vector<qint64> totals;
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        days.push_back(CountsOfDay(kinds, registry, QDate(*year, *month, day)));
        totals.push_back(Total(days.back()));
    }
    // The month's count per kind, in the order of the reading room.
    std::vector<KindCount> perKind;
    for (const std::vector<KindCount>& rows : days) {
        for (const KindCount& row : rows) {
            auto same = std::find_if(perKind.begin(), perKind.end(), [&](const KindCount& kept) {
                return kept.kind.type == row.kind.type;
            });
            if (same == perKind.end())
                perKind.push_back(row);
            else
                same->count += row.count;
        }
    }
    qint64 total = 0;
    for (qint64 count : totals)
        total += count;
    const QString byKind = total > 0 ? CountedKinds(perKind) : QStringLiteral("brak odwiedzin");
    const QString period =
        QStringLiteral("%1 %2").arg(QString::fromUtf8(kMonths[*month - 1])).arg(*year);
    const qint64 busiest = Busiest(totals);
    QStringList lines;
    for (size_t i = 0; i < days.size(); ++i) {
        DataLine line;
        line.Add("okres", period)
            .Add("dzien", QDate(*year, *month, int(i) + 1).toString(QStringLiteral("dd.MM")))
            .Add("rodzaje", CountedKinds(days[i]))
            .Add("liczba", totals[i]);
        if (totals[i] > 0)
            line.Add("wykres", BarLength(totals[i], busiest, kMonthBar));
        lines << line.Add("razem", total).Add("wedlug", byKind).Text();
    }
    return Finished(QString::fromUtf8(kMonthDescription), lines);
}

QString ReaderKindName(QChar kind)
{
    switch (kind.unicode()) {
    case 'S':
        return QStringLiteral("Studenci");
    case 'U':
        return QStringLiteral("Uczniowie");
    default:
        return QStringLiteral("Pozostali czytelnicy");
    }
}

ComputedReport ReaderCards(const my_record& form)
{
    // "W" (everyone) is the combo's first value and what a form that sent
    // none means.
    QString wanted = form.Value(QStringLiteral("RODZAJ")).trimmed();
    if (wanted.isEmpty())
        wanted = QStringLiteral("W");
    if (wanted != QLatin1String("W") && wanted != QLatin1String("S") &&
        wanted != QLatin1String("U"))
        return Refused(QStringLiteral("Nieznany rodzaj czytelników: ") + wanted);
    const QString from = form.Value(QStringLiteral("OD")).trimmed();
    const QString fromKey = PolishSortKey(from);
    // One section per kind of reader; a break line starts the next on a
    // page of its own.
    QStringList lines;
    for (const char kind : {'S', 'U', 'D'}) {
        if (wanted != QLatin1String("W") && wanted != QString(QLatin1Char(kind)))
            continue;
        QStringList section;
        for (const GeneratedReader& reader : GeneratedReaders()) {
            if (reader.kind != QLatin1Char(kind) || PolishSortKey(reader.surname) < fromKey)
                continue;
            section << DataLine()
                           .Add("rodzaj", ReaderKindName(reader.kind))
                           .Add("od", from)
                           .Add("nazwisko", reader.surname + QLatin1Char(' ') + reader.firstName)
                           .Add("adres", reader.address)
                           .Add("karta", reader.card)
                           .Text();
        }
        if (section.isEmpty())
            continue;
        if (!lines.isEmpty())
            lines << QStringLiteral("*");
        lines << section;
    }
    if (lines.isEmpty()) {
        lines << DataLine()
                     .Add("od", from)
                     .Add("nazwisko", QStringLiteral("Brak czytelników spełniających warunki"))
                     .Text();
    }
    return Finished(QString::fromUtf8(kCardsDescription), lines);
}

// Filter values of the demo's reader filters and their captions.
const char* FilterCaption(const QString& filter)
{
    if (filter == QLatin1String("D"))
        return "Tylko dorośli";
    if (filter == QLatin1String("K"))
        return "Tylko dzieci";
    return nullptr;
}

// The readers that pass a filter: adults are students and the other
// grown-up readers, children the pupils. The last visit and the blocked
// card follow from the card number, so every run shows the same.
ComputedReport FilteredReaders(const my_record& form, const QDate& today)
{
    QString filter = form.Value(QStringLiteral("FILTR")).trimmed();
    if (filter.isEmpty())
        filter = QStringLiteral("D");
    const char* caption = FilterCaption(filter);
    if (caption == nullptr)
        return Refused(QStringLiteral("Nieznany filtr czytelników: ") + filter);
    std::vector<const GeneratedReader*> passing;
    for (const GeneratedReader& reader : GeneratedReaders()) {
        if ((reader.kind == QLatin1Char('U')) == (filter == QLatin1String("K")))
            passing.push_back(&reader);
    }
    QStringList lines;
    for (size_t i = 0; i < passing.size(); ++i) {
        const GeneratedReader& reader = *passing[i];
        const qint64 card = reader.card.toLongLong();
        DataLine line;
        line.Add("filtr", QString::fromUtf8(caption))
            .Add("lp", qint64(i + 1))
            .Add("nazwisko", reader.surname + QLatin1Char(' ') + reader.firstName)
            .Add("karta", reader.card)
            .Add("wizyta", Shown(today.addDays(-(card * 5 % 31))));
        if (card % 7 == 0)
            line.Add("zastrzezona", QStringLiteral("T"));
        lines << line.Add("razem", qint64(passing.size())).Text();
    }
    if (lines.isEmpty()) {
        lines << DataLine()
                     .Add("filtr", QString::fromUtf8(caption))
                     .Add("nazwisko", QStringLiteral("Brak czytelników spełniających warunki"))
                     .Add("razem", 0)
                     .Text();
    }
    return Finished(QString::fromUtf8(kFilterDescription), lines);
}

// Marker codes of the day filter and the days of the week they let through.
bool DayPasses(const QString& codes, const QDate& day)
{
    if (codes.isEmpty())
        return true;
    const int weekday = day.dayOfWeek();
    const QChar code = weekday == 7 ? u'n' : weekday == 6 ? u's' : u'p';
    return codes.contains(code);
}

// The visits of a period by kind: the kinds chosen in the list (all when
// none is), counted on the days the marker filter lets through, with the
// busiest day and the days over each kind's limit from the table.
ComputedReport VisitsOfPeriod(const my_record& form, const std::vector<VisitKind>& kinds,
                              const VisitRegistry& registry, const QDate& today)
{
    QString error;
    const QString fromText = form.Value(QStringLiteral("OD")).trimmed();
    const std::optional<QDate> from =
        fromText.isEmpty() ? QDate(today.year(), today.month(), 1) : DayOf(fromText, today, error);
    const std::optional<QDate> to =
        from ? DayOf(form.Value(QStringLiteral("DO")), today, error) : std::nullopt;
    if (!from || !to)
        return Refused(error);
    if (*from > *to)
        return Refused(QStringLiteral("Początek okresu jest późniejszy niż koniec"));
    if (from->daysTo(*to) > 366)
        return Refused(QStringLiteral("Okres dłuższy niż rok"));
    QStringList chosen;
    for (int row = 1; row <= 999; ++row) {
        const QString type = form.Value(QStringLiteral("RODZAJ%1").arg(row)).trimmed();
        if (type.isEmpty() || chosen.contains(type))
            continue;
        if (std::none_of(kinds.begin(), kinds.end(),
                         [&](const VisitKind& kind) { return kind.type == type; }))
            return Refused(QStringLiteral("Nieznany rodzaj odwiedzin: ") + type);
        chosen << type;
    }
    QMap<QString, qint64> limits;
    for (int row = 1; row <= 999; ++row) {
        const QString type = form.Value(QStringLiteral("LIMIT_TYP_%1").arg(row)).trimmed();
        const QString limit = form.Value(QStringLiteral("LIMIT_%1").arg(row)).trimmed();
        if (type.isEmpty() && limit.isEmpty())
            continue;
        bool ok = false;
        const qint64 value = limit.toLongLong(&ok);
        if (type.isEmpty() || !ok || value < 1)
            return Refused(QStringLiteral("Nieprawidłowy limit w wierszu %1").arg(row));
        limits.insert(type, value);
    }
    QString codes;
    const QString filter = form.Value(QStringLiteral("DNI"));
    for (qsizetype i = 0; i + 1 < filter.size(); ++i) {
        if (filter[i] == u'^')
            codes += filter[++i];
    }
    const bool bars = form.Value(QStringLiteral("WYKRES")) == QLatin1String("T");
    const bool byCount = form.Value(QStringLiteral("KOLEJNOSC")) == QLatin1String("L");

    struct KindPeriod
    {
        VisitKind kind;
        qint64 count = 0;
        qint64 busiest = 0;
        int overLimit = 0;
    };
    std::vector<KindPeriod> rows;
    for (const VisitKind& kind : kinds) {
        if (chosen.isEmpty() || chosen.contains(kind.type))
            rows.push_back({kind});
    }
    int days = 0;
    for (QDate day = *from; day <= *to; day = day.addDays(1)) {
        if (!DayPasses(codes, day))
            continue;
        ++days;
        const QMap<QString, qint64> counts = registry.Day(day.toString(Qt::ISODate));
        for (KindPeriod& row : rows) {
            const qint64 count = counts.value(row.kind.type);
            row.count += count;
            row.busiest = std::max(row.busiest, count);
            if (limits.contains(row.kind.type) && count > limits.value(row.kind.type))
                ++row.overLimit;
        }
    }
    if (byCount) {
        std::stable_sort(rows.begin(), rows.end(), [](const KindPeriod& a, const KindPeriod& b) {
            return a.count > b.count;
        });
    }
    qint64 total = 0;
    std::vector<qint64> counts;
    for (const KindPeriod& row : rows) {
        total += row.count;
        counts.push_back(row.count);
    }
    const qint64 busiest = Busiest(counts);
    // The note is one footer line: its lines follow each other after a
    // space.
    const QString note = MemoStoredToText(form.Value(QStringLiteral("UWAGA")), QStringLiteral(" "));
    QStringList lines;
    for (const KindPeriod& row : rows) {
        DataLine line;
        line.Add("okres",
                 QStringLiteral("%1 – %2, dni: %3").arg(Shown(*from), Shown(*to)).arg(days))
            .Add("typ", row.kind.type)
            .Add("nazwa", row.kind.name)
            .Add("liczba", row.count)
            .Add("najwiecej", row.busiest);
        if (limits.contains(row.kind.type)) {
            line.Add("ponad",
                     QStringLiteral("%1 %2 (limit %3)")
                         .arg(row.overLimit)
                         .arg(row.overLimit == 1 ? QStringLiteral("dzień") : QStringLiteral("dni"))
                         .arg(limits.value(row.kind.type)));
        }
        if (bars && row.count > 0)
            line.Add("wykres", BarLength(row.count, busiest, kPeriodBar));
        line.Add("razem", total);
        if (!note.trimmed().isEmpty())
            line.Add("uwaga", note.trimmed());
        lines << line.Text();
    }
    return Finished(QString::fromUtf8(kPeriodDescription), lines);
}

} // namespace

std::optional<ComputedReport> ComputeReport(qint32 number, const QString& parameters,
                                            const VisitRegistry& registry, const QString& structure,
                                            const QDate& today)
{
    my_record form;
    LoadParameterText(parameters, form);
    switch (number) {
    case 1:
        return VisitsOfDay(form, ReadingRoomKinds(structure), registry, today);
    case 2:
        return ReaderCards(form);
    case 3:
        return VisitsOfMonth(form, ReadingRoomKinds(structure), registry);
    case 4:
        return VisitsToday(ReadingRoomKinds(structure), registry, today);
    case 5:
        return FilteredReaders(form, today);
    case 6:
        return VisitsOfPeriod(form, ReadingRoomKinds(structure), registry, today);
    default:
        return std::nullopt;
    }
}
