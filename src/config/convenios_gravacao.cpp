#include "config/convenios_gravacao.h"

#include "app/valida_hora.h"
#include "config/hora_texto.h"
#include "data/banco.h"
#include "data/datas.h"
#include "data/dinheiro.h"

#include <QSqlQuery>

namespace {

const QString kMsgDuplicado =
    QStringLiteral("Convênio já cadastrado. Não pode ser inserido novamente.");

bool numerico(const QString& texto) { return Dinheiro::ler(texto).has_value(); }

QVariant dinheiro(const QString& texto) { return Dinheiro::ler(texto).value_or(Dinheiro{}).paraBanco(); }

QVariant hora(const QString& texto) {
    const auto h = horaDoTexto(texto);
    return h ? horaParaBanco(*h) : QVariant();
}

// A time of an "HH:MM" field as the lanes use it: both pairs typed, hours up to 23.
bool horaValida(const QString& texto) { return valida_hora(texto) && horaDoTexto(texto); }

ResultadoAba falhaBanco(const QString& acao, const ErroBanco& erro) {
    return ResultadoAba::recusa(
        QStringLiteral("Não foi possível %1 o convênio. Nada foi gravado.\n%2").arg(acao, erro.mensagem()),
        Icone::Critico);
}

// The fields of the agreement's row, in the order of `kColunas`.
const QStringList kColunas{
    "convenio", "isento_fixo_variavel", "valor_fixo", "apos_fixo", "apos_cobrar", "apos_a_cada",
    "das_hor_ini", "das_hor_fim", "das_cobrar", "hora_inicio", "hora_fim",
    "dom", "seg", "ter", "qua", "qui", "sex", "sab"};

// Every field of the row; those the kind, the window or the hours do not use are NULL, so that
// nothing of former terms remains after an alteration.
QVariantList valores(const EdicaoConvenio& e) {
    const bool fixo = e.tipo == u'F';
    const bool variavel = e.tipo == u'V';
    const QChar tipo = fixo ? u'F' : variavel ? u'V' : u'I';
    QVariantList v{
        e.con.trimmed(),
        QString(tipo),
        fixo ? dinheiro(e.val_fix) : QVariant(),
        variavel && e.apos_fixo ? dinheiro(e.apo_fix) : QVariant(),
        variavel && !e.apos_fixo ? dinheiro(e.apo_var) : QVariant(),
        variavel && !e.apos_fixo ? hora(e.apo_tem) : QVariant(),
        e.janela ? hora(e.hor_ini) : QVariant(),
        e.janela ? hora(e.hor_fim) : QVariant(),
        e.janela ? dinheiro(e.cob) : QVariant(),
        e.hora_inicio != kHoraSegVazia ? hora(e.hora_inicio) : QVariant(),
        e.hora_fim != kHoraSegVazia ? hora(e.hora_fim) : QVariant(),
    };
    for (bool d : e.dias) v << (d ? 1 : 0);
    return v;
}

// The steps of kind "V" under `codigo`: every earlier row of the code goes first.
void gravaPassos(Banco& db, qint64 codigo, const EdicaoConvenio& e) {
    db.executa(QStringLiteral("DELETE FROM convenios_variaveis WHERE codigo = ?"), {codigo});
    int ordem = 0;
    for (const auto& [tempo, valor] : e.passos) {
        if (tempo.trimmed().isEmpty()) break;
        db.executa(QStringLiteral("INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) "
                                  "VALUES (?, ?, ?, ?)"),
                   {codigo, hora(tempo), dinheiro(valor), ++ordem});
    }
}

std::optional<qint64> codigo(const QString& cod_con) {
    bool ok = false;
    const qint64 c = cod_con.trimmed().toLongLong(&ok);
    return ok ? std::optional(c) : std::nullopt;
}

}  // namespace

