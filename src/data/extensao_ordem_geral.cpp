// The general sort order as a loadable extension of the engine, built beside the program, so
// that the engine's own shell can read, query and check `dados.mdb`:
//     sqlite3 -cmd ".load ./ordem_geral" dados.mdb
// It registers the program's own comparison under the program's own name.

#include "data/ordem_geral.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

extern "C" __attribute__((visibility("default"))) int sqlite3_ordemgeral_init(
    sqlite3* db, char**, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_collation(db, kNomeOrdemGeral, SQLITE_UTF8, nullptr,
                                    comparaOrdemGeralSqlite);
}
