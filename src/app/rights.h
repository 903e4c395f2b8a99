#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The operators' rights: nine strings right1 … right9 of "0"/"1", one character per
// permission of a category. The rules here decide which main-window item a string enables.
namespace Rights {

struct Permission {
    int string = 0;    // 1 … 9: right1 … right9
    int position = 0;  // 1-based character of the string
    QString name;      // what the rights editor shows
    QStringList items; // object names of the main-window items it enables
};

// Every permission, by string and then position.
const QList<Permission>& table();
// The permissions of one category (string 1 … 9), in editor order.
QList<Permission> category(int string);
// "1. 基础设置" … "9. 帮助".
QStringList categoryCaptions();
// 47 "1": all rights (operators whose right1 is null); 31 "0": a new operator.
QString allGranted();
QString noneGranted();

// ApplyRights rule for one item: a "0" denies, anything else (even a position beyond the end
// of a short string) grants; right2 positions 3-8 grant only on an explicit "1".
bool granted(const QString& rights, int string, int position);

} // namespace Rights
