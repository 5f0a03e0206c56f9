#include "branches/codigos_trocados.h"

#include "data/banco.h"
#include "data/chave_mensalista.h"

#include <QSqlQuery>

#include <map>
#include <set>

namespace {

struct DoArquivo {
    qint64 codigo;
    QString nome;
    QVariant inicio;
};

}  // namespace

std::vector<CodigoTrocado> codigosTrocados(Banco& db, Banco& arq, const QVariant& filial) {
    std::vector<DoArquivo> arquivo;
    std::map<qint64, QString> nomeNoArquivo;
    for (QSqlQuery q = arq.executa(QStringLiteral("SELECT codigo, nome, data_inicio FROM mensalistas "
                                                  "WHERE filial = ? AND codigo IS NOT NULL"),
                                   {filial});
         q.next();) {
        arquivo.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2)});
        nomeNoArquivo[arquivo.back().codigo] = arquivo.back().nome;
    }
    // Names compare as the office compares them, in the general sort order of the column.
    const auto mesmoNome = [&](qint64 linha, const QString& nome) {
        return db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE rowid = ? AND nome = ?"),
                         {linha, nome});
    };

    std::vector<CodigoTrocado> trocas;
    std::map<qint64, int> vezes;   // how many of the file's subscribers each office row answers
    for (const DoArquivo& f : arquivo) {
        if (db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE codigo = ? AND filial = ? "
                                     "AND nome = ?"),
                      {f.codigo, filial, f.nome}))
            continue;   // the office has it under this code already
        std::vector<CodigoTrocado> candidatos;
        for (QSqlQuery q = db.executa(QStringLiteral("SELECT rowid, codigo FROM mensalistas WHERE "
                                                     "filial = ? AND nome = ? AND data_inicio IS ? "
                                                     "AND codigo <> ?"),
                                      {filial, f.nome, f.inicio, f.codigo});
             q.next();) {
            const qint64 linha = q.value(0).toLongLong(), antigo = q.value(1).toLongLong();
            // Still in the file under its own code: another subscriber, not this one renumbered.
            const auto aindaLa = nomeNoArquivo.find(antigo);
            if (aindaLa != nomeNoArquivo.end() && mesmoNome(linha, aindaLa->second)) continue;
            candidatos.push_back({linha, antigo, f.codigo, f.nome});
        }
        if (candidatos.size() != 1) continue;
        trocas.push_back(candidatos.front());
        ++vezes[candidatos.front().linha];
    }
    std::erase_if(trocas, [&](const CodigoTrocado& t) { return vezes[t.linha] > 1; });

    // The new code must be free at the office, or be left by another subscriber moving too.
    for (bool mudou = true; mudou;) {
        std::set<qint64> saem;
        for (const CodigoTrocado& t : trocas) saem.insert(t.linha);
        const auto tamanho = trocas.size();
        std::erase_if(trocas, [&](const CodigoTrocado& t) {
            for (QSqlQuery q = db.executa(QStringLiteral("SELECT rowid FROM mensalistas WHERE "
                                                         "codigo = ? AND filial = ?"),
                                          {t.novo, filial});
                 q.next();)
                if (!saem.count(q.value(0).toLongLong())) return true;
            return false;
        });
        mudou = trocas.size() != tamanho;
    }
    return trocas;
}

void trocaCodigos(Banco& db, const std::vector<CodigoTrocado>& trocas) {
    // Every row is found before any moves: a code one subscriber leaves may be another's new
    // one, and a payment taken here is told by the month rows still under the old code.
    struct Mudanca {
        const char* tabela;
        const char* campo;
        qint64 linha;
        qint64 novo;
    };
    std::vector<Mudanca> mudancas;
    const auto junta = [&](const char* tabela, const char* campo, const QString& sql,
                           const QVariantList& valores, qint64 novo) {
        for (QSqlQuery q = db.executa(sql, valores); q.next();)
            mudancas.push_back({tabela, campo, q.value(0).toLongLong(), novo});
    };
    for (const CodigoTrocado& t : trocas) {
        // Its rows by the rule that tells whose a row is: those of the branch, a payment taken
        // here by the month it paid, a car parked here by its plate's registration.
        for (const auto& [tabela, campo] : camposDoMensalista())
            junta(tabela, campo,
                  QStringLiteral("SELECT rowid FROM %1 WHERE %2 = ? AND %3 = ?")
                      .arg(QLatin1String(tabela), QLatin1String(campo),
                           donoDaLinha(QLatin1String(tabela), QLatin1String(tabela))),
                  {t.antigo, t.linha}, t.novo);
        mudancas.push_back({"mensalistas", "codigo", t.linha, t.novo});
    }
    for (const Mudanca& m : mudancas)
        db.executa(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                       .arg(QLatin1String(m.tabela), QLatin1String(m.campo)),
                   {m.novo, m.linha});
}
