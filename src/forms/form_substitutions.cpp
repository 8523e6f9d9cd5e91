#include "forms/form_substitutions.h"

QString ApplySubstitutions(const QString& nameTemplate, const QString& substitutions)
{
    QString result = nameTemplate;
    const QChar bar(u'|');
    qsizetype position = 0;
    while (position < substitutions.size()) {
        qsizetype split = substitutions.indexOf(bar, position);
        if (split < 0)
            split = substitutions.size();
        const QString find = substitutions.mid(position, split - position);
        qsizetype end = split < substitutions.size() ? substitutions.indexOf(bar, split + 1) : -1;
        if (end < 0)
            end = substitutions.size();
        const QString replacement = split < substitutions.size()
                                        ? substitutions.mid(split + 1, end - split - 1)
                                        : QString();
        // Replacing an empty text would insert the replacement between every
        // character; an empty pair changes nothing instead.
        if (!find.isEmpty())
            result.replace(find, replacement);
        position = end + 1;
    }
    return result;
}

QString AppendSubstitution(const QString& substitutions, const QString& find,
                           const QString& replacement)
{
    return substitutions + find + u'|' + replacement + u'|';
}
