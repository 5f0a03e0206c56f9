#include "config/geral_config.h"

#include "app/valida_hora.h"
#include "config/hora_texto.h"
#include "data/datas.h"
#include "data/dinheiro.h"

namespace {

using R = ResultadoGeral;

R recusa(const QString& mensagem, Icone icone, const QString& foco = {}) {
    R r;
    static_cast<ResultadoAba&>(r) = ResultadoAba::recusa(mensagem, icone, foco);
    return r;
}

qint64 numero(const QString& texto) { return numeroDoTexto(texto).value_or(0); }

// A text as stored: an empty one stays an empty text, never NULL.
QString texto(const QString& t) { return t.isNull() ? QStringLiteral("") : t; }

std::optional<R> verifica(Contexto& ctx, const DadosGeral& d) {
    if (d.can_ent != kBranco && d.impr != kBranco && d.can_ent == d.impr)
        return recusa(QStringLiteral("Porta da impressora não pode ser a mesma da cancela de entrada."),
                      Icone::Exclamacao);
    if (d.can_sai != kBranco && d.impr != kBranco && d.can_sai == d.impr)
        return recusa(QStringLiteral("Porta da impressora não pode ser a mesma da cancela de saída."),
                      Icone::Exclamacao);
    if (d.ava.trimmed().isEmpty())
        return recusa(QStringLiteral("Preencha o valor de quantas linhas a bobina deve avançar após impressão."),
                      Icone::Informacao, QStringLiteral("ava"));
    // Only the parallel ports that a list names are probed; "COM1" never is.
    for (const QString& porta : {QStringLiteral("LPT1"), QStringLiteral("LPT2")}) {
        if (d.impr != porta && d.can_ent != porta && d.can_sai != porta) continue;
        if (!ctx.plataforma.porta().testa(porta + u':'))
            return recusa(QStringLiteral("Porta %1 não encontrada!").arg(porta), Icone::Exclamacao);
    }
    if (d.impr != kBranco && d.imp_fis != kBranco &&
        !ctx.plataforma.pergunta(QStringLiteral(
            "Você tem certeza que deseja configurar 2 impressoras, sendo a da porta paralela para "
            "entrada de veículos e a impressora fiscal para saída?")))
        return R{};
    if (d.imp_fis != kBranco && d.ali == kBranco)
        return recusa(QStringLiteral("Escolha a alíquota!"), Icone::Nenhum, QStringLiteral("ali"));
    if (d.ativar_cancela_ent && d.tem_ent == kBranco)
        return recusa(QStringLiteral("Tempo inválido."), Icone::Informacao, QStringLiteral("tem_ent"));
    if (d.ativar_cancela_sai && d.tem_sai == kBranco)
        return recusa(QStringLiteral("Tempo inválido."), Icone::Informacao, QStringLiteral("tem_sai"));
    if (d.baixar_apos && (d.bai.trimmed().isEmpty() || numero(d.bai) == 0))
        return recusa(QStringLiteral("O valor de tempo para baixar as cancelas não pode ser ZERO!"),
                      Icone::Informacao, QStringLiteral("bai"));
    if (d.reducaoz && !(valida_hora(d.hor_red) && horaDoTexto(d.hor_red)))
        return recusa(QStringLiteral("Horário de ReduçãoZ inválido!"), Icone::Informacao,
                      QStringLiteral("hor_red"));
    return std::nullopt;
}

}  // namespace

QString codigo_aliquota_da_lista(const QString& ali) {
    if (ali == u"ST") return QStringLiteral("FF");
    if (ali == u"Isento") return QStringLiteral("II");
    const auto taxa = Dinheiro::ler(ali);
    if (!taxa || ali.trimmed().isEmpty()) return {};
    return QStringLiteral("%1").arg(taxa->valorBruto() / 100, 4, 10, QChar(u'0'));
}