ResultadoAba valida_convenio(const EdicaoConvenio& e) {
    using R = ResultadoAba;
    const QString nome = e.con.trimmed();
    if (nome.isEmpty()) return R::recusa(QStringLiteral("Preencha o nome do convênio."), Icone::Informacao, "con");
    // The stored name holds 20 characters: a longer one is refused rather than cut.
    if (nome.size() > kTamanhoNomeConvenio)
        return R::recusa(QStringLiteral("O nome do convênio pode ter no máximo %1 caracteres.")
                             .arg(kTamanhoNomeConvenio),
                         Icone::Informacao, "con");
    if (e.tipo != u'I' && e.tipo != u'F' && e.tipo != u'V')
        return R::recusa(QStringLiteral("Escolha o tipo do convênio: Isento, Valor Fixo ou Valor Variável."),
                         Icone::Informacao, "Option1");
    // Amounts out of the range the fees can be computed in, whichever option uses them.
    const std::pair<const QString*, const char*> valores[] = {
        {&e.val_fix, "val_fix"}, {&e.apo_fix, "apo_fix"}, {&e.apo_var, "apo_var"}, {&e.cob, "cob"}};
    for (const auto& [valor, campo] : valores)
        if (auto m = recusaValorDigitado(*valor)) return R::recusa(*m, Icone::Informacao, campo);
    if (e.tipo == u'F' && !numerico(e.val_fix))
        return R::recusa(QStringLiteral("Valor fixo incorreto."), Icone::Informacao, "val_fix");
    for (const auto& passo : e.passos)
        if (auto m = recusaValorDigitado(passo.second)) return R::recusa(*m, Icone::Informacao, "tem");
    if (e.tipo == u'V') {
        if (e.passos.isEmpty() || e.passos.first().first.trimmed().isEmpty())
            return R::recusa(QStringLiteral("Insira pelo menos um tempo/valor na tabela."),
                             Icone::Informacao, "tem");
        for (const auto& [tempo, valor] : e.passos) {
            if (tempo.trimmed().isEmpty()) break;
            if (!horaDoTexto(tempo) || !numerico(valor))
                return R::recusa(QStringLiteral("Tempo ou valor incorreto na tabela: %1 %2.")
                                     .arg(tempo, valor),
                                 Icone::Informacao, "tem");
        }
        if (e.apos_fixo) {
            if (!numerico(e.apo_fix))
                return R::recusa(QStringLiteral("Valor incorreto em 'Após tempo acima, cobrar o valor fixo de R$'"),
                                 Icone::Informacao, "apo_fix");
        } else {
            if (!numerico(e.apo_var))
                return R::recusa(QStringLiteral("Valor incorreto em 'Após tempo acima, cobrar R$ ... a cada ...'"),
                                 Icone::Informacao, "apo_var");
            // A span is stored as a time of day: hours beyond 23 are refused with the minutes.
            if (!horaDoTexto(e.apo_tem) || e.apo_tem == QLatin1String("00:00"))
                return R::recusa(QStringLiteral("Tempo incorreto em 'Após tempo acima, cobrar R$ ... a cada ...'"),
                                 Icone::Informacao, "apo_tem");
        }
    }
    if (e.janela) {
        if (!horaValida(e.hor_ini))
            return R::recusa(QStringLiteral("Hora Inicial inválida."), Icone::Informacao, "hor_ini");
        if (!horaValida(e.hor_fim))
            return R::recusa(QStringLiteral("Hora Final inválida."), Icone::Informacao, "hor_fim");
        if (!numerico(e.cob))
            return R::recusa(QStringLiteral("Valor a cobrar inválido."), Icone::Informacao, "cob");
    }
    const bool inicioVazio = e.hora_inicio == kHoraSegVazia;
    const bool fimVazio = e.hora_fim == kHoraSegVazia;
    if (inicioVazio != fimVazio)
        return R::recusa(QStringLiteral("Horários permitidos: os dois devem ser preenchidos ou os "
                                        "dois devem ficar em branco"),
                         Icone::Exclamacao);
    // The minutes are tested too: "10:75:00" is no time of day and could not be stored.
    if (!inicioVazio && !(valida_hora(e.hora_inicio) && horaDoTexto(e.hora_inicio)))
        return R::recusa(QStringLiteral("Horário permitido: hora início inválida."), Icone::Exclamacao,
                         "hora_inicio");
    if (!fimVazio && !(valida_hora(e.hora_fim) && horaDoTexto(e.hora_fim)))
        return R::recusa(QStringLiteral("Horário permitido: hora final inválida."), Icone::Exclamacao,
                         "hora_fim");
    ResultadoAba ok;
    ok.feito = true;
    return ok;
}

