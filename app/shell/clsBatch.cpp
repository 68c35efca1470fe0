// The command dispatcher for runs without windows.
#include "clsBatch.h"

#include "clsCharsetDetector.h"
#include "clsCodePage.h"
#include "clsCommandLine.h"
#include "clsFormatImporter.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsRegFile.h"
#include "clsSettingsStore.h"
#include "clsSourceScan.h"
#include "clsStartup.h"
#include "clsValidator.h"

#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

bool clsBatch::IsBatch(int argc, char** argv)
{
    // "--format" names the format of the files the windows open.
    return argc > 1 && std::strncmp(argv[1], "--", 2) == 0 && std::strcmp(argv[1], "--format") != 0;
}

int clsBatch::Run(const QStringList& args, clsSettingsStore& store, QTextStream& out,
                  QTextStream& err)
{
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    if (command == u"--import-reg"_s && !rest.isEmpty())
        return ImportReg(rest, store, out, err);
    if ((command == u"--scan-c"_s || command == u"--scan-vb"_s) && rest.size() == 1)
        return ScanSource(command == u"--scan-c"_s, rest[0], out, err);
    if (command == u"--has-formats"_s && rest.isEmpty())
        return HasFormats(store);
    if (command == u"--list-formats"_s && rest.isEmpty())
        return ListFormats(store, out, err);
    if (command == u"--convert"_s)
        return Convert(rest, store, out, err);
    if (command == u"--export"_s)
        return Export(rest, store, out, err);
    if (command == u"--detect"_s)
        return Detect(rest, out, err);
    if (command == u"--validate"_s)
        return Validate(rest, store, out, err);
    if (command == u"--help"_s && rest.isEmpty()) {
        out << Usage();
        out.flush();
        return 0;
    }
    err << Usage();
    err.flush();
    return 2;
}

QString clsBatch::Usage()
{
    return u"使い方: quillet [--format 構造体名] [ファイル...]\n"
           u"        quillet --import-reg レジストリファイル...\n"
           u"        quillet --scan-c ソースファイル | --scan-vb ソースファイル\n"
           u"        quillet --has-formats\n"
           u"        quillet --list-formats\n"
           u"        quillet --convert 構造体名 入力ファイル 出力ファイル [--charset N]\n"
           u"                [--to-format 構造体名] [--to-charset N] [--to-crlf N] [--continue]\n"
           u"        quillet --export csv|html|xml 構造体名 入力ファイル 出力ファイル\n"
           u"                [--charset N] [--to-charset N] [--to-crlf N]\n"
           u"        quillet --detect ファイル... [--verbose]\n"
           u"        quillet --validate 構造体名 ファイル [--charset N] [--max N]\n"
           u"        quillet --help\n"
           u"\n"
           u"  --import-reg    レジストリファイルのフォーマットを登録します。\n"
           u"  --scan-c        Ｃ／Ｃ＋＋の構造体を、--scan-vb は VB のユーザ定義型を読み取り、\n"
           u"                  フォーマットごとにレジストリファイルの内容を表示します。\n"
           u"  --has-formats   フォーマットが登録されていれば 0、なければ 1 で終わります。\n"
           u"  --list-formats  登録されているフォーマットを 1 行に 1 つ、番号、構造体名、\n"
           u"                  フォーマット名、ファイルタイプ、文字コード、改行コードの順に\n"
           u"                  タブで区切って表示します。\n"
           u"  --convert       入力ファイルを構造体名のフォーマットで読み込み、出力ファイルに\n"
           u"                  書き込みます。ウィンドウは開きません。\n"
           u"    --charset N     入力の文字コード (1 Shift-JIS、2 JIS、3 EUC、4 UTF-8)\n"
           u"    --to-format F   出力のフォーマット (省略時は入力と同じ)\n"
           u"    --to-charset N  出力の文字コード\n"
           u"    --to-crlf N     出力の改行コード (1 CRLF、2 CR、3 LF)\n"
           u"                    文字コードと改行コードは省略するか 0 でフォーマットの設定。\n"
           u"    --continue      フォーマットの違う行があっても読み込みを続けます\n"
           u"                    (省略時はそこで変換をやめます)。\n"
           u"  --export        入力ファイルを構造体名のフォーマットで読み込み、ＣＳＶ、ＨＴＭＬ\n"
           u"                  または ＸＭＬ で出力ファイルに書き出します (オプションは --convert\n"
           u"                  と同じ)。\n"
           u"  --detect        ファイルごとに 1 行、ファイル、文字コード (Shift-JIS、JIS、EUC、\n"
           u"                  UTF-8、UTF-8+BOM、ASCII)、改行コード、区切り文字、項目数を\n"
           u"                  タブで区切って表示します。\n"
           u"    --verbose       文字コードごとに変換できないバイトと JIS X 0208 外の文字の数\n"
           u"  --validate      ファイルの各レコードをフォーマットと照合し、問題ごとに 1 行、\n"
           u"                  レコード番号、メンバー名、問題をタブで区切って表示します。\n"
           u"                  終了コードは問題がなければ 0、あれば 1 です。\n"
           u"    --max N         問題が N 件見つかったところで検査をやめます\n"
           u"  メッセージは標準エラーに出ます。\n"
           u"  終了コード: 0 成功、1 失敗 (読み込み、書き込み、--has-formats の「なし」)、\n"
           u"              2 コマンドラインの誤り (不明なオプション、フォーマット、引数の不足)\n"_s;
}

