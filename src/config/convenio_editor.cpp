#include "config/convenio_editor.h"

#include "config/hora_texto.h"
#include "data/banco.h"
#include "data/datas.h"
#include "data/dinheiro.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString dinheiro(const QVariant& v) {
    const auto d = Dinheiro::doBanco(v);
    return d ? d->formata() : QString();
}

QString horaCurta(const QVariant& v, const QString& vazia) {
    const QTime t = horaDoBanco(v);
    return t.isValid() ? horaHm(t) : vazia;
}

}  // namespace

std::optional<EdicaoConvenio> le_convenio(Banco& db, const QString& nome) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM convenios WHERE convenio = ?"), {nome});
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    auto campo = [&r](const char* n) { return r.value(QLatin1String(n)); };

    EdicaoConvenio e;
    e.con = campo("convenio").toString();
    e.cod_con = campo("codigo").toString();
    const QString tipo = campo("isento_fixo_variavel").toString();
    if (tipo == u"F") {
        e.tipo = u'F';
        e.val_fix = dinheiro(campo("valor_fixo"));
    } else if (tipo == u"V") {
        e.tipo = u'V';
        e.apos_fixo = !campo("apos_fixo").isNull();
        if (e.apos_fixo) {
            e.apo_fix = dinheiro(campo("apos_fixo"));
        } else {
            e.apo_var = dinheiro(campo("apos_cobrar"));
            e.apo_tem = horaCurta(campo("apos_a_cada"), kHoraVazia);
        }
    }
    if (!campo("das_hor_ini").isNull()) {
        e.janela = true;
        e.hor_ini = horaCurta(campo("das_hor_ini"), kHoraVazia);
        e.hor_fim = horaCurta(campo("das_hor_fim"), kHoraVazia);
        e.cob = dinheiro(campo("das_cobrar"));
    }
    for (auto [texto, destino] : {std::pair{campo("hora_inicio"), &e.hora_inicio},
                                  std::pair{campo("hora_fim"), &e.hora_fim}}) {
        const QTime t = horaDoBanco(texto);
        if (t.isValid()) *destino = horaHms(t);
    }
    for (size_t i = 0; i < kCamposDias.size(); ++i) e.dias[i] = campo(kCamposDias[i]).toInt() != 0;

    if (e.tipo == u'V') {
        QSqlQuery p = db.executa(
            QStringLiteral("SELECT tempo, valor FROM convenios_variaveis WHERE codigo = ? ORDER BY ordem"),
            {campo("codigo")});
        while (p.next()) e.passos.append({horaCurta(p.value(0), QString()), dinheiro(p.value(1))});
    }
    return e;
}

ResultadoAba valida_passo(const QString& tem, const QString& val_con) {
    if (tem.trimmed().size() < 5)
        return ResultadoAba::recusa(QStringLiteral("Preencha o tempo corretamente."), Icone::Informacao, "tem");
    if (tem == QLatin1String("00:00"))
        return ResultadoAba::recusa(QStringLiteral("O tempo não pode ser 00:00"), Icone::Informacao, "tem");
    const auto minutos = numeroDoTexto(tem.right(2));
    if (minutos && *minutos > 59)
        return ResultadoAba::recusa(QStringLiteral("O valor máximo para os minutos é 59."),
                                    Icone::Informacao, "tem");
    // A step is stored as a time of day: the hours go up to 23, and every place must be typed.
    const auto horas = numeroDoTexto(tem.left(2));
    if (horas && *horas > 23)
        return ResultadoAba::recusa(QStringLiteral("O valor máximo para as horas é 23."),
                                    Icone::Informacao, "tem");
    if (!horaDoTexto(tem))
        return ResultadoAba::recusa(QStringLiteral("Preencha o tempo corretamente."), Icone::Informacao, "tem");
    if (auto m = recusaValorDigitado(val_con)) return ResultadoAba::recusa(*m, Icone::Informacao, "val_con");
    if (!Dinheiro::ler(val_con))
        return ResultadoAba::recusa(QStringLiteral("Valor incorreto."), Icone::Informacao, "val_con");
    ResultadoAba ok;
    ok.feito = true;
    return ok;
}