ResultadoAba insere_convenio(Banco& db, const EdicaoConvenio& e) {
    ResultadoAba v = valida_convenio(e);
    if (!v.feito) return v;
    try {
        // The name is a bound value: a name with an apostrophe is matched as typed.
        if (db.existe(QStringLiteral("SELECT convenio FROM convenios WHERE convenio = ?"), {e.con.trimmed()}))
            return ResultadoAba::recusa(kMsgDuplicado);
        Transacao t(db);
        QStringList marcas;
        for (qsizetype i = 0; i < kColunas.size(); ++i) marcas << QStringLiteral("?");
        const qint64 novo =
            db.executa(QStringLiteral("INSERT INTO convenios (%1) VALUES (%2)")
                           .arg(kColunas.join(", "), marcas.join(", ")),
                       valores(e))
                .lastInsertId()
                .toLongLong();
        if (e.tipo == u'V') gravaPassos(db, novo, e);
        t.confirma();
    } catch (const ErroBanco& erro) {
        return falhaBanco(QStringLiteral("gravar"), erro);
    }
    return ResultadoAba::sucesso(kMsgGravados);
}

ResultadoAba altera_convenio(Banco& db, const EdicaoConvenio& e) {
    if (e.cod_con.isEmpty()) return ResultadoAba::recusa(QStringLiteral("Escolha o convênio a alterar."));
    ResultadoAba v = valida_convenio(e);
    if (!v.feito) return v;
    const auto cod = codigo(e.cod_con);
    try {
        if (db.existe(QStringLiteral("SELECT convenio FROM convenios WHERE convenio = ? AND codigo <> ?"),
                      {e.con.trimmed(), cod ? QVariant(*cod) : QVariant()}))
            return ResultadoAba::recusa(kMsgDuplicado);
        if (!cod || !db.existe(QStringLiteral("SELECT codigo FROM convenios WHERE codigo = ?"), {*cod}))
            return ResultadoAba::recusa(QStringLiteral("Convênio não encontrado."));
        Transacao t(db);
        QStringList pares;
        for (const QString& c : kColunas) pares << c + QStringLiteral(" = ?");
        QVariantList vs = valores(e);
        vs << *cod;
        db.executa(QStringLiteral("UPDATE convenios SET %1 WHERE codigo = ?").arg(pares.join(", ")), vs);
        // Kinds "I" and "F" leave the former steps stored: the fee does not read them.
        if (e.tipo == u'V') gravaPassos(db, *cod, e);
        t.confirma();
    } catch (const ErroBanco& erro) {
        return falhaBanco(QStringLiteral("alterar"), erro);
    }
    return ResultadoAba::sucesso(kMsgGravados);
}

ResultadoExclusaoConvenio exclui_convenio(Banco& db, const QString& cod_con) {
    ResultadoExclusaoConvenio r;
    auto recusa = [&r](const QString& m, Icone i = Icone::Informacao) {
        static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(m, i);
        return r;
    };
    if (cod_con.isEmpty()) return recusa(QStringLiteral("Escolha o convênio a excluir da lista."));
    const auto cod = codigo(cod_con);
    try {
        if (cod && db.existe(QStringLiteral("SELECT convenio FROM registro_saida WHERE convenio = ?"), {*cod}))
            return recusa(QStringLiteral("Este convênio já foi utilizado por cliente(s). Não pode ser excluído."));
        if (!cod || !db.existe(QStringLiteral("SELECT codigo FROM convenios WHERE codigo = ?"), {*cod}))
            return recusa(QStringLiteral("Não foi possível encontrar este convênio."));
        // One transaction, so that the count read after it cannot fail after a stored delete.
        Transacao t(db);
        db.executa(QStringLiteral("DELETE FROM convenios WHERE codigo = ?"), {*cod});
        r.nenhumConvenio = !db.existe(QStringLiteral("SELECT codigo FROM convenios"));
        t.confirma();
    } catch (const ErroBanco& erro) {
        return recusa(QStringLiteral("Não foi possível excluir o convênio.\n%1").arg(erro.mensagem()),
                      Icone::Critico);
    }
    r.feito = true;
    r.mensagem = QStringLiteral("Convênio excluído com sucesso.");
    return r;
}

