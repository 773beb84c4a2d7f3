#include "image/sheet_sequence.h"

namespace
{

constexpr int kNumberOffset = 3; // after "img"
constexpr int kNumberWidth = 3;

} // namespace

int SequenceStartNumber(const QString& title)
{
    const QString field = title.mid(kNumberOffset, kNumberWidth);
    qsizetype i = 0;
    while (i < field.size() && field[i].isSpace())
        ++i;
    int sign = 1;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) {
        if (field[i] == u'-')
            sign = -1;
        ++i;
    }
    int number = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i)
        number = number * 10 + (field[i].unicode() - u'0');
    return sign * number;
}

QString SequenceFileName(int number)
{
    // Three digits, so the hundredth sheet is img100.tif, the name its own start
    // number is read back from.
    if (number <= 9)
        return QStringLiteral("img00%1.tif").arg(number);
    if (number <= 99)
        return QStringLiteral("img0%1.tif").arg(number);
    return QStringLiteral("img%1.tif").arg(number);
}

QStringList SequenceFileNames(const QString& firstTitle, int lastNumber)
{
    QStringList names;
    if (lastNumber == 0)
        return names; // the box left at 0: only the chosen sheet
    for (int n = SequenceStartNumber(firstTitle) + 1; n <= lastNumber; ++n)
        names << SequenceFileName(n);
    return names;
}
