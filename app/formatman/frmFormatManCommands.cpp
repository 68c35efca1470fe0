// The format manager's commands that choose what is edited: by hand, a registered format, a
// structure found in a C or VB source, and the header editor.
#include "Module1.h"
#include "clsDialog.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsSourceScan.h"
#include "frmFormatHDEdit.h"
#include "frmFormatMan.h"
#include "frmFormatSelect.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScopeGuard>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCaption = u"Format Manager"_s;

} // namespace

bool frmFormatMan::ConfirmClear()
{
    if (EditFormat().MemCount() == 0)
        return true;
    return gMsgBox().Question(u"現在編集中のデータがクリアされますが、よろしいですか？"_s,
                              kCaption) == clsMessenger::Yes;
}

void frmFormatMan::mnNewManual_Click()
{
    if (!ConfirmClear())
        return;
    auto format = std::make_unique<clsFormat>();
    format->StructName = u"Template"_s;
    format->FormatName = u"フォーマット名称"_s;
    format->FileType = clsFormat::DelimitedText;
    format->CharSet = 1;
    format->CRLF = u"\r\n"_s;
    format->SepChr = u","_s;
    format->BytesSkipHeader = 0;
    format->EscInput = 0;
    format->EscOutput = 0;
    format->CareQuote = 1;
    clsMember* member = format->AddMember();
    member->MemName = u"MemberName"_s;
    member->Comment = u"メンバ名"_s;
    member->MemLen = 10;
    member->MemLenB = 10;
    SetEditFormat(std::move(format));
    ShowFormat();
    EditHeaderOf(EditFormat());
    ShowHeaderPanel();
}

void frmFormatMan::mnOpenRegisted_Click()
{
    frmFormatSelect chooser(this);
    int position = 0;
    if (!chooser.ShowRegistedStructs(u"以下のフォーマットが登録されています。\r\n"
                                     u"編集するフォーマットを選択してください。"_s,
                                     gFormats(), position))
        return;
    const clsFormat* chosen = chooser.SelectFormat(position);
    if (!chosen)
        return;
    SetEditFormat(chosen->Copy());
    ShowFormat();
}

bool frmFormatMan::OpenSourceDialog(int nKind, QString& szPath)
{
    clsDialog& dialog = gDialog();
    dialog.SetTitle(u"ファイルを開く"_s);
    dialog.SetFileName(Module1::GetFileName(szLastPath));
    dialog.SetFilter(nKind == 2
                         ? u"ヘッダファイル(*.h)|*.h|Ｃ／Ｃ＋＋ソースファイル(*.c *.cpp)|*.c;*.cpp|"
                           u"すべてのファイル(*.*)|*.*||"_s
                         : u"標準モジュール(*.bas)|*.bas|フォームモジュール(*.frm)|*.frm|"
                           u"クラスモジュール(*.cls)|*.cls|すべてのファイル(*.*)|*.*||"_s);
    if (!dialog.ShowOpen(this, false))
        return false;
    szLastPath = dialog.FileName();
    szPath = szLastPath;
    return true;
}

void frmFormatMan::ScanSource(int nKind)
{
    if (!ConfirmClear())
        return;
    QString path;
    if (!OpenSourceDialog(nKind, path))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const clsSourceScan::Result scan =
        clsSourceScan::Scan(static_cast<clsSourceScan::Kind>(nKind), path);
    if (!scan.szError.isEmpty())
        gMsgBox().Critical(scan.szError, kCaption);
    if (scan.Found())
        SelectDetectedFormat(*scan.formats, scan.szMessage);
    else
        gMsgBox().Information(scan.szMessage, scan.szCaption);
}

void frmFormatMan::mnNewCFile_Click()
{
    ScanSource(2);
}

void frmFormatMan::mnNewVBFile_Click()
{
    ScanSource(1);
}

void frmFormatMan::SelectDetectedFormat(const clsFormats& formats, const QString& szMessage)
{
    frmFormatSelect chooser(this);
    int position = 0;
    if (chooser.ShowRegistedStructs(szMessage, formats, position)) {
        if (const clsFormat* chosen = chooser.SelectFormat(position)) {
            SetEditFormat(chosen->Copy());
            EditHeaderOf(EditFormat());
        }
    }
    ShowFormat();
}

bool frmFormatMan::EditHeaderOf(clsFormat& format)
{
    int type = format.FileType;
    int charSet = format.CharSet;
    QString crlf = format.CRLF;
    QString sepChr = format.SepChr;
    QString name = format.FormatName;
    QString structName = format.StructName;
    int skipBytes = format.BytesSkipHeader;
    int escInput = format.EscInput;
    int escOutput = format.EscOutput;
    int careQuote = format.CareQuote;
    frmFormatHDEdit editor(this);
    if (!editor.ShowEdit(structName, type, charSet, crlf, sepChr, name, skipBytes, escInput,
                         escOutput, careQuote))
        return false;
    format.FormatName = name;
    format.StructName = structName;
    format.FileType = type;
    format.CharSet = charSet;
    format.CRLF = crlf;
    format.SetSepChrAsString(sepChr);
    format.BytesSkipHeader = skipBytes;
    format.EscInput = escInput;
    format.EscOutput = escOutput;
    format.CareQuote = careQuote;
    SetChanged();
    return true;
}

void frmFormatMan::mnEditHeader_Click()
{
    EditHeaderOf(EditFormat());
    ShowHeaderPanel();
}
