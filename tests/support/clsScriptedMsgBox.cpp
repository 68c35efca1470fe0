// Recording and checking of the boxes a test shows.
#include "clsScriptedMsgBox.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

std::function<void(const QString&)>& FailureHandler()
{
    static std::function<void(const QString&)> handler = [](const QString& text) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    };
    return handler;
}

// The service in force before the first scripted one was installed.
clsMessenger* currentScript = nullptr;

} // namespace

void clsScriptedMsgBox::SetFailureHandler(std::function<void(const QString&)> handler)
{
    FailureHandler() = std::move(handler);
}

clsScriptedMsgBox::clsScriptedMsgBox(bool isStrict) : strict(isStrict), previous(currentScript)
{
    currentScript = this;
    SetMsgBox(this);
}

clsScriptedMsgBox::~clsScriptedMsgBox()
{
    for (const Box& box : shown)
        FailureHandler()(u"A box nobody expected: "_s + box.kind + u" ["_s + box.title + u"] "_s +
                         box.text);
    if (!answers.empty())
        FailureHandler()(QString::number(answers.size()) + u" scripted answer(s) left over"_s);
    currentScript = previous;
    SetMsgBox(previous);
}

std::vector<clsScriptedMsgBox::Box> clsScriptedMsgBox::TakeShown()
{
    std::vector<Box> taken;
    taken.swap(shown);
    return taken;
}

clsScriptedMsgBox::Box clsScriptedMsgBox::TakeOne()
{
    std::vector<Box> taken = TakeShown();
    if (taken.size() != 1) {
        FailureHandler()(u"Expected exactly one box, got "_s + QString::number(taken.size()));
        return {};
    }
    return taken.front();
}

void clsScriptedMsgBox::Record(const char* kind, const QString& strPrompt,
                               const QString& strFormTitle)
{
    Box box{QString::fromLatin1(kind), strFormTitle, strPrompt};
    if (strict) {
        FailureHandler()(u"A box nobody expected: "_s + box.kind + u" ["_s + box.title + u"] "_s +
                         box.text);
        return;
    }
    if (onShow)
        onShow(box);
    shown.push_back(box);
}

int clsScriptedMsgBox::Answer(const char* kind, const QString& strPrompt,
                              const QString& strFormTitle)
{
    Record(kind, strPrompt, strFormTitle);
    if (answers.empty()) {
        if (!strict)
            FailureHandler()(u"A question without a scripted answer: "_s + strPrompt);
        return Cancel;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void clsScriptedMsgBox::Information(const QString& strPrompt, const QString& strFormTitle)
{
    Record("Information", strPrompt, strFormTitle);
}

void clsScriptedMsgBox::Exclamation(const QString& strPrompt, const QString& strFormTitle)
{
    Record("Exclamation", strPrompt, strFormTitle);
}

void clsScriptedMsgBox::Critical(const QString& strPrompt, const QString& strFormTitle)
{
    Record("Critical", strPrompt, strFormTitle);
}

int clsScriptedMsgBox::Question(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer("Question", strPrompt, strFormTitle);
}

int clsScriptedMsgBox::QuestionNega(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer("QuestionNega", strPrompt, strFormTitle);
}

int clsScriptedMsgBox::QuestionEx(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer("QuestionEx", strPrompt, strFormTitle);
}
