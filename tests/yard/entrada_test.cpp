#include "yard/entrada.h"

#include "support/ambiente.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class EntradaTest : public ::testing::Test {
protected:
    EntradaTest() {
        amb.ctx.estado.cancela_entrada = QStringLiteral(" ");
        amb.ctx.estado.data_atual = QDate(2026, 12, 12);
        amb.ctx.estado.hora_atual = QTime(14, 35, 7);
    }
    void sql(const QString& texto, const QVariantList& valores = {}) { amb.db().executa(texto, valores); }
    void mensalista(int codigo, QVariant quota, QVariant vencto, QVariant tolerancia,
                    std::initializer_list<const char*> placas, bool excluido = false) {
        sql("INSERT INTO mensalistas (codigo, nome, num_max_veic, dia_vencto, tolerancia, excluido) "
            "VALUES (?, ' Ana ', ?, ?, ?, ?)",
            {codigo, quota, vencto, tolerancia, excluido ? 1 : 0});
        for (const char* p : placas)
            sql("INSERT INTO veiculos_mensalistas (codigo, placa) VALUES (?, ?)", {codigo, p});
    }
    void estaciona(const char* placa) {
        sql("INSERT INTO veiculos_patio (placa, data_entrada) VALUES (?, '2026-12-07')", {placa});
    }
    ResultadoPista entra(const char* placa, const char* pri = "   ", const char* vei = "") {
        return registra_entrada(amb.ctx, cancelas, {placa, pri, vei});
    }
    int conta(const char* tabela) {
        return amb.db().valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabela)).toInt();
    }
    // mensalista, mensalista_pago, ticket, prisma, veiculo, data_entrada, hora_entrada.
    QStringList patio(const char* placa) { return linha(amb, placa); }
    static QStringList linha(Ambiente& amb, const char* placa) {
        QSqlQuery q = amb.db().executa("SELECT mensalista, mensalista_pago, ticket, prisma, veiculo, "
                                       "data_entrada, hora_entrada FROM veiculos_patio WHERE placa = ?",
                                       {placa});
        QStringList r;
        if (q.next())
            for (int i = 0; i < 7; ++i) r << (q.value(i).isNull() ? "NULL" : q.value(i).toString());
        return r;
    }

    Ambiente amb;
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

}  // namespace

