// The settings text: large sections in linear time, and lookups that follow every change.
#include "clsSettingsText.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;

QStringList Keys(const QList<clsSettingsText::Entry>& entries)
{
    QStringList keys;
    for (const auto& entry : entries)
        keys.append(entry.first);
    return keys;
}

} // namespace

TEST(clsSettingsText, ThirtyThousandKeysOfOneSectionParseAndReadQuickly)
{
    constexpr int count = 30000;
    QByteArray bytes = "[Quillet/Big]\n";
    for (int i = 1; i <= count; ++i)
        bytes += "MemLen_" + QByteArray::number(i) + "=8,\\s\n";
    QElapsedTimer timer;
    timer.start();
    clsSettingsText text;
    QString reason;
    ASSERT_TRUE(text.Parse(bytes, reason)) << reason.toStdString();
    int found = 0;
    for (int i = 1; i <= count; ++i) {
        const QString* value = text.Find(app, u"big"_s, u"memlen_"_s + QString::number(i));
        found += value && *value == u"8, "_s ? 1 : 0;
    }
    // Quadratic work takes seconds here; linear work a few tens of milliseconds.
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(found, count);
    EXPECT_EQ(text.Entries(app, u"Big"_s).size(), count);
}

TEST(clsSettingsText, LookupsFollowRemovals)
{
    clsSettingsText text;
    for (const QString& key : {u"A"_s, u"B"_s, u"C"_s, u"D"_s})
        text.Set(app, u"S"_s, key, key.toLower());
    text.Set(app, u"T"_s, u"X"_s, u"x"_s);
    text.Set(app, u"U"_s, u"Y"_s, u"y"_s);
    EXPECT_TRUE(text.RemoveKey(app, u"s"_s, u"b"_s));
    EXPECT_FALSE(text.RemoveKey(app, u"S"_s, u"B"_s));
    EXPECT_TRUE(text.RemoveSection(app, u"T"_s));

    EXPECT_EQ(Keys(text.Entries(app, u"S"_s)), (QStringList{u"A"_s, u"C"_s, u"D"_s}));
    EXPECT_EQ(*text.Find(app, u"S"_s, u"D"_s), u"d"_s);
    EXPECT_EQ(*text.Find(app, u"U"_s, u"y"_s), u"y"_s);
    EXPECT_EQ(text.Find(app, u"T"_s, u"X"_s), nullptr);
    // A key set again after a removal goes to the end; one changed in place keeps its place.
    EXPECT_TRUE(text.Set(app, u"S"_s, u"B"_s, u"b2"_s));
    EXPECT_TRUE(text.Set(app, u"S"_s, u"a"_s, u"a2"_s));
    EXPECT_FALSE(text.Set(app, u"S"_s, u"A"_s, u"a2"_s));
    EXPECT_EQ(Keys(text.Entries(app, u"S"_s)), (QStringList{u"A"_s, u"C"_s, u"D"_s, u"B"_s}));
    EXPECT_EQ(*text.Find(app, u"S"_s, u"b"_s), u"b2"_s);
    const QByteArray composed = text.Compose();
    EXPECT_TRUE(composed.endsWith("\n[Quillet/S]\nA=a2\nC=c\nD=d\nB=b2\n\n[Quillet/U]\nY=y\n"));
    EXPECT_FALSE(composed.contains("[Quillet/T]"));
}
