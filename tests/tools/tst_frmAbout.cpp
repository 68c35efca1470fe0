// The version window: its texts, the version of the build and the selected mail address.
#include "QuilletTestMain.h"
#include "frmAbout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

class tst_frmAbout : public QObject
{
    Q_OBJECT

private slots:
    void showsNameAuthorsAndAddresses()
    {
        const frmAbout dialog;
        QCOMPARE(dialog.windowTitle(), u"バージョン情報"_s);
        QCOMPARE(dialog.lblTitle->text(), u"Quillet"_s);
        QCOMPARE(dialog.lblAuthor->text(), u"Quillet 開発チーム"_s);
        QCOMPARE(dialog.Text1->text(), u"E-mail quillet@example.jp"_s);
        QVERIFY(dialog.Text1->isReadOnly());
        QVERIFY(dialog.lblWeb->text().contains(u"https://quillet.example.jp/"_s));
        QCOMPARE(dialog.cmdOK->text(), u"OK"_s);
        QVERIFY(!dialog.lblIcon->pixmap().isNull());
    }

    void showsTheVersionOfTheBuild()
    {
        QCOMPARE(frmAbout::Version(), u"2.3"_s);
        const frmAbout dialog;
        QVERIFY(dialog.lblVersion->text().endsWith(u" 2.3"_s));
    }

    void activationSelectsTheMailAddress()
    {
        frmAbout dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_COMPARE(dialog.Text1->selectedText(), u"quillet@example.jp"_s);
        QVERIFY(dialog.Text1->hasFocus());
    }

    void okClosesTheWindow()
    {
        frmAbout dialog;
        dialog.show();
        dialog.cmdOK->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QUILLET_QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
