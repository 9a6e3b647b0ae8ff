#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// Test data written as a table: a row a line, its columns split at '|', the first naming the
// row; \r, \n and \t in a column stand for those characters.
inline void addRows(const char *table)
{
    using namespace Qt::StringLiterals;
    static const QRegularExpression indentation(QStringLiteral("^\\s+"));
    QTest::addColumn<QStringList>("row");
    for (QString line : QString::fromUtf8(table).split(u'\n')) {
        if (line.remove(indentation).isEmpty())
            continue;
        QStringList columns = line.split(u'|');
        for (QString &c : columns)
            c.replace("\\r"_L1, "\r"_L1).replace("\\n"_L1, "\n"_L1).replace("\\t"_L1, "\t"_L1);
        QTest::newRow(qPrintable(columns[0])) << columns;
    }
}
