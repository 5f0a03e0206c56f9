#pragma once
// Bare SQLite beside the program: the sqlite3 C API on the same file with the same journal and
// sync settings, each statement prepared once. The sort order of the text columns is SQLite's
// own case-insensitive ASCII comparison, the cheapest that gives plates the same order.

#include <sqlite3.h>

#include <string>
#include <vector>

class Comando {
public:
    Comando(sqlite3* db, const char* sql);
    ~Comando();
    Comando(const Comando&) = delete;
    Comando& operator=(const Comando&) = delete;
    Comando& texto(int i, const std::string& v);
    Comando& inteiro(int i, long long v);
    Comando& nulo(int i);
    // Runs to the end; the number of rows seen, each read column by column as an application
    // would (`colunas` columns).
    int roda(int colunas = 0);
    sqlite3_stmt* st() const { return st_; }

private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

// Opens the file and sets the journal as the program's connection has it.
sqlite3* abreNu(const std::string& caminho, const std::string& diario, const std::string& sincronia);
// Runs SQL text with no result, aborting on failure.
void execNu(sqlite3* db, const char* sql);
long long umInteiro(sqlite3* db, const char* sql);
