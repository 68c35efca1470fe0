// The application-wide look: Japanese locale for dates and numbers, Japanese Qt texts and font.
#include "QuilletTestMain.h"
#include "clsUiSetup.h"

#include <QDate>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

class tst_clsUiSetup : public QObject
{
    Q_OBJECT

private slots:
    void datesAndNumbersAreJapanese()
    {
        // The test's own main ran Apply, as the program's does.
        const QLocale locale;
        QCOMPARE(locale.language(), QLocale::Japanese);
        QCOMPARE(locale.territory(), QLocale::Japan);
        QCOMPARE(locale.monthName(12), u"12月"_s);
        QCOMPARE(locale.toString(QDate(2026, 12, 8), QLocale::ShortFormat), u"2026/12/08"_s);
        QCOMPARE(locale.toString(1234567), u"1,234,567"_s);
    }

    void qtTextsAndFontAreJapanese()
    {
        QVERIFY(clsUiSetup::Apply(*qApp));
        QCOMPARE(QApplication::font().family(), u"VL Gothic"_s);
    }
};

QUILLET_QTEST_MAIN(tst_clsUiSetup)
#include "tst_clsUiSetup.moc"
