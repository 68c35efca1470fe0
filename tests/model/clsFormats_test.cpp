// The format store: positions, loading from the settings store with every fallback and
// failure, and the order of the sort.
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsScriptedMsgBox.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Keys = QList<QPair<QString, QString>>;

// The example format: a string member and a 32-bit integer member.
Keys SalesKeys(const QString& szFormatName)
{
    return {{u"FormatName"_s, szFormatName},   {u"FileType"_s, u"1,1,\r\n"_s},
            {u"QuoteString"_s, u","_s},        {u"SkipHeader"_s, u"0"_s},
            {u"DblQuote"_s, u"001"_s},         {u"CntMember"_s, u"2"_s},
            {u"MemNameType_1"_s, u"code,5"_s}, {u"MemLen_1"_s, u"8, "_s},
            {u"MemStuff_1"_s, u"2"_s},         {u"MemComment_1"_s, u"商品コード"_s},
            {u"MemOut_1"_s, u"1"_s},           {u"MemNameType_2"_s, u"qty,2"_s},
            {u"MemLen_2"_s, u"11,0"_s},        {u"MemStuff_2"_s, u"1"_s},
            {u"MemComment_2"_s, u"数量"_s},    {u"MemOut_2"_s, u"1"_s}};
}

Keys With(Keys keys, const QString& szKey, const QString& szValue)
{
    for (auto& key : keys) {
        if (key.first == szKey) {
            key.second = szValue;
            return keys;
        }
    }
    keys.append({szKey, szValue});
    return keys;
}

Keys Without(Keys keys, const QString& szKey)
{
    keys.removeIf([&](const auto& key) { return key.first == szKey; });
    return keys;
}

class FormatStore : public ::testing::Test
{
protected:
    void Register(const QString& szStruct, const Keys& keys)
    {
        ASSERT_TRUE(store.Save(u"Quillet"_s, u"Formats"_s, szStruct, szStruct));
        for (const auto& key : keys)
            ASSERT_TRUE(store.Save(u"Quillet"_s, szStruct, key.first, key.second));
    }

    // Reads a store holding only this one format.
    const clsFormat& ReadOne(const Keys& keys)
    {
        Register(u"Sales"_s, keys);
        EXPECT_TRUE(formats.ReadFromReg(store));
        EXPECT_EQ(formats.Count(), 1);
        return *formats.Format(1);
    }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
    clsFormats formats;
};

QStringList Names(const clsFormats& formats)
{
    QStringList names;
    for (int i = 1; i <= formats.Count(); ++i)
        names.append(formats.Format(i)->FormatName);
    return names;
}

} // namespace

TEST_F(FormatStore, PositionsAndNames)
{
    formats.Add(nullptr, 0)->StructName = u"Sales"_s;
    formats.Add(nullptr, 0)->StructName = u"Stock"_s;
    EXPECT_EQ(formats.GetIndexByName(u"  Stock "_s), 2);
    EXPECT_EQ(formats.GetIndexByName(u"sales"_s), -1);
    clsScriptedMsgBox msg;
    EXPECT_EQ(formats.Format(3), nullptr);
    EXPECT_EQ(msg.TakeOne().title, u"clsFormats Prop_Get_Format Error"_s);
    formats.Delete(1);
    formats.Delete(1);
    EXPECT_EQ(formats.Count(), 0);
    formats.Delete(1);
    EXPECT_EQ(msg.TakeOne().title, u"clsFormats Delete Error"_s);
}

TEST_F(FormatStore, ReadsEveryKeyOfAFormat)
{
    const clsFormat& format = ReadOne(SalesKeys(u"売上明細"_s));
    EXPECT_EQ(format.StructName, u"Sales"_s);
    EXPECT_EQ(format.FormatName, u"売上明細"_s);
    EXPECT_EQ(format.FileType, 1);
    EXPECT_EQ(format.CharSet, 1);
    EXPECT_EQ(format.CRLF, u"\r\n"_s);
    EXPECT_EQ(format.SepChr, u","_s);
    EXPECT_EQ(format.BytesSkipHeader, 0);
    EXPECT_EQ(format.EscInput, 0);
    EXPECT_EQ(format.EscOutput, 0);
    EXPECT_EQ(format.CareQuote, 1);
    ASSERT_EQ(format.MemCount(), 2);
    const clsMember& code = *format.Members(1);
    EXPECT_EQ(code.MemName, u"code"_s);
    EXPECT_EQ(code.MemType, 5);
    EXPECT_EQ(code.MemLen, 8);
    EXPECT_EQ(code.MemLenB, 8);
    EXPECT_EQ(code.BlankChr, u" "_s);
    EXPECT_EQ(code.Stuff, 2);
    EXPECT_EQ(code.Comment, u"商品コード"_s);
    EXPECT_EQ(code.ConvOut, 1);
    EXPECT_EQ(code.ColWidth, 10);
    const clsMember& qty = *format.Members(2);
    EXPECT_EQ(qty.MemType, 2);
    EXPECT_EQ(qty.MemLen, 11);
    EXPECT_EQ(qty.MemLenB, 4);
    EXPECT_EQ(qty.BlankChr, u"0"_s);
    EXPECT_EQ(qty.Stuff, 1);
}

