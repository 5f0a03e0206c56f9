#include "yard/busca_saida.h"

#include "data/datas.h"
#include "yard/resultado_pista.h"

#include <QSqlQuery>
#include <QSqlRecord>

std::optional<VeiculoEncontrado> busca_saida(Banco& db, CampoBusca campo, const QString& texto,
                                             const QDate& data_atual, const QTime& hora_atual) {
    const QString limpo = texto.trimmed();
    QVariant valor;
    const char* coluna = "placa";
    bool numero = true;
    switch (campo) {
    case CampoBusca::Ticket:
        coluna = "ticket";
        valor = limpo.toLongLong(&numero);
        break;
    case CampoBusca::Prisma:
        coluna = "prisma";
        valor = limpo.toInt(&numero);
        break;
    case CampoBusca::Placa:
        if (placaEmBranco(texto)) return std::nullopt;
        valor = texto;
        break;
    }
    if (limpo.isEmpty() || !numero) return std::nullopt;

    QSqlQuery q = db.executa(
        QStringLiteral("SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM "
                       "veiculos_patio WHERE %1 = ? ORDER BY rowid LIMIT 1")
            .arg(QLatin1String(coluna)),
        {valor});
    if (!q.next()) return std::nullopt;
    VeiculoEncontrado v;
    const QVariant ticket = q.value(0);
    v.mensalista = ticket.isNull();
    v.tic = v.mensalista ? QStringLiteral("0000000000")
                         : QString::number(ticket.toLongLong()).leftJustified(10, u' ');
    v.pla = q.value(1).toString();
    v.dat_ent = dataBr(dataDoBanco(q.value(2)));
    v.hor_ent = horaHms(horaDoBanco(q.value(3)));
    v.dat_sai = dataBr(data_atual);
    v.hor_sai = horaHms(hora_atual);
    v.vei = q.value(4).toString();
    return v;
}
