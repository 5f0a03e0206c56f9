#include "yard/entrada.h"

#include "data/chave_mensalista.h"
#include "data/datas.h"
#include "yard/proximo_ticket.h"

#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace {

struct Mensalista {
    ChaveMensalista chave;
    QString nome;                      // as stored
    std::optional<int> numMaxVeic;
    std::optional<int> diaVencto;
    int tolerancia = 0;
};

std::optional<int> inteiro(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

// The active subscriber the plate is registered to. At an office, whose branches may have given
// one code to several subscribers, it is the registration's own (its code and branch): a deleted
// subscriber's car is a casual one, whoever else holds the code.
std::optional<Mensalista> mensalistaDaPlaca(Banco& db, const QString& placa) {
    static const QByteArray sql =
        (QStringLiteral("SELECT mensalistas.codigo, mensalistas.filial, nome, num_max_veic, "
                        "dia_vencto, tolerancia FROM veiculos_mensalistas, mensalistas WHERE "
                        "veiculos_mensalistas.placa = ? AND veiculos_mensalistas.codigo = "
                        "mensalistas.codigo AND mensalistas.excluido = 0 AND ") +
         veiculoDoMensalista(QStringLiteral("veiculos_mensalistas"), QStringLiteral("mensalistas")).sql +
         QStringLiteral(" ORDER BY veiculos_mensalistas.rowid LIMIT 1"))
            .toUtf8();
    const std::optional<QVariantList> l = db.primeiraLinha(sql.constData(), {placa});
    if (!l) return std::nullopt;
    Mensalista m;
    m.chave = {l->at(0).toLongLong(), l->at(1)};
    m.nome = l->at(2).toString();
    m.numMaxVeic = inteiro(l->at(3));
    m.diaVencto = inteiro(l->at(4));
    m.tolerancia = l->at(5).toInt();
    return m;
}

// The date of the notice: the due day of the current month (the month's last day when the due
// day is beyond it or not set), plus the tolerance.
QDate vencimentoComTolerancia(const Mensalista& m, const QDate& hoje) {
    const int ultimo = hoje.daysInMonth();
    const int dia = std::clamp(m.diaVencto.value_or(ultimo), 1, ultimo);
    return QDate(hoje.year(), hoje.month(), dia).addDays(m.tolerancia);
}

enum class Decisao { Segue, Desiste };

}  // namespace

qint64 ultimo_ticket(Banco& db) {
    return db.valor(QStringLiteral(
                        "SELECT max(coalesce((SELECT max(ticket) FROM gera_ticket), 0), "
                        "coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'gera_ticket'), 0))"))
        .toLongLong();
}

