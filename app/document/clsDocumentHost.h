// What a document window needs from the window that hosts it.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

// The main window as the document windows see it: the values it hands to a new or
// reloaded document, the status panels and caption it shows for the active one, and the
// commands it owns. Tests implement it with a fake.
class clsDocumentHost
{
public:
    virtual ~clsDocumentHost() = default;

    // File (empty for a new document), format position and number for the next document
    // window or load.
    virtual QString szNewFile() const = 0;
    virtual int nNewMode() const = 0;
    virtual int nNewID() const = 0;
    // The active document's file, format position and format name.
    virtual void SetCurrent(const QString& szCurFile, int nCurMode, const QString& szCurMode) = 0;
    // The four status panels: record count, format, file size and time, character set and
    // line end.
    virtual void SetStatus(const QString& szPanel1, const QString& szPanel2,
                           const QString& szPanel3, const QString& szPanel4) = 0;
    virtual void SetMainCaption(const QString& szCaption) = 0;
    // Files dropped on a document window, opened as if dropped on the main window.
    virtual void FilesDropped(const QStringList& aszFiles) = 0;
    // Sets the enabled state of every menu item and toolbar button.
    virtual void UpdateCommands() = 0;
    // Ends the program in good order: every document may still ask to be saved.
    virtual void EndProgram() = 0;
    // The main window's save command for the active document (a closing window that
    // answered Yes to saving is the active one).
    virtual void SaveActiveDocument() = 0;
    // A document window has closed: one document fewer.
    virtual void DocumentClosed() = 0;
    // Opens the popup menu of the document commands at a point of the screen.
    virtual void ShowPopup(const QPoint& globalPos) = 0;
    // Whether header clicks sort (the sort mode of the main window).
    virtual bool SortMode() const = 0;
};
