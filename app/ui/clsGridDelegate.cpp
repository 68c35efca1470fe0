// One-line and multi-line cell editors with the column's input limit.
#include "clsGridDelegate.h"

#include "clsGridModel.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

int MaxLength(const QModelIndex& index)
{
    const auto* model = qobject_cast<const clsGridModel*>(index.model());
    return model ? model->Column(index.column() + 1).nMaxLength : 32767;
}

} // namespace

QWidget* clsGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    const int maxLength = MaxLength(index);
    if (!lineBreaks) {
        auto* editor =
            qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (editor)
            editor->setMaxLength(maxLength);
        return editor;
    }
    auto* editor = new QPlainTextEdit(parent);
    editor->setFrameShape(QFrame::NoFrame);
    // QPlainTextEdit has no length limit of its own: typing or pasting past it is cut back.
    connect(editor, &QPlainTextEdit::textChanged, editor, [editor, maxLength] {
        const QString text = editor->toPlainText();
        if (text.size() <= maxLength)
            return;
        const QSignalBlocker blocker(editor);
        editor->setPlainText(text.left(maxLength));
        editor->moveCursor(QTextCursor::End);
    });
    return editor;
}

void clsGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
        text->setPlainText(index.data(Qt::EditRole).toString());
        text->moveCursor(QTextCursor::End);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void clsGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const
{
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor)) {
        model->setData(index, text->toPlainText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
