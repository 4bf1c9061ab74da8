// The add-disc window: "Odczytaj" finds a cover disc's menu file on the CD-ROM drives (or lets the
// user choose one), reads its entries into the hidden grid and the list, and the disc's serial
// into its field. The menu formats are MenuReader's and the serial the platform's; this window
// finds the file, tries the formats in turn and fills its controls.
#pragma once

#include "ztr_search/StringGrid.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfrmDodaj : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDodaj(QWidget* parent = nullptr);
    ~TfrmDodaj() override;

    QLabel* Label2 = nullptr;
    QLineEdit* EditNumer = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* ButtonOdczytaj = nullptr;
    // Never shown: row 0 holds the column headers, rows 1 on the entries of the last read.
    StringGrid sgznalezioneprogramy { 4, 200 };

    // The menu file last found or chosen, as "D:\ztr_menu\ztr_menu.inw".
    QString sciezkaMenu;

    // The first menu file on the CD-ROM drives of the search window, in drive-letter form.
    std::optional<QString> ZnajdzPlikMenu() const;
    static int ZnajdzLinie(const QStringList& lines, const QString& key);
    static QString WytnijKlamry(QString& text);
    // Each reads its format from `lines`, which it changes, into rows 0 to k-1 of `grid`, and
    // succeeds when k is at least 2.
    static bool CzytajFormatNazwa(QStringList& lines, StringGrid& grid);
    static bool CzytajFormatExecute(QStringList& lines, StringGrid& grid);
    // Eight upper-case hexadecimal digits, or "01234567" when the serial cannot be read.
    static QString NumerSeryjnyDysku(const QString& path);

public slots:
    void ButtonOdczytajClick();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct MenuFile {
        QString windowsPath;
        QString localPath;
    };
    std::optional<MenuFile> findMenuFile() const;
};

extern TfrmDodaj* frmDodaj;
