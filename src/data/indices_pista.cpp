#include "data/indices_pista.h"

#include <QSqlQuery>

namespace {

struct IndicePista {
    const char* nome;
    const char* tabela;
    QStringList campos;
};

const IndicePista kIndices[] = {
    {"pista_patio_placa", "veiculos_patio", {"placa"}},
    {"pista_patio_ticket", "veiculos_patio", {"ticket"}},
    {"pista_patio_prisma", "veiculos_patio", {"prisma", "placa"}},
    {"pista_mensalistas_placa", "veiculos_mensalistas", {"placa"}},
    {"pista_mensalistas_codigo", "veiculos_mensalistas", {"codigo"}},
};

}  // namespace

QStringList indicesPista() {
    QStringList r;
    for (const IndicePista& i : kIndices)
        r << QStringLiteral("%1 %2 %3").arg(QLatin1String(i.nome), QLatin1String(i.tabela),
                                            i.campos.join(u' '));
    return r;
}

void criaIndicesPista(Banco& db) {
    for (const IndicePista& i : kIndices) {
        const QString tabela = QLatin1String(i.tabela);
        QStringList existentes;
        for (QSqlQuery q = db.executa(QStringLiteral("SELECT name FROM pragma_table_info(?)"),
                                      {tabela});
             q.next();)
            existentes << q.value(0).toString();
        bool completo = true;
        for (const QString& c : i.campos) completo = completo && existentes.contains(c);
        if (!completo) continue;
        db.executa(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                       .arg(QLatin1String(i.nome), tabela, i.campos.join(QStringLiteral(", "))));
    }
}
