#pragma once

#include "common/masterdata.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

// The state file vra.prop: the master data and the completed list in 29 lines.
namespace StateFile
{

constexpr int lineCount = 29;
// The longest value a field holds; every such value fits a line that read() takes whole.
constexpr int maxValueLength = 1 << 18;

// The lines as they are stored: "mn1=" quantity, "ma1=" kind, "bf"+i+"=" price in the
// dot-decimal form, for each package, then "name=" and "bear=".
QStringList lines(const MasterData &data, const QString &completedList);

// Takes the values from `lines` by position, cut at their fixed prefix length; fields whose
// line is missing keep what they hold. Prices come back in the display form with the digits
// as stored, an empty one empty and one that is not a number as 0,00.
void apply(const QStringList &lines, MasterData &data, QString &completedList);

// The file's bytes: Windows-1252 with CR LF where that reads back as the same text, else
// UTF-8, so that nothing typed is changed.
QByteArray encode(const QStringList &lines);
// The first 29 lines of the file; nothing after them is read, and a line longer than any
// value is cut.
QStringList read(QIODevice &file);

} // namespace StateFile
