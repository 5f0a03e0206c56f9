#include "yard/entrada.h"

#include "data/datas.h"
#include "support/ambiente.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class EntradaTest : public ::testing::Test {
protected:
    EntradaTest() {
        Estado& e = amb.ctx.estado;
        e.cancela_entrada = QStringLiteral(" ");
        e.cancela_saida = QStringLiteral(" ");
        hoje(12);
    }
    void hoje(int dia) { amb.ctx.estado.data_atual = QDate(2026, 12, dia); }

    // A subscriber with the given plates; `excluido` marks a deleted one.
    void mensalista(int codigo, const char* nome, QVariant quota, QVariant vencto,
                    QVariant tolerancia, std::initializer_list<const char*> placas,
                    bool excluido = false) {
        amb.db().executa("INSERT INTO mensalistas (codigo, nome, num_max_veic, dia_vencto, "
                         "tolerancia, excluido) VALUES (?, ?, ?, ?, ?, ?)",
                         {codigo, nome, quota, vencto, tolerancia, excluido ? 1 : 0});
        for (const char* p : placas)
            amb.db().executa("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa) "
                             "VALUES (?, 'Carro', '2020', ?)",
                             {codigo, p});
    }
    void mensalidade(int codigo, const char* mes, bool pago) {
        amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (?, ?, ?)",
                         {codigo, mes, pago ? 1 : 0});
    }
    void estaciona(const char* placa) {
        amb.db().executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada) "
                         "VALUES (?, '2026-12-07', '08:00:00')",
                         {placa});
    }
    ResultadoPista entra(const char* placa, const char* pri = "   ", const char* vei = "") {
        return registra_entrada(amb.ctx, cancelas, {placa, pri, vei});
    }
    int conta(const char* tabela) {
        return amb.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
    }
    // mensalista, mensalista_pago, ticket, prisma, veiculo of the plate's yard row.
    QVariantList linhaPatio(const char* placa) {
        QSqlQuery q = amb.db().executa("SELECT mensalista, mensalista_pago, ticket, prisma, "
                                       "veiculo, data_entrada, hora_entrada FROM veiculos_patio "
                                       "WHERE placa = ?",
                                       {placa});
        if (!q.next()) return {};
        QVariantList r;
        for (int i = 0; i < 7; ++i) r << q.value(i);
        return r;
    }

    Ambiente amb;
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

}  // namespace

