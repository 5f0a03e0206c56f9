#pragma once
// What every benchmark program of its own takes: the folder its files go in (a real disk, never
// memory) and how many repetitions it measures.
//   --pasta=/var/tmp  --repeticoes=N

#include <QString>
#include <QStringList>

#include <algorithm>

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
