#include "image/sheet_sequence.h"

#include <QTest>

class SheetSequenceTest : public QObject {
    Q_OBJECT

private slots:
    void startNumberIsReadFromTheThreeCharactersAfterImg_data();
    void startNumberIsReadFromTheThreeCharactersAfterImg();
    void namesFollowTheChosenSheetUpToTheLastNumber_data();
    void namesFollowTheChosenSheetUpToTheLastNumber();
    void everyNameReadsBackAsItsOwnNumber();
};

void SheetSequenceTest::startNumberIsReadFromTheThreeCharactersAfterImg_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("number");
    QTest::newRow("img015") << "img015" << 15;
    QTest::newRow("img100") << "img100" << 100;
    QTest::newRow("digits beyond the field are ignored") << "img0123" << 12;
    QTest::newRow("any prefix of three") << "abc042" << 42;
    QTest::newRow("no digit in the field") << "scan" << 0;
    QTest::newRow("shorter than four") << "img" << 0;
    QTest::newRow("stops at a non-digit") << "img1a2" << 1;
    QTest::newRow("leading blanks") << "img  7" << 7;
    QTest::newRow("plus sign") << "img+12" << 12;
    QTest::newRow("minus sign") << "img-12" << -12;
    QTest::newRow("Thai prefix") << "ภาพ005" << 5;
}

void SheetSequenceTest::startNumberIsReadFromTheThreeCharactersAfterImg()
{
    QFETCH(QString, title);
    QFETCH(int, number);
    QCOMPARE(SequenceStartNumber(title), number);
}

void SheetSequenceTest::namesFollowTheChosenSheetUpToTheLastNumber_data()
{
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("lastNumber");
    QTest::addColumn<QStringList>("names");
    // The main workflow test opens the usual cases for real; these are the odd ones.
    QTest::newRow("start above the last") << "img040.tif" << 30 << QStringList {};
    QTest::newRow("negative start, box at 0") << "img-05.tif" << 0 << QStringList {};
    QTest::newRow("extension kept as spelt")
        << "img001.BMP" << 3 << QStringList { "img002.BMP", "img003.BMP" };
    QTest::newRow("no extension") << "img009" << 10 << QStringList { "img010" };
}

void SheetSequenceTest::namesFollowTheChosenSheetUpToTheLastNumber()
{
    QFETCH(QString, firstName);
    QFETCH(int, lastNumber);
    QFETCH(QStringList, names);
    QCOMPARE(SequenceFileNames(firstName, lastNumber), names);
}

void SheetSequenceTest::everyNameReadsBackAsItsOwnNumber()
{
    const QStringList names = SequenceFileNames(QStringLiteral("img001.tif"), kMaxSheetNumber);
    QCOMPARE(names.size(), kMaxSheetNumber - 1);
    for (int n = 2; n <= kMaxSheetNumber; ++n) {
        const QString& name = names[n - 2];
        QCOMPARE(SequenceStartNumber(name.chopped(4)), n);
    }
}

QTEST_GUILESS_MAIN(SheetSequenceTest)
#include "sheet_sequence_test.moc"
