#include "image/sheet_sequence.h"

#include <QFileInfo>

namespace {

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

QString SequenceFileName(int number, const QString& extension)
{
    // Three digits, so the hundredth sheet is img100, the name its own start
    // number is read back from.
    const QString suffix = extension.isEmpty() ? QString() : QLatin1Char('.') + extension;
    if (number <= 9)
        return QStringLiteral("img00%1").arg(number) + suffix;
    if (number <= 99)
        return QStringLiteral("img0%1").arg(number) + suffix;
    return QStringLiteral("img%1").arg(number) + suffix;
}

QStringList SequenceFileNames(const QString& firstName, int lastNumber)
{
    QStringList names;
    if (lastNumber == 0)
        return names; // the box left at 0: only the chosen sheet
    const QFileInfo first(firstName);
    for (int n = SequenceStartNumber(first.completeBaseName()) + 1; n <= lastNumber; ++n)
        names << SequenceFileName(n, first.suffix());
    return names;
}
