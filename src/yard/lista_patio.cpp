#include "yard/lista_patio.h"

#include "data/datas.h"
#include "devices/bobina.h"

#include <QSqlQuery>

QList<VeiculoPatio> veiculos_no_patio(Banco& db, bool porPlaca) {
    QSqlQuery q = db.executa(porPlaca ? QStringLiteral("SELECT prisma, placa, data_entrada, hora_entrada "
                                                       "FROM veiculos_patio ORDER BY placa")
                                      : QStringLiteral("SELECT prisma, placa, data_entrada, hora_entrada "
                                                       "FROM veiculos_patio ORDER BY prisma, placa"));
    QList<VeiculoPatio> r;
    while (q.next())
        r.append({q.value(0).isNull() ? QString() : q.value(0).toString(), q.value(1).toString(),
                  dataDoBanco(q.value(2)), horaDoBanco(q.value(3))});
    return r;
}

QString texto_total_patio(qsizetype n) {
    if (n <= 0) return QStringLiteral("Nenhum Veículo");
    if (n == 1) return QStringLiteral("1 Veículo");
    return QStringLiteral("%1 Veículos").arg(n);
}

bool lista_por_placa(int bobina) { return Bobina::largura(bobina) == 48; }

QByteArray impressao_lista_patio(int bobina, int avanco, const QList<VeiculoPatio>& veiculos) {
    const int largura = Bobina::largura(bobina);
    Bobina b(largura);
    const QString regua(largura, u'-');
    if (largura == 36) {
        b.linha(QStringLiteral("          LISTA DE PATIO"));
        b.linha(QStringLiteral("Pr.  Placa     Data Ent. Hora Ent."));
    } else if (largura == 40) {
        b.linha(QStringLiteral("         LISTA DE PATIO"));
        b.linha(QStringLiteral("Prisma  Placa     Data Ent.    Hora Ent."));
    } else {
        b.linha(QStringLiteral("                LISTA DE PATIO"));
        b.linha(QStringLiteral("Prisma   Placa      Data Entrada    Hora Entrada"));
    }
    b.linha(regua);
    for (const VeiculoPatio& v : veiculos) {
        const QString hora = horaHms(v.hora_entrada);
        if (largura == 36)
            b.linha(v.prisma.leftJustified(5, u' ', true) + v.placa + QStringLiteral("  ") +
                    v.data_entrada.toString(QStringLiteral("dd/MM/yy")) + QStringLiteral("  ") + hora);
        else if (largura == 40)
            b.linha(v.prisma.leftJustified(8, u' ', true) + v.placa + QStringLiteral("  ") +
                    dataBr(v.data_entrada) + QStringLiteral("   ") + hora);
        else
            b.linha(v.prisma.leftJustified(9, u' ', true) + v.placa + QStringLiteral("   ") +
                    dataBr(v.data_entrada) + QStringLiteral("      ") + hora);
    }
    b.linha(regua);
    b.linha(veiculos.size() == 1 ? QStringLiteral("Total: 1 Veiculo")
                                 : QStringLiteral("Total: %1 Veiculos").arg(veiculos.size()));
    b.avanco(avanco);
    return b.bytes();
}
