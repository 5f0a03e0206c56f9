#include "config/numeracao_ticket.h"

#include "config/hora_texto.h"
#include "data/banco.h"
#include "yard/entrada.h"
#include "yard/proximo_ticket.h"

namespace {

ResultadoNumeracao recusa(const QString& mensagem, Icone icone = Icone::Exclamacao) {
    ResultadoNumeracao r;
    static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(mensagem, icone);
    return r;
}

// The counter stands at `atual`: its highest row and the auto-number's position, so that the
// next entry takes `atual` + 1. The rows below it tell nothing that the highest does not.
void posiciona(Banco& db, qint64 atual, bool esvazia) {
    if (esvazia) {
        // A counter that older versions filled with a row per number may hold millions: its
        // pages are given back without being overwritten first, which would write them all
        // again. They held nothing but the numbers.
        struct Rapido {
            Banco& db;
            const int antes = db.valor(QStringLiteral("PRAGMA secure_delete")).toInt();
            explicit Rapido(Banco& b) : db(b) { db.executa(QStringLiteral("PRAGMA secure_delete = FAST")); }
            ~Rapido() {
                try {
                    db.executa(QStringLiteral("PRAGMA secure_delete = %1").arg(antes));
                } catch (const ErroBanco&) {
                    // Left as it is: later deletes only skip overwriting what they free.
                }
            }
        } rapido(db);
        db.executa(QStringLiteral("DELETE FROM gera_ticket"));
    }
    if (atual > 0)
        db.executa(QStringLiteral("INSERT OR IGNORE INTO gera_ticket (ticket) VALUES (?)"), {atual});
    db.executa(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'gera_ticket'"));
    if (atual > 0)
        db.executa(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('gera_ticket', ?)"),
                   {atual});
}

}  // namespace

QString textoNumeracao(qint64 numero) { return QString::number(numero).leftJustified(kCasasTicket); }

QString textoProximoTicket(qint64 ultimo) {
    const std::optional<qint64> proximo = proximo_ticket(ultimo).numero;
    return proximo ? textoNumeracao(*proximo) : QString(kCasasTicket, u' ');
}

ResultadoNumeracao altera_numeracao(Banco& db, const QString& pro, bool digitado) {
    if (pro.trimmed().isEmpty()) return recusa(QStringLiteral("Digite o valor do próximo ticket."));
    const qint64 n = numeroDoTexto(pro).value_or(0);
    if (n < 1) return recusa(QStringLiteral("O valor mínimo do ticket deve ser 1."));
    if (n > kMaiorTicket)
        return recusa(QStringLiteral("O valor máximo do ticket deve ser %1.").arg(kMaiorTicket));

    QString mensagem = QStringLiteral("Alteração realizada com sucesso.");
    try {
        Transacao t(db);
        // The counter as stored, not as the box showed it: an entry made meanwhile at the lanes
        // counts.
        const qint64 c = ultimo_ticket(db);
        if (c < n) {
            posiciona(db, n - 1, false);
        } else if (!digitado) {
            // The box showed a number the lanes have since used: it is no choice to go back to.
            mensagem = QStringLiteral("Foram emitidos tickets desde que esta tela foi aberta: o "
                                      "próximo ticket já é %1. A numeração não foi alterada.")
                           .arg(c + 1);
        } else {
            // Near the end of the numbers, going back starts a new round of them: the numbers
            // of the old round are given again, and only the vehicles parked with a number the
            // new round will reach stand in the way (those of the old round's last stretch will
            // have left long before it comes back to them).
            const bool novaVolta = numeracao_no_fim(c);
            const qint64 alcance = novaVolta ? kMaiorTicket - kAvisoFimTickets : kMaiorTicket;
            if (db.existe(QStringLiteral("SELECT ticket FROM veiculos_patio WHERE ticket >= ? AND "
                                         "ticket <= ?"),
                          {n, alcance}))
                return recusa(QStringLiteral("Há veículo(s) estacionado(s) com ticket maior que %1! "
                                             "Não é possível alterar o valor do próximo ticket!")
                                  .arg(pro.trimmed()));
            // Tickets issued here: a branch's, merged at the office, are of its own numbering.
            if (!novaVolta &&
                db.existe(QStringLiteral("SELECT ticket FROM registro_saida WHERE ticket >= ? AND "
                                         "recebido = 0 UNION ALL SELECT ticket FROM "
                                         "cancelamento_ticket WHERE ticket >= ? AND recebido = 0"),
                          {n, n}))
                return recusa(QStringLiteral("Já foram emitidos tickets com número igual ou maior que "
                                             "%1! Não é possível alterar o valor do próximo ticket!")
                                  .arg(pro.trimmed()));
            posiciona(db, n - 1, true);
        }
        t.confirma();
    } catch (const ErroBanco& erro) {
        return recusa(QStringLiteral("Não foi possível alterar a numeração dos tickets. Nada foi "
                                     "alterado.\n%1").arg(erro.mensagem()),
                      Icone::Critico);
    }

    ResultadoNumeracao r;
    const qint64 maior = ultimo_ticket(db);
    if (maior == 0) {
        r.tic = QStringLiteral("    0");
        r.pro = QStringLiteral("    1");
    } else {
        r.tic = textoNumeracao(maior);
        r.pro = textoProximoTicket(maior);
    }
    r.feito = true;
    r.mensagem = mensagem;
    return r;
}
