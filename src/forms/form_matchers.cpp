#include "forms/form_matchers.h"

#include <QRegularExpression>

#include <vector>

namespace {

enum class Element
{
    AnyRun,
    OneCharacter,
    Literal
};

struct PatternItem
{
    Element element;
    QChar character;
};

// Greedy matching with one back-tracking point: linear in practice and never
// exponential, whatever the number of stars.
bool MatchItems(QStringView text, const std::vector<PatternItem>& items)
{
    size_t p = 0;
    qsizetype t = 0;
    size_t starItem = items.size();
    qsizetype starText = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].element == Element::AnyRun) {
            starItem = p++;
            starText = t;
        } else if (p < items.size() &&
                   (items[p].element == Element::OneCharacter || items[p].character == text[t])) {
            ++p;
            ++t;
        } else if (starItem < items.size()) {
            p = starItem + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < items.size() && items[p].element == Element::AnyRun)
        ++p;
    return p == items.size();
}

} // namespace

bool MatchesErrorPattern(const QString& name, const QString& pattern)
{
    for (QStringView alternative : QStringView(pattern).split(u'|')) {
        std::vector<PatternItem> items;
        for (QChar c : alternative)
            items.push_back({c == u'*' ? Element::AnyRun : Element::Literal, c});
        if (MatchItems(name, items))
            return true;
    }
    return false;
}

int ExtractRowNumber(const QString& name, const QString& pattern)
{
    QString expression;
    bool captured = false;
    for (QChar c : pattern) {
        if (c == u'*') {
            expression += QStringLiteral(".*");
        } else if (c == u'?') {
            expression += captured ? QStringLiteral("\\1") : QStringLiteral("(.*)");
            captured = true;
        } else {
            expression += QRegularExpression::escape(QString(c));
        }
    }
    if (!captured)
        return 0;
    const QRegularExpression regex(QRegularExpression::anchoredPattern(expression),
                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = regex.match(name);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const int number = match.captured(1).toInt(&ok, 10);
    return ok ? number : 0;
}

bool MatchesSearchPattern(const QString& text, const QString& pattern)
{
    std::vector<PatternItem> items;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size())
            items.push_back({Element::Literal, pattern[++i]});
        else if (c == u'*')
            items.push_back({Element::AnyRun, c});
        else if (c == u'?')
            items.push_back({Element::OneCharacter, c});
        else
            items.push_back({Element::Literal, c});
    }
    return MatchItems(text, items);
}
