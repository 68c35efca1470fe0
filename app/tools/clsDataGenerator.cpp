// Values of the data wizard's seven methods and their writing into a document.
#include "clsDataGenerator.h"

#include "clsCodePage.h"
#include "clsDocument.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kStringType = 5;
const QString kLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
const QString kDigits = u"0123456789"_s;

bool IsFloatType(int lnType)
{
    return lnType == 3 || lnType == 4;
}

// A list entry without spaces around it and without enclosing double quotes.
QString Unquote(const QString& szField)
{
    QString text = szField.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2).trimmed();
    return text;
}

} // namespace

bool clsDataWizItem::operator==(const clsDataWizItem& other) const
{
    return name == other.name && digits == other.digits && type == other.type &&
           method == other.method && fixed == other.fixed && list == other.list &&
           start == other.start;
}

clsDataGenerator::clsDataGenerator()
    : engine(static_cast<unsigned int>(std::chrono::steady_clock::now().time_since_epoch().count()))
{}

clsDataGenerator::clsDataGenerator(unsigned int nSeed) : engine(nSeed) {}

std::vector<clsDataWizItem> clsDataGenerator::Items(const clsFormat& format, int lnMode, int lnCol,
                                                    bool bComments)
{
    std::vector<clsDataWizItem> items;
    const int first = lnMode == AllColumns ? 1 : lnCol;
    const int last = lnMode == AllColumns ? format.MemCount() : lnCol;
    for (int index = std::max(first, 1); index <= std::min(last, format.MemCount()); ++index) {
        const clsMember* member = format.Members(index);
        clsDataWizItem item;
        item.name = bComments ? member->Comment : member->MemName;
        item.type = member->MemType;
        // Over all columns a numeric member keeps one place for its sign.
        item.digits = lnMode == AllColumns && member->MemType != kStringType ? member->MemLen - 1
                                                                             : member->MemLen;
        items.push_back(item);
    }
    return items;
}

int clsDataGenerator::Uniform(int lnLow, int lnHigh)
{
    return std::uniform_int_distribution<int>(lnLow, lnHigh)(engine);
}

QString clsDataGenerator::Value(const clsDataWizItem& item, int lnRow)
{
    switch (item.method) {
    case clsDataWizItem::Random:
        return RandomText(item.digits, item.type);
    case clsDataWizItem::Fixed:
        return item.fixed;
    case clsDataWizItem::ListPick:
        return ListPick(item.list, item.digits);
    case clsDataWizItem::RunningNumber:
        return RunningNumber(item.start, lnRow, item.digits);
    default:
        break;
    }
    QString text = CutBytes(item.fixed, item.digits);
    const int rest = item.digits - clsCodePage::SjisLength(text);
    if (rest <= 0)
        return text;
    if (item.method == clsDataWizItem::FixedAndRandom)
        text += RandomText(rest, item.type);
    else if (item.method == clsDataWizItem::FixedAndListPick)
        text += ListPick(item.list, rest);
    else if (item.method == clsDataWizItem::FixedAndRunningNumber)
        text += RunningNumber(item.start, lnRow, rest);
    return text;
}

QString clsDataGenerator::RandomText(int lnWidth, int lnType)
{
    if (lnWidth < 1)
        return {};
    const int length = Uniform(1, lnWidth);
    QString set = kDigits;
    if (lnType == kStringType) {
        const int choice = Uniform(1, 3);
        set = choice == 1 ? kLetters : choice == 2 ? kDigits : kDigits + kLetters;
    } else if (IsFloatType(lnType)) {
        set = kDigits + u'.';
    }
    QString text;
    text.reserve(length);
    bool point = false;
    for (int i = 0; i < length; ++i) {
        QChar c = set.at(Uniform(0, static_cast<int>(set.size()) - 1));
        // A number neither starts with its point nor has two.
        if (c == u'.' && (i == 0 || point))
            c = kDigits.at(Uniform(0, 9));
        point = point || c == u'.';
        text += c;
    }
    return lnType == kStringType ? text : ThroughType(text, lnType);
}

QString clsDataGenerator::ThroughType(const QString& szDigits, int lnType)
{
    const double value = szDigits.toDouble();
    const QString maximum = QString::number(gFormatInfo().GetTypeMax(lnType));
    if (lnType == 3) {
        const auto single = static_cast<float>(value);
        return std::isinf(single) ? maximum : QString::number(single, 'G', 7);
    }
    if (lnType == 4)
        return std::isinf(value) ? maximum : QString::number(value, 'G', 15);
    if (value > gFormatInfo().GetTypeMax(lnType))
        return maximum;
    return QString::number(static_cast<qint64>(value));
}

QString clsDataGenerator::ListPick(const QString& szList, int lnWidth)
{
    if (szList.isEmpty())
        return {};
    const QStringList fields = szList.split(u',');
    const QString pick = Unquote(fields.at(Uniform(0, static_cast<int>(fields.size()) - 1)));
    return CutBytes(pick, lnWidth);
}

QString clsDataGenerator::RunningNumber(const QString& szStart, int lnRow, int lnWidth)
{
    const double start = szStart.trimmed().toDouble();
    const auto number = static_cast<qint64>(std::llround(start)) + lnRow - 1;
    QString text = QString::number(number);
    if (text.size() < lnWidth)
        text.prepend(QString(lnWidth - text.size(), u'0'));
    return text;
}

void clsDataGenerator::Generate(clsDocument& document, const std::vector<clsDataWizItem>& aItems,
                                int lnMode, int lnCol, int lnCount)
{
    if (aItems.empty())
        return;
    std::vector<int> columns;
    if (lnMode == AllColumns) {
        for (size_t i = 0; i < aItems.size(); ++i)
            columns.push_back(static_cast<int>(i) + 1);
    } else {
        columns.push_back(lnCol);
    }
    const int first = columns.front();
    document.FillColumns(
        lnCount, columns,
        [&](int lnRow, int col) { return Value(aItems[static_cast<size_t>(col - first)], lnRow); },
        u"テストデータ作成"_s);
}

QString clsDataGenerator::CheckFixed(const clsDataWizItem& item, QString& szFixed)
{
    const QString text = szFixed.trimmed();
    if (item.type == kStringType) {
        if (text.size() > item.digits)
            return item.name + u"の有効桁数は "_s + QString::number(item.digits) + u" 桁です。"_s;
        return {};
    }
    if (IsNumeric(text))
        return {};
    if (!text.isEmpty())
        return u"数値以外は入力出来ません。"_s;
    szFixed = u"0"_s;
    return {};
}

bool clsDataGenerator::IsNumeric(const QString& szText)
{
    const QString text = szText.normalized(QString::NormalizationForm_KC).trimmed();
    bool numeric = false;
    const double value = text.toDouble(&numeric);
    return numeric && std::isfinite(value);
}

QString clsDataGenerator::CutBytes(const QString& szText, int lnBytes)
{
    if (clsCodePage::SjisLength(szText) <= lnBytes)
        return szText;
    int bytes = 0;
    qsizetype end = 0;
    while (end < szText.size()) {
        const qsizetype step = szText.at(end).isHighSurrogate() && end + 1 < szText.size() ? 2 : 1;
        const int width = clsCodePage::SjisLength(szText.mid(end, step));
        if (bytes + width > lnBytes)
            break;
        bytes += width;
        end += step;
    }
    return szText.left(end);
}
