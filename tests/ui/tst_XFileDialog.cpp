// Skiff's file dialog shows sizes and dates in the program's Japanese locale, columns fitted.
#include "ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCodePage.h"
#include "clsSkiff.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QTemporaryDir>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the detail list showed for the one file of the folder.
struct Seen
{
    bool bLoaded = false;
    QString szSize;
    QString szDate;
    QList<int> widths;
    QList<int> needed;
};

} // namespace

class tst_XFileDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        skiff::DlgTerminateA();
        QCOMPARE(skiff::DlgIniA(), 1);
        skiff::SetInitDirA(clsCodePage::ToSjis(folder.path()).constData());
    }

    void cleanupTestCase() { skiff::DlgTerminateA(); }

    void detailsAreJapaneseAndFitTheirColumns()
    {
        const QString path = folder.filePath(u"在庫一覧_2026年度.csv"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Ten and a half megabytes, without writing them.
        QVERIFY(file.resize(10 * 1024 * 1024 + 512 * 1024));
        file.close();

        Seen seen;
        modal::When<QFileDialog>([&seen](QFileDialog* dialog) {
            auto* details = dialog->findChild<QTreeView*>(u"treeView"_s);
            if (!details)
                return;
            dialog->setViewMode(QFileDialog::Detail);
            QAbstractItemModel* model = details->model();
            const QModelIndex root = details->rootIndex();
            seen.bLoaded = QTest::qWaitFor([&] { return model->rowCount(root) == 1; }, 3000);
            if (!seen.bLoaded)
                return;
            // The columns are fitted once the folder's entries are in.
            QTest::qWait(50);
            seen.szSize = model->index(0, 1, root).data().toString();
            seen.szDate = model->index(0, 3, root).data().toString();
            for (int column = 0; column < 4; ++column) {
                seen.widths << details->columnWidth(column);
                seen.needed << static_cast<QAbstractItemView*>(details)->sizeHintForColumn(column);
            }
        });
        QCOMPARE(skiff::ShowOpenA(nullptr, 1, 0), 0);

        QVERIFY(seen.bLoaded);
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        QCOMPARE(seen.szDate,
                 japanese.toString(QFileInfo(path).lastModified(), QLocale::ShortFormat));
        QCOMPARE(seen.szSize, japanese.formattedDataSize(QFileInfo(path).size()));
        for (int column = 0; column < 4; ++column)
            QVERIFY2(seen.widths[column] >= seen.needed[column],
                     qPrintable(QString::number(column)));
    }
};

QUILLET_QTEST_MAIN(tst_XFileDialog)
#include "tst_XFileDialog.moc"
