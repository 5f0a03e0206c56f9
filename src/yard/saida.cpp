#include "yard/saida.h"

#include "data/chave_mensalista.h"
#include "data/datas.h"
#include "data/dinheiro.h"
#include "data/filial_propria.h"
#include "yard/tarifas/limites_dia.h"
#include "yard/tarifas/tarifa.h"
#include "yard/tarifas/termos.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

QVariant numeroOuNulo(const QString& texto) {
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant();
}

// The plate as shown, or NULL for an unfilled one (the field refuses the empty text).
QVariant placaOuNula(const QString& pla) {
    return placaEmBranco(pla) ? QVariant() : QVariant(pla);
}

// A database failure: nothing of the exit stands.
ResultadoPista falhaAoRegistrar(const ErroBanco& erro) {
    return ResultadoPista::recusa(
        erro.mensagemPara(QStringLiteral("registrar a saída do veículo, que continua no pátio")),
        Icone::Critico, CampoPista::Nenhum);
}

// True when the terms in force still charge the fee as it was computed.
bool totalAindaVale(Estado& e, const TotalCalculado& calculo) {
    // The fee as the terms in force ask it: the 24-hour setting is the shared state's now.
    PedidoTarifa agora = calculo.pedido;
    agora.estacionamento24h = e.estacionamento24h;
    if (termosEmVigor(e.db, agora) == calculo.termos) return true;
    // They changed since (a partner's price, the 24-hour setting, the subscriber's hours, in
    // another window meanwhile): the fee stands only if they still charge it, at the moment it
    // was computed, and within the time table's day limits, which the setting may have brought.
    if ((agora.modalidade == u"R" || agora.modalidade == u"T") &&
        !limites_do_dia(agora.dat_ent, agora.hor_ent, agora.dat_sai, agora.hor_sai,
                        agora.estacionamento24h)
             .isEmpty())
        return false;
    const ResultadoTarifa r = calcula_total(e.db, agora);
    return r.total && *r.total == calculo.total;
}

}  // namespace

PedidoTarifa pedidoDaSaida(const CamposSaida& c) {
    PedidoTarifa p;
    p.modalidade = c.modalidade;
    p.tic = c.tic;
    p.pla = c.pla;
    p.dat_ent = c.dat_ent;
    p.hor_ent = c.hor_ent;
    p.dat_sai = c.dat_sai;
    p.hor_sai = c.hor_sai;
    p.tur = c.tur;
    p.cod_con = c.cod_con;
    return p;
}

bool totalDoVeiculo(const CamposSaida& c) {
    return c.calculo && mesmoCalculo(c.calculo->pedido, pedidoDaSaida(c));
}

