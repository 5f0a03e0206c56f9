#include "yard/saida.h"

#include "data/datas.h"
#include "data/dinheiro.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

QVariant dataDoCampo(const QString& texto) {
    return dataParaBanco(QDate::fromString(texto.trimmed(), QStringLiteral("dd/MM/yyyy")));
}

QVariant horaDoCampo(const QString& texto) {
    QTime t = QTime::fromString(texto.trimmed(), QStringLiteral("HH:mm:ss"));
    if (!t.isValid()) t = QTime::fromString(texto.trimmed(), QStringLiteral("HH:mm"));
    return horaParaBanco(t);
}

QVariant numeroOuNulo(const QString& texto) {
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant();
}

// The plate as shown, or NULL for an unfilled one (the field refuses the empty text).
QVariant placaOuNula(const QString& pla) {
    return placaEmBranco(pla) ? QVariant() : QVariant(pla);
}

}  // namespace

bool totalDoVeiculo(const CamposSaida& c) {
    if (!c.calculo || c.calculo->tot != c.tot) return false;
    PedidoTarifa agora;
    agora.modalidade = c.modalidade;
    agora.tic = c.tic;
    agora.pla = c.pla;
    agora.dat_ent = c.dat_ent;
    agora.hor_ent = c.hor_ent;
    agora.dat_sai = c.dat_sai;
    agora.hor_sai = c.hor_sai;
    agora.tur = c.tur;
    agora.cod_con = c.cod_con;
    return mesmoCalculo(c.calculo->pedido, agora);
}

ResultadoPista registra_saida(Contexto& ctx, ControleCancelas& cancelas, const CamposSaida& c) {
    Estado& e = ctx.estado;
    Banco& db = e.db;
    const bool mensalista = c.modalidade == QLatin1String("M");
    static const QStringList kTipos{QStringLiteral("R"), QStringLiteral("T"), QStringLiteral("C"),
                                    QStringLiteral("M")};
    const QString tipo = kTipos.contains(c.modalidade) ? c.modalidade : QStringLiteral("D");

    // A total that is not an amount (no fee computed yet) is refused like "ERRO".
    const std::optional<Dinheiro> total = Dinheiro::ler(c.tot);
    if (c.tot == QLatin1String("ERRO") || !total)
        return ResultadoPista::recusa(QStringLiteral("Total com erro."), Icone::Exclamacao,
                                      CampoPista::val_pag);
    // A fee left from another vehicle (or computed before the vehicle was found again) is not
    // this stay's: it is never stored.
    if (!totalDoVeiculo(c))
        return ResultadoPista::recusa(kMsgTotalDeOutroVeiculo, Icone::Exclamacao,
                                      CampoPista::val_pag);

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
    if (*pago < *total)
        return ResultadoPista::recusa(QStringLiteral("Valor Pago menor que Total."),
                                      Icone::Exclamacao, CampoPista::val_pag);

    try {
        QSqlQuery q = mensalista
            ? db.executa(QStringLiteral("SELECT rowid, mensalista FROM veiculos_patio "
                                        "WHERE placa = ? ORDER BY rowid LIMIT 1"),
                         {c.pla})
            : db.executa(QStringLiteral("SELECT rowid, mensalista FROM veiculos_patio "
                                        "WHERE ticket = ? OR placa = ? ORDER BY rowid LIMIT 1"),
                         {numeroOuNulo(c.tic), c.pla});
        if (!q.next())
            return ResultadoPista::recusa(QStringLiteral("Veículo não encontrado."),
                                          Icone::Exclamacao, CampoPista::Nenhum);
        const qint64 linha = q.value(0).toLongLong();
        const QVariant codigoMensalista = q.value(1);
        q.finish();

        ResultadoPista r;
        Transacao t(db);
        db.executa(QStringLiteral("DELETE FROM veiculos_patio WHERE rowid = ?"), {linha});
        db.executa(
            QStringLiteral("INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, "
                           "hora_saida, ticket, placa, mensalista, convenio, tipo_estacionamento, "
                           "caixa, total, valor_liquido) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {dataDoCampo(c.dat_ent), horaDoCampo(c.hor_ent), dataDoCampo(c.dat_sai),
             horaDoCampo(c.hor_sai), numeroOuNulo(c.tic), placaOuNula(c.pla),
             mensalista ? codigoMensalista : QVariant(),
             c.modalidade == QLatin1String("C") ? numeroOuNulo(c.cod_con) : QVariant(),
             tipo, e.numero_caixa, total->paraBanco(), total->paraBanco()});
        if (e.ativar_cancela_sai_manual) {
            db.executa(QStringLiteral("INSERT INTO lista_saida (placa, data_entrada, hora_entrada) "
                                      "VALUES (?, ?, ?)"),
                       {c.pla.isEmpty() ? QStringLiteral("   -    ") : c.pla, dataDoCampo(c.dat_ent), horaDoCampo(c.hor_ent)});
            r.enfileirado = true;
        }
        t.confirma();

        r.registrado = true;
        cancelas.passoAutomatico(Lado::Saida);
        return r;
    } catch (const ErroBanco& erro) {
        return ResultadoPista::recusa(
            erro.mensagemPara(QStringLiteral("registrar a saída do veículo, que continua no pátio")),
            Icone::Critico, CampoPista::Nenhum);
    }
}
