// A main window for the benchmarks: hands the document window its file and shows nothing.
#pragma once

#include "clsDocumentHost.h"

// The file and format a benchmark's document window loads or saves to.
class clsQuietHost : public clsDocumentHost
{
public:
    QString szNewFile() const override { return newFile; }
    int nNewMode() const override { return newMode; }
    int nNewID() const override { return 1; }
    void SetCurrent(const QString&, int, const QString&) override {}
    void SetStatus(const QString&, const QString&, const QString&, const QString&) override {}
    void SetMainCaption(const QString&) override {}
    void FilesDropped(const QStringList&) override {}
    void UpdateCommands() override {}
    void EndProgram() override {}
    void SaveActiveDocument() override {}
    void DocumentClosed() override {}
    void ShowPopup(const QPoint&) override {}
    bool SortMode() const override { return false; }

    QString newFile;
    int newMode = 1;
};
