// The three output commands: format chooser, save dialog, writer, confirmation.
#include "frmSourceOutput.h"

#include "clsDialog.h"
#include "clsFormatSource.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsXslWriter.h"
#include "frmFormatSelect.h"

using namespace Qt::Literals::StringLiterals;

void frmSourceOutput::mnSaveAsC(QWidget* owner)
{
    Run(owner,
        {u"構造体として出力する登録フォーマットを選択してください。"_s,
         u"Ｃ／Ｃ＋＋ソースとしてフォーマットの出力"_s,
         u"Ｃ／Ｃ＋＋ヘッダファイル(*.h)|*.h|Ｃ／Ｃ＋＋ソースファイル(*.c *.cpp)|*.c;*.cpp||"_s,
         QString(), false},
        [](const clsFormat& format, const QString& szPath, int, int) {
            return clsFormatSource::SaveStructAsC(format, szPath);
        });
}

void frmSourceOutput::mnSaveAsVB(QWidget* owner)
{
    Run(owner,
        {u"ユーザ定義型として出力する登録フォーマットを選択してください。"_s,
         u"ＶＢソースとしてフォーマットの出力"_s,
         u"ＶＢ標準モジュール(*.bas)|*.bas|ＶＢフォームモジュール(*.frm)|*.frm|"
         u"ＶＢクラスモジュール(*.cls)|*.cls||"_s,
         QString(), false},
        [](const clsFormat& format, const QString& szPath, int, int) {
            return clsFormatSource::SaveStructAsVB(format, szPath);
        });
}

void frmSourceOutput::mnSaveAsXSL(QWidget* owner)
{
    Run(owner,
        {u"ＸＳＬファイルとして出力する登録フォーマットを選択してください。"_s,
         u"ＸＭＬスタイルシートとしてフォーマットの出力"_s,
         u"ＸＭＬスタイルシート(*.xsl)|*.xsl||"_s, u"xsl"_s, true},
        &clsXslWriter::WriteXSL);
}

void frmSourceOutput::Run(QWidget* owner, const clsCommand& command, const Writer& writer)
{
    frmFormatSelect select(owner);
    int position = -1;
    if (!select.ShowRegistedStructs(u"以下のフォーマットが登録されています。\r\n"_s +
                                        command.szSelect,
                                    gFormats(), position))
        return;
    const clsFormat* format = select.SelectFormat(position);
    if (!format)
        return;
    clsDialog& dialog = gDialog();
    dialog.SetTitle(command.szTitle);
    dialog.SetFilter(command.szFilter);
    dialog.SetFileName(QString());
    if (!dialog.ShowSave(owner, command.szDefExt, command.bCharSet))
        return;
    const int charSet = command.bCharSet ? dialog.CharSet() : 0;
    const int lineEnd = command.bCharSet ? dialog.CRLF() : 0;
    if (writer(*format, dialog.FileName(), charSet, lineEnd))
        gMsgBox().Information(u"フォーマットの出力が完了しました。"_s, clsFormatSource::Caption());
}
