// The scanners run on a file, and the format manager's texts for what they found.
#include "clsSourceScan.h"

#include "Module1.h"
#include "clsCScanner.h"
#include "clsFormatRegistrar.h"
#include "clsVBScanner.h"

using namespace Qt::Literals::StringLiterals;

clsSourceScan::Result clsSourceScan::Scan(Kind kind, const QString& szPath)
{
    Result result;
    try {
        if (kind == CSource)
            clsCScanner::ReadCSource(szPath, *result.formats);
        else
            clsVBScanner::ReadVBSource(szPath, *result.formats);
    } catch (const clsSourceFailure& failure) {
        // What was appended before the failure is not offered.
        result.formats->Clear();
        result.szError = failure.Cause() + u'\r' + u"ファイルの読込に失敗しました。"_s + szPath;
    }
    const bool isC = kind == CSource;
    if (result.Found()) {
        result.szMessage = Module1::GetFileName(szPath) +
                           (isC ? u"から以下の構造体が検出されました。"_s
                                : u"から以下のユーザ定義型が検出されました。"_s) +
                           u"\r\n"_s +
                           (isC ? u"編集する構造体を選択してください。"_s
                                : u"編集するユーザ定義型を選択してください。"_s);
    } else {
        result.szMessage = isC ? u"ファイルからＣ／Ｃ＋＋構造体は検出されませんでした。"_s
                               : u"ファイルからＶＢユーザ定義型は検出されませんでした。"_s;
        result.szCaption = isC ? szPath : Caption();
    }
    return result;
}

QByteArray clsSourceScan::RegFileText(const clsFormats& formats)
{
    QByteArray text;
    for (int n = 1; n <= formats.Count(); ++n)
        text += clsFormatRegistrar::RegFileText(*formats.Format(n));
    return text;
}

QString clsSourceScan::Caption()
{
    return u"Format Manager"_s;
}