TEST_F(EntradaTest, AvulsoRecebeTicketEHoraDoRelogioDoPrograma) {
    sql("INSERT INTO gera_ticket (ticket) VALUES (56)");
    amb.plataforma.defineAgora(QDateTime(QDate(2030, 1, 1), QTime(1, 2, 3)));   // not used
    const ResultadoPista r = entra("ABC-1234", " 12", "Gol prata");
    ASSERT_TRUE(r.registrado);
    EXPECT_EQ(r.tic, "57        ");
    EXPECT_EQ(r.dat_ent, "12/12/2026");
    EXPECT_EQ(r.hor_ent, "14:35:07");
    EXPECT_EQ(patio("ABC-1234"), (QStringList{"NULL", "NULL", "57", "12", "Gol prata",
                                               "2026-12-12", "14:35:07"}));
    // The counter goes on; an empty tag stores NULL and an empty vehicle "".
    EXPECT_EQ(entra("XYZ-9876").tic, "58        ");
    const QStringList l = patio("XYZ-9876");
    EXPECT_EQ(l[3], "NULL");
    EXPECT_EQ(l[4], "");
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(EntradaTest, PlacaVaziaOuJaNoPatioERecusadaSemGravar) {
    for (const char* vazia : {"   -    ", "-", ""}) {
        const ResultadoPista r = entra(vazia);
        EXPECT_EQ(r.mensagem, "Digite a placa.");
        EXPECT_EQ(r.icone, Icone::Informacao);
        EXPECT_EQ(r.foco, CampoPista::pla);
    }
    // Refused before any subscriber rule, also for a subscriber's full quota; case is ignored.
    mensalista(1, 1, 10, 0, {"ABC-1234"});
    estaciona("ABC-1234");
    const ResultadoPista r = entra("abc-1234");
    EXPECT_FALSE(r.registrado);
    EXPECT_EQ(r.mensagem, "Veículo com placa abc-1234 já está no estacionamento.");
    EXPECT_EQ(r.icone, Icone::Exclamacao);
    EXPECT_EQ(r.foco, CampoPista::pla);
    EXPECT_TRUE(amb.plataforma.perguntas.isEmpty());
    EXPECT_EQ(conta("gera_ticket") + conta("veiculos_patio"), 1);
}

TEST_F(EntradaTest, MensalistaSemTicketEExcluidoEntraComoAvulso) {
    mensalista(7, 2, 20, 0, {"MEN-0001"});
    const ResultadoPista r = entra("MEN-0001");
    ASSERT_TRUE(r.registrado);
    EXPECT_EQ(r.tic, "0000000000");
    EXPECT_EQ(patio("MEN-0001").mid(0, 3), (QStringList{"7", "NULL", "NULL"}));
    EXPECT_EQ(conta("gera_ticket"), 0);

    mensalista(8, 2, 20, 0, {"DEL-0001"}, true);
    EXPECT_EQ(entra("DEL-0001").tic, "1         ");
    EXPECT_EQ(patio("DEL-0001")[0], "NULL");
}

TEST_F(EntradaTest, CotaCheiaPerguntaEEntraPagandoSeparado) {
    // Quota 0 or NULL with vehicles in the yard, or none in the yard: nothing is asked.
    mensalista(4, 0, 20, 0, {"EVA-0001"});
    mensalista(5, QVariant(), 20, 0, {"FAB-0001", "FAB-0002"});
    estaciona("FAB-0001");
    EXPECT_TRUE(entra("EVA-0001").registrado);
    EXPECT_TRUE(entra("FAB-0002").registrado);
    EXPECT_TRUE(amb.plataforma.perguntas.isEmpty());

    mensalista(3, 2, 5, 0, {"AAA-0001", "AAA-0002", "AAA-0003", "AAA-0004"});
    sql("INSERT INTO mensalidades (codigo, mes, pago) VALUES (3, '2026-11-01', 0)");
    estaciona("AAA-0001");
    estaciona("AAA-0002");
    amb.plataforma.responde({false});
    const ResultadoPista nao = entra("AAA-0003");
    EXPECT_FALSE(nao.registrado);
    EXPECT_TRUE(nao.mensagem.isEmpty());
    EXPECT_EQ(amb.plataforma.perguntas, QStringList{"O mensalista Ana já possui o número máximo de "
                                                    "veículos no pátio (2). Deseja entrar e pagar "
                                                    "separadamente?"});
    EXPECT_EQ(conta("veiculos_patio"), 5);

    // Yes: pays separately, no arrears rule, and the stamp is the clock once answered.
    amb.plataforma.aoPerguntar = [this] { amb.ctx.estado.hora_atual = QTime(14, 36, 0); };
    amb.plataforma.responde({true});
    const ResultadoPista sim = entra("AAA-0003");
    ASSERT_TRUE(sim.registrado);
    EXPECT_EQ(sim.tic, "0000000000");
    EXPECT_EQ(sim.hor_ent, "14:36:00");
    const QStringList l = patio("AAA-0003");
    EXPECT_EQ(l[1], QString::number(kPagaSeparado));
    EXPECT_EQ(l[6], "14:36:00");
    EXPECT_EQ(amb.plataforma.perguntas.size(), 2);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(conta("mensalidades"), 1);
}

TEST_F(EntradaTest, MensalidadesEmAtraso) {
    const QString aviso13 = QStringLiteral("Mensalista  Ana  em atraso. Após dia 13/11/2026 será "
                                           "cobrado separadamente(Rotativo ou outro).");
    const struct {
        const char* caso;
        int dia, vencto, tolerancia;
        bool tranca;
        std::vector<std::pair<const char*, bool>> meses;   // existing rows: month, paid
        std::optional<bool> resposta;                      // the question's answer, if asked
        QString texto;                                     // question or message; "" for none
        Icone icone;
        bool registrado;
        const char* pago;                                  // mensalista_pago
        int mesesDepois;
    } casos[] = {
        {"no prazo: cria o mês e avisa", 12, 10, 3, false, {}, {}, aviso13, Icone::Informacao,
         true, "NULL", 1},
        {"mês em aberto além do prazo, sem tranca", 14, 10, 3, false, {{"2026-11-01", false}}, {},
         "Este mensalista está em atraso!", Icone::Exclamacao, true, "NULL", 1},
        {"sem mês, além do prazo, sem tranca", 20, 5, 0, false, {}, {},
         "Mensalista  Ana  em atraso!", Icone::Exclamacao, true, "NULL", 1},
        {"sem mês, tranca, Não deixa o mês criado", 20, 5, 0, true, {}, false,
         "Mensalista  Ana  em atraso. Deseja entrar e pagar como avulso?", Icone::Informacao,
         false, "NULL", 1},
        {"sem mês, tranca, Sim", 20, 5, 0, true, {}, true,
         "Mensalista  Ana  em atraso. Deseja entrar e pagar como avulso?", Icone::Informacao,
         true, "-2", 1},
        {"mês em aberto, tranca, Sim", 20, 5, 0, true, {{"2026-11-01", false}}, true,
         "Mensalista  Ana  em atraso. Deseja entrar e pagar separadamente?", Icone::Informacao,
         true, "-2", 1},
        {"mês em aberto, tranca, Não", 20, 5, 0, true, {{"2026-11-01", false}}, false,
         "Mensalista  Ana  em atraso. Deseja entrar e pagar separadamente?", Icone::Informacao,
         false, "NULL", 1},
        {"após o vencimento só conta o mês atual", 20, 5, 0, true,
         {{"2026-11-01", true}, {"2026-10-01", false}}, {}, "", Icone::Informacao, true, "NULL", 2},
        {"no dia do vencimento nada é criado", 12, 12, 0, true, {}, {}, "", Icone::Informacao,
         true, "NULL", 0},
        {"mês anterior em aberto e vencimento à frente", 12, 12, 0, true,
         {{"2026-10-01", false}},
         {}, "Mensalista  Ana  em atraso. Após dia 12/11/2026 será cobrado "
             "separadamente(Rotativo ou outro).",
         Icone::Informacao, true, "NULL", 1},
        {"vencimento além do fim do mês", 3, 31, 2, false, {{"2026-11-01", false}}, {},
         "Mensalista  Ana  em atraso. Após dia 02/12/2026 será cobrado "
         "separadamente(Rotativo ou outro).",
         Icone::Informacao, true, "NULL", 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Ambiente a;
        a.ctx.estado.cancela_entrada = QStringLiteral(" ");
        a.ctx.estado.men_atraso_tranca = c.tranca;
        a.ctx.estado.data_atual = QDate(2026, 11, c.dia);
        a.db().executa("INSERT INTO mensalistas (codigo, nome, num_max_veic, dia_vencto, "
                       "tolerancia) VALUES (9, ' Ana ', 3, ?, ?)",
                       {c.vencto, c.tolerancia});
        a.db().executa("INSERT INTO veiculos_mensalistas (codigo, placa) VALUES (9, 'HUG-0001')");
        for (const auto& [mes, pago] : c.meses)
            a.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (9, ?, ?)",
                           {mes, pago ? 1 : 0});
        if (c.resposta) a.plataforma.responde({*c.resposta});
        ControleCancelas cc(a.ctx, nullptr, nullptr);

        const ResultadoPista r = registra_entrada(a.ctx, cc, {"HUG-0001", "   ", ""});
        EXPECT_EQ(r.registrado, c.registrado);
        if (c.resposta) {
            EXPECT_EQ(a.plataforma.perguntas, QStringList{c.texto});
            EXPECT_TRUE(a.plataforma.mensagens.empty());
        } else {
            EXPECT_TRUE(a.plataforma.perguntas.isEmpty());
            EXPECT_EQ(a.plataforma.textosMensagens(),
                      c.texto.isEmpty() ? QStringList{} : QStringList{c.texto});
            for (const MensagemVista& m : a.plataforma.mensagens) EXPECT_EQ(m.icone, c.icone);
        }
        const QStringList l = linha(a, "HUG-0001");
        EXPECT_EQ(l.isEmpty(), !c.registrado);
        EXPECT_EQ(l.value(1, "NULL"), c.pago);
        EXPECT_EQ(a.db().valor("SELECT count(*) FROM mensalidades").toInt(), c.mesesDepois);
        // A month row created here is this month's, unpaid, with nothing else filled in.
        EXPECT_EQ(a.db().existe("SELECT 1 FROM mensalidades WHERE mes = '2026-11-01' AND pago = 0 "
                                "AND data_pgto IS NULL"),
                  c.mesesDepois > int(c.meses.size()) ||
                      (!c.meses.empty() && !c.meses[0].second &&
                       QLatin1String(c.meses[0].first) == QLatin1String("2026-11-01")));
    }
}

TEST_F(EntradaTest, CancelaManualEnfileiraEAutomaticaPulsa) {
    Estado& e = amb.ctx.estado;
    e.ativar_cancela_ent_manual = true;   // queued even with no port
    const ResultadoPista r = entra("QUE-0001");
    ASSERT_TRUE(r.enfileirado);
    QSqlQuery q = amb.db().executa("SELECT placa, data_entrada, hora_entrada FROM lista_entrada");
    ASSERT_TRUE(q.next());
    EXPECT_EQ((QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()}),
              (QStringList{"QUE-0001", "2026-12-12", "14:35:07"}));

    e.ativar_cancela_ent_manual = false;
    e.ativar_cancela_ent = true;
    e.cancela_entrada = QStringLiteral("LPT1");
    EXPECT_FALSE(entra("AUT-0001").enfileirado);
    ASSERT_EQ(amb.plataforma.portaFalsa.escritas.size(), 1u);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].endereco, 0x378);
    EXPECT_EQ(amb.plataforma.portaFalsa.escritas[0].valor, 1);
    EXPECT_EQ(conta("lista_entrada"), 1);
}

TEST_F(EntradaTest, FalhaAoGravarDesfazTudo) {
    // The queue row is the last write: its failure must undo month row, ticket and yard row.
    Estado& e = amb.ctx.estado;
    e.ativar_cancela_ent_manual = e.ativar_cancela_ent = true;
    e.cancela_entrada = QStringLiteral("LPT1");
    sql("CREATE TRIGGER falha BEFORE INSERT ON lista_entrada BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    mensalista(13, 3, 5, 9, {"LIA-0001"});

    const ResultadoPista r = entra("LIA-0001");
    EXPECT_FALSE(r.registrado);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.startsWith("Não foi possível registrar a entrada do veículo."));
    EXPECT_TRUE(r.mensagem.contains("disco cheio"));
    EXPECT_FALSE(entra("CAS-0001").registrado);
    for (const char* t : {"gera_ticket", "veiculos_patio", "lista_entrada", "mensalidades"})
        EXPECT_EQ(conta(t), 0) << t;
    EXPECT_TRUE(amb.plataforma.portaFalsa.escritas.empty());

    sql("DROP TRIGGER falha");
    EXPECT_EQ(entra("CAS-0001").tic, "1         ");
}
