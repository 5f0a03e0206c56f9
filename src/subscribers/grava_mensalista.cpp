#include "subscribers/grava_mensalista.h"

#include "app/valida_hora.h"
#include "data/datas.h"
#include "data/dinheiro.h"
#include "subscribers/campos_mensalista.h"

#include <QSqlQuery>

namespace {

using C = CampoMensalista;

bool dataValida(const QString& t) { return leDataCampo(t).isValid(); }

// A time whose hours and seconds pass the shared test and whose minutes are a minute too, so it
// can be stored as a time of day.
bool horaValida(const QString& t) { return valida_hora(t) && leHoraCampo(t).isValid(); }

QVariant dataOuNulo(const QString& t, const QString& vazio) {
    return t == vazio ? QVariant() : dataParaBanco(leDataCampo(t));
}

QVariant horaOuNulo(const QString& t) {
    return t == kHoraLongaVazia ? QVariant() : horaParaBanco(leHoraCampo(t));
}

// A text field's value: an empty text is stored as the empty text, never as no value.
QVariant texto(const QString& t) { return t.isNull() ? QVariant(QStringLiteral("")) : QVariant(t); }

}  // namespace

std::optional<ResultadoMensalista> verifica_mensalista(Banco& db, const EntradaMensalista& e) {
    using R = ResultadoMensalista;
    if (!dataValida(e.dat)) return R::recusa(QStringLiteral("Data inválida."), C::dat);
    if (e.nom.trimmed().isEmpty())
        return R::recusa(QStringLiteral("Preencha o nome do mensalista."), C::nom);
    if (!e.tipoEscolhido) return R::recusa(QStringLiteral("Escolha o tipo do mensalista."), C::tip);
    // A blank due day is no day at all: the lanes and the payment need one.
    if (!temDigito(e.dia) || numeroNoCampo(e.dia) > 31)
        return R::recusa(QStringLiteral("Dia de vencimento inválido."), C::dia);
    // A fee left empty would be stored as 0,00 and every month then paid at nothing.
    if (e.valor.trimmed().isEmpty())
        return R::recusa(QStringLiteral("Preencha o valor da mensalidade."), C::valor);
    if (auto m = recusaValorDigitado(e.valor)) return R::recusa(*m, C::valor);
    if (!Dinheiro::ler(e.valor))
        return R::recusa(QStringLiteral("Valor da mensalidade inválido."), C::valor);
    if (e.veiculos.empty() || e.veiculos.front().veiculo.isEmpty())
        return R::recusa(
            QStringLiteral("Insira veículo(s) autorizados por este mensalista a estacionar."),
            C::vei);
    if (e.num.trimmed().isEmpty())
        return R::recusa(QStringLiteral("Número máximo de veículos estacionados simultaneamente "
                                        "deve ser preenchido."),
                         C::num);
    if (numeroNoCampo(e.num) < 1)
        return R::recusa(QStringLiteral("Número máximo de veículos estacionados simultaneamente "
                                        "deve ser ser no mínimo UM."),
                         C::num);
    if (e.dat_ini != kDataVazia && !dataValida(e.dat_ini))
        return R::recusa(QStringLiteral("Data Inicial Férias inválida."), C::dat_ini);
    if (e.dat_fim != kDataVazia && !dataValida(e.dat_fim))
        return R::recusa(QStringLiteral("Data Final Férias inválida."), C::dat_fim);
    if (e.hor_ini != kHoraLongaVazia && !horaValida(e.hor_ini))
        return R::recusa(QStringLiteral("Hora Início inválida."), C::hor_ini);
    if (e.hor_fim != kHoraLongaVazia && !horaValida(e.hor_fim))
        return R::recusa(QStringLiteral("Hora Fim inválida."), C::hor_fim);
    if ((e.hor_ini == kHoraLongaVazia) != (e.hor_fim == kHoraLongaVazia))
        return R::recusa(QStringLiteral("Hora Início e Hora Fim (ambos) devem ser preenchidos ou "
                                        "deixados em branco."),
                         C::Nenhum);
    const bool iniValida = dataValida(e.dat_ini), fimValida = dataValida(e.dat_fim);
    if (iniValida != fimValida)
        return R::recusa(QStringLiteral("Deixe em branco as datas inicial e final de férias ou "
                                        "preencha as duas."),
                         C::Nenhum);
    if (iniValida && leDataCampo(e.dat_ini) > leDataCampo(e.dat_fim))
        return R::recusa(QStringLiteral("Data Final Férias maior que Data Inicial."), C::dat_fim);
    if (e.ani != kAniversarioVazio && !dataValida(e.ani + QStringLiteral("/2000")))
        return R::recusa(QStringLiteral("Aniversário inválido."), C::ani);
    if (!e.cnpj && e.rg.trimmed().isEmpty() && e.cpf == kCpfVazio)
        return R::recusa(QStringLiteral("RG e/ou CPF deve ser preenchido."), C::Nenhum);
    if (e.cnpj && e.rg.trimmed().isEmpty() && e.cpf == kCnpjVazio)
        return R::recusa(QStringLiteral("RG e/ou CNPJ deve ser preenchido."), C::Nenhum);
    if (e.tol.trimmed().isEmpty())
        return R::recusa(QStringLiteral("Tolerância deve ser um número."), C::tol);
    if (!e.filialEscolhida) return R::recusa(QStringLiteral("Escolha a filial."), C::fil);

    const std::optional<ChaveMensalista> carregado = e.carregado();
    // Moved to another branch, the subscriber keeps its code: that branch must not have it.
    const QVariant filial = ChaveMensalista::filialDoTexto(e.cod_fil);
    if (carregado && filial != carregado->filial &&
        db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE codigo = ? AND filial IS ?"),
                  {carregado->codigo, filial}))
        return R::recusa(QStringLiteral("Já existe mensalista com o código %1 na filial escolhida.")
                             .arg(carregado->codigo),
                         C::fil, Icone::Exclamacao);

    // A name is unique within the branch: at an office two branches may each have their own
    // subscriber of one name, as they have their own of one code.
    QString mesmoNome = QStringLiteral(
        "SELECT nome FROM mensalistas WHERE nome = ? AND filial IS ? AND excluido = 0");
    QVariantList valores{e.nom.trimmed(), filial};
    if (carregado) {
        mesmoNome += QStringLiteral(" AND NOT (codigo = ? AND filial IS ?)");
        valores << carregado->codigo << carregado->filial;
    }
    if (db.existe(mesmoNome, valores))
        return R::recusa(QStringLiteral("Já existe mensalista com este nome!"), C::Nenhum,
                         Icone::Exclamacao);
    for (const VeiculoMensalista& v : e.veiculos) {
        if (v.veiculo.isEmpty()) break;
        if (auto r = placaDeOutro(db, carregado, v.placa)) return r;
    }
    return std::nullopt;
}

