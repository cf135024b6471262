#include "platform/FileFilters.h"

#include <QRegularExpression>

namespace kel {

namespace {

// The text inside a trailing "(...)" of a description, and the description without it.
// Returns false when the description does not end in a parenthesised group.
bool SplitTrailingGroup(const QString& description, QString* head, QString* group) {
    if (!description.endsWith(QLatin1Char(')'))) return false;
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open < 0) return false;
    *head = description.left(open).trimmed();
    *group = description.mid(open + 1, description.size() - open - 2);
    return true;
}

QStringList SplitPatterns(const QString& text) {
    QStringList patterns;
    for (const QString& piece : text.split(QRegularExpression(QStringLiteral("[; ]")))) {
        const QString p = piece.trimmed();
        if (!p.isEmpty()) patterns << p;
    }
    return patterns;
}

}  // namespace

QList<FileFilter> ParseFileFilters(const QString& windowsFilter) {
    QStringList pieces = windowsFilter.split(QLatin1Char('|'));
    if (!pieces.isEmpty() && pieces.back().trimmed().isEmpty()) pieces.removeLast();
    QList<FileFilter> filters;
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        FileFilter filter;
        filter.description = pieces[i].trimmed();
        if (i + 1 < pieces.size()) {
            filter.patterns = SplitPatterns(pieces[i + 1]);
        } else {
            QString head, group;
            if (SplitTrailingGroup(filter.description, &head, &group))
                filter.patterns = SplitPatterns(group);
        }
        if (filter.patterns.isEmpty()) {
            if (filter.description.isEmpty()) continue;
            filter.patterns << QStringLiteral("*");
        }
        if (filter.description.isEmpty()) filter.description = filter.patterns.join(QLatin1Char(';'));
        filters << filter;
    }
    return filters;
}

QString QtFilterEntry(const FileFilter& filter) {
    QString head = filter.description, group;
    if (!SplitTrailingGroup(filter.description, &head, &group)) head = filter.description;
    QStringList patterns;
    for (const QString& p : filter.patterns) {
        const QString qtPattern = p == QLatin1String("*.*") ? QStringLiteral("*") : p;
        if (!patterns.contains(qtPattern)) patterns << qtPattern;
    }
    const QString list = patterns.join(QLatin1Char(' '));
    return head.isEmpty() ? QStringLiteral("(%1)").arg(list)
                          : QStringLiteral("%1 (%2)").arg(head, list);
}

QStringList QtFileFilters(const QString& windowsFilter) {
    QStringList entries;
    for (const FileFilter& f : ParseFileFilters(windowsFilter)) entries << QtFilterEntry(f);
    return entries;
}

QString QtSelectedFilter(const QString& windowsFilter, int filterIndex) {
    const QStringList entries = QtFileFilters(windowsFilter);
    if (entries.isEmpty()) return {};
    return filterIndex >= 1 && filterIndex <= entries.size() ? entries[filterIndex - 1]
                                                             : entries.front();
}

}  // namespace kel