TEST_F(EntradaTest, AvulsoRecebeOProximoTicketEHoraDoRelogioDoPrograma) {
    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (56)");
    amb.ctx.estado.hora_atual = QTime(14, 35, 7);
    // The computer's clock says something else: only the program clock stamps the entry.
    amb.plataforma.defineAgora(QDateTime(QDate(2030, 1, 1), QTime(1, 2, 3)));

    const ResultadoPista r = entra("ABC-1234", " 12", "Gol prata");
    ASSERT_TRUE(r.registrado);
    EXPECT_EQ(r.tic, "57        ");
    EXPECT_EQ(r.dat_ent, "12/12/2026");
    EXPECT_EQ(r.hor_ent, "14:35:07");
    EXPECT_FALSE(r.enfileirado);
    const QVariantList l = linhaPatio("ABC-1234");
    ASSERT_EQ(l.size(), 7);
    EXPECT_TRUE(l[0].isNull());
    EXPECT_TRUE(l[1].isNull());
    EXPECT_EQ(l[2].toLongLong(), 57);
    EXPECT_EQ(l[3].toInt(), 12);
    EXPECT_EQ(l[4].toString(), "Gol prata");
    EXPECT_EQ(l[5].toString(), "2026-12-12");
    EXPECT_EQ(l[6].toString(), "14:35:07");

    // The next one continues the counter; an empty tag and vehicle store NULL and "".
    const ResultadoPista r2 = entra("XYZ-9876");
    EXPECT_EQ(r2.tic, "58        ");
    const QVariantList l2 = linhaPatio("XYZ-9876");
    EXPECT_TRUE(l2[3].isNull());
    EXPECT_FALSE(l2[4].isNull());
    EXPECT_EQ(l2[4].toString(), "");
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(EntradaTest, PlacaVaziaOuJaNoPatioERecusada) {
    for (const char* vazia : {"   -    ", "-", ""}) {
        const ResultadoPista r = entra(vazia);
        EXPECT_FALSE(r.registrado);
        EXPECT_EQ(r.mensagem, "Digite a placa.");
        EXPECT_EQ(r.icone, Icone::Informacao);
        EXPECT_EQ(r.foco, CampoPista::pla);
    }
    // Refused before any subscriber rule, even for a subscriber's plate; case is ignored.
    mensalista(1, "Ana", 1, 10, 0, {"ABC-1234"});
    estaciona("ABC-1234");
    const ResultadoPista r = entra("abc-1234");
    EXPECT_FALSE(r.registrado);
    EXPECT_EQ(r.mensagem, "Veículo com placa abc-1234 já está no estacionamento.");
    EXPECT_EQ(r.icone, Icone::Exclamacao);
    EXPECT_EQ(r.foco, CampoPista::pla);
    EXPECT_TRUE(amb.plataforma.perguntas.isEmpty());
    EXPECT_EQ(conta("gera_ticket"), 0);
    EXPECT_EQ(conta("veiculos_patio"), 1);
}

TEST_F(EntradaTest, MensalistaCobertoNaoRecebeTicket) {
    mensalista(7, "Bruno", 2, 20, 0, {"MEN-0001"});
    const ResultadoPista r = entra("MEN-0001");
    ASSERT_TRUE(r.registrado);
    EXPECT_EQ(r.tic, "0000000000");
    const QVariantList l = linhaPatio("MEN-0001");
    EXPECT_EQ(l[0].toInt(), 7);
    EXPECT_TRUE(l[1].isNull());
    EXPECT_TRUE(l[2].isNull());
    EXPECT_EQ(conta("gera_ticket"), 0);

    // A deleted subscriber's plate enters as a casual vehicle with a ticket.
    mensalista(8, "Carla", 2, 20, 0, {"DEL-0001"}, true);
    const ResultadoPista r2 = entra("DEL-0001");
    EXPECT_EQ(r2.tic, "1         ");
    EXPECT_TRUE(linhaPatio("DEL-0001")[0].isNull());
}

TEST_F(EntradaTest, CotaCheiaPerguntaSeEntraPagandoSeparado) {
    mensalista(3, "  Dora  ", 2, 5, 0, {"AAA-0001", "AAA-0002", "AAA-0003", "AAA-0004"});
    mensalidade(3, "2026-11-01", false);   // would ask about arrears, were it checked
    estaciona("AAA-0001");
    estaciona("AAA-0002");

    amb.plataforma.responde({false});
    const ResultadoPista nao = entra("AAA-0003");
    EXPECT_FALSE(nao.registrado);
    EXPECT_TRUE(nao.mensagem.isEmpty());
    ASSERT_EQ(amb.plataforma.perguntas.size(), 1);
    EXPECT_EQ(amb.plataforma.perguntas[0],
              "O mensalista Dora já possui o número máximo de veículos no pátio (2). Deseja "
              "entrar e pagar separadamente?");
    EXPECT_EQ(conta("veiculos_patio"), 2);
    EXPECT_EQ(conta("mensalidades"), 1);

    amb.plataforma.responde({true});
    const ResultadoPista sim = entra("AAA-0003");
    ASSERT_TRUE(sim.registrado);
    EXPECT_EQ(sim.tic, "0000000000");
    EXPECT_EQ(linhaPatio("AAA-0003")[1].toInt(), kPagaSeparado);
    // No arrears rule ran: one question, no message, no month row.
    EXPECT_EQ(amb.plataforma.perguntas.size(), 2);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(conta("mensalidades"), 1);

    // Three in the yard, quota two: the fourth is asked as well.
    amb.plataforma.responde({false});
    EXPECT_FALSE(entra("AAA-0004").registrado);
    EXPECT_EQ(amb.plataforma.perguntas.size(), 3);
}

TEST_F(EntradaTest, CotaSemVeiculoNoPatioNaoPergunta) {
    mensalista(4, "Eva", 0, 20, 0, {"EVA-0001"});
    mensalista(5, "Fabio", QVariant(), 20, 0, {"FAB-0001", "FAB-0002"});
    estaciona("FAB-0001");
    EXPECT_TRUE(entra("EVA-0001").registrado);
    EXPECT_TRUE(entra("FAB-0002").registrado);
    EXPECT_TRUE(amb.plataforma.perguntas.isEmpty());
}

TEST_F(EntradaTest, AtrasoDentroDaToleranciaAvisaEEntraCoberto) {
    // Due on the 10th, three days' tolerance, entering on the 12th: the month's row is created
    // unpaid and the notice names the 13th.
    mensalista(6, "Gil", 2, 10, 3, {"GIL-0001", "GIL-0002"});
    const ResultadoPista r = entra("GIL-0001");
    ASSERT_TRUE(r.registrado);
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Mensalista Gil em atraso. Após dia 13/12/2026 será cobrado "
                          "separadamente(Rotativo ou outro)."});
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Informacao);
    EXPECT_TRUE(linhaPatio("GIL-0001")[1].isNull());
    QSqlQuery q = amb.db().executa("SELECT codigo, mes, pago FROM mensalidades");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 6);
    EXPECT_EQ(q.value(1).toString(), "2026-12-01");
    EXPECT_EQ(q.value(2).toInt(), 0);
    EXPECT_FALSE(q.next());

    // On the 14th, the unpaid row existing, the late rule applies; without the lock he enters.
    hoje(14);
    amb.plataforma.mensagens.clear();
    ASSERT_TRUE(entra("GIL-0002").registrado);
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Este mensalista está em atraso!"});
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Exclamacao);
    EXPECT_TRUE(linhaPatio("GIL-0002")[1].isNull());
    EXPECT_EQ(conta("mensalidades"), 1);
}

