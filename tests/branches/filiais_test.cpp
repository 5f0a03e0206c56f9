#include "branches/filiais.h"
#include "branches/filiais_teste.h"

#include <gtest/gtest.h>

namespace {

FichaFilial nova(const QString& nome) { return {QString(), nome, " Rua B ", "", "", kCnpjVazio}; }

TEST(CadastroFiliais, CodigosGravacaoEExclusao) {
    Ambiente amb;
    const ResultadoCadastroFilial primeira = grava_filial(amb.db(), nova("  Centro  "));
    EXPECT_EQ(primeira.codigo, 1);
    EXPECT_EQ(primeira.mensagem, "Dados gravados com sucesso.");
    EXPECT_EQ(amb.linha("SELECT nome, endereco, cnpj FROM filiais"), (QStringList{"Centro", "Rua B", ""}));

    amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (2, 'Zona Sul'), (5, 'Aeroporto')");
    EXPECT_EQ(grava_filial(amb.db(), nova("Norte")).codigo, 6);
    const ResultadoCadastroFilial branco = grava_filial(amb.db(), nova("   "));
    EXPECT_EQ(branco.mensagem, "Campo obrigatório: Nome");
    EXPECT_TRUE(branco.focoNome);

    // Editing keeps the code; the CNPJ is stored as shown.
    grava_filial(amb.db(), {"6", "Norte Novo", "", "", "", "12.345.678/0001-90"});
    EXPECT_EQ(amb.linha("SELECT nome, cnpj FROM filiais WHERE codigo = 6"),
              (QStringList{"Norte Novo", "12.345.678/0001-90"}));

    std::vector<QString> nomes;
    for (const FilialListada& f : lista_filiais(amb.db())) nomes.push_back(f.nome);
    EXPECT_EQ(nomes, (std::vector<QString>{"Aeroporto", "Centro", "Norte Novo", "Zona Sul"}));

    mensalista(amb, 1, "Ana", 2);
    amb.db().executa("UPDATE mensalistas SET excluido = 1");
    amb.db().executa("INSERT INTO envio_tickets (filial, data, serie, ticket_inicial, ticket_final) "
                     "VALUES (5, '2026-12-01', 'A', 1, 10)");
    const struct {
        QString cod;
        QString mensagem;
    } exclusoes[] = {
        {"", "Escolha a filial a excluir na lista das filiais cadastradas."},
        {"9", "Filial não encontrada."},
        {"2", "Filial utilizada por mensalista(s). Não pode ser excluída."},
        {"5", "Filial utilizada no envio de tickets. Não pode ser excluída."},
        {"6", "Filial excluída com sucesso."},
    };
    for (const auto& e : exclusoes) EXPECT_EQ(exclui_filial(amb.db(), e.cod).mensagem, e.mensagem);
    EXPECT_EQ(amb.conta("filiais"), 3);
    // The highest code is free again.
    EXPECT_EQ(grava_filial(amb.db(), nova("Leste")).codigo, 6);
}

TEST(EnvioTickets, ValidacaoESobreposicao) {
    Ambiente amb;
    const auto envia = [&](std::optional<qint32> filial, const QString& dat, const QString& ser,
                           const QString& ini, const QString& fim) {
        return envia_tickets(amb.db(), {filial, dat, ser, ini, fim});
    };
    const QString data = "01/12/2026";
    ASSERT_TRUE(envia(1, data, " A ", "100  ", "200  ").ok);
    EXPECT_EQ(amb.linha("SELECT filial, data, serie, ticket_inicial, ticket_final FROM envio_tickets"),
              (QStringList{"1", "2026-12-01", "A", "100", "200"}));

    const struct {
        std::optional<qint32> filial;
        QString dat, ser, ini, fim;
        QString mensagem;
        CampoEnvio foco;
    } casos[] = {
        {std::nullopt, data, "A", "1", "2", "Escolha a Filial.", CampoEnvio::Filial},
        {1, "  /  /    ", "A", "1", "2", "Data inválida.", CampoEnvio::Data},
        {1, "31/02/2026", "A", "1", "2", "Data inválida.", CampoEnvio::Data},
        {1, data, "   ", "1", "2", "Preencha a série.", CampoEnvio::Serie},
        {1, data, "A", "     ", "2", "Preencha o ticket inicial.", CampoEnvio::TicketInicial},
        {1, data, "A", "1", "     ", "Preencha o ticket final.", CampoEnvio::TicketFinal},
        {1, data, "A", "200", "100", "O ticket inicial não pode ser maior que o ticket final.",
         CampoEnvio::TicketInicial},
    };
    for (const auto& c : casos) {
        const ResultadoEnvio r = envia(c.filial, c.dat, c.ser, c.ini, c.fim);
        EXPECT_EQ(r.mensagem, c.mensagem);
        EXPECT_EQ(r.foco, c.foco) << c.mensagem.toStdString();
    }

    const QString sobreposicao = "Já foram enviados tickets nesse intervalo, com mesma série e para "
                                 "a mesma filial. Um novo envio não pode ser feito.";
    for (const auto& [ini, fim] : {std::pair{"150", "250"}, {"50", "150"}, {"120", "180"}, {"50", "250"},
                                   {"200", "200"}}) {
        const ResultadoEnvio r = envia(1, data, "a", ini, fim);
        EXPECT_EQ(r.mensagem, sobreposicao) << ini << "-" << fim;
        EXPECT_TRUE(r.exclamacao);
    }
    EXPECT_TRUE(envia(1, data, "A", "201", "300").ok);
    EXPECT_TRUE(envia(2, data, "A", "100", "200").ok);
    EXPECT_EQ(envia(1, data, "B", "100", "100").mensagem, "Ticket enviados com sucesso.");
    EXPECT_EQ(amb.conta("envio_tickets"), 4);
}

}  // namespace
