// Loading Skiff and resolving its exports.
#include "clsSkiff.h"

#include "clsMessenger.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (early start, plain tests) ask the system.
    return QFileInfo(u"/proc/self/exe"_s).canonicalFilePath().section(u'/', 0, -2);
}

[[noreturn]] void Fail(const QString& text)
{
    gMsgBox().Critical(text, AppTitle());
    std::exit(1);
}

QLibrary& Library()
{
    static QLibrary library;
    if (!library.isLoaded()) {
        library.setFileName(clsSkiff::LibraryPath());
        if (!library.load())
            Fail(u"ライブラリ "_s + clsSkiff::LibraryPath() + u" を読み込めません。\r\n"_s +
                 library.errorString());
    }
    return library;
}

} // namespace

QString clsSkiff::LibraryPath()
{
#ifdef Q_OS_WIN
    return ExecutableFolder() + u"/skiff.dll"_s;
#else
    return ExecutableFolder() + u"/libskiff.so"_s;
#endif
}

void* clsSkiff::Resolve(const char* szName)
{
    QFunctionPointer function = Library().resolve(szName);
    if (!function)
        Fail(u"ライブラリ "_s + LibraryPath() + u" に関数 "_s + QString::fromLatin1(szName) +
             u" がありません。"_s);
    return reinterpret_cast<void*>(function);
}

QByteArray clsSkiff::NativePath(const QString& szPath)
{
    return QFile::encodeName(szPath);
}

QString clsSkiff::PathFromNative(const char* szPath)
{
    return QFile::decodeName(szPath);
}
