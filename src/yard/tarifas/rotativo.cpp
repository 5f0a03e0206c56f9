#include "yard/tarifas/rotativo.h"

#include "data/banco.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/recusa_tarifa.h"

#include <QSqlQuery>

namespace {

const QString kMsgSemTabela = QStringLiteral("Os tempos/valores do Rotativo não foram cadastrados.");
const QString kMsgTabelaZerada = QStringLiteral(
    "Os tempos do Rotativo estão todos em 00:00. Corrija a tabela do Rotativo.");

ResultadoTarifa recusaRotativo(const QString& mensagem) {
    return recusaTarifa(mensagem, QStringLiteral("Option3"), true);
}

}  // namespace

TabelaRotativo leTabelaRotativo(Banco& db) {
    TabelaRotativo t;
    QSqlQuery q = db.executa(QStringLiteral("SELECT apos_cobrar, apos_a_cada FROM rotativo"));
    if (q.next())
        t.excedente = Excedente::porPeriodo(segundosDoBanco(q.value(1)).value_or(0),
                                            Dinheiro::doBanco(q.value(0)).value_or(Dinheiro{}));
    t.degraus = leDegraus(
        db, QStringLiteral("SELECT tempo, valor FROM rotativo_variavel ORDER BY ordem"));
    return t;
}

ResultadoTarifa cobraRotativo(Banco& db, qint64 duracao, bool estacionamento24h) {
    const TabelaRotativo tabela = leTabelaRotativo(db);
    if (tabela.degraus.isEmpty()) return recusaRotativo(kMsgSemTabela);
    // The program clock set back while the vehicle was parked: there is no stay to charge.
    if (duracao < 0) return recusaRotativo(kMsgSaidaAntesEntrada);

    Dinheiro total;
    if (estacionamento24h) {
        const auto emCiclo = cobraDegrausEmCiclo(duracao, tabela.degraus);
        if (!emCiclo) return recusaRotativo(kMsgTabelaZerada);
        total = *emCiclo;
    } else {
        total = cobraDegraus(duracao % kSegundosDia, tabela.degraus, tabela.excedente);
    }
    // The total is what `tot` shows: two decimals.
    const QString texto = total.formata();
    ResultadoTarifa r;
    r.total = Dinheiro::ler(texto);
    r.campos.append({QStringLiteral("val_pag"), texto});
    return r;
}

ResultadoTarifa calcula_rotativo(Banco& db, const PedidoTarifa& p) {
    const auto m = momentosDaTela(p.dat_ent, p.hor_ent, p.dat_sai, p.hor_sai);
    if (!m || !p.data_atual.isValid() || !p.hora_atual.isValid())
        return recusaRotativo(kMsgHorarioInvalido);
    const auto& [ent, sai, e, s] = *m;

    qint64 duracao;
    if (p.dat_ent != p.dat_sai && ent.addDays(1) == sai && e > s) {
        // Overnight stay of less than a day, measured from the lane's times.
        duracao = kSegundosDia - e + s;
    } else {
        // Otherwise up to the program clock now, so the seconds since the vehicle was found
        // count too.
        const qint64 agora = instante(p.data_atual, p.hora_atual.msecsSinceStartOfDay() / 1000);
        duracao = agora - instante(ent, e);
    }
    return cobraRotativo(db, duracao, p.estacionamento24h);
}