TEST_F(FormatStore, AnEmptyIndexLoadsNothing)
{
    formats.Add(nullptr, 0);
    EXPECT_FALSE(formats.ReadFromReg(store));
    EXPECT_EQ(formats.Count(), 0);
    // A format section that the index does not name is not loaded.
    ASSERT_TRUE(store.Save(u"Quillet"_s, u"Sales"_s, u"FormatName"_s, u"x"_s));
    EXPECT_FALSE(formats.ReadFromReg(store));
}

TEST_F(FormatStore, FileTypeFields)
{
    struct Case
    {
        QString value;
        int fileType, charSet;
        QString crlf;
    };
    const QList<Case> cases = {{u"2,3,\n"_s, 2, 3, u"\n"_s},
                               {u"2"_s, 2, 1, u"\r\n"_s},
                               {u"2,3"_s, 2, 1, u"\r\n"_s},
                               {u"バイナリ,1,\r"_s, 3, 1, u"\r"_s},
                               {u"可変長テキスト"_s, 1, 1, u"\r\n"_s},
                               {u"固定長テキスト, 4 ,\n"_s, 2, 4, u"\n"_s},
                               {u" \"3\" , \"2\" ,\r\n"_s, 3, 2, u"\r\n"_s}};
    for (const Case& c : cases) {
        store.DeleteSection(u"Quillet"_s, u"Sales"_s);
        const clsFormat& format = ReadOne(With(SalesKeys(u"x"_s), u"FileType"_s, c.value));
        EXPECT_EQ(format.FileType, c.fileType) << c.value.toStdString();
        EXPECT_EQ(format.CharSet, c.charSet) << c.value.toStdString();
        EXPECT_EQ(format.CRLF, c.crlf) << c.value.toStdString();
    }
}

TEST_F(FormatStore, QuoteFlagsDigitByDigit)
{
    const QList<QPair<QString, std::array<int, 3>>> cases = {
        {u"1"_s, {1, 0, 0}}, {u"011"_s, {0, 1, 1}}, {QString(), {0, 0, 0}}, {u"1x1"_s, {1, 0, 1}}};
    for (const auto& [value, flags] : cases) {
        store.DeleteSection(u"Quillet"_s, u"Sales"_s);
        const clsFormat& format = ReadOne(With(SalesKeys(u"x"_s), u"DblQuote"_s, value));
        EXPECT_EQ(format.EscInput, flags[0]) << value.toStdString();
        EXPECT_EQ(format.EscOutput, flags[1]) << value.toStdString();
        EXPECT_EQ(format.CareQuote, flags[2]) << value.toStdString();
    }
}

