#pragma once

#include <QString>

// The completed list: one item "," + sheet number + "," per completed sheet, in the order of
// completion. A sheet is in the list when its item occurs in the text.
namespace CompletedList
{

QString item(int sheet);
bool contains(const QString &list, int sheet);
// The list with the sheet's item appended, unless it is there already.
QString added(const QString &list, int sheet);
// The list without any occurrence of the sheet's item.
QString removed(const QString &list, int sheet);

} // namespace CompletedList
