// A started main window over three registered delimited formats, for window tests.
#pragma once

#include "clsDocument.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsOptions.h"
#include "clsSettingsStore.h"
#include "clsTestDataFile.h"
#include "frmCsv.h"
#include "frmMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// Owns the settings store, the main window and a folder for data files; every test starts
// from an empty store at the file QUILLET_SETTINGS names.
class clsMainFixture
{
protected:
    // A delimited format with two string members.
    static void Register(clsSettingsStore& store, const QString& szStruct, const QString& szName)
    {
        const QList<QPair<QString, QString>> keys = {
            {u"FormatName"_s, szName},         {u"FileType"_s, u"1,1,\r\n"_s},
            {u"QuoteString"_s, u","_s},        {u"SkipHeader"_s, u"0"_s},
            {u"DblQuote"_s, u"000"_s},         {u"CntMember"_s, u"2"_s},
            {u"MemNameType_1"_s, u"code,5"_s}, {u"MemLen_1"_s, u"8, "_s},
            {u"MemNameType_2"_s, u"name,5"_s}, {u"MemLen_2"_s, u"20, "_s}};
        QVERIFY(store.Save(u"Quillet"_s, u"Formats"_s, szStruct, szStruct));
        for (const auto& key : keys)
            QVERIFY(store.Save(u"Quillet"_s, szStruct, key.first, key.second));
    }

    std::unique_ptr<clsSettingsStore> store;
    std::unique_ptr<frmMain> window;
    QTemporaryDir dir;

    QString Write(const QString& szName, const QByteArray& bytes = "A1,Pen\r\nA2,Ink\r\n")
    {
        return WriteTestFile(dir, szName, bytes);
    }

    // A started main window over formats a 売上, b 在庫 and c 社員, in this order.
    frmMain& Started(clsSettingsStore* other = nullptr)
    {
        Register(*store, u"Sales"_s, u"a 売上"_s);
        Register(*store, u"Stock"_s, u"b 在庫"_s);
        Register(*store, u"Staff"_s, u"c 社員"_s);
        window = std::make_unique<frmMain>(other ? *other : *store);
        if (!window->Startup())
            qFatal("start-up failed");
        window->show();
        return *window;
    }

    void Open(const QString& szPath, int nMode)
    {
        window->SetNewMode(nMode);
        window->SetNewFile(szPath);
        window->OpenFile(szPath, false, 0);
    }

    static void Edit(frmCsv* document)
    {
        clsGridModel& model = document->GridModel();
        QVERIFY(model.setData(model.index(0, 0), u"X9"_s));
    }

    void Init()
    {
        // Every test starts from an empty store at the file QUILLET_SETTINGS names.
        QFile::remove(qEnvironmentVariable("QUILLET_SETTINGS"));
        store = CreateSettingsStore();
        clsOptions::Reset();
        gFormats().Clear();
    }

    void Cleanup()
    {
        if (window) {
            // Changes made by a test are dropped without a question.
            for (frmCsv* document : window->Documents())
                document->Document().UndoStack().setClean();
            window->close();
            window.reset();
        }
        store.reset();
        gFormats().Clear();
    }
};
