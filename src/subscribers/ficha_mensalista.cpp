#include "subscribers/ficha_mensalista.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "subscribers/campos_mensalista.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString doisDigitos(const QVariant& v, const QString& vazio) {
    return v.isNull() ? vazio : QStringLiteral("%1").arg(v.toInt(), 2, 10, QLatin1Char('0'));
}

// "#,#00.00": at least two digits before the comma.
QString valorHistorico(const QVariant& v) {
    const auto d = Dinheiro::doBanco(v);
    if (!d) return {};
    QString t = d->formata();
    if (t.indexOf(u',') == 1) t.prepend(u'0');
    return t;
}

QString dataOu(const QVariant& v, const QString& vazio) {
    const QDate d = dataDoBanco(v);
    return d.isValid() ? dataBr(d) : vazio;
}

}  // namespace

std::optional<FichaMensalista> leFichaMensalista(Banco& db, const ChaveMensalista& m) {
    const CondicaoMensalista cadastro = doCadastro(m);
    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM mensalistas WHERE ") + cadastro.sql,
                             cadastro.valores);
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    auto v = [&](const char* campo) { return r.value(QLatin1String(campo)); };
    auto t = [&](const char* campo) { return v(campo).toString(); };

    FichaMensalista f;
    f.cod = t("codigo");
    f.excluido = v("excluido").toBool();
    f.dat = dataOu(v("data_inicio"), kDataVazia);
    f.nom = t("nome");
    f.ende = t("endereco");
    f.bai = t("bairro");
    f.cep = t("cep").isEmpty() ? kCepVazio : t("cep");
    f.cid = t("cidade");
    const QDate aniversario = dataDoBanco(v("aniversario"));
    f.ani = aniversario.isValid() ? aniversario.toString(QStringLiteral("dd/MM")) : kAniversarioVazio;
    f.tel_res = t("tel_res");
    f.tel_com = t("tel_com");
    f.tel_cel = t("tel_cel");
    f.fax = t("fax");
    f.rg = t("rg");
    f.cnpj = !t("cnpj").isEmpty();
    f.documento = f.cnpj ? t("cnpj") : (t("cpf").isEmpty() ? kCpfVazio : t("cpf"));
    f.tipo = t("tipo");
    f.dia = doisDigitos(v("dia_vencto"), QStringLiteral("  "));
    const auto fee = Dinheiro::doBanco(v("valor"));
    f.valor = fee ? fee->formata() : QString();
    f.tol = v("tolerancia").isNull() ? QStringLiteral(" 0") : t("tolerancia").leftJustified(2).left(2);
    f.filial = t("filial");
    f.num = doisDigitos(v("num_max_veic"), QStringLiteral("  "));
    f.dat_ini = dataOu(v("data_ini_ferias"), kDataVazia);
    f.dat_fim = dataOu(v("data_fim_ferias"), kDataVazia);
    const char* dias[] = {"dom", "seg", "ter", "qua", "qui", "sex", "sab"};
    for (int i = 0; i < 7; ++i) f.dias[size_t(i)] = v(dias[i]).toBool();
    const QTime hIni = horaDoBanco(v("hora_inicio")), hFim = horaDoBanco(v("hora_fim"));
    f.hor_ini = hIni.isValid() ? horaHms(hIni) : kHoraLongaVazia;
    f.hor_fim = hFim.isValid() ? horaHms(hFim) : kHoraLongaVazia;

    const CondicaoMensalista seus = dasLinhas(db, m, QStringLiteral("veiculos_mensalistas"));
    QSqlQuery veiculos = db.executa(
        QStringLiteral("SELECT veiculo, ano, placa FROM veiculos_mensalistas WHERE %1 ORDER BY rowid")
            .arg(seus.sql),
        seus.valores);
    while (veiculos.next())
        f.veiculos << QStringList{veiculos.value(0).toString(),
                                  veiculos.value(1).toString().leftJustified(4).left(4),
                                  veiculos.value(2).toString()};

    const CondicaoMensalista doMensalista = dasLinhas(db, m, QStringLiteral("mensalidades"));
    QSqlQuery meses = db.executa(QStringLiteral("SELECT mes, pago, data_pgto, valor FROM mensalidades "
                                                "WHERE %1 ORDER BY mes DESC")
                                     .arg(doMensalista.sql),
                                 doMensalista.valores);
    while (meses.next())
        f.historico.append({{dataDoBanco(meses.value(0)).toString(QStringLiteral("MM/yy")),
                             dataDoBanco(meses.value(2)).toString(QStringLiteral("dd/MM/yy")),
                             valorHistorico(meses.value(3))},
                            !meses.value(1).isNull() && !meses.value(1).toBool()});
    return f;
}
