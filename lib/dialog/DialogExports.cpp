// Skiff's dialog exports: the one dialog state, the open, save and font dialogs over it.
#include "XCodePage.h"
#include "XDialog.h"
#include "XFileDialog.h"
#include "skiff.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

using namespace Qt::Literals::StringLiterals;

namespace {

// A plain pointer on purpose: the program may terminate the state from its own static
// destruction, and this must stay valid whatever order the two libraries' exits run in.
XDialog* pState = nullptr;
// The last extended dialog's choices; only a confirmed dialog copies them into the state.
XDialogExt gExt;

// Nothing may cross the C boundary: any failure ends the export with its fallback result.
template <typename Result, typename Body> Result Guarded(Result fallback, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <typename Body> void Guarded(Body body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

const char* Text(const char* szText)
{
    return szText ? szText : "";
}

QString Decode(const char* szText)
{
    return XCodePage::FromSjis(szText);
}

// Dialogs need a widget application in the process; without one nothing is shown.
bool CanShow()
{
    return pState && qobject_cast<QApplication*>(QCoreApplication::instance());
}

// One entry as Qt's dialog shows it. Qt matches the text in parentheses at the end, and a
// "*.*" there would hide files without a dot, so the patterns are rewritten for it.
QString NameFilter(const QString& szDescription, const QString& szPattern)
{
    QStringList patterns = szPattern.split(u';', Qt::SkipEmptyParts);
    for (QString& szOne : patterns) {
        szOne = szOne.trimmed();
        if (szOne == u"*.*"_s)
            szOne = u"*"_s;
    }
    const QString szShown = u'(' + patterns.join(u' ') + u')';
    const QString szGiven = u'(' + szPattern + u')';
    if (szDescription.endsWith(szGiven, Qt::CaseInsensitive))
        return szDescription.chopped(szGiven.size()) + szShown;
    return szDescription + u' ' + szShown;
}

int ShowFile(bool bSave, void* pOwner, int lnExtension, int lnShowEsc)
{
    if (!CanShow())
        return 0;
    XDialog& state = *pState;
    const bool bExtension = lnExtension != 0;
    if (bExtension) {
        gExt.lnEsc = state.lnEsc;
        gExt.lnShowEsc = lnShowEsc;
    }

    XFileDialog dialog(static_cast<QWidget*>(pOwner), bSave);
    dialog.setWindowTitle(Decode(state.szTitle));
    const QString szDir = QFile::decodeName(state.szInitDir);
    if (QFileInfo(szDir).isDir())
        dialog.setDirectory(szDir);
    QStringList filters;
    for (const auto& [szDescription, szPattern] : state.FilterPairs())
        filters << NameFilter(Decode(szDescription.c_str()), Decode(szPattern.c_str()));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int lnIndex = state.lnFilterIndex;
        dialog.selectNameFilter(
            filters.at(lnIndex >= 1 && lnIndex <= filters.size() ? lnIndex - 1 : 0));
    }
    if (bSave) {
        QString szExt = Decode(state.szDefExt);
        if (szExt.startsWith(u'.'))
            szExt.remove(0, 1);
        dialog.setDefaultSuffix(szExt);
    }
    const QString szFile = QFile::decodeName(state.szFile);
    if (!szFile.isEmpty())
        dialog.selectFile(szFile);
    if (bExtension)
        dialog.AddExtension(gExt.lnShowEsc != 0, gExt.lnEsc != 0);

    const bool bConfirmed = dialog.exec() == QDialog::Accepted;
    if (bExtension) {
        gExt.lnCharSet = dialog.CharSet();
        gExt.lnCRLF = dialog.CRLF();
        gExt.lnEsc = dialog.Esc();
    }
    if (!bConfirmed)
        return 0;
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        XDialog::StoreName(state.szFile, QFile::encodeName(files.first()).constData());
    state.lnFilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    state.lnCharSet = gExt.lnCharSet;
    state.lnCRLF = gExt.lnCRLF;
    state.lnEsc = gExt.lnEsc;
    return 1;
}

// Qt's dialog finds the initial face by a style name built from weight and slant, which is
// translated and never "Book"; on a miss it takes the family's first face, often an oblique
// one. Naming an installed face of the family avoids both: the nearest weight, then the
// plainest name ("Bold" before "Condensed Bold").
QString FaceOf(const QString& szFamily, bool bBold, bool bItalic)
{
    const int lnWanted = bBold ? QFont::Bold : QFont::Normal;
    QString szBest;
    int lnBestDistance = std::numeric_limits<int>::max();
    for (const QString& szStyle : QFontDatabase::styles(szFamily)) {
        if (QFontDatabase::italic(szFamily, szStyle) != bItalic)
            continue;
        const int lnDistance =
            std::abs(QFontDatabase::weight(szFamily, szStyle) - lnWanted) * 1000 +
            static_cast<int>(szStyle.size());
        if (lnDistance < lnBestDistance) {
            szBest = szStyle;
            lnBestDistance = lnDistance;
        }
    }
    return szBest;
}

int ShowFont(void* pOwner)
{
    if (!CanShow())
        return 0;
    XDialog& state = *pState;
    QFont font;
    const QString szFamily = Decode(state.szFontName);
    if (!szFamily.isEmpty())
        font.setFamily(szFamily);
    if (state.lnFontSize > 0)
        font.setPointSize(state.lnFontSize);
    font.setWeight(state.lnBold != 0 ? QFont::Bold : QFont::Normal);
    font.setItalic(state.lnItalic != 0);
    font.setStyleName(FaceOf(font.family(), state.lnBold != 0, state.lnItalic != 0));

    QFontDialog dialog(static_cast<QWidget*>(pOwner));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(font);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const QFont chosen = dialog.selectedFont();
    XDialog::Store(state.szFontName, XCodePage::ToSjis(chosen.family()).constData());
    // Whole points, cut rather than rounded: a face picked at 10.5 points is 10.
    if (chosen.pointSizeF() > 0)
        state.lnFontSize = static_cast<int>(chosen.pointSizeF());
    state.lnBold = chosen.weight() >= QFont::Bold ? 1 : 0;
    state.lnItalic = chosen.italic() ? 1 : 0;
    return 1;
}

} // namespace

int DlgIniA(void)
{
    return Guarded(0, [] {
        if (pState)
            return 0;
        pState = new (std::nothrow) XDialog;
        return pState ? 1 : 0;
    });
}

void DlgTerminateA(void)
{
    Guarded([] {
        delete pState;
        pState = nullptr;
    });
}

void SetTitleA(const char* szTitle)
{
    Guarded([&] {
        if (pState)
            XDialog::Store(pState->szTitle, Text(szTitle));
    });
}

int SetInitDirA(const char* szDir)
{
    return Guarded(0,
                   [&] { return pState ? XDialog::StoreName(pState->szInitDir, Text(szDir)) : 0; });
}

int SetFileNameA(const char* szFile)
{
    return Guarded(0,
                   [&] { return pState ? XDialog::StoreName(pState->szFile, Text(szFile)) : 0; });
}

int GetFileNameA(char* szBuffer)
{
    return Guarded(0, [&] {
        if (!pState || !szBuffer)
            return 0;
        return XDialog::StoreNameText(szBuffer, sizeof(pState->szFile), pState->szFile);
    });
}

void SetFilterA(const char* szFilter, int lnIndex)
{
    Guarded([&] {
        if (!pState)
            return;
        pState->StoreFilter(Text(szFilter));
        pState->lnFilterIndex = lnIndex;
    });
}

int GetFilterIndexA(void)
{
    return pState ? pState->lnFilterIndex : -1;
}

void SetDefExtA(const char* szExt)
{
    Guarded([&] {
        if (pState)
            XDialog::Store(pState->szDefExt, Text(szExt));
    });
}

int ShowOpenA(void* pOwner, int lnExtension, int lnShowEsc)
{
    return Guarded(0, [&] { return ShowFile(false, pOwner, lnExtension, lnShowEsc); });
}

int ShowSaveA(void* pOwner, int lnExtension, int lnShowEsc)
{
    return Guarded(0, [&] { return ShowFile(true, pOwner, lnExtension, lnShowEsc); });
}

int GetCharSetA(void)
{
    return pState ? pState->lnCharSet : -1;
}

int GetCRLFA(void)
{
    return pState ? pState->lnCRLF : -1;
}

int GetEscA(void)
{
    return pState ? pState->lnEsc : -1;
}

void SetEscA(int lnEsc)
{
    if (pState)
        pState->lnEsc = lnEsc;
}

int ShowFontA(void* pOwner)
{
    return Guarded(0, [&] { return ShowFont(pOwner); });
}

int SetFontNameA(const char* szName)
{
    return Guarded(0,
                   [&] { return pState ? XDialog::Store(pState->szFontName, Text(szName)) : 0; });
}

int GetFontNameA(char* szBuffer)
{
    return Guarded(0, [&] {
        if (!pState || !szBuffer)
            return 0;
        return XDialog::StoreText(szBuffer, sizeof(pState->szFontName), pState->szFontName);
    });
}

void SetFontSizeA(int lnSize)
{
    if (pState)
        pState->lnFontSize = lnSize;
}

int GetFontSizeA(void)
{
    return pState ? pState->lnFontSize : -1;
}

void SetBoldA(int lnBold)
{
    if (pState)
        pState->lnBold = lnBold;
}

int GetBoldA(void)
{
    return pState ? pState->lnBold : 0;
}

void SetItalicA(int lnItalic)
{
    if (pState)
        pState->lnItalic = lnItalic;
}

int GetItalicA(void)
{
    return pState ? pState->lnItalic : 0;
}
