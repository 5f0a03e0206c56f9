#include "sqlite_nu.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void aborta(sqlite3* db, const char* onde) {
    std::fprintf(stderr, "sqlite: %s: %s\n", onde, sqlite3_errmsg(db));
    std::abort();
}

int semCaixa(void*, int n1, const void* s1, int n2, const void* s2) {
    const int r = sqlite3_strnicmp(static_cast<const char*>(s1), static_cast<const char*>(s2),
                                   n1 < n2 ? n1 : n2);
    return r != 0 ? r : n1 - n2;
}

}  // namespace

Comando::Comando(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st_, nullptr) != SQLITE_OK)
        aborta(db, sql);
}

Comando::~Comando() { sqlite3_finalize(st_); }

Comando& Comando::texto(int i, const std::string& v) {
    sqlite3_bind_text(st_, i, v.data(), int(v.size()), SQLITE_TRANSIENT);
    return *this;
}

Comando& Comando::inteiro(int i, long long v) {
    sqlite3_bind_int64(st_, i, v);
    return *this;
}

Comando& Comando::nulo(int i) {
    sqlite3_bind_null(st_, i);
    return *this;
}

int Comando::roda(int colunas) {
    int linhas = 0, r;
    volatile size_t lidos = 0;
    while ((r = sqlite3_step(st_)) == SQLITE_ROW) {
        ++linhas;
        for (int c = 0; c < colunas; ++c) {
            if (sqlite3_column_type(st_, c) == SQLITE_INTEGER)
                lidos = lidos + size_t(sqlite3_column_int64(st_, c));
            else if (const unsigned char* t = sqlite3_column_text(st_, c))
                lidos = lidos + std::strlen(reinterpret_cast<const char*>(t));
        }
    }
    if (r != SQLITE_DONE) aborta(db_, sqlite3_sql(st_));
    sqlite3_reset(st_);
    return linhas;
}

sqlite3* abreNu(const std::string& caminho, const std::string& diario, const std::string& sincronia) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(caminho.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        aborta(db, caminho.c_str());
    sqlite3_create_collation(db, "ordem_geral", SQLITE_UTF8, nullptr, semCaixa);
    sqlite3_busy_timeout(db, 5000);
    execNu(db, ("PRAGMA journal_mode = " + diario).c_str());
    execNu(db, ("PRAGMA synchronous = " + sincronia).c_str());
    return db;
}

void execNu(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) aborta(db, sql);
}

long long umInteiro(sqlite3* db, const char* sql) {
    Comando c(db, sql);
    if (sqlite3_step(c.st()) != SQLITE_ROW) aborta(db, sql);
    return sqlite3_column_int64(c.st(), 0);
}
