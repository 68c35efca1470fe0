// Real message boxes: icons, buttons, default buttons and result codes.
#include "QuilletTestMain.h"
#include "clsMsgBox.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Seen
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons;
    QString defaultButton;
    int labelWidth = 0;
    QFont labelFont;
};

// Shows a box through clsMsgBox, records it and presses the key once it is up.
int Drive(const std::function<int(clsMsgBox&)>& show, int key, Seen& seen)
{
    QTimer::singleShot(0, [&seen, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        if (auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s)) {
            seen.labelWidth = label->width();
            seen.labelFont = label->font();
        }
        QTest::keyClick(box, static_cast<Qt::Key>(key));
        if (box->isVisible())
            box->done(-1);
    });
    clsMsgBox msgBox;
    return show(msgBox);
}

} // namespace

class tst_clsMsgBox : public QObject
{
    Q_OBJECT

private slots:
    void questionsAnswerWithTheirDefaults()
    {
        Seen seen;
        QCOMPARE(Drive([](clsMsgBox& m) { return m.Question(u"続行しますか？"_s, u"Quillet"_s); },
                       Qt::Key_Return, seen),
                 6);
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.title, u"Quillet"_s);
        QCOMPARE(seen.text, u"続行しますか？"_s);
        QVERIFY(seen.defaultButton.startsWith(u"はい"_s));
        QCOMPARE(seen.buttons.size(), 2);

        Seen nega;
        QCOMPARE(
            Drive([](clsMsgBox& m) { return m.QuestionNega(u"削除しますか？"_s, u"Quillet"_s); },
                  Qt::Key_Return, nega),
            7);
        QVERIFY(nega.defaultButton.startsWith(u"いいえ"_s));
    }

    void questionExCancelsOnEscape()
    {
        Seen seen;
        QCOMPARE(Drive([](clsMsgBox& m) { return m.QuestionEx(u"保存しますか？"_s, u"Quillet"_s); },
                       Qt::Key_Escape, seen),
                 2);
        QCOMPARE(seen.buttons.size(), 3);
        QVERIFY(seen.defaultButton.startsWith(u"はい"_s));
        QVERIFY(seen.buttons.join(u'|').contains(u"キャンセル"_s));

        Seen yes;
        QCOMPARE(Drive([](clsMsgBox& m) { return m.QuestionEx(u"保存しますか？"_s, u"Quillet"_s); },
                       Qt::Key_Return, yes),
                 6);
    }

    void noticesCarryTheirIcons()
    {
        const std::pair<QMessageBox::Icon, std::function<void(clsMsgBox&)>> cases[] = {
            {QMessageBox::Information, [](clsMsgBox& m) { m.Information(u"i"_s, u"T"_s); }},
            {QMessageBox::Warning, [](clsMsgBox& m) { m.Exclamation(u"e"_s, u"T"_s); }},
            {QMessageBox::Critical, [](clsMsgBox& m) { m.Critical(u"c"_s, u"T"_s); }},
        };
        for (const auto& [icon, show] : cases) {
            Seen seen;
            Drive(
                [&show](clsMsgBox& m) {
                    show(m);
                    return 0;
                },
                Qt::Key_Return, seen);
            QCOMPARE(seen.icon, icon);
            QCOMPARE(seen.buttons.size(), 1);
            QCOMPARE(seen.title, u"T"_s);
        }
    }

    void aSentenceStaysOnOneLine()
    {
        // Forty full-width characters: Qt alone would wrap this after about thirty.
        const QString line =
            u"ファイルは別のプログラムで使用中のため、保存できませんでした。後で再度お試しを。"_s;
        QCOMPARE(line.size(), 40);
        Seen seen;
        Drive(
            [&line](clsMsgBox& m) {
                m.Exclamation(line + u"\n短い二行目"_s, u"Quillet"_s);
                return 0;
            },
            Qt::Key_Return, seen);
        QCOMPARE(seen.text, line + u"\n短い二行目"_s);
        QVERIFY2(seen.labelWidth >= QFontMetrics(seen.labelFont).horizontalAdvance(line),
                 qPrintable(QString::number(seen.labelWidth)));
    }

    void procErrorComposesTitleAndText()
    {
        Seen seen;
        Drive(
            [](clsMsgBox& m) {
                m.ProcError(u"不正なインデックス"_s, 1, u"clsFormat"_s, u"DeleteMember"_s);
                return 0;
            },
            Qt::Key_Return, seen);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.title, u"clsFormat DeleteMember Error"_s);
        QCOMPARE(seen.text, u"不正なインデックス\r\n (1)"_s);
    }
};

QUILLET_QTEST_MAIN(tst_clsMsgBox)
#include "tst_clsMsgBox.moc"
