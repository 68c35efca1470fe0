// The format manager's store commands: registering and deleting formats in the settings
// store, and saving or registering registry files.
#include "clsDialog.h"
#include "clsFormatImporter.h"
#include "clsFormatRegistrar.h"
#include "clsFormatRules.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsRegFile.h"
#include "clsSettingsStore.h"
#include "frmFormatMan.h"
#include "frmFormatSelect.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCaption = u"Format Manager"_s;
const QString kFormats = u"Formats"_s;

// The structure names a registry file enters in the index of formats.
QStringList IndexedNames(const QList<clsRegFile::Value>& values)
{
    QStringList names;
    for (const clsRegFile::Value& value : values) {
        if (value.szSection == kFormats && !names.contains(value.szKey))
            names.append(value.szKey);
    }
    return names;
}

} // namespace

void frmFormatMan::mnRegist_Click()
{
    if (!CheckMembers() || !CheckDupNames() || !GridToFormat())
        return;
    if (!RegistFormat())
        return;
    gMsgBox().Information(u"ファイルフォーマットの登録が完了しました。\r"
                          u"アプリケーションを一度終了すると新しいフォーマットが使用できます。"_s,
                          kCaption);
    bChanged = false;
}

bool frmFormatMan::RegistFormat()
{
    const clsFormat& format = EditFormat();
    const QString sn = format.StructName;
    // Only what the store's loader reads back is registered: a format it refuses would stop
    // every later start.
    if (!Refuse(clsFormatRules::CheckRegistrable(format)))
        return false;
    if (gMsgBox().Question(u"フォーマット[ "_s + sn + u" ]を登録します。よろしいですか？"_s,
                           kCaption) != clsMessenger::Yes)
        return false;
    const bool overwrite = clsFormatRegistrar::IsRegistered(settings, sn);
    if (overwrite &&
        gMsgBox().Question(u"既に "_s + sn + u" は登録されています。上書きしますか？"_s,
                           kCaption) != clsMessenger::Yes)
        return false;
    if (!clsFormatRegistrar::Regist(settings, format, overwrite)) {
        gMsgBox().Exclamation(u"レジストリの書込みに失敗しました。"_s, kCaption);
        return false;
    }
    return true;
}

void frmFormatMan::mnDeleteFormat_Click()
{
    frmFormatSelect chooser(this);
    int position = 0;
    if (!chooser.ShowRegistedStructs(u"以下のフォーマットが登録されています。\r\n"
                                     u"削除するフォーマットを選択してください。"_s,
                                     gFormats(), position))
        return;
    clsFormat* chosen = chooser.SelectFormat(position);
    if (!chosen)
        return;
    const QString sn = chosen->StructName;
    if (gMsgBox().Question(sn + u" の登録を削除します。\rよろしいですか？"_s, kCaption) !=
        clsMessenger::Yes)
        return;
    DeleteFromStore(sn);
    // Kept in the list until the restart, but its column widths are no longer saved.
    chosen->DelFlg = true;
}

void frmFormatMan::DeleteFromStore(const QString& szStructName)
{
    if (!clsFormatRegistrar::DeleteFromStore(settings, szStructName)) {
        gMsgBox().Exclamation(u"フォーマット情報を削除できません。"_s, kCaption);
        return;
    }
    gMsgBox().Information(u"フォーマット情報の削除が完了しました。"
                          u"一度アプリケーションを終了すると設定が反映されます。"_s,
                          kCaption);
}

void frmFormatMan::mnSave_Click()
{
    if (!CheckMembers() || !CheckDupNames() || !GridToFormat())
        return;
    clsDialog& dialog = gDialog();
    dialog.SetTitle(u"名前をつけて保存"_s);
    dialog.SetFilter(u"レジストリファイル(*.reg)|*.reg||"_s);
    dialog.SetFileName(EditFormat().StructName);
    if (!dialog.ShowSave(this, u"reg"_s, false))
        return;
    if (!WriteRegFile(dialog.FileName())) {
        gMsgBox().Exclamation(u"ファイルの保存に失敗しました。\r"_s + szWriteError, kCaption);
        return;
    }
    gMsgBox().Information(
        u"フォーマットを保存しました。\r"
        u"エクスプローラなどでファイルをダブルクリックするといつでも登録できます。"_s,
        kCaption);
}

bool frmFormatMan::WriteRegFile(const QString& szPath)
{
    szWriteError.clear();
    return clsFormatRegistrar::WriteRegFile(EditFormat(), szPath, szWriteError);
}

void frmFormatMan::mnImportReg_Click()
{
    clsDialog& dialog = gDialog();
    dialog.SetTitle(u"レジストリファイルから登録"_s);
    dialog.SetFilter(u"レジストリファイル(*.reg)|*.reg|すべてのファイル(*.*)|*.*||"_s);
    dialog.SetFileName(QString());
    if (!dialog.ShowOpen(this, false))
        return;
    ImportRegFile(dialog.FileName());
}

bool frmFormatMan::ImportRegFile(const QString& szPath)
{
    const clsRegFile::Result read = clsRegFile::ReadFile(szPath);
    QString problem;
    if (!read.szError.isEmpty()) {
        problem = szPath + u':' +
                  (read.nErrorLine > 0 ? QString::number(read.nErrorLine) + u": "_s : u" "_s) +
                  read.szError;
    } else if (const clsFormatImporter::Refusal refusal =
                   clsFormatImporter::Check(read.values, settings)) {
        problem = szPath + u':' + QString::number(refusal.nLine) + u": "_s + refusal.szReason;
    }
    if (!problem.isEmpty()) {
        gMsgBox().Exclamation(problem + u"\rレジストリファイルを登録できません。"_s, kCaption);
        return false;
    }
    const QStringList names = IndexedNames(read.values);
    for (const QString& sn : names) {
        if (clsFormatRegistrar::IsRegistered(settings, sn) &&
            gMsgBox().Question(u"既に "_s + sn + u" は登録されています。上書きしますか？"_s,
                               kCaption) != clsMessenger::Yes)
            return false;
    }
    // An overwritten format loses every key of its old version, members past the new count
    // included.
    for (const QString& sn : names)
        settings.DeleteSection(AppTitle(), sn);
    if (!clsFormatImporter::Import(read.values, settings)) {
        gMsgBox().Exclamation(u"レジストリの書込みに失敗しました。"_s, kCaption);
        return false;
    }
    gMsgBox().Information(
        u"フォーマット "_s + names.join(u", "_s) +
            u" を登録しました。\r"
            u"アプリケーションを一度終了すると新しいフォーマットが使用できます。"_s,
        kCaption);
    return true;
}
