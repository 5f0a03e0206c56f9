#include "yard/cancelamento.h"

#include "data/datas.h"
#include "data/filial_propria.h"
#include "yard/resultado_pista.h"

#include <QSqlQuery>

namespace {

// The ticket text of a subscriber's vehicle, which has no ticket.
const QString kSemTicket = QStringLiteral("0000000000");

std::optional<VeiculoCancelavel> primeiro(QSqlQuery q) {
    if (!q.next()) return std::nullopt;
    return VeiculoCancelavel{q.value(0).toLongLong(), q.value(1), q.value(2)};
}

ResultadoCancelamento recusa(const QString& mensagem, CampoCancelamento foco = CampoCancelamento::Nenhum) {
    ResultadoCancelamento r;
    r.mensagem = mensagem;
    r.foco = foco;
    return r;
}

}  // namespace

std::optional<VeiculoCancelavel> veiculo_do_ticket(Banco& db, const QString& tic) {
    bool numero = false;
    const qint64 ticket = tic.trimmed().toLongLong(&numero);
    if (!numero) return std::nullopt;
    return primeiro(db.executa(QStringLiteral("SELECT rowid, ticket, placa FROM veiculos_patio "
                                              "WHERE ticket = ? ORDER BY rowid LIMIT 1"),
                               {ticket}));
}

std::optional<VeiculoCancelavel> veiculo_da_placa(Banco& db, const QString& pla) {
    return primeiro(db.executa(QStringLiteral("SELECT rowid, ticket, placa FROM veiculos_patio "
                                              "WHERE placa = ? ORDER BY rowid LIMIT 1"),
                               {pla}));
}

QString texto_ticket(const VeiculoCancelavel& v) {
    if (v.ticket.isNull()) return kSemTicket;
    return QString::number(v.ticket.toLongLong()).leftJustified(10, u' ');
}

ResultadoCancelamento cancela_ticket(Contexto& ctx, const QString& tic, const QString& pla) {
    Estado& e = ctx.estado;
    // A cancellation belongs to a register: logged under none, no closing would ever report it.
    if (e.numero_caixa == 0)
        return recusa(QStringLiteral("Não há caixa aberto. Abra o caixa para cancelar um ticket."));
    if (tic.trimmed().isEmpty())
        return recusa(QStringLiteral("Ticket em branco."), CampoCancelamento::tic);

    std::optional<VeiculoCancelavel> v;
    try {
        if (tic != kSemTicket) {
            v = veiculo_do_ticket(e.db, tic);
        } else {
            if (placaEmBranco(pla)) return recusa(QStringLiteral("Preencha a placa."));
            v = veiculo_da_placa(e.db, pla);
        }
        if (!v) return recusa(QStringLiteral("Veículo não encontrado no pátio."));

        Transacao t(e.db);
        e.db.executa(QStringLiteral("DELETE FROM veiculos_patio WHERE rowid = ?"), {v->linha});
        e.db.executa(QStringLiteral("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa, "
                                    "filial) VALUES (?, ?, ?, ?, %1)")
                         .arg(kFilialPropria),
                     {v->ticket, v->placa, horaParaBanco(e.hora_atual), e.numero_caixa});
        t.confirma();
    } catch (const ErroBanco& erro) {
        ResultadoCancelamento r = recusa(
            QStringLiteral("Não foi possível cancelar o ticket. O veículo continua no pátio e nada "
                           "foi gravado.\n%1")
                .arg(erro.mensagem()));
        r.icone = Icone::Critico;
        return r;
    }
    ResultadoCancelamento r;
    r.cancelado = true;
    r.mensagem = QStringLiteral("Ticket cancelado com sucesso.");
    return r;
}
