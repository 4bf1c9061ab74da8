// The info window of ztr_search: the program's name, what it is for and its author, and an "Ok"
// button. The search window creates one for each showing, modally, and it goes when it closes.
#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

class TfrmInformacje : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInformacje(QWidget* parent = nullptr);
    ~TfrmInformacje() override;

    QTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

    // The memo's lines, in order.
    QStringList lines() const;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};

// The window while it is open; nullptr otherwise.
extern TfrmInformacje* frmInformacje;
