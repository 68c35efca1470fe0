// The settings file's syntax and the indexed sections it describes.
#include "clsSettingsText.h"

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace {

const char fileHeading[] =
    "# Quillet settings (UTF-8). \"[application/section]\" opens a section, \"key=value\" lines\n"
    "# follow. Escapes: \\\\ backslash, \\n LF, \\r CR, \\t tab, \\s space, \\= \\/ \\# \\[ the\n"
    "# character itself. Every other backslash is an error.\n";

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

clsSettingsText::SectionId clsSettingsText::Id(const QString& szApp, const QString& szSection)
{
    return {szApp.toCaseFolded(), szSection.toCaseFolded()};
}

const clsSettingsText::Section* clsSettingsText::FindSection(const QString& szApp,
                                                             const QString& szSection) const
{
    const auto found = sectionIndex.constFind(Id(szApp, szSection));
    return found == sectionIndex.constEnd() ? nullptr : &sections[*found];
}

clsSettingsText::Section& clsSettingsText::AddSection(const QString& szApp,
                                                      const QString& szSection)
{
    const SectionId id = Id(szApp, szSection);
    const auto found = sectionIndex.constFind(id);
    if (found != sectionIndex.constEnd())
        return sections[*found];
    sectionIndex.insert(id, sections.size());
    sections.append({szApp, szSection, {}, {}});
    return sections.last();
}

void clsSettingsText::Clear()
{
    sections.clear();
    sectionIndex.clear();
}

const QString* clsSettingsText::Find(const QString& szApp, const QString& szSection,
                                     const QString& szKey) const
{
    const Section* section = FindSection(szApp, szSection);
    if (!section)
        return nullptr;
    const auto found = section->keyIndex.constFind(szKey.toCaseFolded());
    return found == section->keyIndex.constEnd() ? nullptr : &section->entries[*found].second;
}

QList<clsSettingsText::Entry> clsSettingsText::Entries(const QString& szApp,
                                                       const QString& szSection) const
{
    const Section* section = FindSection(szApp, szSection);
    return section ? section->entries : QList<Entry>();
}

bool clsSettingsText::Set(const QString& szApp, const QString& szSection, const QString& szKey,
                          const QString& szValue)
{
    return SetIn(AddSection(szApp, szSection), szKey, szValue);
}

bool clsSettingsText::SetIn(Section& section, const QString& szKey, const QString& szValue)
{
    const QString folded = szKey.toCaseFolded();
    const auto found = section.keyIndex.constFind(folded);
    if (found == section.keyIndex.constEnd()) {
        section.keyIndex.insert(folded, section.entries.size());
        section.entries.append({szKey, szValue});
        return true;
    }
    // The key keeps its place and the spelling it was first written with.
    QString& value = section.entries[*found].second;
    if (value == szValue)
        return false;
    value = szValue;
    return true;
}

bool clsSettingsText::RemoveKey(const QString& szApp, const QString& szSection,
                                const QString& szKey)
{
    const auto at = sectionIndex.constFind(Id(szApp, szSection));
    if (at == sectionIndex.constEnd())
        return false;
    Section& section = sections[*at];
    const auto found = section.keyIndex.constFind(szKey.toCaseFolded());
    if (found == section.keyIndex.constEnd())
        return false;
    const qsizetype removed = *found;
    section.entries.removeAt(removed);
    section.keyIndex.erase(found);
    for (auto& position : section.keyIndex) {
        if (position > removed)
            --position;
    }
    return true;
}

bool clsSettingsText::RemoveSection(const QString& szApp, const QString& szSection)
{
    const auto found = sectionIndex.constFind(Id(szApp, szSection));
    if (found == sectionIndex.constEnd())
        return false;
    const qsizetype removed = *found;
    sections.removeAt(removed);
    sectionIndex.erase(found);
    for (auto& position : sectionIndex) {
        if (position > removed)
            --position;
    }
    return true;
}

bool clsSettingsText::Parse(const QByteArray& bytes, QString& szReason)
{
    Clear();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        szReason = u"UTF-8 のテキストではありません。"_s;
        return false;
    }
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    szReason.clear();
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
                break;
            }
            if (!Unescape(inner.left(slash), first, szBad) ||
                !Unescape(inner.mid(slash + 1), second, szBad)) {
                szReason = LineError(n + 1, u"不正なエスケープ「"_s + szBad + u"」があります。"_s);
                break;
            }
            // A repeated section continues the first.
            AddSection(first, second);
            current = sectionIndex.value(Id(first, second));
            continue;
        }
        if (current < 0) {
            szReason = LineError(n + 1, u"セクションより前に値があります。"_s);
            break;
        }
        const qsizetype equals = FindUnescaped(line, u'=');
        if (equals < 0) {
            szReason = LineError(n + 1, u"「=」がありません。"_s);
            break;
        }
        if (!Unescape(line.left(equals), first, szBad) ||
            !Unescape(line.mid(equals + 1), second, szBad)) {
            szReason = LineError(n + 1, u"不正なエスケープ「"_s + szBad + u"」があります。"_s);
            break;
        }
        // A repeated key replaces its value in place.
        SetIn(sections[current], first, second);
    }
    if (szReason.isEmpty())
        return true;
    Clear();
    return false;
}

QByteArray clsSettingsText::Compose() const
{
    QString text = QString::fromLatin1(fileHeading);
    for (const Section& section : sections) {
        if (section.entries.isEmpty())
            continue;
        text +=
            u"\n["_s + Escape(section.szApp, true) + u'/' + Escape(section.szName, true) + u"]\n"_s;
        for (const Entry& entry : section.entries)
            text += Escape(entry.first, true) + u'=' + Escape(entry.second, false) + u'\n';
    }
    return text.toUtf8();
}
