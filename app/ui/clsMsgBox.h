// Message boxes: the program's only use of QMessageBox.
#pragma once

#include "clsMessenger.h"

#include <QMessageBox>

class QWidget;

// Shows each notice or question as a modal box over the active window.
class clsMsgBox : public clsMessenger
{
public:
    void Information(const QString& strPrompt, const QString& strFormTitle) override;
    void Exclamation(const QString& strPrompt, const QString& strFormTitle) override;
    void Critical(const QString& strPrompt, const QString& strFormTitle) override;
    int Question(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionNega(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionEx(const QString& strPrompt, const QString& strFormTitle) override;

private:
    static int Show(QMessageBox::Icon icon, const QString& strPrompt, const QString& strFormTitle,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);
};
