// The message service that widget-free code talks to the user through.
#pragma once

#include <QString>

// Notices and questions with fixed icons and buttons; the windows install a message-box
// implementation, batch runs a console one, tests a scripted one.
class clsMessenger
{
public:
    // Button codes returned by the questions.
    enum Answer
    {
        Yes = 6,
        No = 7,
        Cancel = 2
    };

    virtual ~clsMessenger() = default;

    virtual void Information(const QString& strPrompt, const QString& strFormTitle) = 0;
    virtual void Exclamation(const QString& strPrompt, const QString& strFormTitle) = 0;
    virtual void Critical(const QString& strPrompt, const QString& strFormTitle) = 0;
    // Yes (default) / No.
    virtual int Question(const QString& strPrompt, const QString& strFormTitle) = 0;
    // Yes / No (default).
    virtual int QuestionNega(const QString& strPrompt, const QString& strFormTitle) = 0;
    // Yes (default) / No / Cancel.
    virtual int QuestionEx(const QString& strPrompt, const QString& strFormTitle) = 0;

    // An error box naming the class and procedure that met a bad argument.
    void ProcError(const QString& strPrompt, int lngErrorCode, const QString& strSourceFile,
                   const QString& strProcName);
};

// The program's message service; until one is installed, messages go to standard error.
clsMessenger& gMsgBox();
// Installs the service used from now on (not owned); null restores the console one.
void SetMsgBox(clsMessenger* messenger);

// The caption every box of the program carries.
QString AppTitle();
