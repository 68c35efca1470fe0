// The command dispatcher for runs without windows.
#include "clsBatch.h"

#include "clsMessenger.h"
#include "clsRegFile.h"
#include "clsSettingsStore.h"

#include <QTextStream>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

bool clsBatch::IsBatch(int argc, char** argv)
{
    return argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
}

int clsBatch::Run(const QStringList& args, clsSettingsStore& store, QTextStream& out,
                  QTextStream& err)
{
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    if (command == u"--import-reg"_s && !rest.isEmpty())
        return ImportReg(rest, store, out, err);
    if (command == u"--has-formats"_s && rest.isEmpty())
        return HasFormats(store);
    err << u"使い方: quillet [ファイル...]\n"
           u"        quillet --import-reg レジストリファイル...\n"
           u"        quillet --has-formats\n"_s;
    err.flush();
    return 2;
}

int clsBatch::ImportReg(const QStringList& files, clsSettingsStore& store, QTextStream& out,
                        QTextStream& err)
{
    int exitCode = 0;
    for (const QString& file : files) {
        const clsRegFile::Result read = clsRegFile::ReadFile(file);
        if (!read.szError.isEmpty()) {
            err << file << u':'
                << (read.nErrorLine > 0 ? QString::number(read.nErrorLine) + u": "_s : u" "_s)
                << read.szError << u'\n';
            exitCode = 1;
            continue;
        }
        if (!clsRegFile::Import(read.values, store)) {
            err << file << u": "_s << store.LastError() << u'\n';
            exitCode = 1;
            continue;
        }
        // One line per section, in file order, with the number of values written to it.
        out << file << u":\n"_s;
        QStringList sections;
        QList<int> counts;
        for (const clsRegFile::Value& value : read.values) {
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

int clsBatch::HasFormats(const clsSettingsStore& store)
{
    return store.GetAll(AppTitle(), u"Formats"_s).isEmpty() ? 1 : 0;
}
