#include "generated_readers.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Surnames with their masculine and feminine forms.
constexpr std::array<std::pair<const char*, const char*>, 21> kSurnames = {{
    {"Kowalski", "Kowalska"},
    {"Nowak", "Nowak"},
    {"Wiśniewski", "Wiśniewska"},
    {"Wójcik", "Wójcik"},
    {"Kamiński", "Kamińska"},
    {"Lewandowski", "Lewandowska"},
    {"Zieliński", "Zielińska"},
    {"Szymański", "Szymańska"},
    {"Woźniak", "Woźniak"},
    {"Dąbrowski", "Dąbrowska"},
    {"Kozłowski", "Kozłowska"},
    {"Jankowski", "Jankowska"},
    {"Mazur", "Mazur"},
    {"Kwiatkowski", "Kwiatkowska"},
    {"Krawczyk", "Krawczyk"},
    {"Piotrowski", "Piotrowska"},
    {"Grabowski", "Grabowska"},
    {"Łukasiewicz", "Łukasiewicz"},
    {"Pawłowski", "Pawłowska"},
    {"Michalski", "Michalska"},
    {"Żak", "Żak"},
}};
constexpr std::array<const char*, 8> kMenNames = {"Jan",    "Piotr",   "Tomasz",    "Paweł",
                                                  "Michał", "Andrzej", "Krzysztof", "Łukasz"};
constexpr std::array<const char*, 8> kWomenNames = {"Maria",    "Anna",      "Zofia",     "Ewa",
                                                    "Elżbieta", "Katarzyna", "Agnieszka", "Joanna"};
constexpr std::array<const char*, 7> kStreets = {
    "ul. Lipowa",      "ul. Źródlana", "al. Kościuszki", "ul. Piotrkowska",
    "ul. Narutowicza", "ul. Gdańska",  "ul. Zgierska"};
constexpr int kReaders = 42;
constexpr char kKinds[] = {'D', 'S', 'U'};

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

std::vector<GeneratedReader> MakeReaders()
{
    std::vector<GeneratedReader> readers;
    for (int i = 0; i < kReaders; ++i) {
        // The lists differ in length, so surnames, first names, streets and
        // kinds fall together in ever new ways.
        const auto& surname = kSurnames[static_cast<size_t>(i) % kSurnames.size()];
        const bool woman = (i / 2) % 2 == 0;
        const size_t first = static_cast<size_t>(i * 3 + i / 8) % kMenNames.size();
        GeneratedReader reader;
        reader.surname = Utf8(woman ? surname.second : surname.first);
        reader.firstName = Utf8(woman ? kWomenNames[first] : kMenNames[first]);
        reader.address = QStringLiteral("%1 %2/%3, Łódź")
                             .arg(Utf8(kStreets[static_cast<size_t>(i) % kStreets.size()]))
                             .arg(1 + (i * 7) % 90)
                             .arg(1 + i % 12);
        reader.card = QString::number(20240001 + i);
        reader.kind = QLatin1Char(kKinds[(i / 3 + i) % 3]);
        readers.push_back(std::move(reader));
    }
    std::sort(readers.begin(), readers.end(), [](const auto& a, const auto& b) {
        return PolishSortKey(a.surname + QLatin1Char(' ') + a.firstName) <
               PolishSortKey(b.surname + QLatin1Char(' ') + b.firstName);
    });
    return readers;
}

} // namespace

QString PolishSortKey(const QString& text)
{
    // Each letter with a diacritic sorts right after its base letter: the
    // base letter followed by a character above every letter; Ż comes after
    // Ź.
    static const QString kMarked = QStringLiteral("ĄĆĘŁŃÓŚŹŻ");
    static const QString kBase = QStringLiteral("ACELNOSZZ");
    const QChar above(0x7f);
    QString key;
    for (const QChar c : text.toUpper()) {
        const qsizetype at = kMarked.indexOf(c);
        if (at < 0) {
            key += c;
            continue;
        }
        key += kBase[at];
        key += above;
        if (c == QChar(0x017b))
            key += above;
    }
    return key;
}

const std::vector<GeneratedReader>& GeneratedReaders()
{
    static const std::vector<GeneratedReader> readers = MakeReaders();
    return readers;
}
