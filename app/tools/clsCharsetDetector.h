// Which character set, line end and delimiter a data file most likely uses, with the evidence.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// What one candidate character set made of the whole file.
struct clsCharsetEvidence
{
    // Skiff's code: 1 Shift-JIS, 2 JIS, 3 EUC, 4 UTF-8.
    int lnCharSet = 0;
    // Bytes that are no character of the set at all.
    qint64 nUndecodable = 0;
    // Characters that decode but have no JIS X 0208 code (Skiff substitutes them).
    qint64 nOutside = 0;
    // Whether the counts were taken: a candidate ruled out early is not counted in full.
    bool bChecked = false;

    bool Fits() const { return bChecked && nUndecodable == 0 && nOutside == 0; }
};

// The verdict on one file.
struct clsDetection
{
    // The program's own name: Shift-JIS, JIS, EUC, UTF-8, UTF-8+BOM or ASCII.
    QString szCharSet;
    // The Skiff code of that set; 0 for ASCII, which every candidate reads alike.
    int lnCharSet = 0;
    // 1 CR LF, 2 CR, 3 LF, 0 no line end at all.
    int lnCRLF = 0;
    // ",", "\t", " " or empty when no delimiter repeats on every line.
    QString szDelimiter;
    int nFields = 0;
    // Shift-JIS, JIS, EUC, UTF-8 in this order.
    std::vector<clsCharsetEvidence> evidence;
    // Set when the file could not be read; nothing else is then.
    QString szError;
};

// Judges character set, line end and delimiter from the whole content, counting each code as
// Skiff's own converters treat it so the verdict matches what a load would produce.
class clsCharsetDetector
{
public:
    // bAllEvidence counts every candidate in full, not only those that might still win.
    static clsDetection DetectFile(const QString& szPath, bool bAllEvidence = false);
    static clsDetection Detect(QByteArrayView bytes, bool bAllEvidence = false);

    // "FILE<TAB>CHARSET<TAB>LINEEND<TAB>DELIMITER<TAB>FIELDS".
    static QString SummaryLine(const QString& szFile, const clsDetection& detection);
    // One indented line per candidate with its two counts.
    static QStringList EvidenceLines(const clsDetection& detection);
    // The set (1-4) other than lnExcept that reads the file without a single substitution;
    // 0 when none does.
    static int CleanAlternative(const clsDetection& detection, int lnExcept);
    static QString CharSetName(int lnCharSet);
    static QString LineEndName(int lnCRLF);
};