TEST_F(FormatStore, MemberFallbacks)
{
    Keys keys = With(SalesKeys(u"x"_s), u"CntMember"_s, u"4"_s);
    keys = With(keys, u"MemStuff_1"_s, u"3"_s);
    keys = With(keys, u"MemColInfo_1"_s, u"5"_s);
    keys = With(keys, u"MemOut_1"_s, u"0"_s);
    keys = With(keys, u"MemColInfo_2"_s, u"120"_s);
    keys = With(keys, u"MemOut_2"_s, u"yes"_s);
    keys = With(keys, u"MemNameType_3"_s, u"price,3"_s);
    keys = With(keys, u"MemLen_3"_s, u"8,0"_s);
    keys = With(keys, u"MemStuff_3"_s, u"right"_s);
    keys = With(keys, u"MemNameType_4"_s, u"note,5"_s);
    keys = With(keys, u"MemLen_4"_s, u"20, "_s);
    const clsFormat& format = ReadOne(keys);
    ASSERT_EQ(format.MemCount(), 4);
    EXPECT_EQ(format.Members(1)->Stuff, 2);
    EXPECT_EQ(format.Members(1)->ColWidth, 10);
    EXPECT_EQ(format.Members(1)->ConvOut, 0);
    EXPECT_EQ(format.Members(2)->ColWidth, 120);
    EXPECT_EQ(format.Members(2)->ConvOut, 1);
    const clsMember& price = *format.Members(3);
    EXPECT_EQ(price.MemLen, 8);
    EXPECT_EQ(price.MemLenB, 4);
    EXPECT_EQ(price.BlankChr, u"0"_s);
    EXPECT_EQ(price.Stuff, 2);
    EXPECT_EQ(price.Comment, QString());
    EXPECT_EQ(price.ColWidth, 10);
    const clsMember& note = *format.Members(4);
    EXPECT_EQ(note.MemLen, 20);
    EXPECT_EQ(note.MemLenB, 20);
    EXPECT_EQ(note.BlankChr, u" "_s);
    EXPECT_EQ(note.Stuff, 2);
    EXPECT_EQ(note.ConvOut, 1);
}

TEST_F(FormatStore, MissingTextKeysAreEmpty)
{
    Keys keys = Without(SalesKeys(u"x"_s), u"FormatName"_s);
    keys = Without(keys, u"QuoteString"_s);
    keys = Without(keys, u"MemComment_1"_s);
    const clsFormat& format = ReadOne(keys);
    EXPECT_EQ(format.FormatName, QString());
    EXPECT_EQ(format.SepChr, QString());
    EXPECT_EQ(format.Members(1)->Comment, QString());
}

TEST_F(FormatStore, AMalformedFormatStopsTheLoadAndKeepsTheFormatsBeforeIt)
{
    const QList<Keys> faults = {With(SalesKeys(u"bad"_s), u"SkipHeader"_s, u"x"_s),
                                Without(SalesKeys(u"bad"_s), u"SkipHeader"_s),
                                Without(SalesKeys(u"bad"_s), u"CntMember"_s),
                                With(SalesKeys(u"bad"_s), u"CntMember"_s, u"3"_s),
                                With(SalesKeys(u"bad"_s), u"MemNameType_2"_s, u"qty 2"_s),
                                With(SalesKeys(u"bad"_s), u"MemNameType_2"_s, u"qty,long"_s),
                                With(SalesKeys(u"bad"_s), u"MemLen_1"_s, u"8"_s),
                                With(SalesKeys(u"bad"_s), u"MemLen_1"_s, u"eight, "_s),
                                With(SalesKeys(u"bad"_s), u"FileType"_s, u"text,1,\n"_s),
                                With(SalesKeys(u"bad"_s), u"FileType"_s, u"1,sjis,\n"_s),
                                Without(SalesKeys(u"bad"_s), u"FileType"_s)};
    for (int i = 0; i < faults.size(); ++i) {
        QTemporaryDir fresh;
        clsFileSettingsStore faultStore(fresh.filePath(u"s.txt"_s));
        const auto put = [&](const QString& szStruct, const Keys& keys) {
            faultStore.Save(u"Quillet"_s, u"Formats"_s, szStruct, szStruct);
            for (const auto& key : keys)
                faultStore.Save(u"Quillet"_s, szStruct, key.first, key.second);
        };
        put(u"Second"_s, SalesKeys(u"b"_s));
        put(u"First"_s, SalesKeys(u"a"_s));
        put(u"Bad"_s, faults[i]);
        put(u"Never"_s, SalesKeys(u"c"_s));
        EXPECT_THROW(formats.ReadFromReg(faultStore), clsFormatLoadError) << i;
        // Left in the store's order: the sort did not run.
        EXPECT_EQ(Names(formats), (QStringList{u"b"_s, u"a"_s})) << i;
    }
}

TEST_F(FormatStore, AnIndexEntryWithoutItsSectionStopsTheLoad)
{
    Register(u"Sales"_s, SalesKeys(u"売上"_s));
    ASSERT_TRUE(store.Save(u"Quillet"_s, u"Formats"_s, u"Gone"_s, u"Gone"_s));
    EXPECT_THROW(formats.ReadFromReg(store), clsFormatLoadError);
    EXPECT_EQ(Names(formats), QStringList{u"売上"_s});
}

