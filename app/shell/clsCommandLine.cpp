// Reading the command line and finding the files it names.
#include "clsCommandLine.h"

#include "Module1.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

const char kFormatOption[] = "--format";

} // namespace

clsCommandLine::clsCommandLine(const QStringList& args) : names(args), whole(args.join(u' '))
{
    if (!names.isEmpty() && names.first() == QLatin1String(kFormatOption)) {
        formatGiven = true;
        formatName = names.value(1);
        names = names.mid(2);
    }
}

QString clsCommandLine::UnknownFormatText(const QString& szStructName)
{
    return u"フォーマット「"_s + szStructName + u"」は登録されていません。"_s;
}

bool clsCommandLine::OpensWindows(int argc, char** argv)
{
    return argc > 1 && std::strcmp(argv[1], kFormatOption) == 0;
}

std::vector<clsCommandLine::clsTarget> clsCommandLine::Targets(const QString& szCurrentDir,
                                                               const QString& szProgramDir) const
{
#ifdef Q_OS_WIN
    Q_UNUSED(szCurrentDir);
    return WindowsTargets(names.join(u' '), szProgramDir);
#else
    return NamedTargets(names, szCurrentDir, szProgramDir);
#endif
}

std::vector<clsCommandLine::clsTarget> clsCommandLine::NamedTargets(const QStringList& aszNames,
                                                                    const QString& szCurrentDir,
                                                                    const QString& szProgramDir)
{
    std::vector<clsTarget> targets;
    for (const QString& name : aszNames) {
        clsTarget target{name, false};
        if (QFileInfo(name).isAbsolute()) {
            target.bExists = QFileInfo::exists(name);
        } else {
            for (const QString& dir : {szCurrentDir, szProgramDir}) {
                const QString path = QDir(dir).absoluteFilePath(name);
                if (QFileInfo::exists(path)) {
                    target = {QDir::cleanPath(path), true};
                    break;
                }
            }
        }
        targets.push_back(target);
    }
    return targets;
}

std::vector<clsCommandLine::clsTarget> clsCommandLine::WindowsTargets(const QString& szRaw,
                                                                      const QString& szProgramDir)
{
    std::vector<clsTarget> targets;
    QString rest = Module1::Trim(szRaw);
    if (rest.isEmpty())
        return targets;
    if (!szRaw.contains(u'\\'))
        rest = szProgramDir + u'\\' + rest;
    while (!rest.isEmpty()) {
        const qsizetype space = rest.indexOf(u' ');
        const QString token = space < 0 ? rest : Module1::Trim(rest.left(space));
        rest = space < 0 ? QString() : Module1::Trim(rest.mid(space + 1));
        const QString path = token.toUpper();
        targets.push_back({path, QFileInfo::exists(path)});
    }
    return targets;
}
