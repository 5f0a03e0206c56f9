#include "config/numeracao_ticket.h"

#include "config/hora_texto.h"
#include "data/banco.h"

namespace {

ResultadoNumeracao recusa(const QString& mensagem, Icone icone = Icone::Exclamacao) {
    ResultadoNumeracao r;
    static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(mensagem, icone);
    return r;
}

// Rows `de` to `ate` of the counter, each the number a ticket took.
void preenche(Banco& db, qint64 de, qint64 ate) {
    if (de > ate) return;
    db.executa(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT ? UNION ALL SELECT x + 1 FROM n "
                              "WHERE x < ?) INSERT INTO gera_ticket (ticket) SELECT x FROM n"),
               {de, ate});
}

}  // namespace

QString textoNumeracao(qint64 numero) { return QString::number(numero).leftJustified(kCasasTicket); }

ResultadoNumeracao altera_numeracao(Banco& db, const QString& pro) {
    if (pro.trimmed().isEmpty()) return recusa(QStringLiteral("Digite o valor do próximo ticket."));
    const qint64 n = numeroDoTexto(pro).value_or(0);
    if (n < 1) return recusa(QStringLiteral("O valor mínimo do ticket deve ser 1."));

    try {
        Transacao t(db);
        // The counter as stored, not as the box showed it: an entry made meanwhile at the lanes
        // counts, so the next ticket is the number chosen.
        const qint64 c = db.valor(QStringLiteral("SELECT max(ticket) FROM gera_ticket")).toLongLong();
        if (c < n) {
            preenche(db, c + 1, n - 1);
        } else {
            if (db.existe(QStringLiteral("SELECT ticket FROM veiculos_patio WHERE ticket >= ?"), {n}))
                return recusa(QStringLiteral("Há veículo(s) estacionado(s) com ticket maior que %1! "
                                             "Não é possível alterar o valor do próximo ticket!")
                                  .arg(pro.trimmed()));
            // Emptied with its auto-number position, as a table created anew.
            db.executa(QStringLiteral("DELETE FROM gera_ticket"));
            db.executa(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'gera_ticket'"));
            preenche(db, 1, n - 1);
        }
        // The auto-number goes on from the highest ticket now stored, whatever it had reached.
        db.executa(QStringLiteral("UPDATE sqlite_sequence SET seq = (SELECT max(ticket) FROM gera_ticket) "
                                  "WHERE name = 'gera_ticket'"));
        t.confirma();
    } catch (const ErroBanco& erro) {
        return recusa(QStringLiteral("Não foi possível alterar a numeração dos tickets. Nada foi "
                                     "alterado.\n%1").arg(erro.mensagem()),
                      Icone::Critico);
    }

    ResultadoNumeracao r;
    const QVariant maior = db.valor(QStringLiteral("SELECT max(ticket) FROM gera_ticket"));
    if (maior.isNull()) {
        r.tic = QStringLiteral("    0");
        r.pro = QStringLiteral("    1");
    } else {
        r.tic = textoNumeracao(maior.toLongLong());
        r.pro = textoNumeracao(maior.toLongLong() + 1);
    }
    r.feito = true;
    r.mensagem = QStringLiteral("Alteração realizada com sucesso.");
    return r;
}
