// Message boxes with the fixed icon, buttons and default button of each kind.
#include "clsMsgBox.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

int ResultCode(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return clsMessenger::Yes;
    case QMessageBox::No:
        return clsMessenger::No;
    default:
        return clsMessenger::Cancel;
    }
}

} // namespace

int clsMsgBox::Show(QMessageBox::Icon icon, const QString& strPrompt, const QString& strFormTitle,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, strFormTitle, strPrompt, buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    // A box raised during a long operation must not show the wait cursor.
    const bool waiting = QGuiApplication::overrideCursor() != nullptr;
    if (waiting)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const int button = box.exec();
    if (waiting)
        QGuiApplication::restoreOverrideCursor();
    return ResultCode(button);
}

void clsMsgBox::Information(const QString& strPrompt, const QString& strFormTitle)
{
    Show(QMessageBox::Information, strPrompt, strFormTitle, QMessageBox::Ok, QMessageBox::Ok);
}

void clsMsgBox::Exclamation(const QString& strPrompt, const QString& strFormTitle)
{
    Show(QMessageBox::Warning, strPrompt, strFormTitle, QMessageBox::Ok, QMessageBox::Ok);
}

void clsMsgBox::Critical(const QString& strPrompt, const QString& strFormTitle)
{
    Show(QMessageBox::Critical, strPrompt, strFormTitle, QMessageBox::Ok, QMessageBox::Ok);
}

int clsMsgBox::Question(const QString& strPrompt, const QString& strFormTitle)
{
    return Show(QMessageBox::Question, strPrompt, strFormTitle,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
}

int clsMsgBox::QuestionNega(const QString& strPrompt, const QString& strFormTitle)
{
    return Show(QMessageBox::Question, strPrompt, strFormTitle,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

int clsMsgBox::QuestionEx(const QString& strPrompt, const QString& strFormTitle)
{
    return Show(QMessageBox::Question, strPrompt, strFormTitle,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}
