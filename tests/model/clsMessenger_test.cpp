// Composition of procedure-error boxes.
#include "clsScriptedMsgBox.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(clsMessenger, ProcErrorTitleAndText)
{
    clsScriptedMsgBox msg;
    gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormats"_s, u"Delete"_s);
    clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Critical"_s);
    EXPECT_EQ(box.title, u"clsFormats Delete Error"_s);
    EXPECT_EQ(box.text, u"不正なインデックスが指定されました。\r\n (1)"_s);

    gMsgBox().ProcError(u"x"_s, -42, u"clsFormat"_s, QString());
    box = msg.TakeOne();
    EXPECT_EQ(box.title, u"clsFormat  Error"_s);
    EXPECT_EQ(box.text, u"x\r\n (-42)"_s);
}
