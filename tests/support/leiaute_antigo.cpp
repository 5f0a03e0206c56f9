#include "support/leiaute_antigo.h"

#include "data/esquema.h"

#include <QStringList>

#include <set>

namespace {

struct Adicao {
    int versao;
    const char* tabela;
    const char* campo;   // nullptr: the whole table was created at that version
};

// What each version brought, as the release history lists it; independent of the upgrade code.
const Adicao kAdicoes[] = {
    {104, "mensalistas", "filial"}, {104, "mensalistas", "valor"}, {104, "filiais", nullptr},
    {105, "envio_tickets", nullptr},
    {106, "geral", "impressora"}, {106, "geral", "cancela_entrada"}, {106, "geral", "cancela_saida"},
    {108, "geral", "penult_linha"}, {108, "geral", "ult_linha"}, {108, "geral", "mostrar_lista"},
    {108, "geral", "ativar_cancela_ent"}, {108, "geral", "tempo_cancela_ent"},
    {108, "geral", "ativar_cancela_sai"}, {108, "geral", "tempo_cancela_sai"},
    {108, "mensalistas", "hora_inicio"}, {108, "mensalistas", "hora_fim"},
    {109, "geral", "ativar_cancela_ent_manual"}, {109, "geral", "ativar_cancela_sai_manual"},
    {109, "lista_entrada", nullptr}, {109, "lista_saida", nullptr},
    {110, "geral", "empresa"},
    {112, "geral", "habilitar_prisma"}, {112, "registro_saida", "prisma"},
    {112, "veiculos_patio", "prisma"},
    {113, "geral", "bobina"},
    {114, "geral", "men_atraso_tranca"}, {114, "pagamento_mensalidade", "desconto"},
    {114, "pagamento_mensalidade", "adicional"},
    {115, "veiculos_mensalistas", "filial"}, {115, "mensalidades", "filial"},
    {115, "mensalistas", "dom"}, {115, "mensalistas", "seg"}, {115, "mensalistas", "ter"},
    {115, "mensalistas", "qua"}, {115, "mensalistas", "qui"}, {115, "mensalistas", "sex"},
    {115, "mensalistas", "sab"},
    {115, "convenios", "dom"}, {115, "convenios", "seg"}, {115, "convenios", "ter"},
    {115, "convenios", "qua"}, {115, "convenios", "qui"}, {115, "convenios", "sex"},
    {115, "convenios", "sab"}, {115, "convenios", "hora_inicio"}, {115, "convenios", "hora_fim"},
    {116, "geral", "escritorio"}, {116, "geral", "filial"}, {116, "caixa", "filial"},
    {116, "cancelamento_ticket", "filial"}, {116, "fechamento_caixa", "filial"},
    {116, "pagamento_mensalidade", "filial"}, {116, "registro_saida", "filial"},
    {117, "geral", "avanco_bobina"},
    {118, "geral", "tempo_baixa_cancelas"},
    {119, "geral", "impressora_fiscal"}, {119, "geral", "aliquota"}, {119, "geral", "imposto"},
    {120, "geral", "estacionamento24h"}, {120, "geral", "leiturax"}, {120, "geral", "reducaoz"},
    {120, "geral", "rel_analitico"},
    {121, "geral", "habilitar_veiculo"}, {121, "veiculos_patio", "veiculo"},
    {123, "cancelamento_ticket", "recebido"}, {123, "fechamento_caixa", "recebido"},
    {123, "pagamento_mensalidade", "recebido"}, {123, "registro_saida", "recebido"},
};

bool ausente(int versao, const QString& tabela, const char* campo) {
    for (const Adicao& a : kAdicoes) {
        if (a.versao <= versao || tabela != QLatin1String(a.tabela)) continue;
        if (a.campo == nullptr) return true;
        if (campo && qstrcmp(campo, a.campo) == 0) return true;
    }
    return false;
}

}  // namespace

void criaLeiauteAntigo(Banco& db, const QString& caminho, int versao) {
    db.cria(caminho, Banco::kSenha);
    for (const Tabela& t : esquema()) {
        const QString nome = QLatin1String(t.nome);
        if (ausente(versao, nome, nullptr)) continue;
        QStringList colunas;
        for (const Campo& c : t.campos)
            if (!ausente(versao, nome, c.nome)) colunas << definicaoColuna(c);
        // The two receipt-printing fields that version 108 removed.
        if (nome == QLatin1String("geral") && versao < 108)
            colunas << QStringLiteral("pri_bit INTEGER") << QStringLiteral("ult_bit INTEGER");
        db.executa(QStringLiteral("CREATE TABLE %1 (%2)").arg(nome, colunas.join(", ")));
        // The subscribers' index came with version 111.
        const bool indiceAusente = nome == QLatin1String("mensalistas") && versao < 111;
        if (t.campoIndice && !indiceAusente)
            db.executa(sqlCriaIndice(nome, QLatin1String(t.campoIndice)));
    }
    db.executa(QStringLiteral("INSERT INTO geral (versao, linha1) VALUES (?, 'Estacionamento')"),
               {versao});
}
