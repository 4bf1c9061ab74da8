// The engine's LIKE against SQLite's own, on ASCII text: the plain matcher against SQLite's like(),
// and the engine's one-call search condition against SQLite's upper() and LIKE over the same value.
// Any difference is a wrong answer and aborts.
#include "platform/database/CaseMapping.h"
#include "platform/database/DatabaseDriver.h"
#include "platform/database/LikeMatching.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>
#include <string>

namespace {

struct Connections {
    Connections()
    {
        static int argc = 1;
        static char name[] = "fuzz_like";
        static char* argv[] = { name, nullptr };
        application = new QCoreApplication(argc, argv);
        // SQLite untouched, for the reference answers.
        sqlite3_open(":memory:", &plain);
        // A connection with the engine's functions in it.
        engine = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz"));
        engine.setDatabaseName(QStringLiteral(":memory:"));
        if (!engine.open())
            std::abort();
        platform::sqliteDriver().installUpperCase(engine, mapping);
        engineHandle = *static_cast<sqlite3* const*>(engine.driver()->handle().constData());
        sqlite3_prepare_v2(plain, "select ?2 like ?1, upper(?2) like ?1", -1, &reference, nullptr);
        sqlite3_prepare_v2(engineHandle, "select upper_like_any(?1, ?2)", -1, &fused, nullptr);
    }

    // One answer of a statement for pattern ?1 and value ?2: 0, 1, or -1 for an error.
    static int answer(sqlite3_stmt* statement, const std::string& pattern, const std::string& value, int column)
    {
        sqlite3_reset(statement);
        sqlite3_bind_text(statement, 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_STATIC);
        sqlite3_bind_text(statement, 2, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
        if (sqlite3_step(statement) != SQLITE_ROW)
            return -1;
        return sqlite3_column_int(statement, column);
    }

    QCoreApplication* application = nullptr;
    const platform::CaseMapping mapping { { u'a', u'A' }, { u'b', u'B' }, { u'c', u'C' }, { u'd', u'D' },
        { u'e', u'E' }, { u'f', u'F' }, { u'g', u'G' }, { u'h', u'H' }, { u'i', u'I' }, { u'j', u'J' }, { u'k', u'K' },
        { u'l', u'L' }, { u'm', u'M' }, { u'n', u'N' }, { u'o', u'O' }, { u'p', u'P' }, { u'q', u'Q' }, { u'r', u'R' },
        { u's', u'S' }, { u't', u'T' }, { u'u', u'U' }, { u'v', u'V' }, { u'w', u'W' }, { u'x', u'X' }, { u'y', u'Y' },
        { u'z', u'Z' } };
    sqlite3* plain = nullptr;
    QSqlDatabase engine;
    sqlite3* engineHandle = nullptr;
    sqlite3_stmt* reference = nullptr;
    sqlite3_stmt* fused = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Connections connections;
    if (size == 0)
        return 0;
    // The first byte splits the rest into the pattern and the value. ASCII without NUL, which
    // ends SQLite's own LIKE early.
    const std::size_t split = 1 + data[0] % size;
    std::string pattern;
    std::string value;
    for (std::size_t i = 1; i < size; ++i) {
        const char c = static_cast<char>(data[i] & 0x7F ? data[i] & 0x7F : '%');
        (i < split ? pattern : value) += c;
    }

    const int sqliteLike = Connections::answer(connections.reference, pattern, value, 0);
    const int sqliteUpperLike = Connections::answer(connections.reference, pattern, value, 1);
    if (sqliteLike < 0 || sqliteUpperLike < 0)
        return 0; // a pattern SQLite refuses (too long) has no answer to compare with
    if (platform::likeMatches(pattern, value) != (sqliteLike == 1))
        std::abort();
    if (Connections::answer(connections.fused, pattern, value, 0) != sqliteUpperLike)
        std::abort();
    return 0;
}
