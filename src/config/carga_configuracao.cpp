#include "config/carga_configuracao.h"
#include "config/numeracao_ticket.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "yard/entrada.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

bool verdadeiro(const QSqlRecord& r, const char* campo) {
    return r.value(QLatin1String(campo)).toInt() != 0;
}

QString texto(const QSqlRecord& r, const char* campo) {
    return r.value(QLatin1String(campo)).toString();
}

// The tax rate as the list shows it: "3,0", "17,0".
QString textoAliquota(Dinheiro aliquota) {
    const qint64 decimos = (aliquota.valorBruto() + (aliquota.valorBruto() >= 0 ? 500 : -500)) / 1000;
    return QStringLiteral("%1,%2").arg(decimos / 10).arg(qAbs(decimos % 10));
}

QString itemAliquota(const QSqlRecord& g) {
    const QString imposto = texto(g, "imposto");
    if (imposto == QLatin1String("ST") || imposto == QLatin1String("Isento")) return imposto;
    const auto aliquota = Dinheiro::doBanco(g.value(QStringLiteral("aliquota")));
    if (!aliquota) return QStringLiteral(" ");
    if (*aliquota == Dinheiro{}) return QStringLiteral("Isento");
    return textoAliquota(*aliquota);
}

}  // namespace

QString textoEmCasas(qint64 numero, int casas) {
    return QString::number(numero).left(casas).leftJustified(casas, u' ');
}

CargaConfiguracao leCargaConfiguracao(Banco& db) {
    CargaConfiguracao c;

    QSqlQuery r = db.executa(QStringLiteral("SELECT apos_cobrar, apos_a_cada FROM rotativo"));
    if (r.next()) {
        if (const auto v = Dinheiro::doBanco(r.value(0))) c.apo_cob = v->formata();
        c.apo_cad = horaHm(horaDoBanco(r.value(1)));
    }

    QSqlQuery d = db.executa(QStringLiteral("SELECT tempo, valor FROM diaria"));
    if (d.next()) {
        if (!d.value(0).isNull())
            c.tem_dia = QStringLiteral("%1").arg(d.value(0).toInt(), 2, 10, QLatin1Char('0'));
        if (const auto v = Dinheiro::doBanco(d.value(1))) c.val_dia = v->formata();
    }

    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM geral LIMIT 1"));
    if (!q.next())
        throw ErroBanco(QStringLiteral(
            "O arquivo de dados não contém as configurações gerais do sistema."));
    const QSqlRecord g = q.record();
    c.cnp = texto(g, "cnpj");
    c.mostrar_lista = verdadeiro(g, "mostrar_lista");
    c.habilitar_prisma = verdadeiro(g, "habilitar_prisma");
    c.estacionamento24h = verdadeiro(g, "estacionamento24h");
    c.men_atraso_tranca = verdadeiro(g, "men_atraso_tranca");
    c.rel_analitico = verdadeiro(g, "rel_analitico");
    c.habilitar_veiculo = verdadeiro(g, "habilitar_veiculo");
    c.lin1 = texto(g, "linha1");
    c.lin2 = texto(g, "linha2");
    c.lin3 = texto(g, "linha3");
    c.lin4 = texto(g, "linha4");
    c.pen = texto(g, "penult_linha");
    c.ult = texto(g, "ult_linha");
    c.impr = texto(g, "impressora");
    c.can_ent = texto(g, "cancela_entrada");
    c.can_sai = texto(g, "cancela_saida");
    c.ativar_cancela_ent = verdadeiro(g, "ativar_cancela_ent");
    c.ativar_cancela_sai = verdadeiro(g, "ativar_cancela_sai");
    c.ativar_cancela_ent_manual = verdadeiro(g, "ativar_cancela_ent_manual");
    c.ativar_cancela_sai_manual = verdadeiro(g, "ativar_cancela_sai_manual");
    c.tem_ent = QString::number(g.value(QStringLiteral("tempo_cancela_ent")).toInt());
    c.tem_sai = QString::number(g.value(QStringLiteral("tempo_cancela_sai")).toInt());
    const int baixa = g.value(QStringLiteral("tempo_baixa_cancelas")).toInt();
    c.baixam_sozinhas = baixa == 0;
    if (baixa != 0) c.bai = textoEmCasas(baixa, 2);
    const int bobina = g.value(QStringLiteral("bobina")).toInt();
    c.bobina = (bobina == 40 || bobina == 48) ? bobina : 36;
    if (!g.value(QStringLiteral("avanco_bobina")).isNull())
        c.ava = textoEmCasas(g.value(QStringLiteral("avanco_bobina")).toInt(), 2);
    c.imp_fis = g.value(QStringLiteral("impressora_fiscal")).isNull()
                    ? QStringLiteral(" ")
                    : texto(g, "impressora_fiscal");
    c.ali = itemAliquota(g);
    c.leiturax = verdadeiro(g, "leiturax");
    const QTime reducao = horaDoBanco(g.value(QStringLiteral("reducaoz")));
    c.reducaoz = reducao.isValid();
    if (c.reducaoz) c.hor_red = horaHm(reducao);

    const qint64 ultimo = ultimo_ticket(db);
    if (ultimo == 0) {
        c.tic = QString(kCasasTicket, u' ');
        c.pro = textoNumeracao(1);
    } else {
        c.tic = textoNumeracao(ultimo);
        c.pro = textoProximoTicket(ultimo);
    }

    c.escritorio = verdadeiro(g, "escritorio");
    if (c.escritorio) {
        c.fil = QStringLiteral("  ");
    } else if (g.value(QStringLiteral("filial")).isNull()) {
        c.fil = QStringLiteral("  ");
        c.filial = 0;
    } else {
        const int filial = g.value(QStringLiteral("filial")).toInt();
        c.fil = QStringLiteral("%1").arg(filial, 2, 10, QLatin1Char('0'));
        c.filial = qint16(filial);
    }
    return c;
}