TEST(clsFormats, NamesCompareWithoutCaseWidthOrKanaKind)
{
    const QList<QPair<QString, QString>> alike = {
        {u"Sales"_s, u"sALES"_s},   {u"ａｂｃ"_s, u"ABC"_s},   {u"かたかな"_s, u"カタカナ"_s},
        {u"ｶﾀｶﾅ"_s, u"カタカナ"_s}, {u"ｶﾞｲﾄﾞ"_s, u"がいど"_s}, {u"売上１"_s, u"売上1"_s}};
    for (const auto& [a, b] : alike)
        EXPECT_EQ(clsFormats::CompareNames(a, b), 0) << a.toStdString() << " " << b.toStdString();
    // Voicing marks and different letters still count.
    EXPECT_NE(clsFormats::CompareNames(u"か"_s, u"が"_s), 0);
    EXPECT_LT(clsFormats::CompareNames(u"a"_s, u"B"_s), 0);
    EXPECT_GT(clsFormats::CompareNames(u"Ｂ"_s, u"a"_s), 0);
    EXPECT_LT(clsFormats::CompareNames(QString(), u"a"_s), 0);
}

TEST_F(FormatStore, SortIgnoresCaseWidthAndKanaKind)
{
    const QList<QPair<QStringList, QStringList>> cases = {
        // A code-point order would give AD, ac, Ａb.
        {{u"ac"_s, u"Ａb"_s, u"AD"_s}, {u"Ａb"_s, u"ac"_s, u"AD"_s}},
        // Hiragana, katakana and half-width katakana read alike: か か < か き < か く.
        {{u"かき"_s, u"カク"_s, u"ｶｶ"_s}, {u"ｶｶ"_s, u"かき"_s, u"カク"_s}},
        {{u"ﾃｽﾄ2"_s, u"てすと3"_s, u"テスト1"_s}, {u"テスト1"_s, u"ﾃｽﾄ2"_s, u"てすと3"_s}},
        {{u"b"_s}, {u"b"_s}},
        {{}, {}}};
    for (const auto& [input, expected] : cases) {
        formats.Clear();
        for (const QString& name : input)
            formats.Add(nullptr, 0)->FormatName = name;
        formats.Sort();
        EXPECT_EQ(Names(formats), expected);
    }

    // Names equal but for case come first in either order.
    formats.Clear();
    for (const QString& name : {u"b"_s, u"A"_s, u"a"_s})
        formats.Add(nullptr, 0)->FormatName = name;
    formats.Sort();
    const QStringList sorted = Names(formats);
    EXPECT_EQ(sorted[0].toLower(), u"a"_s);
    EXPECT_EQ(sorted[1].toLower(), u"a"_s);
    EXPECT_EQ(sorted[2], u"b"_s);
}

TEST_F(FormatStore, SortOrdersLargeMixedInputs)
{
    // Letters in either case and width: folded to ASCII lower case, plain order applies.
    const auto fold = [](const QString& name) {
        QString folded;
        for (QChar c : name)
            folded += c.unicode() >= 0xFF21 ? QChar(c.unicode() - 0xFF21 + u'A') : c;
        return folded.toLower();
    };
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        formats.Clear();
        const int count = random.bounded(1, 60);
        for (int i = 0; i < count; ++i) {
            QString name;
            for (int length = random.bounded(1, 4); length > 0; --length) {
                const char16_t letter = static_cast<char16_t>(u'a' + random.bounded(3));
                const int form = random.bounded(3);
                name += form == 0
                            ? QChar(letter)
                            : QChar(form == 1 ? letter - u'a' + u'A' : letter - u'a' + 0xFF21);
            }
            formats.Add(nullptr, 0)->FormatName = name;
        }
        formats.Sort();
        ASSERT_EQ(formats.Count(), count);
        for (int i = 1; i < count; ++i)
            EXPECT_LE(fold(formats.Format(i)->FormatName), fold(formats.Format(i + 1)->FormatName));
    }
}

TEST_F(FormatStore, LoadedFormatsAreSorted)
{
    Register(u"Zeta"_s, SalesKeys(u"b"_s));
    Register(u"Alpha"_s, SalesKeys(u"ｃ"_s));
    Register(u"Mid"_s, SalesKeys(u"A"_s));
    EXPECT_TRUE(formats.ReadFromReg(store));
    EXPECT_EQ(Names(formats), (QStringList{u"A"_s, u"b"_s, u"ｃ"_s}));
    EXPECT_EQ(formats.GetIndexByName(u"Alpha"_s), 3);
}
