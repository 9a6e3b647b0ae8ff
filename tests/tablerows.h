#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// Test data written as a table: a row a line, its columns split at '|', the first naming the
// row; \r, \n and \t in a column stand for those characters.
inline void addRows(const char *table)
{
    static const QRegularExpression indentation(QStringLiteral("^\\s+"));
    QTest::addColumn<QStringList>("row");
    for (QString line : QString::fromUtf8(table).split(u'\n')) {
        if (line.remove(indentation).isEmpty())
            continue;
        QStringList columns = line.split(u'|');
        for (QString &c : columns)
            c.replace(QLatin1String("\\r"), QLatin1String("\r"))
                .replace(QLatin1String("\\n"), QLatin1String("\n"))
                .replace(QLatin1String("\\t"), QLatin1String("\t"));
        QTest::newRow(qPrintable(columns[0])) << columns;
    }
}
