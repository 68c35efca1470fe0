// The settings file: its syntax, its cache and its atomic replacement.
#include "clsFileSettingsStore.h"

#include "clsMessenger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const char fileHeading[] =
    "# Quillet settings (UTF-8). \"[application/section]\" opens a section, \"key=value\" lines\n"
    "# follow. Escapes: \\\\ backslash, \\n LF, \\r CR, \\t tab, \\s space, \\= \\/ \\# \\[ the\n"
    "# character itself. Every other backslash is an error.\n";

bool SameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Position of the first stop character that no backslash protects; -1 if none.
qsizetype FindUnescaped(QStringView text, QChar stop)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == stop)
            return i;
    }
    return -1;
}

// False (with the offending escape in szBad) for an escape the syntax does not know.
bool Unescape(QStringView text, QString& decoded, QString& szBad)
{
    decoded.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            decoded += text[i];
            continue;
        }
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        switch (next.unicode()) {
        case u'n':
            decoded += u'\n';
            break;
        case u'r':
            decoded += u'\r';
            break;
        case u't':
            decoded += u'\t';
            break;
        case u's':
            decoded += u' ';
            break;
        case u'\\':
        case u'=':
        case u'/':
        case u'#':
        case u'[':
            decoded += next;
            break;
        default:
            szBad = u"\\"_s + (next.isNull() ? QString() : QString(next));
            return false;
        }
        ++i;
    }
    return true;
}

// Names also escape what would end them or turn their line into a comment or header.
QString Escape(const QString& text, bool bName)
{
    QString escaped;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\')
            escaped += u"\\\\"_s;
        else if (c == u'\n')
            escaped += u"\\n"_s;
        else if (c == u'\r')
            escaped += u"\\r"_s;
        else if (c == u'\t')
            escaped += u"\\t"_s;
        else if (c == u' ' && (i == 0 || i == text.size() - 1))
            escaped += u"\\s"_s;
        else if (bName && (c == u'=' || c == u'/' || (i == 0 && (c == u'#' || c == u'['))))
            escaped += u'\\' + QString(c);
        else
            escaped += c;
    }
    return escaped;
}

QString LineError(qsizetype nLine, const QString& szWhat)
{
    return QString::number(nLine) + u" 行目: "_s + szWhat;
}

} // namespace

clsFileSettingsStore::clsFileSettingsStore(QString szFilePath) : szPath(std::move(szFilePath)) {}

bool clsFileSettingsStore::Parse(const QByteArray& bytes, QList<Section>& parsed, QString& szReason)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        szReason = u"UTF-8 のテキストではありません。"_s;
        return false;
    }
    parsed.clear();
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    qsizetype current = -1;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QStringView line = lines[n];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QString szBad;
        QString first;
        QString second;
        if (line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']')) {
            const QStringView inner = line.mid(1, line.size() - 2);
            const qsizetype slash = FindUnescaped(inner, u'/');
            if (slash < 0) {
                szReason = LineError(n + 1, u"セクション名に「/」がありません。"_s);
                return false;
            }
            if (!Unescape(inner.left(slash), first, szBad) ||
                !Unescape(inner.mid(slash + 1), second, szBad)) {
                szReason = LineError(n + 1, u"不正なエスケープ「"_s + szBad + u"」があります。"_s);
                return false;
            }
            current = -1;
            for (qsizetype i = 0; i < parsed.size() && current < 0; ++i) {
                if (SameName(parsed[i].szApp, first) && SameName(parsed[i].szName, second))
                    current = i;
            }
            if (current < 0) {
                parsed.append({first, second, {}});
                current = parsed.size() - 1;
            }
            continue;
        }
        if (current < 0) {
            szReason = LineError(n + 1, u"セクションより前に値があります。"_s);
            return false;
        }
        const qsizetype equals = FindUnescaped(line, u'=');
        if (equals < 0) {
            szReason = LineError(n + 1, u"「=」がありません。"_s);
            return false;
        }
        if (!Unescape(line.left(equals), first, szBad) ||
            !Unescape(line.mid(equals + 1), second, szBad)) {
            szReason = LineError(n + 1, u"不正なエスケープ「"_s + szBad + u"」があります。"_s);
            return false;
        }
        QList<Entry>& entries = parsed[current].entries;
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const Entry& entry) { return SameName(entry.first, first); });
        if (found != entries.end())
            found->second = second;
        else
            entries.append({first, second});
    }
    return true;
}

QByteArray clsFileSettingsStore::Compose(const QList<Section>& sectionList)
{
    QString text = QString::fromLatin1(fileHeading);
    for (const Section& section : sectionList) {
        if (section.entries.isEmpty())
            continue;
        text +=
            u"\n["_s + Escape(section.szApp, true) + u'/' + Escape(section.szName, true) + u"]\n"_s;
        for (const Entry& entry : section.entries)
            text += Escape(entry.first, true) + u'=' + Escape(entry.second, false) + u'\n';
    }
    return text.toUtf8();
}