std::optional<ResultadoMensalista> placaDeOutro(Banco& db,
                                                const std::optional<ChaveMensalista>& carregado,
                                                const QString& placa) {
    const CondicaoMensalista dono =
        veiculoDoMensalista(QStringLiteral("veiculos_mensalistas"), QStringLiteral("mensalistas"));
    QString sql = QStringLiteral(
        "SELECT veiculos_mensalistas.placa, mensalistas.codigo FROM veiculos_mensalistas, "
        "mensalistas WHERE veiculos_mensalistas.placa = ? AND mensalistas.codigo = "
        "veiculos_mensalistas.codigo AND mensalistas.excluido = 0 AND ") + dono.sql;
    QVariantList valores = QVariantList{placa} + dono.valores;
    if (carregado) {
        sql += QStringLiteral(" AND NOT (mensalistas.codigo = ? AND mensalistas.filial IS ?)");
        valores << carregado->codigo << carregado->filial;
    }
    QSqlQuery q = db.executa(sql, valores);
    if (!q.next()) return std::nullopt;
    return ResultadoMensalista::recusa(
        QStringLiteral("A placa %1 pertence ao mensalista com código %2 e não pode ser inserido "
                       "novamente.")
            .arg(q.value(0).toString(), q.value(1).toString().trimmed()),
        CampoMensalista::Nenhum);
}

