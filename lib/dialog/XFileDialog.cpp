// The extended open and save dialog: layout of the added rows and the checks before closing.
#include "XFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace {

// Longest path the state's file-name field holds, without its NUL.
constexpr qsizetype kMaxPathBytes = 1023;

// The path fits the state's file-name field in the file system's own encoding and comes back
// from it as itself.
bool FitsNameField(const QString& szPath)
{
    const QByteArray bytes = QFile::encodeName(szPath);
    return bytes.size() <= kMaxPathBytes && QFile::decodeName(bytes) == szPath;
}

// Qt's file model writes sizes and dates in the system's locale, which is rarely Japanese;
// the dialog shows them in the program's own (the default locale) like every other text.
class LocaleFileProxy : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant shown = QIdentityProxyModel::data(index, role);
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || shown.toString().isEmpty())
            return shown;
        const QModelIndex source = mapToSource(index);
        if (index.column() == 1)
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == 3)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return shown;
    }
};

} // namespace

XFileDialog::XFileDialog(QWidget* owner, bool bSaveDialog) : QFileDialog(owner), bSave(bSaveDialog)
{
    // Qt's own dialog, because the platform's cannot take extra rows.
    setOption(QFileDialog::DontUseNativeDialog);
    // The question is asked in accept(), where "No" can keep the dialog open.
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    auto* proxy = new LocaleFileProxy(this);
    setProxyModel(proxy);
    // Name, size, type and date fit their texts once a folder's entries are in.
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    auto* details = findChild<QTreeView*>(u"treeView"_s);
    if (files && details) {
        connect(files, &QFileSystemModel::directoryLoaded, details, [details] {
            QTimer::singleShot(0, details, [details] {
                for (int column = 0; column < details->header()->count(); ++column)
                    details->resizeColumnToContents(column);
            });
        });
    }
}

void XFileDialog::AddExtension(bool bShowEsc, bool bChecked)
{
    auto* grid = qobject_cast<QGridLayout*>(layout());
    if (!grid)
        return;
    // The new rows go under the file-type row and share its columns, so labels and fields
    // line up with the rows above.
    int lnRow = grid->rowCount();
    int lnLabelColumn = 0;
    int lnFieldColumn = 1;
    Qt::Alignment labelAlignment;
    if (auto* types = findChild<QComboBox*>(u"fileTypeCombo"_s)) {
        const int lnIndex = grid->indexOf(types);
        int lnRowSpan = 1;
        int lnColumnSpan = 1;
        grid->getItemPosition(lnIndex, &lnRow, &lnFieldColumn, &lnRowSpan, &lnColumnSpan);
        lnRow += lnRowSpan;
    }
    if (auto* typesLabel = findChild<QLabel*>(u"fileTypeLabel"_s)) {
        const int lnIndex = grid->indexOf(typesLabel);
        int lnLabelRow = 0;
        int lnRowSpan = 1;
        int lnColumnSpan = 1;
        grid->getItemPosition(lnIndex, &lnLabelRow, &lnLabelColumn, &lnRowSpan, &lnColumnSpan);
        labelAlignment = grid->itemAt(lnIndex)->alignment();
    }

    cboCharSet = new QComboBox(this);
    cboCharSet->setObjectName(u"cboCharSet"_s);
    cboCharSet->addItems(Items(bSave));
    cboCharSet->setCurrentIndex(0);
    cboCharSet->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* label = new QLabel(u"文字コード(&C)"_s, this);
    label->setObjectName(u"lblCharSet"_s);
    label->setBuddy(cboCharSet);
    grid->addWidget(label, lnRow, lnLabelColumn, labelAlignment);
    grid->addWidget(cboCharSet, lnRow, lnFieldColumn);

    if (bShowEsc) {
        chkEsc = new QCheckBox(bSave ? u"ダブルクォートをエスケープして書き込む"_s
                                     : u"ダブルクォートを脱エスケープして読み込む"_s,
                               this);
        chkEsc->setObjectName(u"chkEsc"_s);
        chkEsc->setChecked(bChecked);
        grid->addWidget(chkEsc, lnRow + 1, lnFieldColumn);
    }
    // Tab order follows the rows: file type, then the new fields, then the buttons.
    if (auto* types = findChild<QComboBox*>(u"fileTypeCombo"_s)) {
        setTabOrder(types, cboCharSet);
        if (chkEsc)
            setTabOrder(cboCharSet, chkEsc);
    }
}

int XFileDialog::CharSet() const
{
    return cboCharSet ? CharSetOf(bSave, cboCharSet->currentIndex()) : 0;
}

int XFileDialog::CRLF() const
{
    return cboCharSet ? CRLFOf(bSave, cboCharSet->currentIndex()) : 0;
}

int XFileDialog::Esc() const
{
    return chkEsc && chkEsc->isChecked() ? 1 : 0;
}

QStringList XFileDialog::Items(bool bSave)
{
    if (!bSave)
        return {u"デフォルト(フォーマット情報を使用)"_s, u"Shif-JIS"_s, u"JIS"_s, u"EUC"_s,
                u"Unicode"_s};
    QStringList items{u"デフォルト(フォーマット情報を使用)"_s};
    for (const QString& szCharSet : {u"Shif-JIS"_s, u"JIS"_s, u"EUC"_s, u"Unicode"_s}) {
        for (const QString& szLineEnd : {u"CRLF"_s, u"CR"_s, u"LF"_s})
            items << szCharSet + u"(改行:"_s + szLineEnd + u')';
    }
    return items;
}

int XFileDialog::CharSetOf(bool bSave, int lnIndex)
{
    if (lnIndex <= 0)
        return 0;
    return bSave ? (lnIndex - 1) / 3 + 1 : lnIndex;
}

int XFileDialog::CRLFOf(bool bSave, int lnIndex)
{
    if (!bSave || lnIndex <= 0)
        return 0;
    return (lnIndex - 1) % 3 + 1;
}

void XFileDialog::accept()
{
    const QStringList files = selectedFiles();
    const QFileInfo info(files.isEmpty() ? QString() : files.first());
    // Folders are entered and missing files reported by Qt itself.
    if (files.isEmpty() || info.isDir() || (!bSave && !info.exists())) {
        QFileDialog::accept();
        return;
    }
    if (!FitsNameField(info.absoluteFilePath())) {
        QMessageBox::warning(this, windowTitle(),
                             info.fileName() + u" は使用できません。\nパスが "_s +
                                 QString::number(kMaxPathBytes) + u" バイトを超えています。"_s);
        return;
    }
    if (bSave && info.exists() &&
        QMessageBox::question(
            this, windowTitle(), info.fileName() + u" は既に存在します。\n置き換えますか?"_s,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    QFileDialog::accept();
}
