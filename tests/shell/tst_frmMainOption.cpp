// The main window's options command: always at hand, and confirmed options reach every open
// document at once and are kept at exit.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsMainFixture.h"
#include "frmOption.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The first column's header text in a document's grid.
QString FirstHeader(frmCsv* document)
{
    return document->GridModel().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
}

// Turns the column number and member name lines on in the next options window and confirms
// it, with paths that pass its check; or cancels it.
void AnswerOptions(bool bConfirm, bool* bShown = nullptr)
{
    modal::When<frmOption>([bConfirm, bShown](frmOption* dialog) {
        if (bShown)
            *bShown = true;
        dialog->Check1->setChecked(true);
        dialog->Check4->setChecked(true);
        for (int i = 1; i <= 2; ++i)
            dialog->Text1(i)->setText(QCoreApplication::applicationFilePath());
        (bConfirm ? dialog->Command1 : dialog->Command2)->click();
    });
}

} // namespace

class tst_frmMainOption : public QObject, private clsMainFixture
{
    Q_OBJECT

private slots:
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void theCommandIsAlwaysEnabled()
    {
        frmMain& main = Started();
        for (frmCsv* document : main.Documents())
            document->WindowClose();
        QTRY_VERIFY(main.Documents().isEmpty());
        main.UpdateCommands();
        QVERIFY(main.mnOption->isEnabled());
        QVERIFY(main.ToolButton(u"Option"_s)->isEnabled());
    }

    void theToolbarButtonOpensTheOptions()
    {
        frmMain& main = Started();
        bool bShown = false;
        AnswerOptions(false, &bShown);
        main.ToolButton(u"Option"_s)->trigger();
        QVERIFY(bShown);
    }

    void confirmedOptionsReachEveryDocument()
    {
        frmMain& main = Started();
        Open(Write(u"one.csv"_s), 1);
        Open(Write(u"two.csv"_s), 2);
        const QList<frmCsv*> documents = main.Documents();
        QVERIFY(documents.size() >= 2);
        for (frmCsv* document : documents)
            QCOMPARE(FirstHeader(document), QString());
        AnswerOptions(true);
        main.mnOption->trigger();
        for (frmCsv* document : documents)
            QCOMPARE(FirstHeader(document), u"1 code"_s);
    }

    void aDocumentWhoseFormatIsGoneKeepsItsColumns()
    {
        frmMain& main = Started();
        Open(Write(u"one.csv"_s), 3);
        frmCsv* document = main.ActiveDocument();
        QCOMPARE(document->GridModel().columnCount(), 2);
        // The format store lost the document's format, as after removing it elsewhere.
        gFormats().Clear();
        AnswerOptions(true);
        main.mnOption->trigger();
        QCOMPARE(gHeaderFlags[1], 1);
        QCOMPARE(document->GridModel().columnCount(), 2);
        QCOMPARE(FirstHeader(document), QString());
    }

    void confirmedOptionsAreKeptAtExit()
    {
        frmMain& main = Started();
        AnswerOptions(true);
        main.mnOption->trigger();
        QVERIFY(main.close());
        window.reset();
        QCOMPARE(store->Get(u"Quillet"_s, u"Option"_s, u"Header"_s, QString()), u"10011"_s);
        QCOMPARE(store->Get(u"Quillet"_s, u"Option"_s, u"BinPath"_s, QString()),
                 QCoreApplication::applicationFilePath());
    }
};

QUILLET_QTEST_MAIN(tst_frmMainOption)
#include "tst_frmMainOption.moc"