ResultadoMensalista grava_mensalista(Banco& db, const EntradaMensalista& e, const QDate& hoje) {
    if (auto recusa = verifica_mensalista(db, e)) return *recusa;

    const QString doc = e.cpf;
    const QString cpf = e.cnpj || doc == kCpfVazio ? QString() : doc;
    const QString cnpj = !e.cnpj || doc == kCnpjVazio ? QString() : doc;
    const QVariant filial = e.cod_fil.toLongLong();
    const std::optional<ChaveMensalista> carregado = e.carregado();

    Transacao t(db);
    qint64 codigo;
    // The vehicles replaced are the loaded subscriber's, found before its row changes branch;
    // a new code's are every row left under it.
    CondicaoMensalista veiculos{QStringLiteral("codigo = ?"), {}};
    if (carregado) veiculos = dasLinhas(db, *carregado, QStringLiteral("veiculos_mensalistas"));
    const QVariantList campos{
        dataParaBanco(leDataCampo(e.dat)),
        e.nom.trimmed(),
        texto(e.ende.trimmed()),
        texto(e.bai.trimmed()),
        texto(e.cep.trimmed() == QLatin1String("-") ? QString() : e.cep),
        texto(e.cid),
        e.ani == kAniversarioVazio ? QVariant()
                                   : dataParaBanco(leDataCampo(e.ani + QStringLiteral("/2000"))),
        texto(e.tel_res), texto(e.tel_com), texto(e.tel_cel), texto(e.fax), texto(e.rg),
        texto(cpf), texto(cnpj),
        e.cod_tip.trimmed().toLongLong(),
        numeroNoCampo(e.dia),
        Dinheiro::ler(e.valor).value_or(Dinheiro{}).paraBanco(),
        filial,
        numeroNoCampo(e.tol),
        numeroNoCampo(e.num),
        e.dias[0], e.dias[1], e.dias[2], e.dias[3], e.dias[4], e.dias[5], e.dias[6],
        horaOuNulo(e.hor_ini), horaOuNulo(e.hor_fim),
        dataOuNulo(e.dat_ini, kDataVazia), dataOuNulo(e.dat_fim, kDataVazia),
    };
    const QString nomes = QStringLiteral(
        "data_inicio, nome, endereco, bairro, cep, cidade, aniversario, tel_res, tel_com, "
        "tel_cel, fax, rg, cpf, cnpj, tipo, dia_vencto, valor, filial, tolerancia, num_max_veic, "
        "dom, seg, ter, qua, qui, sex, sab, hora_inicio, hora_fim, data_ini_ferias, "
        "data_fim_ferias");
    if (e.cod.isEmpty()) {
        // Deleted subscribers keep their codes: a code is never given twice.
        codigo = db.valor(QStringLiteral("SELECT max(codigo) FROM mensalistas")).toLongLong() + 1;
        veiculos.valores = {codigo};
        QVariantList valores{codigo};
        valores += campos;
        QStringList marcas;
        for (int i = 0; i < valores.size(); ++i) marcas << QStringLiteral("?");
        db.executa(QStringLiteral("INSERT INTO mensalistas (codigo, %1, excluido) VALUES (%2, 0)")
                       .arg(nomes, marcas.join(QStringLiteral(", "))),
                   valores);
    } else {
        codigo = carregado->codigo;
        QStringList atribuicoes;
        for (const QString& n : nomes.split(QStringLiteral(", ")))
            atribuicoes << n + QStringLiteral(" = ?");
        const CondicaoMensalista seu = doCadastro(*carregado);
        db.executa(QStringLiteral("UPDATE mensalistas SET %1, excluido = 0 WHERE %2")
                       .arg(atribuicoes.join(QStringLiteral(", ")), seu.sql),
                   campos + seu.valores);
    }
    db.executa(QStringLiteral("DELETE FROM veiculos_mensalistas WHERE ") + veiculos.sql,
               veiculos.valores);

    const bool passaAoMensalista =
        numeroNoCampo(e.dia) <= hoje.day() && leDataCampo(e.dat) == hoje;
    for (const VeiculoMensalista& v : e.veiculos) {
        if (v.veiculo.isEmpty()) break;
        db.executa(QStringLiteral("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, "
                                  "filial) VALUES (?, ?, ?, ?, ?)"),
                   {codigo, v.veiculo, v.ano, v.placa, filial});
        if (passaAoMensalista)
            db.executa(QStringLiteral("UPDATE veiculos_patio SET mensalista = ? WHERE placa = ?"),
                       {codigo, v.placa});
    }
    t.confirma();

    ResultadoMensalista r;
    r.feito = true;
    r.codigo = codigo;
    r.mensagem = QStringLiteral("Dados gravados com sucesso.");
    return r;
}
