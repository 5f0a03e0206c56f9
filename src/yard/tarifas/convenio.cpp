#include "yard/tarifas/convenio.h"

#include "data/banco.h"
#include "yard/tarifas/escalonamento.h"
#include "yard/tarifas/horarios.h"
#include "yard/tarifas/recusa_tarifa.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

struct DiaConvenio {
    const char* campo;
    const char* mensagem;
};
// By Qt's day of the week, Monday first.
const DiaConvenio kDias[7] = {
    {"seg", "Convênio não permitido para a segunda-feira."},
    {"ter", "Convênio não permitido para a terça-feira."},
    {"qua", "Convênio não permitido para a quarta-feira."},
    {"qui", "Convênio não permitido para a quinta-feira."},
    {"sex", "Convênio não permitido para a sexta-feira."},
    {"sab", "Convênio não permitido para o sábado."},
    {"dom", "Convênio não permitido para o domingo."},
};

qint64 sobreposicao(qint64 a1, qint64 a2, qint64 b1, qint64 b2) {
    return std::max<qint64>(0, std::min(a2, b2) - std::max(a1, b1));
}

// The daily window of a "V" partner: whether the stay touches it, and the remaining time R
// afterwards. Times of day only: a stay over midnight is judged by its times.
void aplicaJanela(qint64 e, qint64 s, qint64 inicio, qint64 fim, qint64& resto, bool& toca) {
    if (inicio <= fim) {
        if (e >= inicio && e <= fim) {
            toca = true;
            resto = s <= fim ? 0 : resto - (fim - e);
        } else if (e < inicio && s >= inicio) {
            toca = true;
            resto -= std::min(s, fim) - inicio;
        }
        return;
    }
    // A window across midnight (for example 22:00 to 02:00): the part of the stay that lies in
    // it, with the stay itself carried over midnight when its exit time is before its entry.
    const qint64 saida = s < e ? s + kSegundosDia : s;
    qint64 dentro = 0;
    for (qint64 desde : {inicio - kSegundosDia, inicio, inicio + kSegundosDia}) {
        const qint64 ate = desde + (kSegundosDia - inicio) + fim;
        if (desde <= saida && ate >= e) toca = true;
        dentro += sobreposicao(e, saida, desde, ate);
    }
    if (toca) resto -= dentro;
}

}  // namespace

ResultadoTarifa calcula_convenio(Banco& db, const PedidoTarifa& p) {
    if (p.conv.trimmed().isEmpty())
        return recusaTarifa(QStringLiteral("Escolha o convênio."), QStringLiteral("conv"));

    const auto ent = dataTela(p.dat_ent);
    const auto e = segundosHora(p.hor_ent);
    const auto s = segundosHora(p.hor_sai);
    if (!ent || !e || !s || !p.data_atual.isValid() || !p.hora_atual.isValid())
        return recusaTarifa(kMsgHorarioInvalido);
    const qint64 agora = instante(p.data_atual, p.hora_atual.msecsSinceStartOfDay() / 1000);
    const qint64 estadia = agora - instante(*ent, *e);
    if (estadia < 0) return recusaTarifa(kMsgSaidaAntesEntrada);
    // Whole days are dropped, whether or not the car park runs 24 hours a day.
    qint64 resto = estadia % kSegundosDia;

    // The name is a bound value, so a name with a quote is matched as typed.
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT codigo, isento_fixo_variavel, valor_fixo, das_hor_ini, "
                       "das_hor_fim, das_cobrar, apos_fixo, apos_a_cada, apos_cobrar, seg, ter, "
                       "qua, qui, sex, sab, dom, hora_inicio, hora_fim "
                       "FROM convenios WHERE convenio = ?"),
        {p.conv});
    if (!q.next()) return recusaTarifa(QStringLiteral("Convênio não encontrado."));

    // The weekday of the exit, that is of the program date now. A flag never set allows.
    const DiaConvenio& dia = kDias[p.data_atual.dayOfWeek() - 1];
    const QVariant permitido = q.value(QLatin1String(dia.campo));
    if (!permitido.isNull() && permitido.toInt() == 0)
        return recusaTarifa(QString::fromUtf8(dia.mensagem));

    // Allowed hours; equal times pass, and without an end only the start applies.
    const auto horaInicio = segundosDoBanco(q.value(QStringLiteral("hora_inicio")));
    const auto horaFim = segundosDoBanco(q.value(QStringLiteral("hora_fim")));
    if (horaInicio && (*e < *horaInicio || (horaFim && *s > *horaFim)))
        return recusaTarifa(QStringLiteral("Horário permitido para este convênio: das ") +
                            textoHms(*horaInicio) + QStringLiteral(" às ") +
                            (horaFim ? textoHms(*horaFim) : QString()));

    const auto dinheiro = [&q](const char* campo) {
        return Dinheiro::doBanco(q.value(QLatin1String(campo)));
    };
    const QString modo = q.value(QStringLiteral("isento_fixo_variavel")).toString();
    Dinheiro total;
    if (modo == u"F") {
        total = dinheiro("valor_fixo").value_or(Dinheiro{});
    } else if (modo == u"V") {
        const auto janelaIni = segundosDoBanco(q.value(QStringLiteral("das_hor_ini")));
        const auto janelaFim = segundosDoBanco(q.value(QStringLiteral("das_hor_fim")));
        if (janelaIni && janelaFim) {
            bool toca = false;
            aplicaJanela(*e, *s, *janelaIni, *janelaFim, resto, toca);
            if (toca) total = dinheiro("das_cobrar").value_or(Dinheiro{});
        }
        if (resto > 0) {
            const QList<Degrau> degraus = leDegraus(
                db,
                QStringLiteral("SELECT tempo, valor FROM convenios_variaveis WHERE codigo = ? "
                               "ORDER BY ordem"),
                {q.value(0)});
            const auto aposFixo = dinheiro("apos_fixo");
            const Excedente excedente =
                aposFixo ? Excedente::fixo(*aposFixo)
                         : Excedente::porPeriodo(
                               segundosDoBanco(q.value(QStringLiteral("apos_a_cada"))).value_or(0),
                               dinheiro("apos_cobrar").value_or(Dinheiro{}));
            total += cobraDegraus(resto, degraus, excedente);
        }
    }
    // "I", or any other mode, is free.
    ResultadoTarifa r;
    r.total = total;
    return r;
}
