// The find-and-replace window.
#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class clsFindEngine;
class frmCsv;

// A modeless window over one document window: collects the key, the replacement and the
// options for clsFindEngine and shows its hits as the document's active cell. It stays on
// top while it is in use.
class frmFind : public QDialog
{
    Q_OBJECT

public:
    // Works on document (which may go first: the window then closes).
    explicit frmFind(frmCsv& document, QWidget* parent = nullptr);
    ~frmFind() override;

    QLabel* Label1 = nullptr;
    QListWidget* List = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    // The key is a regular expression.
    QCheckBox* Check5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

    frmCsv* Document() const { return doc; }
    const clsFindEngine* Engine() const { return engine.get(); }
    bool Topmost() const;

    void Command1_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void Form_Load();
    void Check1_Click(bool bChecked);
    void Check2_Click(bool bChecked);
    // Hands the controls' state to the engine; false (after telling why) when the key is
    // not a valid regular expression.
    bool TakeOptions();
    void MakeActive(int lnRow, int lnCol);
    void SetTopmost(bool bOn);
    // A box the window cannot hide: it gives up its topmost state while the box is shown.
    void Inform(const QString& szText);

    QPointer<frmCsv> doc;
    std::unique_ptr<clsFindEngine> engine;
};
