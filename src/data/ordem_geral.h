#pragma once
// The general sort order of texts, the collation of every text column: letter case is ignored,
// accented letters included ("JOSÉ" = "josé"); an accented letter sorts beside its plain one
// ("álvaro" before "Bruno") but stays distinct from it.
//
// Most texts compared are plates, codes and names in plain ASCII: those are compared a byte at
// a time with the case folded, and the full Unicode folding runs only when a letter outside
// ASCII takes part. Both give the same answer for every pair.

#include <QStringView>

#include <string_view>

// Its name in SQL text, the same in the program and in the engine's shell (the extension).
inline constexpr char kNomeOrdemGeral[] = "ordem_geral";

// Negative, zero or positive, as `a` sorts before, with or after `b`. Texts in UTF-8.
int comparaOrdemGeral(std::string_view a, std::string_view b);
// The same for texts in UTF-16.
int comparaOrdemGeral(QStringView a, QStringView b);
// The full folding, without the ASCII shortcut: the reference the shortcut must agree with.
int comparaOrdemGeralCompleta(QStringView a, QStringView b);
// The engine's collation callback over the texts' UTF-8 bytes: the one the program registers on
// every connection and the loadable extension registers for the engine's shell.
int comparaOrdemGeralSqlite(void*, int n1, const void* s1, int n2, const void* s2);
