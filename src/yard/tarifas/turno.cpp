#include "yard/tarifas/turno.h"

#include "data/banco.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/recusa_tarifa.h"
#include "yard/tarifas/rotativo.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

const QString kMsgForaDoTurno =
    QStringLiteral("O veículo não permaneceu no estacionamento durante o turno escolhido.");

// Time outside a shift that crosses midnight (start later than end). The times of day alone
// cannot tell which night a stay belongs to, so this one looks at the dates: the shift taken is
// the one that began the evening before the entry date, or else the one beginning on the entry
// date, whichever the stay touches first; nullopt when it touches neither.
std::optional<qint64> foraDoTurnoNoturno(const QDate& dataEnt, qint64 e, const QDate& dataSai,
                                         qint64 s, qint64 inicio, qint64 fim) {
    const qint64 entrada = instante(dataEnt, e);
    const qint64 saida = instante(dataSai, s);
    for (int dia : {-1, 0}) {
        const qint64 comeca = instante(dataEnt.addDays(dia), inicio);
        const qint64 termina = instante(dataEnt.addDays(dia + 1), fim);
        if (comeca <= saida && termina >= entrada)
            return std::max<qint64>(0, comeca - entrada) + std::max<qint64>(0, saida - termina);
    }
    return std::nullopt;
}

}  // namespace

ResultadoTarifa calcula_turno(Banco& db, const PedidoTarifa& p) {
    if (p.tur.trimmed().isEmpty())
        return recusaTarifa(QStringLiteral("Escolha o turno."), QStringLiteral("tur"));

    // The list shows "HH:MM - HH:MM".
    const auto inicio = segundosHora(p.tur.left(5));
    auto fim = segundosHora(p.tur.right(5));
    std::optional<Dinheiro> preco;
    if (inicio && fim) {
        // Shifts are kept to the minute; the stored time may carry its ":00" seconds or not.
        QSqlQuery q = db.executa(
            QStringLiteral("SELECT valor FROM turnos WHERE substr(hora_inicial, 1, 5) = ? "
                           "AND substr(hora_final, 1, 5) = ?"),
            {textoHms(*inicio).left(5), textoHms(*fim).left(5)});
        if (q.next()) preco = Dinheiro::doBanco(q.value(0)).value_or(Dinheiro{});
    }
    if (!preco)
        return recusaTarifa(QStringLiteral("Os tempos/valores do Turno não foram cadastrados."),
                            {}, true);

    // A shift ending at 00:00 ends at the end of the day.
    if (*fim == 0) fim = kSegundosDia - 1;

    const auto m = momentosDaTela(p.dat_ent, p.hor_ent, p.dat_sai, p.hor_sai);
    if (!m) return recusaTarifa(kMsgHorarioInvalido, {}, true);
    // The program clock set back while the vehicle was parked: there is no stay to charge,
    // whatever the times of day say of the shift.
    if (saidaAntesDaEntrada(*m)) return recusaTarifa(kMsgSaidaAntesEntrada, {}, true);
    const auto& [dataEnt, dataSai, e, s] = *m;

    qint64 fora = 0;
    if (*inicio > *fim) {
        const auto f = foraDoTurnoNoturno(dataEnt, e, dataSai, s, *inicio, *fim);
        if (!f) return recusaTarifa(kMsgForaDoTurno, QStringLiteral("tur"), true);
        fora = *f;
    } else {
        // Times of day only; equal times pass.
        if (*fim < e || *inicio > s)
            return recusaTarifa(kMsgForaDoTurno, QStringLiteral("tur"), true);
        if (e < *inicio) fora += *inicio - e;
        if (s > *fim) fora += s - *fim;
    }

    Dinheiro total = *preco;
    if (fora > 0) {
        // The time outside the shift goes through the time table taken once, with its
        // extension, whether or not the car park runs 24 hours a day.
        const TabelaRotativo tabela = leTabelaRotativo(db);
        if (tabela.degraus.isEmpty())
            return recusaTarifa(QStringLiteral("O tempo do turno foi excedido e os tempos/valores "
                                               "do Rotativo não foram cadastrados."),
                                {}, true);
        total += cobraDegraus(fora, tabela.degraus, tabela.excedente);
    }
    ResultadoTarifa r;
    r.total = total;
    return r;
}
