#include "ztr_search/formBazaDanych.h"

#include "platform/database/DatabaseAliases.h"
#include "ztr_search/WielkieLitery.h"
#include "ztr_search/formSzukaj.h"

TfrmBazaDanych* frmBazaDanych = nullptr;

namespace {

const QString aliasName = QStringLiteral("Zintra Search");
const QString localName = QStringLiteral("bazadanych");

} // namespace

QStringList TfrmBazaDanych::catalogueSchema()
{
    return {
        QStringLiteral("create table t_plyty (id_plyty integer not null unique, nazwa_plyty text not null, "
                       "numer_seryjny text not null)"),
        QStringLiteral("create table t_programy (id_plyty integer not null, nazwa_programu text not null, "
                       "opis_programu text not null, instalacja text not null, wymagania text not null)"),
        // The duplicate check looks discs up by serial, and the searches join programs to discs.
        QStringLiteral("create index t_plyty_numer_seryjny on t_plyty (numer_seryjny)"),
        QStringLiteral("create index t_programy_id_plyty on t_programy (id_plyty)"),
    };
}

std::vector<platform::SearchedColumn> TfrmBazaDanych::catalogueSearchedColumns()
{
    const QString programs = QStringLiteral("t_programy");
    return { { programs, QStringLiteral("nazwa_programu") }, { programs, QStringLiteral("opis_programu") },
        { programs, QStringLiteral("wymagania") }, { programs, QStringLiteral("instalacja") },
        { QStringLiteral("t_plyty"), QStringLiteral("nazwa_plyty") } };
}

TfrmBazaDanych::TfrmBazaDanych(QWidget* parent)
    : QWidget(parent)
    , DatabaseZtr(new platform::Database(this))
    , tblplyty(new platform::Table(DatabaseZtr, this))
    , tblprogramy(new platform::Table(DatabaseZtr, this))
    , qryztr(new platform::Query(DatabaseZtr, this))
{
    frmBazaDanych = this;
    platform::registerDefaultAlias(
        { aliasName, QStringLiteral("bazadanych.sqlite"), catalogueSchema(), catalogueSearchedColumns() });
    DatabaseZtr->setAliasName(aliasName);
    DatabaseZtr->setDatabaseName(localName);
    DatabaseZtr->setLoginPrompt(false);
    DatabaseZtr->setUpperCase(&wielkieLiteryMapping());
    tblplyty->setDatabaseName(localName);
    tblplyty->setTableName(QStringLiteral("t_plyty.db"));
    tblprogramy->setDatabaseName(localName);
    tblprogramy->setTableName(QStringLiteral("t_programy.db"));
}

TfrmBazaDanych::~TfrmBazaDanych()
{
    // Statements and tables let go of the connection before it closes.
    delete qryztr;
    delete tblprogramy;
    delete tblplyty;
    delete DatabaseZtr;
    if (frmBazaDanych == this)
        frmBazaDanych = nullptr;
}

void TfrmBazaDanych::FormCreate()
{
    DatabaseZtr->setAliasName(aliasName);
    tblprogramy->setDatabaseName(localName);
    tblprogramy->setTableName(QStringLiteral("t_programy.db"));
    frmSzukaj->WypelnijListePlyt();
}

void TfrmBazaDanych::OtworzBaze()
{
    DatabaseZtr->open();
    tblplyty->open();
    tblprogramy->open();
}
