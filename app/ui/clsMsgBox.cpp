// Message boxes with the fixed icon, buttons and default button of each kind.
#include "clsMsgBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

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

// Room the box needs beside its text: the icon, the layout's margins and spacing.
constexpr int kBoxChrome = 80;

// Qt wraps a box's text at about 500 pixels and then anywhere, even inside a word. The label
// is made as wide as its longest line instead, up to the widest box Qt allows on the screen.
void FitLabel(QMessageBox& box)
{
    auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
    QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!label || !screen)
        return;
    const int screenWidth = screen->availableGeometry().width();
    // The same limit QMessageBox sets itself; a wider label would be cut off.
    const int widest = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    const int cap = widest - box.iconPixmap().deviceIndependentSize().toSize().width() - kBoxChrome;
    const QFontMetricsF metrics(label->font());
    qreal longest = 0;
    for (const QString& line : box.text().split(QRegularExpression(u"\\r\\n|\\r|\\n"_s)))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    label->setMinimumWidth(std::min(static_cast<int>(std::ceil(longest)) + 2, std::max(cap, 0)));
}

} // namespace

int clsMsgBox::Show(QMessageBox::Icon icon, const QString& strPrompt, const QString& strFormTitle,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, strFormTitle, strPrompt, buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    FitLabel(box);
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
    return Show(QMessageBox::Question, strPrompt, strFormTitle, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes);
}

int clsMsgBox::QuestionNega(const QString& strPrompt, const QString& strFormTitle)
{
    return Show(QMessageBox::Question, strPrompt, strFormTitle, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No);
}

int clsMsgBox::QuestionEx(const QString& strPrompt, const QString& strFormTitle)
{
    return Show(QMessageBox::Question, strPrompt, strFormTitle,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}
