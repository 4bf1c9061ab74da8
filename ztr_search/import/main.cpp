// ztr_search-import: takes over a catalogue kept by the old database engine, the Paradox tables
// t_plyty.db and t_programy.db of one folder, into the catalogue of an alias of the engine.
// Everything it does lives in ztr_search_lib (CatalogueImport); this is its command line.
#include "platform/Errors.h"
#include "platform/database/Database.h"
#include "ztr_search/CatalogueImport.h"
#include "ztr_search/WielkieLitery.h"
#include "ztr_search/formBazaDanych.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {

bool barShown = false;

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// A bar that redraws itself in place, for a person watching a terminal; nothing in a log file.
void drawProgress(qint64 done, qint64 total)
{
    constexpr int width = 40;
    barShown = done < total;
    const int filled = total > 0 ? static_cast<int>(done * width / total) : width;
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    print(stderr,
        QStringLiteral("\r[%1%2] %3% (%4/%5)")
            .arg(QString(filled, u'#'), QString(width - filled, u' '))
            .arg(percent, 3)
            .arg(done)
            .arg(total));
    if (done == total)
        print(stderr, QStringLiteral("\n"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ztr_search-import"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Przenosi stary katalog Zintra Search (tabele t_plyty.db i t_programy.db) do katalogu aliasu."));
    parser.addHelpOption();
    const QCommandLineOption aliasOption({ QStringLiteral("a"), QStringLiteral("alias") },
        QStringLiteral("Alias katalogu, do którego trafią płyty (domyślnie „Zintra Search”)."), QStringLiteral("alias"),
        QStringLiteral("Zintra Search"));
    parser.addOption(aliasOption);
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Folder ze starymi tabelami."));
    parser.process(application);
    if (parser.positionalArguments().size() != 1) {
        print(stderr, parser.helpText());
        return 2;
    }
    const QString folder = parser.positionalArguments().first();
    const QString alias = parser.value(aliasOption);

    // The catalogue is made as ztr_search makes it, so that an alias new to the engine, or an empty
    // server database, gets the program's own tables.
    platform::registerDefaultAlias({ alias, QStringLiteral("bazadanych.sqlite"), TfrmBazaDanych::catalogueSchema(),
        TfrmBazaDanych::catalogueSearchedColumns() });
    platform::Database database;
    database.setAliasName(alias);
    database.setUpperCase(&wielkieLiteryMapping());
    try {
        const OldCatalogue old = readOldCatalogue(folder);
        CatalogueImport import;
        if (::isatty(STDERR_FILENO))
            import.progress = drawProgress;
        import.write(old, database);
        print(stdout,
            QStringLiteral("Przeniesiono do katalogu „%1”: płyty: %2, programy: %3.\n")
                .arg(alias)
                .arg(old.discs.size())
                .arg(old.programs.size()));
        return 0;
    } catch (const platform::Error& error) {
        print(stderr,
            QStringLiteral("%1%2\nNic nie przeniesiono.\n")
                .arg(barShown ? QStringLiteral("\n") : QString(), error.message()));
        return 1;
    }
}
