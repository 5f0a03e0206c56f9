#include "data/atualiza_banco.h"

#include "data/esquema.h"
#include "data/indices_pista.h"

#include <vector>

namespace {

enum class Acao { AdicionaCampos, CriaTabela, CriaIndice, RemoveCampos, Sql };

struct Mudanca {
    Acao acao;
    const char* tabela;
    std::vector<const char*> itens;  // fields, or SQL statements for Acao::Sql
};

struct Passo {
    int versao;
    std::vector<Mudanca> mudancas;
};

// Step 123 tells the rows a branch's file brought from those taken here, as far as the stored rows
// tell it. This installation's rows carry no branch, or one of the numbers it has had as a lane
// (the one it has, those its registers were stamped with); a branch's file brings none of those
// (the merge refuses rows without a branch). At an office, a stay of a branch's subscriber at the
// office's own lane carries that branch too: it was taken here when one of this installation's
// registers with its number was open at its moment, unless that branch's closing of the same
// number covers that moment as well (then it is taken as the branch's). A closing was written here
// when it copies its register's opening. Then a lane's rows without a number take its own, as its
// lanes and register now write them.
// The statements are written out whole: each reads as it runs, and a step never changes.
const std::vector<const char*> kRecebidos{
    "UPDATE fechamento_caixa SET recebido = 1 WHERE filial IS NOT NULL AND filial NOT IN "
    "(SELECT filial FROM geral WHERE NOT escritorio AND filial IS NOT NULL UNION "
    "SELECT filial FROM caixa WHERE filial IS NOT NULL) "
    "AND NOT EXISTS (SELECT 1 FROM caixa WHERE caixa.numero = fechamento_caixa.numero AND "
    "caixa.usuario IS fechamento_caixa.usuario AND caixa.data_abertura IS "
    "fechamento_caixa.data_ini AND caixa.hora_abertura IS fechamento_caixa.hora_ini)",

    "UPDATE cancelamento_ticket SET recebido = 1 WHERE filial IS NOT NULL AND filial NOT IN "
    "(SELECT filial FROM geral WHERE NOT escritorio AND filial IS NOT NULL UNION "
    "SELECT filial FROM caixa WHERE filial IS NOT NULL)",

    "UPDATE registro_saida SET recebido = 1 WHERE filial IS NOT NULL AND filial NOT IN "
    "(SELECT filial FROM geral WHERE NOT escritorio AND filial IS NOT NULL UNION "
    "SELECT filial FROM caixa WHERE filial IS NOT NULL) "
    "AND NOT (mensalista IS NOT NULL AND "
    "(EXISTS (SELECT 1 FROM caixa WHERE caixa.numero = registro_saida.caixa AND "
    "registro_saida.data_saida || ' ' || registro_saida.hora_saida >= "
    "caixa.data_abertura || ' ' || caixa.hora_abertura AND (caixa.aberto OR "
    "registro_saida.data_saida || ' ' || registro_saida.hora_saida <= "
    "caixa.data_fechamento || ' ' || caixa.hora_fechamento)) "
    "AND NOT EXISTS (SELECT 1 FROM fechamento_caixa AS f WHERE f.numero = registro_saida.caixa "
    "AND f.filial = registro_saida.filial AND f.recebido AND "
    "registro_saida.data_saida || ' ' || registro_saida.hora_saida BETWEEN "
    "f.data_ini || ' ' || f.hora_ini AND f.data_fim || ' ' || f.hora_fim)))",

    "UPDATE pagamento_mensalidade SET recebido = 1 WHERE filial IS NOT NULL AND filial NOT IN "
    "(SELECT filial FROM geral WHERE NOT escritorio AND filial IS NOT NULL UNION "
    "SELECT filial FROM caixa WHERE filial IS NOT NULL) "
    "AND NOT "
    "(EXISTS (SELECT 1 FROM caixa WHERE caixa.numero = pagamento_mensalidade.caixa AND "
    "pagamento_mensalidade.data || ' ' || pagamento_mensalidade.hora >= "
    "caixa.data_abertura || ' ' || caixa.hora_abertura AND (caixa.aberto OR "
    "pagamento_mensalidade.data || ' ' || pagamento_mensalidade.hora <= "
    "caixa.data_fechamento || ' ' || caixa.hora_fechamento)) "
    "AND NOT EXISTS (SELECT 1 FROM fechamento_caixa AS f WHERE f.numero = pagamento_mensalidade.caixa "
    "AND f.filial = pagamento_mensalidade.filial AND f.recebido AND "
    "pagamento_mensalidade.data || ' ' || pagamento_mensalidade.hora BETWEEN "
    "f.data_ini || ' ' || f.hora_ini AND f.data_fim || ' ' || f.hora_fim))",

    "UPDATE caixa SET filial = (SELECT filial FROM geral WHERE NOT escritorio ORDER BY rowid "
    "LIMIT 1) WHERE filial IS NULL",
    "UPDATE cancelamento_ticket SET filial = (SELECT filial FROM geral WHERE NOT escritorio "
    "ORDER BY rowid LIMIT 1) WHERE filial IS NULL",
    "UPDATE fechamento_caixa SET filial = (SELECT filial FROM geral WHERE NOT escritorio "
    "ORDER BY rowid LIMIT 1) WHERE filial IS NULL",
    "UPDATE registro_saida SET filial = (SELECT filial FROM geral WHERE NOT escritorio "
    "ORDER BY rowid LIMIT 1) WHERE filial IS NULL",
};

const std::vector<Passo>& passos() {
    using A = Acao;
    static const std::vector<const char*> semana{"dom", "seg", "ter", "qua", "qui", "sex", "sab"};
    static const std::vector<Passo> lista{
        {104, {{A::AdicionaCampos, "mensalistas", {"filial", "valor"}},
               {A::CriaTabela, "filiais", {}}}},
        {105, {{A::CriaTabela, "envio_tickets", {}}}},
        {106, {{A::AdicionaCampos, "geral", {"impressora", "cancela_entrada", "cancela_saida"}},
               {A::Sql, "geral",
                {"UPDATE geral SET impressora = 'LPT1', cancela_entrada = ' ', "
                 "cancela_saida = ' '"}}}},
        {108, {{A::RemoveCampos, "geral", {"pri_bit", "ult_bit"}},
               {A::AdicionaCampos, "geral",
                {"penult_linha", "ult_linha", "mostrar_lista", "ativar_cancela_ent",
                 "tempo_cancela_ent", "ativar_cancela_sai", "tempo_cancela_sai"}},
               {A::AdicionaCampos, "mensalistas", {"hora_inicio", "hora_fim"}}}},
        {109, {{A::AdicionaCampos, "geral",
                {"ativar_cancela_ent_manual", "ativar_cancela_sai_manual"}},
               {A::CriaTabela, "lista_entrada", {}},
               {A::CriaTabela, "lista_saida", {}}}},
        {110, {{A::AdicionaCampos, "geral", {"empresa"}}}},
        {111, {{A::CriaIndice, "mensalistas", {}}}},
        {112, {{A::AdicionaCampos, "geral", {"habilitar_prisma"}},
               {A::AdicionaCampos, "registro_saida", {"prisma"}},
               {A::AdicionaCampos, "veiculos_patio", {"prisma"}}}},
        {113, {{A::AdicionaCampos, "geral", {"bobina"}}}},
        {114, {{A::AdicionaCampos, "geral", {"men_atraso_tranca"}},
               {A::AdicionaCampos, "pagamento_mensalidade", {"desconto", "adicional"}}}},
        {115, {{A::AdicionaCampos, "veiculos_mensalistas", {"filial"}},
               {A::AdicionaCampos, "mensalidades", {"filial"}},
               {A::AdicionaCampos, "mensalistas", semana},
               {A::AdicionaCampos, "convenios",
                {"dom", "seg", "ter", "qua", "qui", "sex", "sab", "hora_inicio", "hora_fim"}},
               // Every row, deleted subscribers included.
               {A::Sql, "",
                {"UPDATE veiculos_mensalistas SET filial = 1",
                 "UPDATE mensalidades SET filial = 1",
                 "UPDATE mensalistas SET dom = 1, seg = 1, ter = 1, qua = 1, qui = 1, sex = 1, "
                 "sab = 1",
                 "UPDATE convenios SET dom = 1, seg = 1, ter = 1, qua = 1, qui = 1, sex = 1, "
                 "sab = 1"}}}},
        {116, {{A::AdicionaCampos, "geral", {"escritorio", "filial"}},
               {A::AdicionaCampos, "caixa", {"filial"}},
               {A::AdicionaCampos, "cancelamento_ticket", {"filial"}},
               {A::AdicionaCampos, "fechamento_caixa", {"filial"}},
               {A::AdicionaCampos, "pagamento_mensalidade", {"filial"}},
               {A::AdicionaCampos, "registro_saida", {"filial"}}}},
        {117, {{A::AdicionaCampos, "geral", {"avanco_bobina"}}}},
        {118, {{A::AdicionaCampos, "geral", {"tempo_baixa_cancelas"}}}},
        {119, {{A::AdicionaCampos, "geral", {"impressora_fiscal", "aliquota", "imposto"}}}},
        {120, {{A::AdicionaCampos, "geral",
                {"estacionamento24h", "leiturax", "reducaoz", "rel_analitico"}}}},
        {121, {{A::AdicionaCampos, "geral", {"habilitar_veiculo"}},
               {A::AdicionaCampos, "veiculos_patio", {"veiculo"}}}},
        {123, {{A::AdicionaCampos, "cancelamento_ticket", {kCampoRecebido}},
               {A::AdicionaCampos, "fechamento_caixa", {kCampoRecebido}},
               {A::AdicionaCampos, "pagamento_mensalidade", {kCampoRecebido}},
               {A::AdicionaCampos, "registro_saida", {kCampoRecebido}},
               {A::Sql, "", kRecebidos}}},
    };
    return lista;
}

void aplica(Banco& db, const Mudanca& m) {
    const QString tabela = QLatin1String(m.tabela);
    switch (m.acao) {
    case Acao::AdicionaCampos:
        for (const char* campo : m.itens)
            db.executa(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                           .arg(tabela, definicaoColuna(campoEsquema(tabela, campo))));
        break;
    case Acao::CriaTabela: {
        const Tabela& t = tabelaEsquema(tabela);
        db.executa(sqlCriaTabela(t));
        if (t.campoIndice) db.executa(sqlCriaIndice(tabela, QLatin1String(t.campoIndice)));
        break;
    }
    case Acao::CriaIndice:
        db.executa(sqlCriaIndice(tabela, QLatin1String(tabelaEsquema(tabela).campoIndice)));
        break;
    case Acao::RemoveCampos:
        for (const char* campo : m.itens)
            db.executa(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(tabela, campo));
        break;
    case Acao::Sql:
        for (const char* sql : m.itens) db.executa(QLatin1String(sql));
        break;
    }
}

}  // namespace

ErroAtualizacao::ErroAtualizacao(int passo, const QString& causa)
    : ErroBanco(QStringLiteral("Não foi possível atualizar o banco de dados (etapa %1). "
                               "O arquivo foi mantido como estava.\n%2")
                    .arg(passo)
                    .arg(causa)),
      passo_(passo) {}

void atualiza_banco(Banco& db, int versao) {
    int passoAtual = 0;
    try {
        Transacao t(db);
        for (const Passo& p : passos()) {
            if (versao >= p.versao) continue;
            passoAtual = p.versao;
            for (const Mudanca& m : p.mudancas) aplica(db, m);
        }
        passoAtual = kVersaoEsquema;
        criaIndicesPista(db);   // the tag's index waits for the tag field
        db.executa(QStringLiteral("UPDATE geral SET versao = ?"), {kVersaoEsquema});
        t.confirma();
    } catch (const ErroBanco& e) {
        throw ErroAtualizacao(passoAtual, e.mensagem());
    }
}
