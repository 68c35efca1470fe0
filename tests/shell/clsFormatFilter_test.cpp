// The open dialog's filter: one entry per format, told apart, and read back as the format.
#include "clsFormatFilter.h"
#include "clsFormats.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void Add(clsFormats& formats, const QString& szStruct, const QString& szName)
{
    clsFormat* format = formats.Add();
    format->StructName = szStruct;
    format->FormatName = szName;
}

} // namespace

TEST(FormatFilter, OneEntryPerFormatInStoreOrder)
{
    clsFormats formats;
    Add(formats, u"A"_s, u"売上"_s);
    Add(formats, u"B"_s, u"在庫"_s);
    EXPECT_EQ(clsFormatFilter::Build(formats), u"売上|*.*|在庫|*.*||"_s);
}

TEST(FormatFilter, EntriesStayDistinctAndWhole)
{
    clsFormats formats;
    Add(formats, u"A"_s, u"売上"_s);
    Add(formats, u"B"_s, u"a|b"_s);
    Add(formats, u"C"_s, u"売上"_s);
    EXPECT_EQ(clsFormatFilter::Build(formats), u"売上|*.*|a｜b|*.*|売上 [C]|*.*||"_s);
}

TEST(FormatFilter, TheEntryIsTheFormat)
{
    clsFormats formats;
    Add(formats, u"A"_s, u"a"_s);
    Add(formats, u"B"_s, u"b"_s);
    Add(formats, u"C"_s, u"c"_s);
    EXPECT_EQ(clsFormatFilter::FormatOf(3, formats), 3);
    EXPECT_EQ(clsFormatFilter::FormatOf(1, formats), 1);
    EXPECT_EQ(clsFormatFilter::FormatOf(0, formats), 1);
    EXPECT_EQ(clsFormatFilter::FormatOf(4, formats), 1);
}