ResultadoPista registra_saida(Contexto& ctx, ControleCancelas& cancelas, const CamposSaida& c) {
    Estado& e = ctx.estado;
    Banco& db = e.db;
    const bool mensalista = c.modalidade == QLatin1String("M");
    static const QStringList kTipos{QStringLiteral("R"), QStringLiteral("T"), QStringLiteral("C"),
                                    QStringLiteral("M")};
    const QString tipo = kTipos.contains(c.modalidade) ? c.modalidade : QStringLiteral("D");

    if (!c.calculo)
        return ResultadoPista::recusa(QStringLiteral("Total com erro."), Icone::Exclamacao,
                                      CampoPista::val_pag);
    const Dinheiro total = c.calculo->total;
    // A fee left from another vehicle (or computed before the vehicle was found again) is not
    // this stay's: it is never stored.
    if (!totalDoVeiculo(c))
        return ResultadoPista::recusa(kMsgTotalDeOutroVeiculo, Icone::Exclamacao,
                                      CampoPista::val_pag);
    try {
        if (!totalAindaVale(e, *c.calculo)) {
            ResultadoPista r = ResultadoPista::recusa(kMsgTarifaMudou, Icone::Exclamacao,
                                                      CampoPista::val_pag);
            r.calculaDeNovo = true;
            return r;
        }
    } catch (const ErroBanco& erro) {
        return falhaAoRegistrar(erro);
    }

    if (mensalista) {
        if (placaEmBranco(c.pla))
            return ResultadoPista::recusa(QStringLiteral("Preencha a placa do mensalista."),
                                          Icone::Informacao, CampoPista::pla);
    } else {
        if (c.modalidade == QLatin1String("T") && c.tur.trimmed().isEmpty())
            return ResultadoPista::recusa(QStringLiteral("Escolha o turno."), Icone::Informacao,
                                          CampoPista::tur);
        if (c.tic.trimmed().isEmpty())
            return ResultadoPista::recusa(QStringLiteral("Ticket não preenchido."),
                                          Icone::Informacao, CampoPista::tic);
    }

    const std::optional<Dinheiro> pago = Dinheiro::ler(c.val_pag);
    if (!pago)
        return ResultadoPista::recusa(QStringLiteral("Valor Pago inválido."), Icone::Informacao,
                                      CampoPista::val_pag);
    if (*pago < total)
        return ResultadoPista::recusa(QStringLiteral("Valor Pago menor que Total."),
                                      Icone::Exclamacao, CampoPista::val_pag);

    try {
        // A subscriber's stay at the office carries its subscriber's branch (none for the
        // office's own): the office's rows carry no number of their own, and where branches
        // share a code the stay must still tell whose it is. A lane's stays carry its own
        // number, so that its reports find them under it.
        static const QByteArray kAchaMensalista =
            QStringLiteral("SELECT vp.rowid, vp.mensalista, CASE WHEN (SELECT escritorio FROM geral "
                           "LIMIT 1) THEN (SELECT dono.filial FROM mensalistas AS dono WHERE "
                           "dono.rowid = %1) ELSE %2 END FROM veiculos_patio AS vp WHERE vp.placa = ? "
                           "ORDER BY vp.rowid LIMIT 1")
                .arg(donoDaLinha(QStringLiteral("veiculos_patio"), QStringLiteral("vp")), kFilialPropria)
                .toUtf8();
        static const QByteArray kAchaVeiculo =
            QStringLiteral("SELECT rowid, mensalista, %1 FROM veiculos_patio WHERE ticket = ? OR "
                           "placa = ? ORDER BY rowid LIMIT 1")
                .arg(kFilialPropria)
                .toUtf8();
        const std::optional<QVariantList> achado =
            mensalista ? db.primeiraLinha(kAchaMensalista.constData(), {c.pla})
                       : db.primeiraLinha(kAchaVeiculo.constData(), {numeroOuNulo(c.tic), c.pla});
        if (!achado)
            return ResultadoPista::recusa(QStringLiteral("Veículo não encontrado."),
                                          Icone::Exclamacao, CampoPista::Nenhum);
        const qint64 linha = achado->at(0).toLongLong();
        const QVariant codigoMensalista = achado->at(1);
        const QVariant filialMensalista = achado->at(2);

        ResultadoPista r;
        Transacao t(db);
        db.executaDireto("DELETE FROM veiculos_patio WHERE rowid = ?", {linha});
        db.executaDireto(
            "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, "
            "hora_saida, ticket, placa, mensalista, convenio, tipo_estacionamento, "
            "caixa, total, valor_liquido, filial) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {dataBrParaBanco(c.dat_ent), horaTextoParaBanco(c.hor_ent), dataBrParaBanco(c.dat_sai),
             horaTextoParaBanco(c.hor_sai), numeroOuNulo(c.tic), placaOuNula(c.pla),
             mensalista ? codigoMensalista : QVariant(),
             c.modalidade == QLatin1String("C") ? numeroOuNulo(c.cod_con) : QVariant(),
             tipo, e.numero_caixa, total.paraBanco(), total.paraBanco(), filialMensalista});
        if (e.ativar_cancela_sai_manual) {
            db.executa(QStringLiteral("INSERT INTO lista_saida (placa, data_entrada, hora_entrada) "
                                      "VALUES (?, ?, ?)"),
                       {c.pla.isEmpty() ? kPlacaVazia : c.pla, dataBrParaBanco(c.dat_ent),
                        horaTextoParaBanco(c.hor_ent)});
            r.enfileirado = true;
        }
        t.confirma();

        r.registrado = true;
        r.linhaPatio = linha;
        cancelas.passoAutomatico(Lado::Saida);
        return r;
    } catch (const ErroBanco& erro) {
        return falhaAoRegistrar(erro);
    }
}
