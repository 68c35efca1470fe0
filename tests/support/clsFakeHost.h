// The main window as a document window sees it, recorded for tests.
#pragma once

#include "clsDocumentHost.h"

#include <QList>
#include <QPoint>
#include <QStringList>

#include <functional>

// Hands out the values a test sets, records what the document window shows and asks, and
// runs the test's own save when the window asks to be saved.
class clsFakeHost : public clsDocumentHost
{
public:
    QString szNewFile() const override { return newFile; }
    int nNewMode() const override { return newMode; }
    int nNewID() const override { return newID; }
    void SetCurrent(const QString& szCurFile, int nCurMode, const QString& szCurMode) override
    {
        curFile = szCurFile;
        curMode = nCurMode;
        curModeName = szCurMode;
    }
    void SetStatus(const QString& szPanel1, const QString& szPanel2, const QString& szPanel3,
                   const QString& szPanel4) override
    {
        panels = {szPanel1, szPanel2, szPanel3, szPanel4};
    }
    void SetMainCaption(const QString& szCaption) override { caption = szCaption; }
    void FilesDropped(const QStringList& aszFiles) override { dropped += aszFiles; }
    void UpdateCommands() override { ++commandUpdates; }
    void EndProgram() override { ++endRequests; }
    void SaveActiveDocument() override
    {
        ++saveRequests;
        if (save)
            save();
    }
    void DocumentClosed() override { ++closedDocuments; }
    void ShowPopup(const QPoint& globalPos) override { popups.append(globalPos); }
    bool SortMode() const override { return sortMode; }

    QString newFile;
    int newMode = 1;
    int newID = 1;
    std::function<void()> save;
    QString curFile;
    int curMode = 0;
    QString curModeName;
    QStringList panels;
    QString caption;
    QStringList dropped;
    QList<QPoint> popups;
    bool sortMode = false;
    int commandUpdates = 0;
    int endRequests = 0;
    int saveRequests = 0;
    int closedDocuments = 0;
};
