// The dialog wrapper: conversions between the program's texts and Skiff's Shift-JIS fields.
#include "clsDialog.h"

#include "clsCodePage.h"
#include "clsSkiff.h"

#include <algorithm>
#include <vector>

namespace {

// Capacities of the library's file-name and font-name fields, NUL included; the library
// never copies more than these into a read buffer.
constexpr int kFileNameBytes = 1024;
constexpr int kFontNameBytes = 256;

template <typename Read> std::vector<char> ReadField(Read read, int nCapacity)
{
    // One byte more than the library writes, so the text always ends in NUL.
    std::vector<char> buffer(static_cast<size_t>(nCapacity) + 1, '\0');
    read(buffer.data());
    return buffer;
}

// The folder part with its separator; either separator counts, since paths typed or stored on
// another system may carry backslashes.
QString DirName(const QString& szPath)
{
    const qsizetype nSlash = std::max(szPath.lastIndexOf(u'/'), szPath.lastIndexOf(u'\\'));
    return nSlash < 0 ? QString() : szPath.left(nSlash + 1);
}

// The program's true is -1; the library reads any nonzero value as set.
int Flag(bool bValue)
{
    return bValue ? -1 : 0;
}

} // namespace

clsDialog::clsDialog()
{
    skiff::DlgIniA();
}

clsDialog::~clsDialog()
{
    skiff::DlgTerminateA();
}

void clsDialog::SetTitle(const QString& szTitle)
{
    skiff::SetTitleA(clsCodePage::ToSjis(szTitle).constData());
}

QString clsDialog::FileName() const
{
    const std::vector<char> name =
        ReadField([](char* pBuffer) { return skiff::GetFileNameA(pBuffer); }, kFileNameBytes);
    return clsSkiff::PathFromNative(name.data());
}

void clsDialog::SetFileName(const QString& szFileName)
{
    skiff::SetFileNameA(clsSkiff::NativePath(szFileName).constData());
}

void clsDialog::SetInitDir(const QString& szInitDir)
{
    skiff::SetInitDirA(clsSkiff::NativePath(szInitDir).constData());
}

void clsDialog::SetFilter(const QString& szFilter)
{
    skiff::SetFilterA(clsCodePage::ToSjis(szFilter).constData(), 1);
}

int clsDialog::FilterIndex() const
{
    return skiff::GetFilterIndexA();
}

int clsDialog::CharSet() const
{
    return skiff::GetCharSetA();
}

int clsDialog::CRLF() const
{
    return skiff::GetCRLFA();
}

void clsDialog::SetESC(bool bEsc)
{
    skiff::SetEscA(bEsc ? 1 : 0);
}

QString clsDialog::FontName() const
{
    const std::vector<char> name =
        ReadField([](char* pBuffer) { return skiff::GetFontNameA(pBuffer); }, kFontNameBytes);
    return clsCodePage::FromSjis(name.data(), qstrnlen(name.data(), kFontNameBytes));
}

void clsDialog::SetFontName(const QString& szFontName)
{
    skiff::SetFontNameA(clsCodePage::ToSjis(szFontName).constData());
}

int clsDialog::FontSize() const
{
    return skiff::GetFontSizeA();
}

void clsDialog::SetFontSize(int nFontSize)
{
    skiff::SetFontSizeA(nFontSize);
}

bool clsDialog::FontBold() const
{
    return skiff::GetBoldA() != 0;
}

void clsDialog::SetFontBold(bool bBold)
{
    skiff::SetBoldA(Flag(bBold));
}

bool clsDialog::FontItalic() const
{
    return skiff::GetItalicA() != 0;
}

void clsDialog::SetFontItalic(bool bItalic)
{
    skiff::SetItalicA(Flag(bItalic));
}

bool clsDialog::ShowOpen(QWidget* owner, bool bCharSet)
{
    // The escape check box is never offered by the program.
    const bool bConfirmed = skiff::ShowOpenA(static_cast<void*>(owner), bCharSet ? 1 : 0, 0) != 0;
    FollowFileName();
    return bConfirmed;
}

bool clsDialog::ShowSave(QWidget* owner, const QString& szDefExt, bool bCharSet)
{
    skiff::SetDefExtA(clsCodePage::ToSjis(szDefExt).constData());
    const bool bConfirmed = skiff::ShowSaveA(static_cast<void*>(owner), bCharSet ? 1 : 0, 0) != 0;
    FollowFileName();
    return bConfirmed;
}

bool clsDialog::ShowFont(QWidget* owner)
{
    return skiff::ShowFontA(static_cast<void*>(owner)) != 0;
}

void clsDialog::FollowFileName()
{
    SetInitDir(DirName(FileName()));
}

clsDialog& gDialog()
{
    // Destroyed at static destruction: the library stays loaded until the process ends (the
    // binding never unloads it), and terminating the state needs no application object.
    static clsDialog dialog;
    return dialog;
}
