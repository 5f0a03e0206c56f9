#include "data/esquema.h"

#include "data/banco.h"

#include <stdexcept>

namespace {

using T = TipoCampo;

Campo boo(const char* n) { return {n, T::Booleano}; }
Campo intg(const char* n) { return {n, T::Inteiro}; }
Campo lng(const char* n) { return {n, T::Longo}; }
Campo autoinc(const char* n) { return {n, T::Longo, 0, false, true}; }
Campo moe(const char* n) { return {n, T::Moeda}; }
Campo dat(const char* n) { return {n, T::Data}; }
Campo txt(const char* n, int tam) { return {n, T::Texto, tam}; }
Campo azl(const char* n, int tam) { return {n, T::Texto, tam, true}; }

std::vector<Tabela> montaEsquema() {
    return {
        {"geral",
         {intg("versao"), dat("data"), dat("hora"), azl("linha1", 40), azl("linha2", 40),
          azl("linha3", 40), azl("linha4", 40), azl("cnpj", 18), txt("impressora", 4),
          txt("cancela_entrada", 4), txt("cancela_saida", 4), azl("penult_linha", 40),
          azl("ult_linha", 40), boo("mostrar_lista"), boo("ativar_cancela_ent"),
          intg("tempo_cancela_ent"), boo("ativar_cancela_sai"), intg("tempo_cancela_sai"),
          boo("ativar_cancela_ent_manual"), boo("ativar_cancela_sai_manual"), azl("empresa", 60),
          boo("habilitar_prisma"), intg("bobina"), boo("men_atraso_tranca"), boo("escritorio"),
          intg("filial"), intg("avanco_bobina"), intg("tempo_baixa_cancelas"),
          azl("impressora_fiscal", 50), moe("aliquota"), azl("imposto", 6),
          boo("estacionamento24h"), boo("leiturax"), dat("reducaoz"), boo("rel_analitico"),
          boo("habilitar_veiculo")}},
        {"data_hora", {dat("data"), dat("hora")}},
        {"mudanca_horario", {dat("hora"), lng("caixa"), dat("hora_apos")}},
        {"mudanca_data", {dat("data"), lng("caixa"), dat("data_apos")}},
        {"cancelamento_ticket",
         {lng("ticket"), txt("placa", 8), dat("hora"), lng("caixa"), intg("filial"),
          boo(kCampoRecebido)}},
        {"veiculos_patio",
         {lng("mensalista"), txt("placa", 8), dat("data_entrada"), dat("hora_entrada"),
          lng("ticket"), lng("mensalista_pago"), intg("prisma"), azl("veiculo", 20)}},
        {"mensalistas",
         {lng("codigo"), dat("data_inicio"), intg("tipo"), txt("nome", 50), azl("endereco", 50),
          azl("bairro", 30), azl("cidade", 30), azl("cep", 9), azl("tel_res", 20),
          azl("tel_com", 20), azl("tel_cel", 20), azl("fax", 20), azl("rg", 14), azl("cpf", 14),
          intg("num_max_veic"), intg("dia_vencto"), dat("data_ini_ferias"),
          dat("data_fim_ferias"), boo("excluido"), azl("cnpj", 18), dat("aniversario"),
          intg("tolerancia"), lng("filial"), moe("valor"), dat("hora_inicio"), dat("hora_fim"),
          boo("dom"), boo("seg"), boo("ter"), boo("qua"), boo("qui"), boo("sex"), boo("sab")},
         "codigo"},
        {"mensalidades",
         {lng("codigo"), dat("mes"), boo("pago"), dat("data_pgto"), dat("hora_pgto"),
          moe("valor"), lng("filial")},
         "codigo"},
        {"pagamento_mensalidade",
         {lng("mensalista"), dat("mes"), moe("valor"), lng("caixa"), dat("data"), dat("hora"),
          moe("desconto"), moe("adicional"), intg("filial"), boo(kCampoRecebido)},
         "mensalista"},
        {"veiculos_mensalistas",
         {lng("codigo"), txt("veiculo", 40), txt("ano", 4), txt("placa", 8), lng("filial")}},
        {"tipos_mensalistas",
         {lng("codigo"), txt("tipo", 30), moe("valor"), intg("dia_vencto")},
         "codigo"},
        {"gera_ticket", {autoinc("ticket")}},
        {"registro_saida",
         {dat("data_entrada"), dat("hora_entrada"), dat("data_saida"), dat("hora_saida"),
          lng("ticket"), txt("placa", 8), lng("mensalista"), lng("convenio"),
          txt("tipo_estacionamento", 1), lng("caixa"), moe("total"), moe("valor_liquido"),
          intg("prisma"), intg("filial"), boo(kCampoRecebido)}},
        {"convenios",
         {autoinc("codigo"), txt("convenio", 20), txt("isento_fixo_variavel", 1),
          moe("valor_fixo"), dat("das_hor_ini"), dat("das_hor_fim"), moe("das_cobrar"),
          moe("apos_fixo"), dat("apos_a_cada"), moe("apos_cobrar"), boo("dom"), boo("seg"),
          boo("ter"), boo("qua"), boo("qui"), boo("sex"), boo("sab"), dat("hora_inicio"),
          dat("hora_fim")}},
        {"convenios_variaveis",
         {lng("codigo"), dat("tempo"), moe("valor"), intg("ordem")},
         "codigo"},
        {"turnos", {dat("hora_inicial"), dat("hora_final"), moe("valor")}},
        {"rotativo", {moe("apos_cobrar"), dat("apos_a_cada")}},
        {"rotativo_variavel", {dat("tempo"), moe("valor"), intg("ordem")}},
        {"caixa",
         {autoinc("numero"), txt("usuario", 10), dat("data_abertura"), dat("hora_abertura"),
          dat("data_fechamento"), dat("hora_fechamento"), boo("aberto"), moe("troco"),
          intg("filial")}},
        {"diaria", {intg("tempo"), moe("valor")}},
        {"usuarios",
         {autoinc("codigo"), txt("usuario", 10), txt("senha", 10), dat("data_cadastro"),
          boo("excluido"), boo("usu"), boo("men"), boo("con"), boo("lis"), boo("rel"),
          boo("ger"), boo("bac"), boo("pri")}},
        {"fechamento_caixa",
         {lng("numero"), txt("usuario", 10), dat("data_ini"), dat("data_fim"), dat("hora_ini"),
          dat("hora_fim"), intg("qtd_veiculos"), moe("valor_veiculos"),
          moe("valor_mensalidades"), moe("troco"), intg("filial"), boo(kCampoRecebido)}},
        {"fechamento_caixa_convenios",
         {lng("numero"), txt("convenio", 20), moe("valor"), intg("qtd")},
         "numero"},
        {"filiais",
         {lng("codigo"), txt("nome", 50), azl("endereco", 50), azl("telefone", 15),
          azl("fax", 15), azl("cnpj", 18)},
         "codigo"},
        {"envio_tickets",
         {lng("filial"), dat("data"), txt("serie", 5), lng("ticket_inicial"),
          lng("ticket_final")}},
        {"lista_entrada", {txt("placa", 8), dat("data_entrada"), dat("hora_entrada")}},
        {"lista_saida", {txt("placa", 8), dat("data_entrada"), dat("hora_entrada")}},
    };
}

}  // namespace

