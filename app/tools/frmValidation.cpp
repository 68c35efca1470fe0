// The validation list: a read-only table of problems with a summary line above it.
#include "frmValidation.h"

#include "clsValidator.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// Where the row and column of a problem's cell are kept on its first item.
constexpr int kRowRole = Qt::UserRole;
constexpr int kColRole = Qt::UserRole + 1;

} // namespace

frmValidation::frmValidation(QWidget* parent)
    : QWidget(parent), summary(new QLabel(this)), list(new QTableWidget(0, 3, this))
{
    setObjectName(u"frmValidation"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(summary);
    layout->addWidget(list);
    list->setHorizontalHeaderLabels({u"行"_s, u"メンバー"_s, u"問題"_s});
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem* item = list->item(row, 0);
        if (item)
            emit CellChosen(item->data(kRowRole).toInt(), item->data(kColRole).toInt());
    });
}

void frmValidation::Show(const clsValidator& validator)
{
    const std::vector<clsProblem>& problems = validator.Problems();
    list->setUpdatesEnabled(false);
    list->clearContents();
    list->setRowCount(static_cast<int>(problems.size()));
    for (int i = 0; i < static_cast<int>(problems.size()); ++i) {
        const clsProblem& problem = problems[static_cast<size_t>(i)];
        auto* record = new QTableWidgetItem(QString::number(problem.nRecord));
        record->setData(kRowRole, problem.nRecord);
        record->setData(kColRole, std::max(problem.nMember, 1));
        list->setItem(i, 0, record);
        list->setItem(i, 1, new QTableWidgetItem(validator.MemberName(problem.nMember)));
        list->setItem(i, 2, new QTableWidgetItem(problem.szProblem));
    }
    list->setUpdatesEnabled(true);
    QString text = QString::number(validator.Checked()) + u" 件のレコードを検査しました。"_s;
    if (validator.Total() == 0)
        text += u"問題はありません。"_s;
    else if (validator.Total() > static_cast<qint64>(problems.size()))
        text += u"問題 "_s + QString::number(validator.Total()) + u" 件 (最初の "_s +
                QString::number(problems.size()) + u" 件を表示しています)。"_s;
    else
        text += u"問題 "_s + QString::number(validator.Total()) + u" 件。"_s;
    summary->setText(text);
}

QString frmValidation::Summary() const
{
    return summary->text();
}
