// Driving real modal dialogs from tests: act once the dialog is up, always let exec() return.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

#include <functional>
#include <memory>

namespace modal {

// Runs action on the next modal dialog of type T, then rejects it if still open, so a failed
// step cannot leave exec() waiting. Gives up after a few seconds when no such dialog appears.
// Record observations in the action and assert after exec() returns.
template <typename T> void When(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, attempts, action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*attempts > 200) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        QPointer<T> guarded(dialog);
        const auto closer = qScopeGuard([guarded] {
            if (guarded && guarded->isVisible())
                guarded->reject();
        });
        action(dialog);
    });
    timer->start(25);
}

// Clicks the dialog's accepting button (accept() itself is protected).
inline void Accept(QWidget* dialog)
{
    auto* box = dialog->findChild<QDialogButtonBox*>();
    if (!box)
        return;
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            button->click();
            return;
        }
    }
}

// Types a name the way a user does. A row still selected in the file list would win over the
// typed name, and Qt clears it only while the name field has focus, which an offscreen window
// may not give: clear it here.
inline void TypeFileName(QFileDialog* dialog, const QString& szName)
{
    for (auto* view : dialog->findChildren<QAbstractItemView*>()) {
        if (view->selectionModel())
            view->selectionModel()->clearSelection();
    }
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(szName);
}

inline QComboBox* CharSetList(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("cboCharSet"));
}

inline QCheckBox* EscBox(QWidget* dialog)
{
    return dialog->findChild<QCheckBox*>(QStringLiteral("chkEsc"));
}

// Picks the item of the character-set list and confirms the file dialog with szName.
inline void Choose(QFileDialog* dialog, const QString& szName, int nItem)
{
    if (QComboBox* list = CharSetList(dialog))
        list->setCurrentIndex(nItem);
    TypeFileName(dialog, szName);
    Accept(dialog);
}

} // namespace modal