ResultadoGeral grava_geral(Contexto& ctx, const DadosGeral& d) {
    if (auto r = verifica(ctx, d)) return *r;

    const QString cnpj = texto(d.cnp == kCnpjVazio ? QString() : d.cnp);
    const qint64 tempoEnt = numero(d.tem_ent);
    const qint64 tempoSai = numero(d.tem_sai);
    const qint64 tempoBaixa = d.baixam_sozinhas ? 0 : numero(d.bai);
    const qint64 avanco = numero(d.ava);
    const bool fiscal = d.imp_fis != kBranco;

    QStringList campos{"cnpj", "mostrar_lista", "habilitar_prisma", "men_atraso_tranca",
                       "estacionamento24h", "rel_analitico", "habilitar_veiculo", "linha1",
                       "linha2", "linha3", "linha4", "penult_linha", "ult_linha", "impressora",
                       "cancela_entrada", "cancela_saida", "ativar_cancela_ent",
                       "tempo_cancela_ent", "ativar_cancela_sai", "tempo_cancela_sai",
                       "ativar_cancela_ent_manual", "ativar_cancela_sai_manual",
                       "tempo_baixa_cancelas"};
    QVariantList valores{cnpj, d.mostrar_lista, d.habilitar_prisma, d.men_atraso_tranca,
                         d.estacionamento24h, d.rel_analitico, d.habilitar_veiculo, texto(d.lin1),
                         texto(d.lin2), texto(d.lin3), texto(d.lin4), texto(d.pen), texto(d.ult),
                         d.impr, d.can_ent, d.can_sai,
                         d.ativar_cancela_ent, tempoEnt, d.ativar_cancela_sai, tempoSai,
                         d.ativar_cancela_ent_manual, d.ativar_cancela_sai_manual, tempoBaixa};
    // With no width chosen the stored width stays.
    if (d.bobina != 0) {
        campos << QStringLiteral("bobina");
        valores << d.bobina;
    }
    campos << QStringLiteral("avanco_bobina");
    valores << avanco;
    if (fiscal) {
        if (d.ali == u"ST" || d.ali == u"Isento") {
            campos << QStringLiteral("imposto");
            valores << d.ali;
        } else {
            campos << QStringLiteral("imposto") << QStringLiteral("aliquota");
            valores << texto({}) << Dinheiro::ler(d.ali).value_or(Dinheiro{}).paraBanco();
        }
        campos << QStringLiteral("leiturax") << QStringLiteral("reducaoz");
        valores << d.leiturax
                << (d.reducaoz ? horaParaBanco(*horaDoTexto(d.hor_red)) : QVariant());
    }
    campos << QStringLiteral("impressora_fiscal");
    valores << d.imp_fis;
    for (QVariant& v : valores)
        if (v.typeId() == QMetaType::Bool) v = v.toBool() ? 1 : 0;

    Estado& e = ctx.estado;
    ResultadoGeral r;
    try {
        QStringList pares;
        for (const QString& c : campos) pares << c + QStringLiteral(" = ?");
        Transacao t(e.db);
        e.db.executa(QStringLiteral("UPDATE geral SET %1 WHERE rowid = (SELECT min(rowid) FROM geral)")
                         .arg(pares.join(", ")),
                     valores);
        // Read before the settings are confirmed, so that a failure here cannot follow a
        // stored change that the message would call not done.
        r.efeitos.lista_entrada = e.db.existe(QStringLiteral("SELECT placa FROM lista_entrada"));
        r.efeitos.lista_saida = e.db.existe(QStringLiteral("SELECT placa FROM lista_saida"));
        t.confirma();
    } catch (const ErroBanco& erro) {
        return recusa(QStringLiteral("Não foi possível gravar as configurações. Nada foi alterado.\n%1")
                          .arg(erro.mensagem()),
                      Icone::Critico);
    }

    // The lanes take the new settings only once they are stored.
    e.men_atraso_tranca = d.men_atraso_tranca;
    e.estacionamento24h = d.estacionamento24h;
    e.ativar_cancela_ent = d.ativar_cancela_ent;
    e.tempo_cancela_ent = qint16(tempoEnt);
    e.ativar_cancela_sai = d.ativar_cancela_sai;
    e.tempo_cancela_sai = qint16(tempoSai);
    e.ativar_cancela_ent_manual = d.ativar_cancela_ent_manual;
    e.ativar_cancela_sai_manual = d.ativar_cancela_sai_manual;
    e.tempo_baixa_cancelas = qint16(tempoBaixa);
    if (d.bobina != 0) e.bobina = qint16(d.bobina);
    e.avanco_bobina = qint16(avanco);
    if (fiscal) e.codigo_aliquota = codigo_aliquota_da_lista(d.ali);
    e.impressora_fiscal = d.imp_fis;
    e.duas_impressoras = d.impr != kBranco && fiscal;
    e.linha1 = d.lin1;
    e.linha2 = d.lin2;
    e.linha3 = d.lin3;
    e.linha4 = d.lin4;
    e.penult_linha = d.pen;
    e.ult_linha = d.ult;
    e.cnpj = cnpj;
    e.impressora = d.impr;
    e.cancela_entrada = d.can_ent;
    e.cancela_saida = d.can_sai;

    r.efeitos.mostrar_lista = d.mostrar_lista;
    r.efeitos.habilitar_prisma = d.habilitar_prisma;
    r.efeitos.habilitar_veiculo = d.habilitar_veiculo;
    r.efeitos.imprime_entrada = e.imprimeEntrada();
    r.efeitos.imprime_saida = e.imprimeSaida();
    r.feito = true;
    r.mensagem = kMsgGravados;
    return r;
}