TEST_F(EntradaTest, AtrasoComTrancaPerguntaSimENao) {
    amb.ctx.estado.men_atraso_tranca = true;
    mensalista(9, "Hugo", 3, 5, 0, {"HUG-0001", "HUG-0002", "HUG-0003"});
    hoje(20);

    // No row for the month yet: the casual wording; No leaves the new month row in place.
    amb.plataforma.responde({false});
    EXPECT_FALSE(entra("HUG-0001").registrado);
    EXPECT_EQ(amb.plataforma.perguntas.last(),
              "Mensalista Hugo em atraso. Deseja entrar e pagar como avulso?");
    EXPECT_EQ(conta("mensalidades"), 1);
    EXPECT_EQ(conta("veiculos_patio"), 0);
    EXPECT_EQ(conta("gera_ticket"), 0);

    // The row now exists and is unpaid: the other wording; Yes enters paying as casual.
    amb.plataforma.responde({true});
    ASSERT_TRUE(entra("HUG-0001").registrado);
    EXPECT_EQ(amb.plataforma.perguntas.last(),
              "Mensalista Hugo em atraso. Deseja entrar e pagar separadamente?");
    EXPECT_EQ(linhaPatio("HUG-0001")[1].toInt(), kPagaEmAtraso);
    EXPECT_EQ(conta("mensalidades"), 1);

    // Once this month is paid, an unpaid earlier month asks nothing after the due day.
    amb.db().executa("UPDATE mensalidades SET pago = 1");
    mensalidade(9, "2026-10-01", false);
    ASSERT_TRUE(entra("HUG-0002").registrado);
    EXPECT_EQ(amb.plataforma.perguntas.size(), 2);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(EntradaTest, SemTrancaAtrasoNovoAvisaEEntraCoberto) {
    mensalista(10, "Iris", 3, 5, 0, {"IRI-0001"});
    hoje(20);
    ASSERT_TRUE(entra("IRI-0001").registrado);
    EXPECT_EQ(amb.plataforma.textosMensagens(), QStringList{"Mensalista Iris em atraso!"});
    EXPECT_TRUE(linhaPatio("IRI-0001")[1].isNull());
    EXPECT_EQ(conta("mensalidades"), 1);
}

TEST_F(EntradaTest, NoDiaDoVencimentoNaoCriaMensalidade) {
    mensalista(11, "Joao", 3, 12, 0, {"JOA-0001", "JOA-0002"});
    ASSERT_TRUE(entra("JOA-0001").registrado);   // today is the 12th, the due day
    EXPECT_EQ(conta("mensalidades"), 0);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());

    // An unpaid earlier month with this month's due day ahead: the notice, and he enters.
    mensalidade(11, "2026-11-01", false);
    ASSERT_TRUE(entra("JOA-0002").registrado);
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Mensalista Joao em atraso. Após dia 12/12/2026 será cobrado "
                          "separadamente(Rotativo ou outro)."});
    EXPECT_EQ(conta("mensalidades"), 1);
}

