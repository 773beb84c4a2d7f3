#pragma once

#include <QString>
#include <QStringList>

// The highest sheet number the main dialog accepts.
constexpr int kMaxSheetNumber = 100;

// The number a sheet's title carries in its three characters after "img":
// leading blanks and a sign allowed, reading stops at the first non-digit,
// no digits give 0 (img015 -> 15, scan -> 0).
int SequenceStartNumber(const QString& title);

// img001.tif ... img099.tif, img100.tif, with the extension given ("tif", "jpg"; none
// when empty).
QString SequenceFileName(int number, const QString& extension);

// The names that follow the chosen first sheet (its file name, without folder) up to
// the last number, in order, each with the first sheet's extension, since a scanner
// names a whole batch alike; empty when the last number is 0 or not above the start
// number.
QStringList SequenceFileNames(const QString& firstName, int lastNumber);
