// The document window's inspection: the validation list and the clean character-set offer.
#include "clsCharsetDetector.h"
#include "clsDocument.h"
#include "clsValidator.h"
#include "frmCsv.h"
#include "frmValidation.h"

#include <QLayout>

namespace {

// The list shows this many problems; the rest are only counted.
constexpr int kListedProblems = 10000;

} // namespace

int frmCsv::CleanCharSet(const QString& szPath, int lnCharSet)
{
    return clsCharsetDetector::CleanAlternative(clsCharsetDetector::DetectFile(szPath), lnCharSet);
}

void frmCsv::Validate()
{
    const clsFormat* format = document->Format();
    if (!format)
        return;
    if (!validation) {
        validation = new frmValidation(this);
        layout()->addWidget(validation);
        connect(validation, &frmValidation::CellChosen, this, &frmCsv::MakeActive);
    }
    clsValidator validator(*format, kListedProblems, false);
    // Cells hold what the load made of the file: a geta mark there is a substitution.
    validator.CheckRecords(document->Records(), true);
    validation->Show(validator);
    validation->show();
}
