#include "yard/busca_saida.h"

#include "data/datas.h"
#include "yard/resultado_pista.h"

std::optional<VeiculoEncontrado> busca_saida(Banco& db, CampoBusca campo, const QString& texto,
                                             const QDate& data_atual, const QTime& hora_atual) {
    const QString limpo = texto.trimmed();
    QVariant valor;
    bool numero = true;
    switch (campo) {
    case CampoBusca::Ticket:
        valor = limpo.toLongLong(&numero);
        break;
    case CampoBusca::Prisma:
        valor = limpo.toInt(&numero);
        break;
    case CampoBusca::Placa:
        if (placaEmBranco(texto)) return std::nullopt;
        valor = texto;
        break;
    }
    if (limpo.isEmpty() || !numero) return std::nullopt;

    // One statement kept for each field: the exit looks up at every vehicle.
    static const char* const consultas[] = {
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE ticket = ? ORDER BY rowid LIMIT 1",
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE placa = ? ORDER BY rowid LIMIT 1",
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE prisma = ? ORDER BY rowid LIMIT 1",
    };
    const std::optional<QVariantList> linha = db.primeiraLinha(consultas[int(campo)], {valor});
    if (!linha) return std::nullopt;
    const QVariantList& q = *linha;
    VeiculoEncontrado v;
    const QVariant ticket = q[0];
    v.mensalista = ticket.isNull();
    v.tic = v.mensalista ? QStringLiteral("0000000000")
                         : QString::number(ticket.toLongLong()).leftJustified(10, u' ');
    v.pla = q[1].toString();
    v.dat_ent = dataBr(dataDoBanco(q[2]));
    v.hor_ent = horaHms(horaDoBanco(q[3]));
    v.dat_sai = dataBr(data_atual);
    v.hor_sai = horaHms(hora_atual);
    v.vei = q[4].toString();
    return v;
}
