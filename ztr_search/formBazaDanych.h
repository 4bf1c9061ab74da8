// The catalogue's database holder: a window never shown that owns the connection, the two tables
// and the one shared query through which every statement of the program runs. It also defines
// the catalogue's tables for the engine, which creates them on a machine that has none yet.
#pragma once

#include "platform/database/Database.h"
#include "platform/database/DatabaseAliases.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class TfrmBazaDanych : public QWidget {
    Q_OBJECT
public:
    explicit TfrmBazaDanych(QWidget* parent = nullptr);
    ~TfrmBazaDanych() override;

    platform::Database* DatabaseZtr;
    platform::Table* tblplyty;
    platform::Table* tblprogramy;
    platform::Query* qryztr;

    // The tables of a new, empty catalogue.
    static QStringList catalogueSchema();
    // The columns a search looks a word up in, by table, for the drivers that index them.
    static std::vector<platform::SearchedColumn> catalogueSearchedColumns();

public slots:
    // Names the connection and the tables, then fills the search window's disc list, which opens
    // the catalogue. Database errors leave it.
    void FormCreate();
    // Opens the connection and both tables; what is open already stays as it is.
    void OtworzBaze();
};

extern TfrmBazaDanych* frmBazaDanych;
