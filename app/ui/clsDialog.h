// The program's open, save and font dialogs, shown by Skiff.
#pragma once

#include <QString>

class QWidget;

// Properties and show methods over Skiff's one dialog state; texts cross as Shift-JIS, file
// and folder names in the file system's own encoding.
class clsDialog
{
public:
    // Creates the library's dialog state.
    clsDialog();
    // Releases it. Touches only the library's plain memory, so it is safe during static
    // destruction, after the application object is gone.
    ~clsDialog();
    clsDialog(const clsDialog&) = delete;
    clsDialog& operator=(const clsDialog&) = delete;

    void SetTitle(const QString& szTitle);
    QString FileName() const;
    void SetFileName(const QString& szFileName);
    void SetInitDir(const QString& szInitDir);
    // "description|pattern|...||"; the first entry is preselected.
    void SetFilter(const QString& szFilter);
    // The entry the user picked, from 1.
    int FilterIndex() const;
    // 0 = as the format says, else the character-set and line-end codes.
    int CharSet() const;
    int CRLF() const;
    void SetESC(bool bEsc);
    QString FontName() const;
    void SetFontName(const QString& szFontName);
    int FontSize() const;
    void SetFontSize(int nFontSize);
    bool FontBold() const;
    void SetFontBold(bool bBold);
    bool FontItalic() const;
    void SetFontItalic(bool bItalic);

    // Each show method, confirmed or not, moves InitDir to the folder of FileName, so the next
    // dialog opens where this one left off.
    bool ShowOpen(QWidget* owner, bool bCharSet);
    bool ShowSave(QWidget* owner, const QString& szDefExt, bool bCharSet);
    bool ShowFont(QWidget* owner);

private:
    void FollowFileName();
};

// The program's one dialog wrapper, created on first use.
clsDialog& gDialog();
