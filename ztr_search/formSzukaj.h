// The search window, the main window of ztr_search: finds programs by a word in five fields or
// lists the programs of one disc, shows the chosen line, and knows the computer's CD-ROM drives.
// The statements run through the database holder; the line texts come from CatalogueText.
#pragma once

#include <QMainWindow>
#include <QString>

class LineList;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class RadioGroup;

namespace platform {
class Query;
}

class TfrmSzukaj : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmSzukaj(QWidget* parent = nullptr);
    ~TfrmSzukaj() override;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Plik1 = nullptr;
    QAction* Dodajpyt1 = nullptr;
    QAction* Dodajpytzpengr1 = nullptr;
    QAction* Wyjd1 = nullptr;
    QMenu* Pomoc1 = nullptr;
    QAction* Pomoc2 = nullptr;
    QAction* Oprogramie1 = nullptr;

    QWidget* client = nullptr; // the client area the layout is measured in
    QFrame* Bevel1 = nullptr;
    RadioGroup* RadioGroup_operacja = nullptr;
    QLabel* Label_szukany = nullptr;
    QLineEdit* Edit_tytul = nullptr;
    QPushButton* button_szukaj = nullptr;
    QLabel* Label_wyswietl = nullptr;
    QComboBox* cmbListaPlyt = nullptr;
    QLabel* Label2 = nullptr;
    LineList* ListBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* memo1 = nullptr;
    QPushButton* Button_instaluj = nullptr;
    QPushButton* Button_wyjdz = nullptr;

    // The CD-ROM drive letters, C to Z, found when the window was created.
    const QString& NapedyCD() const { return napedyCD_; }

    // Refills the disc choice box from the catalogue, sorted, with no choice made.
    void WypelnijListePlyt();

public slots:
    void FormCreate();
    void FormResize();
    void button_szukajClick();
    void Edit_tytulKeyPress(QChar key);
    void Edit_tytulClick();
    void cmbListaPlytChange();
    void ListBox1Click();
    void memo1Change();
    void RadioGroup_operacjaClick();
    void Dodajpyt1Click();
    void Dodajpytzpengr1Click();
    void Wyjd1Click();
    void Pomoc2Click();
    void Oprogramie1Click();
    void Button_wyjdzClick();
    void Button_instalujClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void connectHandlers();
    void ZnajdzNapedyCD();
    static QString WielkieLitery(const QString& text);
    // The result lines of the open query: the summary line, then one line per row.
    static QStringList resultLines(platform::Query& query);

    QString napedyCD_;
};

extern TfrmSzukaj* frmSzukaj;