const std::vector<Tabela>& esquema() {
    static const std::vector<Tabela> tabelas = montaEsquema();
    return tabelas;
}

const Tabela& tabelaEsquema(const QString& nome) {
    for (const Tabela& t : esquema())
        if (nome == QLatin1String(t.nome)) return t;
    throw std::out_of_range("tabela desconhecida: " + nome.toStdString());
}

bool temCampo(const QString& tabela, const QString& campo) {
    for (const Tabela& t : esquema())
        if (tabela == QLatin1String(t.nome))
            for (const Campo& c : t.campos)
                if (campo == QLatin1String(c.nome)) return true;
    return false;
}

const Campo& campoEsquema(const QString& tabela, const QString& campo) {
    for (const Campo& c : tabelaEsquema(tabela).campos)
        if (campo == QLatin1String(c.nome)) return c;
    throw std::out_of_range("campo desconhecido: " + tabela.toStdString() + "." +
                            campo.toStdString());
}

QString definicaoColuna(const Campo& c) {
    const QString n = QLatin1String(c.nome);
    switch (c.tipo) {
    case T::Booleano:
        // Jet's Booleans never hold NULL and read False when never written.
        return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0 CHECK(%1 IN (0, 1))").arg(n);
    case T::Inteiro:
        return QStringLiteral("%1 INTEGER CHECK(%1 BETWEEN -32768 AND 32767)").arg(n);
    case T::Longo:
        if (c.autoIncremento) return QStringLiteral("%1 INTEGER PRIMARY KEY AUTOINCREMENT").arg(n);
        return QStringLiteral("%1 INTEGER CHECK(%1 BETWEEN -2147483648 AND 2147483647)").arg(n);
    case T::Moeda:
        return QStringLiteral("%1 INTEGER").arg(n);
    case T::Data:
        return QStringLiteral("%1 TEXT").arg(n);
    case T::Texto:
        if (c.vazioPermitido)
            return QStringLiteral("%1 TEXT COLLATE %2 CHECK(length(%1) <= %3)")
                .arg(n, Banco::kColacao)
                .arg(c.tamanho);
        return QStringLiteral("%1 TEXT COLLATE %2 CHECK(length(%1) <= %3 AND %1 <> '')")
            .arg(n, Banco::kColacao)
            .arg(c.tamanho);
    }
    return {};
}

QString sqlCriaTabela(const Tabela& t) {
    QStringList colunas;
    for (const Campo& c : t.campos) colunas << definicaoColuna(c);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(t.nome), colunas.join(", "));
}

QString nomeIndice(const QString& tabela) { return QStringLiteral("indice_") + tabela; }

QString sqlCriaIndice(const QString& tabela, const QString& campo) {
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(nomeIndice(tabela), tabela, campo);
}