int clsBatch::ImportReg(const QStringList& files, clsSettingsStore& store, QTextStream& out,
                        QTextStream& err)
{
    int exitCode = 0;
    for (const QString& file : files) {
        QList<clsRegFile::Value> values;
        QString error;
        if (!clsFormatImporter::ImportFile(file, store, values, error)) {
            err << error << u'\n';
            exitCode = 1;
            continue;
        }
        // One line per section, in file order, with the number of values written to it.
        out << file << u":\n"_s;
        QStringList sections;
        QList<int> counts;
        for (const clsRegFile::Value& value : values) {
            const qsizetype at = sections.indexOf(value.szSection);
            if (at < 0) {
                sections.append(value.szSection);
                counts.append(1);
            } else {
                ++counts[at];
            }
        }
        for (qsizetype i = 0; i < sections.size(); ++i)
            out << u"  ["_s << sections[i] << u"] "_s << counts[i] << u" 件登録しました。\n"_s;
    }
    out.flush();
    err.flush();
    return exitCode;
}

int clsBatch::ScanSource(bool bC, const QString& szPath, QTextStream& out, QTextStream& err)
{
    const clsSourceScan::Result scan =
        clsSourceScan::Scan(bC ? clsSourceScan::CSource : clsSourceScan::VBSource, szPath);
    if (!scan.Found()) {
        err << szPath << u": "_s
            << (scan.szError.isEmpty() ? scan.szMessage : scan.szError.section(u'\r', 0, 0))
            << u'\n';
        err.flush();
        return 1;
    }
    const QByteArray text = clsSourceScan::RegFileText(*scan.formats);
    // The registry file's own bytes, so that the output can be registered as it is.
    out.flush();
    if (out.device())
        out.device()->write(text);
    else
        out << clsCodePage::FromSjis(text);
    return 0;
}

int clsBatch::HasFormats(const clsSettingsStore& store)
{
    return store.GetAll(AppTitle(), u"Formats"_s).isEmpty() ? 1 : 0;
}

bool clsBatch::LoadFormats(const clsSettingsStore& store, QTextStream& err)
{
    bool loaded = false;
    if (clsStartup::CheckVersion(store)) {
        try {
            loaded = gFormats().ReadFromReg(store);
        } catch (const clsFormatLoadError& error) {
            err << QString::fromUtf8(error.what()) << u'\n';
        }
        if (!loaded && gFormats().Count() == 0)
            err << u"フォーマットが登録されていません。\n"_s;
    }
    err.flush();
    return loaded;
}

int clsBatch::ListFormats(const clsSettingsStore& store, QTextStream& out, QTextStream& err)
{
    if (!LoadFormats(store, err))
        return 1;
    const clsFormatInfo& info = gFormatInfo();
    for (int i = 1; i <= gFormats().Count(); ++i) {
        const clsFormat& format = *gFormats().Format(i);
        out << i << u'\t' << format.StructName << u'\t' << format.FormatName << u'\t'
            << info.GetFileTypeName(format.FileType) << u'\t'
            << info.GetCharSetAsName(format.CharSet) << u'\t'
            << info.GetCRLFAsName(info.GetCRLF(format.CRLF)) << u'\n';
    }
    out.flush();
    return 0;
}

int clsBatch::Detect(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList files = args;
    const bool verbose = files.removeAll(u"--verbose"_s) > 0;
    if (files.isEmpty() || std::any_of(files.cbegin(), files.cend(), [](const QString& file) {
            return file.startsWith(u"--"_s);
        })) {
        err << Usage();
        err.flush();
        return 2;
    }
    int exitCode = 0;
    for (const QString& file : files) {
        const clsDetection detection = clsCharsetDetector::DetectFile(file, verbose);
        if (!detection.szError.isEmpty()) {
            err << detection.szError << u'\n';
            exitCode = 1;
            continue;
        }
        out << clsCharsetDetector::SummaryLine(file, detection) << u'\n';
        if (verbose) {
            for (const QString& line : clsCharsetDetector::EvidenceLines(detection))
                out << line << u'\n';
        }
    }
    out.flush();
    err.flush();
    return exitCode;
}

int clsBatch::Validate(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                       QTextStream& err)
{
    QStringList positional;
    int charSet = 0;
    int maxProblems = 0;
    bool understood = true;
    for (qsizetype i = 0; i < args.size() && understood; ++i) {
        if (!args[i].startsWith(u"--"_s)) {
            positional.append(args[i]);
            continue;
        }
        bool ok = false;
        const int value = i + 1 < args.size() ? args[i + 1].toInt(&ok) : 0;
        if (args[i] == u"--charset"_s && ok && value >= 0 && value <= 4)
            charSet = value;
        else if (args[i] == u"--max"_s && ok && value > 0)
            maxProblems = value;
        else
            understood = false;
        ++i;
    }
    if (!understood || positional.size() != 2) {
        err << Usage();
        err.flush();
        return 2;
    }
    if (!LoadFormats(store, err))
        return 1;
    const int index = gFormats().GetIndexByName(positional[0]);
    if (index < 1) {
        err << clsCommandLine::UnknownFormatText(positional[0]) << u'\n';
        err.flush();
        return 2;
    }
    if (!QFileInfo(positional[1]).isFile()) {
        err << positional[1] << u": 指定のファイルが存在しません。\n"_s;
        err.flush();
        return 1;
    }
    clsValidator validator(*gFormats().Format(index), maxProblems, true);
    if (!validator.CheckFile(positional[1], charSet)) {
        err << validator.Error() << u'\n';
        err.flush();
        return 1;
    }
    for (const clsProblem& problem : validator.Problems())
        out << validator.ProblemLine(problem) << u'\n';
    out << validator.SummaryLine() << u'\n';
    out.flush();
    return validator.Total() == 0 ? 0 : 1;
}
