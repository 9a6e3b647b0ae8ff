#include "completedlist.h"

namespace CompletedList
{

QString item(int sheet)
{
    return u',' + QString::number(sheet) + u',';
}

bool contains(const QString &list, int sheet)
{
    return list.contains(item(sheet));
}

QString added(const QString &list, int sheet)
{
    return contains(list, sheet) ? list : list + item(sheet);
}

QString removed(const QString &list, int sheet)
{
    return QString(list).remove(item(sheet));
}

} // namespace CompletedList