clsFileSettingsStore::Stamp clsFileSettingsStore::CurrentStamp() const
{
    const QFileInfo info(szPath);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

bool clsFileSettingsStore::Refresh() const
{
    // Inside an update the cache holds writes the file has not seen yet.
    if (bLoaded && nUpdateDepth > 0)
        return szBrokenReason.isEmpty();
    const Stamp stamp = CurrentStamp();
    if (bLoaded && stamp == loadedStamp)
        return szBrokenReason.isEmpty();

    sections.clear();
    szBrokenReason.clear();
    bLoaded = true;
    loadedStamp = stamp;
    if (!stamp.bExists)
        return true;
    QFile file(szPath);
    QString szReason;
    if (!file.open(QIODevice::ReadOnly))
        szReason = file.errorString();
    else if (!Parse(file.readAll(), sections, szReason))
        sections.clear();
    if (szReason.isEmpty())
        return true;

    szBrokenReason = szReason;
    if (!bReported || !(reportedStamp == stamp)) {
        bReported = true;
        reportedStamp = stamp;
        gMsgBox().Critical(u"設定ファイルを読み込めません。\r\n"_s + szPath + u"\r\n"_s + szReason +
                               u"\r\nファイルを直すまで、設定は保存されません。"_s,
                           AppTitle());
    }
    return false;
}

bool clsFileSettingsStore::Writable()
{
    if (Refresh())
        return true;
    szLastError = u"設定ファイル "_s + szPath + u" を読み込めないため、書き込みません。("_s +
                  szBrokenReason + u')';
    return false;
}

clsFileSettingsStore::Section* clsFileSettingsStore::FindSection(const QString& szApp,
                                                                 const QString& szSection) const
{
    for (Section& section : sections) {
        if (SameName(section.szApp, szApp) && SameName(section.szName, szSection))
            return &section;
    }
    return nullptr;
}

QString clsFileSettingsStore::Get(const QString& szApp, const QString& szSection,
                                  const QString& szKey, const QString& szDefault) const
{
    Refresh();
    if (const Section* section = FindSection(szApp, szSection)) {
        for (const Entry& entry : section->entries) {
            if (SameName(entry.first, szKey))
                return entry.second;
        }
    }
    return szDefault;
}

QList<clsSettingsStore::Entry> clsFileSettingsStore::GetAll(const QString& szApp,
                                                            const QString& szSection) const
{
    Refresh();
    const Section* section = FindSection(szApp, szSection);
    return section ? section->entries : QList<Entry>();
}

bool clsFileSettingsStore::Save(const QString& szApp, const QString& szSection,
                                const QString& szKey, const QString& szValue)
{
    if (!Writable())
        return false;
    Section* section = FindSection(szApp, szSection);
    if (!section) {
        sections.append({szApp, szSection, {}});
        section = &sections.last();
    }
    for (Entry& entry : section->entries) {
        if (SameName(entry.first, szKey)) {
            if (entry.second == szValue)
                return true;
            entry.second = szValue;
            return Commit();
        }
    }
    section->entries.append({szKey, szValue});
    return Commit();
}

bool clsFileSettingsStore::DeleteKey(const QString& szApp, const QString& szSection,
                                     const QString& szKey)
{
    if (!Writable())
        return false;
    Section* section = FindSection(szApp, szSection);
    if (!section)
        return true;
    const auto removed =
        section->entries.removeIf([&](const Entry& entry) { return SameName(entry.first, szKey); });
    return removed == 0 || Commit();
}

bool clsFileSettingsStore::DeleteSection(const QString& szApp, const QString& szSection)
{
    if (!Writable())
        return false;
    const auto removed = sections.removeIf([&](const Section& section) {
        return SameName(section.szApp, szApp) && SameName(section.szName, szSection);
    });
    return removed == 0 || Commit();
}

bool clsFileSettingsStore::EndUpdate()
{
    if (nUpdateDepth == 0 || --nUpdateDepth > 0 || !bPending)
        return true;
    bPending = false;
    return WriteFile();
}

bool clsFileSettingsStore::Commit()
{
    if (nUpdateDepth > 0) {
        bPending = true;
        return true;
    }
    return WriteFile();
}

bool clsFileSettingsStore::WriteFile()
{
    // QSaveFile writes a temporary file beside the target, flushes it to disk and renames
    // it over the target, so a crash leaves either the old or the new store, never a mix.
    const QString folder = QFileInfo(szPath).absolutePath();
    QSaveFile file(szPath);
    if (!QDir().mkpath(folder)) {
        szLastError = u"フォルダ "_s + folder + u" を作成できません。"_s;
    } else if (!file.open(QIODevice::WriteOnly) || file.write(Compose(sections)) < 0 ||
               !file.commit()) {
        szLastError = file.errorString();
    } else {
        loadedStamp = CurrentStamp();
        return true;
    }
    // The cache holds what did not reach the file: read the file again next time.
    bLoaded = false;
    return false;
}