ResultadoPista registra_entrada(Contexto& ctx, ControleCancelas& cancelas,
                                const CamposEntrada& campos) {
    Estado& e = ctx.estado;
    Plataforma& p = ctx.plataforma;
    Banco& db = e.db;
    const QString placa = campos.pla.trimmed();

    if (placaEmBranco(campos.pla))
        return ResultadoPista::recusa(QStringLiteral("Digite a placa."), Icone::Informacao,
                                      CampoPista::pla);

    try {
        if (db.existe(QStringLiteral("SELECT placa FROM veiculos_patio WHERE placa = ?"), {placa}))
            return ResultadoPista::recusa(
                QStringLiteral("Veículo com placa %1 já está no estacionamento.").arg(placa),
                Icone::Exclamacao, CampoPista::pla);

        // The subscriber rules go by the day of the program clock as they run.
        const QDate hoje = e.data_atual;
        const QDate mesAtual(hoje.year(), hoje.month(), 1);

        const std::optional<Mensalista> mensalista = mensalistaDaPlaca(db, placa);
        // A casual vehicle needs a ticket: past the last number none can be given, and the
        // operator is told how the numbering starts again.
        if (!mensalista && ultimo_ticket(db) >= kMaiorTicket)
            return ResultadoPista::recusa(msgTicketsEsgotados(), Icone::Exclamacao, CampoPista::pla);
        QVariant mensalistaPago;   // NULL: casual, or covered by the subscription
        bool criaMes = false;
        // This month's fee, owed: the subscriber's own row, with its branch.
        const auto gravaMes = [&] {
            db.executa(QStringLiteral("INSERT INTO mensalidades (codigo, mes, pago, filial) "
                                      "VALUES (?, ?, 0, ?)"),
                       {mensalista->chave.codigo, dataParaBanco(mesAtual), mensalista->chave.filial});
        };

        if (mensalista) {
            const Mensalista& m = *mensalista;
            bool pagaSeparado = false;

            // Quota of the subscriber's vehicles in the yard. A count above the quota (vehicles
            // that entered to pay separately) asks as well, so the quota cannot be overrun.
            const CondicaoMensalista seus = dasLinhas(db, m.chave, QStringLiteral("veiculos_mensalistas"));
            const int noPatio =
                db.valor(QStringLiteral("SELECT count(*) FROM veiculos_patio WHERE placa IN "
                                        "(SELECT placa FROM veiculos_mensalistas WHERE %1)")
                             .arg(seus.sql),
                         seus.valores)
                    .toInt();
            if (noPatio > 0 && m.numMaxVeic && noPatio >= *m.numMaxVeic) {
                if (!p.pergunta(QStringLiteral("O mensalista %1 já possui o número máximo de "
                                               "veículos no pátio (%2). Deseja entrar e pagar "
                                               "separadamente?")
                                    .arg(m.nome.trimmed())
                                    .arg(*m.numMaxVeic)))
                    return {};
                mensalistaPago = kPagaSeparado;
                pagaSeparado = true;
            }

            if (!pagaSeparado) {
                const int d = hoje.day();
                const bool alemDaTolerancia = m.diaVencto && *m.diaVencto + m.tolerancia < d;
                const auto aviso = [&] {
                    p.mensagem(QStringLiteral("Mensalista %1 em atraso. Após dia %2 será cobrado "
                                              "separadamente(Rotativo ou outro).")
                                   .arg(m.nome, dataBr(vencimentoComTolerancia(m, hoje))),
                               Icone::Informacao);
                };
                const auto regraAtraso = [&] {
                    if (e.men_atraso_tranca) {
                        if (!p.pergunta(QStringLiteral("Mensalista %1 em atraso. Deseja entrar e "
                                                       "pagar separadamente?")
                                            .arg(m.nome)))
                            return Decisao::Desiste;
                        mensalistaPago = kPagaEmAtraso;
                    } else {
                        p.mensagem(QStringLiteral("Este mensalista está em atraso!"),
                                   Icone::Exclamacao);
                    }
                    return Decisao::Segue;
                };

                // Only this subscriber's months: another of its code may owe or have paid.
                const CondicaoMensalista meses = dasLinhas(db, m.chave, QStringLiteral("mensalidades"));
                if (m.diaVencto && *m.diaVencto < d) {
                    // This month's due day has passed: only this month's row counts.
                    QSqlQuery q = db.executa(
                        QStringLiteral("SELECT pago FROM mensalidades WHERE %1 AND "
                                       "substr(mes, 1, 10) = ? LIMIT 1")
                            .arg(meses.sql),
                        meses.valores + QVariantList{dataParaBanco(mesAtual)});
                    if (!q.next()) {
                        criaMes = true;
                        if (alemDaTolerancia) {
                            if (e.men_atraso_tranca) {
                                if (!p.pergunta(QStringLiteral("Mensalista %1 em atraso. Deseja "
                                                               "entrar e pagar como avulso?")
                                                    .arg(m.nome))) {
                                    // The fee of the month is owed whether or not he enters.
                                    gravaMes();
                                    return {};
                                }
                                mensalistaPago = kPagaEmAtraso;
                            } else {
                                p.mensagem(QStringLiteral("Mensalista %1 em atraso!").arg(m.nome),
                                           Icone::Exclamacao);
                            }
                        } else {
                            aviso();
                        }
                    } else if (!q.value(0).toBool()) {
                        if (alemDaTolerancia) {
                            if (regraAtraso() == Decisao::Desiste) return {};
                        } else {
                            aviso();
                        }
                    }
                } else if (db.existe(QStringLiteral("SELECT 1 FROM mensalidades WHERE %1 AND "
                                                    "pago = 0")
                                         .arg(meses.sql),
                                     meses.valores)) {
                    if (alemDaTolerancia) {
                        if (regraAtraso() == Decisao::Desiste) return {};
                    } else {
                        aviso();
                    }
                }
            }
        }

        // The stamp is read once the questions are answered: the clock went on meanwhile.
        const QDate dataEntrada = e.data_atual;
        const QTime horaEntrada = e.hora_atual;

        ResultadoPista r;
        const QString pri = campos.pri.trimmed();
        bool priNumero = false;
        const int prisma = pri.toInt(&priNumero);
        QString vei = campos.vei;
        if (vei.isNull()) vei = QStringLiteral("");

        Transacao t(db);
        if (criaMes) gravaMes();
        QVariant ticket;
        if (mensalista) {
            r.tic = QStringLiteral("0000000000");   // a subscriber's vehicle has no ticket
        } else {
            ticket = db.executaDireto("INSERT INTO gera_ticket DEFAULT VALUES");
            r.tic = QString::number(ticket.toLongLong()).leftJustified(10, u' ');
        }
        r.linhaPatio = db.executaDireto("INSERT INTO veiculos_patio (mensalista, mensalista_pago, placa, "
                                  "data_entrada, hora_entrada, ticket, prisma, veiculo) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                   {mensalista ? QVariant(mensalista->chave.codigo) : QVariant(), mensalistaPago, campos.pla,
                    dataParaBanco(dataEntrada), horaParaBanco(horaEntrada), ticket,
                    priNumero ? QVariant(prisma) : QVariant(), vei});
        if (e.ativar_cancela_ent_manual) {
            db.executa(QStringLiteral("INSERT INTO lista_entrada (placa, data_entrada, hora_entrada) "
                                      "VALUES (?, ?, ?)"),
                       {campos.pla, dataParaBanco(dataEntrada), horaParaBanco(horaEntrada)});
            r.enfileirado = true;
        }
        t.confirma();

        r.registrado = true;
        r.dat_ent = dataBr(dataEntrada);
        r.hor_ent = horaHms(horaEntrada);
        cancelas.passoAutomatico(Lado::Entrada);
        return r;
    } catch (const ErroBanco& erro) {
        return ResultadoPista::recusa(
            erro.mensagemPara(QStringLiteral("registrar a entrada do veículo")),
            Icone::Critico, CampoPista::pla);
    }
}
