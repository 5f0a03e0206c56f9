#pragma once
// What the benchmark programs share: their arguments, the median of their repetitions and the
// fresh copy of a database each repetition starts from.

#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The folder the files go in (a real disk, never memory) and how many repetitions are measured:
//   --pasta=/var/tmp  --repeticoes=N

struct ArgumentosBench {
    QString pasta;
    int repeticoes;
};

inline ArgumentosBench leArgumentosBench(const QStringList& argumentos, int repeticoes) {
    ArgumentosBench r{QStringLiteral("/var/tmp"), repeticoes};
    for (const QString& a : argumentos.mid(1)) {
        if (a.startsWith(QLatin1String("--pasta="))) r.pasta = a.mid(8);
        else if (a.startsWith(QLatin1String("--repeticoes="))) r.repeticoes = std::max(1, a.mid(13).toInt());
    }
    return r;
}

inline double mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// `de` copied over `para`, whatever the engine had left beside `para`; a copy that fails ends
// the benchmark.
inline void copia(const QString& de, const QString& para) {
    for (const char* lado : {"", "-wal", "-shm", "-journal"}) QFile::remove(para + lado);
    if (!QFile::copy(de, para)) {
        std::fprintf(stderr, "não foi possível copiar %s\n", qPrintable(de));
        std::exit(2);
    }
}
