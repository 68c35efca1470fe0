// Reading, defaults and writing of the option values.
#include "clsOptions.h"

#include "Module1.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

clsOptionFlags<5> gHeaderFlags;
clsOptionFlags<3> gEditFlags;
QString gTextPath;
QString gBinPath;
QString gFontName;
int gFontSize = 0;
bool gFontBold = false;
bool gFontItalic = false;

namespace {

const QString section = u"Option"_s;

// Reads the digits of a flag string; false when one is not a digit.
template <int N> bool ReadFlags(const QString& szDigits, clsOptionFlags<N>& flags)
{
    for (int k = 1; k <= N; ++k) {
        const QChar digit = szDigits[k - 1];
        if (digit < u'0' || digit > u'9')
            return false;
        flags[k] = digit.unicode() - u'0';
    }
    return true;
}

template <int N> QString WriteFlags(const clsOptionFlags<N>& flags, const QString& szFallback)
{
    QString digits;
    for (int k = 1; k <= N; ++k)
        digits += QString::number(flags[k]);
    return digits.size() == N ? digits : szFallback;
}

// 0 and False are false, True and any other number true; other text is malformed.
bool ReadBool(const QString& szText, bool& bValue)
{
    if (szText.compare(u"True"_s, Qt::CaseInsensitive) == 0) {
        bValue = true;
        return true;
    }
    if (szText.compare(u"False"_s, Qt::CaseInsensitive) == 0) {
        bValue = false;
        return true;
    }
    bool ok = false;
    const int number = szText.toInt(&ok, 10);
    bValue = number != 0;
    return ok;
}

QString BoolText(bool bValue)
{
    return bValue ? u"True"_s : u"False"_s;
}

} // namespace

void clsOptions::Reset()
{
    gHeaderFlags = {};
    gEditFlags = {};
    gTextPath.clear();
    gBinPath.clear();
    gFontName.clear();
    gFontSize = 0;
    gFontBold = false;
    gFontItalic = false;
}

bool clsOptions::Load(const clsSettingsStore& store)
{
    const QString app = AppTitle();
    QString header = Module1::Trim(store.Get(app, section, u"Header"_s));
    if (header.size() != 5)
        header = u"00001"_s;
    if (!ReadFlags(header, gHeaderFlags))
        return false;
    QString edit = Module1::Trim(store.Get(app, section, u"Edit"_s));
    if (edit.size() != 3)
        edit = u"010"_s;
    if (!ReadFlags(edit, gEditFlags))
        return false;

    gTextPath = Module1::Trim(store.Get(app, section, u"TextPath"_s));
    if (gTextPath.isEmpty())
        gTextPath = DefaultViewer();
    gBinPath = Module1::Trim(store.Get(app, section, u"BinPath"_s));
    if (gBinPath.isEmpty())
        gBinPath = DefaultViewer();

    const QString font = Module1::Trim(store.Get(app, section, u"Font"_s));
    QStringList fields;
    if (font.isEmpty() || Module1::SplitFields(fields, font, u","_s) != 4)
        Module1::SplitFields(fields, u"10,0,0,ＭＳ ゴシック"_s, u","_s);
    bool ok = false;
    const int size = Module1::Trim(fields[0]).toInt(&ok, 10);
    if (!ok)
        return false;
    gFontSize = size;
    if (!ReadBool(fields[1], gFontBold) || !ReadBool(fields[2], gFontItalic))
        return false;
    gFontName = fields[3];
    return true;
}

bool clsOptions::Save(clsSettingsStore& store)
{
    const QString app = AppTitle();
    const QString font = QString::number(gFontSize) + u',' + BoolText(gFontBold) + u',' +
                         BoolText(gFontItalic) + u',' + gFontName;
    return store.Save(app, section, u"Header"_s, WriteFlags(gHeaderFlags, u"00010"_s)) &&
           store.Save(app, section, u"Edit"_s, WriteFlags(gEditFlags, u"010"_s)) &&
           store.Save(app, section, u"TextPath"_s, gTextPath) &&
           store.Save(app, section, u"BinPath"_s, gBinPath) &&
           store.Save(app, section, u"Font"_s, font);
}

QString clsOptions::DefaultViewer()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(qEnvironmentVariable("SystemRoot", u"C:\\Windows"_s)) +
           u"\\notepad.exe"_s;
#else
    // The user's own editor when it can be found, else the desktop's opener.
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const QString command = qEnvironmentVariable(variable).trimmed();
        const QString program = command.section(u' ', 0, 0);
        if (!program.isEmpty() && !QStandardPaths::findExecutable(program).isEmpty())
            return command;
    }
    const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s);
    return opener.isEmpty() ? u"xdg-open"_s : opener;
#endif
}
