// The test-data generator: one member's settings and the values its method makes.
#pragma once

#include <QString>

#include <random>
#include <vector>

class clsDocument;
class clsFormat;

// One member's settings in the data wizard, in the order a template file holds them.
struct clsDataWizItem
{
    // The ways to make a member's values, in the order of the wizard's option buttons.
    enum Method : int {
        Random = 1,
        Fixed = 2,
        ListPick = 3,
        RunningNumber = 4,
        FixedAndRandom = 5,
        FixedAndListPick = 6,
        FixedAndRunningNumber = 7
    };

    QString name;
    int digits = 0;
    int type = 5;
    int method = Random;
    QString fixed;
    QString list;
    QString start;

    bool operator==(const clsDataWizItem& other) const;
};

// Makes values for data wizard items with a uniform generator seeded from the clock (or a
// given seed, so a run can be repeated) and writes them into a document as one step.
class clsDataGenerator
{
public:
    // Wizard modes: every column of the format, or only the active column.
    enum Mode : int { CursorColumn = 1, AllColumns = 2 };

    clsDataGenerator();
    explicit clsDataGenerator(unsigned int nSeed);

    // The items of a format: one per member (AllColumns) or one for column lnCol. Names are
    // the members' comments when the grid header shows comments, else their names.
    static std::vector<clsDataWizItem> Items(const clsFormat& format, int lnMode, int lnCol,
                                             bool bComments);

    // The value of row lnRow (from 1) for the item.
    QString Value(const clsDataWizItem& item, int lnRow);
    // A random text of 1 to lnWidth characters for the data type, converted through it.
    QString RandomText(int lnWidth, int lnType);
    // A random entry of a comma-separated list, cut to lnWidth bytes; empty for no entry.
    QString ListPick(const QString& szList, int lnWidth);
    // The whole number start + lnRow - 1, padded with "0" in front to lnWidth bytes.
    static QString RunningNumber(const QString& szStart, int lnRow, int lnWidth);

    // Gives the document lnCount rows and fills column i + 1 with item i (AllColumns), or
    // column lnCol with the single item (CursorColumn); one undoable step.
    void Generate(clsDocument& document, const std::vector<clsDataWizItem>& aItems, int lnMode,
                  int lnCol, int lnCount);

    // The message that keeps a fixed value (method 2) off the item, or an empty text; an
    // empty value of a numeric item becomes "0".
    static QString CheckFixed(const clsDataWizItem& item, QString& szFixed);
    // Whether a trimmed text reads as a number.
    static bool IsNumeric(const QString& szText);
    // The text's first characters that fit in lnBytes Shift-JIS bytes.
    static QString CutBytes(const QString& szText, int lnBytes);

private:
    int Uniform(int lnLow, int lnHigh);
    // The random digits converted to the numeric type and back, or the type's maximum.
    static QString ThroughType(const QString& szDigits, int lnType);

    std::mt19937 engine;
};
