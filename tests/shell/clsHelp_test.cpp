// The help page beside the built program, with the sections a user looks for.
#include "clsHelp.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(clsHelpTest, PageLiesBesideTheProgram)
{
    const QString path = clsHelp::Path();
    EXPECT_TRUE(path.endsWith(u"/help.html"_s));
    EXPECT_EQ(QFileInfo(path).absolutePath(),
              QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath());
    ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

TEST(clsHelpTest, PageHoldsTheMainSections)
{
    QFile file(clsHelp::Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(page.contains(u"<meta charset=\"utf-8\">"_s));
    for (const QString& heading : {u"Quillet とは"_s, u"ファイルを開く"_s, u"編集"_s,
                                   u"元に戻す・やり直し"_s, u"保存"_s, u"フォーマットマネージャ"_s,
                                   u"出力"_s, u"バッチモード"_s, u"キーボードショートカット"_s}) {
        EXPECT_TRUE(page.contains(u">"_s + heading + u"</h2>"_s)) << heading.toStdString();
    }
    // Paste is Ctrl+P in this program, which surprises users of other editors.
    EXPECT_TRUE(page.contains(u"Ctrl+P"_s));
    EXPECT_TRUE(page.contains(u"--convert"_s));
}