TEST_F(EntradaTest, VencimentoAlemDoFimDoMesAvisaComOUltimoDia) {
    amb.ctx.estado.data_atual = QDate(2026, 11, 3);
    mensalista(12, "Kim", 3, 31, 2, {"KIM-0001"});
    mensalidade(12, "2026-10-01", false);
    ASSERT_TRUE(entra("KIM-0001").registrado);
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"Mensalista Kim em atraso. Após dia 02/12/2026 será cobrado "
                          "separadamente(Rotativo ou outro)."});
}

TEST_F(EntradaTest, FilaDaCancelaManualEPulsoAutomatico) {
    Estado& e = amb.ctx.estado;
    e.ativar_cancela_ent_manual = true;
    e.hora_atual = QTime(9, 15, 0);
    const ResultadoPista r = entra("QUE-0001");
    ASSERT_TRUE(r.registrado);
    EXPECT_TRUE(r.enfileirado);
    // No port configured: no pulse, the vehicle is queued all the same.
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());
    QSqlQuery q = amb.db().executa("SELECT placa, data_entrada, hora_entrada FROM lista_entrada");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "QUE-0001");
    EXPECT_EQ(q.value(1).toString(), "2026-12-12");
    EXPECT_EQ(q.value(2).toString(), "09:15:00");

    e.ativar_cancela_ent_manual = false;
    e.ativar_cancela_ent = true;
    e.cancela_entrada = QStringLiteral("LPT1");
    ASSERT_TRUE(entra("AUT-0001").registrado);
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x378);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 1);
    EXPECT_EQ(conta("lista_entrada"), 1);
}

TEST_F(EntradaTest, FalhaAoGravarNaoDeixaNadaPelaMetade) {
    // The queue row is the last write of an entry; making it fail must undo the month row,
    // the ticket and the yard row written before it.
    amb.ctx.estado.ativar_cancela_ent_manual = true;
    amb.ctx.estado.ativar_cancela_ent = true;
    amb.ctx.estado.cancela_entrada = QStringLiteral("LPT1");
    amb.db().executa("CREATE TRIGGER falha BEFORE INSERT ON lista_entrada "
                     "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    mensalista(13, "Lia", 3, 5, 9, {"LIA-0001"});

    const ResultadoPista sub = entra("LIA-0001");
    EXPECT_FALSE(sub.registrado);
    EXPECT_EQ(sub.icone, Icone::Critico);
    EXPECT_TRUE(sub.mensagem.startsWith("Não foi possível registrar a entrada do veículo."));
    EXPECT_TRUE(sub.mensagem.contains("disco cheio"));
    EXPECT_EQ(conta("mensalidades"), 0);

    EXPECT_FALSE(entra("CAS-0001").registrado);
    for (const char* t : {"gera_ticket", "veiculos_patio", "lista_entrada", "mensalidades"})
        EXPECT_EQ(conta(t), 0) << t;
    // Nothing registered, so the gate is not raised.
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());

    amb.db().executa("DROP TRIGGER falha");
    EXPECT_EQ(entra("CAS-0001").tic, "1         ");
}
