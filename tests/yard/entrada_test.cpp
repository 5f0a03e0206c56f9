#include "yard/entrada.h"
#include "yard/proximo_ticket.h"

#include "support/pista_janela.h"

namespace {

class EntradaTest : public ::testing::Test {
protected:
    EntradaTest() {
        amb.ctx.estado.data_atual = QDate(2026, 11, 12);
        amb.ctx.estado.hora_atual = QTime(14, 35, 7);
    }
    // A subscriber named " Ana " with his plates.
    static void mensalista(Ambiente& a, int codigo, QVariant quota, int vencto, int tolerancia,
                           std::initializer_list<const char*> placas, bool excluido = false) {
        a.db().executa("INSERT INTO mensalistas (codigo, nome, num_max_veic, dia_vencto, tolerancia, "
                       "excluido) VALUES (?, ' Ana ', ?, ?, ?, ?)",
                       {codigo, quota, vencto, tolerancia, excluido ? 1 : 0});
        for (const char* p : placas)
            a.db().executa("INSERT INTO veiculos_mensalistas (codigo, placa) VALUES (?, ?)", {codigo, p});
    }
    // mensalista, mensalista_pago, ticket, prisma, veiculo, data_entrada, hora_entrada.
    static QStringList patio(Ambiente& a, const char* placa) {
        return a.linha("SELECT mensalista, mensalista_pago, ticket, prisma, veiculo, data_entrada, "
                       "hora_entrada FROM veiculos_patio WHERE placa = ?", {placa});
    }
    ResultadoPista entra(const char* placa, const char* pri = "   ", const char* vei = "") {
        return registra_entrada(amb.ctx, cancelas, {placa, pri, vei});
    }
    Ambiente amb;
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
};

}  // namespace

TEST_F(EntradaTest, AvulsoRecebeTicketEMensalistaNao) {
    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (56)");
    amb.plataforma.defineAgora(QDateTime(QDate(2030, 1, 1), QTime(1, 2, 3)));   // not the clock
    const ResultadoPista r = entra("ABC-1234", " 12", "Gol prata");
    EXPECT_EQ((QStringList{r.tic, r.dat_ent, r.hor_ent}), (QStringList{"57        ", "12/11/2026", "14:35:07"}));
    EXPECT_EQ(patio(amb, "ABC-1234"),
              (QStringList{"NULL", "NULL", "57", "12", "Gol prata", "2026-11-12", "14:35:07"}));
    EXPECT_EQ(entra("XYZ-9876").tic, "58        ");   // the counter goes on
    EXPECT_EQ(patio(amb, "XYZ-9876").value(3), "NULL");   // an empty tag stores NULL

    // A subscriber's vehicle gets no ticket; a deleted subscriber's enters as casual.
    mensalista(amb, 7, 2, 20, 0, {"MEN-0001"});
    mensalista(amb, 8, 2, 20, 0, {"DEL-0001"}, true);
    EXPECT_EQ(entra("MEN-0001").tic, "0000000000");
    EXPECT_EQ(patio(amb, "MEN-0001").mid(0, 3), (QStringList{"7", "NULL", "NULL"}));
    EXPECT_EQ(entra("DEL-0001").tic, "59        ");

    // The last number is given; past it a casual vehicle is refused, saying why, and nothing is
    // written; a subscriber's vehicle, which takes no ticket, still enters.
    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (2147483646)");
    EXPECT_EQ(entra("ULT-0001").tic, "2147483647");
    EXPECT_EQ(entra("FIM-0001").mensagem, msgTicketsEsgotados());
    EXPECT_EQ(amb.linha("SELECT count(*), max(ticket), (SELECT count(*) FROM veiculos_patio) FROM gera_ticket"),
              (QStringList{"6", "2147483647", "5"}));
    mensalista(amb, 9, 2, 20, 0, {"MEN-0009"});
    EXPECT_EQ(entra("MEN-0009").tic, "0000000000");
}

TEST_F(EntradaTest, JaNoPatioOuCotaCheia) {
    // None in the yard (quota 0 included), or no quota set: nothing is asked.
    mensalista(amb, 4, 0, 20, 0, {"EVA-0001"});
    mensalista(amb, 5, QVariant(), 20, 0, {"FAB-0001", "FAB-0002"});
    for (const char* p : {"EVA-0001", "FAB-0001", "FAB-0002"}) EXPECT_TRUE(entra(p).registrado);

    // Due day past and no month row: with the quota full he may pay separately, no arrears rule.
    mensalista(amb, 3, 2, 5, 0, {"AAA-0001", "AAA-0002", "AAA-0003"});
    amb.db().executa("INSERT INTO veiculos_patio (placa) VALUES ('AAA-0001'), ('AAA-0002')");
    // A plate in the yard is refused before any subscriber rule; case is ignored.
    EXPECT_EQ(entra("aaa-0001").mensagem, "Veículo com placa aaa-0001 já está no estacionamento.");
    amb.plataforma.responde({false, true});
    amb.plataforma.aoPerguntar = [this] { amb.ctx.estado.hora_atual = QTime(14, 36, 0); };
    EXPECT_FALSE(entra("AAA-0003").registrado);
    EXPECT_EQ(entra("AAA-0003").hor_ent, "14:36:00");   // the clock once answered
    const QString pergunta = "O mensalista Ana já possui o número máximo de veículos no pátio (2). "
                             "Deseja entrar e pagar separadamente?";
    EXPECT_EQ(amb.plataforma.perguntas, (QStringList{pergunta, pergunta}));
    EXPECT_EQ(patio(amb, "AAA-0003"), (QStringList{"3", QString::number(kPagaSeparado), "NULL", "NULL",
                                                   "", "2026-11-12", "14:36:00"}));
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(amb.conta("mensalidades") + amb.conta("gera_ticket"), 0);
}

TEST_F(EntradaTest, MensalidadesEmAtraso) {
    const QString avulso = "Mensalista  Ana  em atraso. Deseja entrar e pagar como avulso?";
    const QString separado = "Mensalista  Ana  em atraso. Deseja entrar e pagar separadamente?";
    const auto aviso = [](const char* data) {
        return QStringLiteral("Mensalista  Ana  em atraso. Após dia %1 será cobrado "
                              "separadamente(Rotativo ou outro).").arg(data);
    };
    const Icone info = Icone::Informacao, excl = Icone::Exclamacao;
    using Meses = std::vector<std::pair<const char*, bool>>;   // rows already there: month, paid
    const Meses emAberto{{"2026-11-01", false}}, anterior{{"2026-10-01", false}};
    const struct {
        int dia, vencto, tolerancia;
        bool tranca;
        Meses meses;
        std::optional<bool> resposta;   // the answer, when a question is due
        QString texto;                  // the question or message; "" none
        Icone icone;
        const char* pago;               // mensalista_pago; nullptr: refused
        int mesesDepois;
    } casos[] = {
        {13, 10, 3, false, {}, {}, aviso("13/11/2026"), info, "NULL", 1},   // last day of grace
        {14, 10, 3, false, emAberto, {}, "Este mensalista está em atraso!", excl, "NULL", 1},
        {20, 5, 0, false, {}, {}, "Mensalista  Ana  em atraso!", excl, "NULL", 1},
        {20, 5, 0, true, {}, false, avulso, info, nullptr, 1},   // refused: the month row stays
        {20, 5, 0, true, {}, true, avulso, info, "-2", 1},
        {20, 5, 0, true, emAberto, true, separado, info, "-2", 1},
        {20, 5, 0, true, emAberto, false, separado, info, nullptr, 1},
        {20, 5, 0, true, {{"2026-11-01", true}, {"2026-10-01", false}}, {}, "", info, "NULL", 2},
        {12, 12, 0, true, {}, {}, "", info, "NULL", 0},   // on the due day nothing is made
        {3, 31, 2, false, anterior, {}, aviso("02/12/2026"), info, "NULL", 1},   // due past month end
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(&c - casos);
        Ambiente a;
        a.ctx.estado.data_atual = QDate(2026, 11, c.dia);
        a.ctx.estado.men_atraso_tranca = c.tranca;
        mensalista(a, 9, 3, c.vencto, c.tolerancia, {"HUG-0001"});
        for (const auto& [mes, pago] : c.meses)
            a.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (9, ?, ?)", {mes, pago});
        if (c.resposta) a.plataforma.responde({*c.resposta});
        ControleCancelas cc(a.ctx, nullptr, nullptr);
        EXPECT_EQ(registra_entrada(a.ctx, cc, {"HUG-0001", "   ", ""}).registrado, c.pago != nullptr);
        const QStringList vistos = c.resposta ? a.plataforma.perguntas : a.plataforma.textosMensagens();
        EXPECT_EQ(vistos, c.texto.isEmpty() ? QStringList{} : QStringList{c.texto});
        EXPECT_EQ(a.plataforma.perguntas.size() + a.plataforma.mensagens.size(), vistos.size());
        for (const MensagemVista& m : a.plataforma.mensagens) EXPECT_EQ(m.icone, c.icone);
        EXPECT_EQ(patio(a, "HUG-0001").value(1, "refused"), c.pago ? c.pago : "refused");
        EXPECT_EQ(a.conta("mensalidades"), c.mesesDepois);
        if (c.mesesDepois > int(c.meses.size())) {   // this month's row, unpaid, nothing else set
            EXPECT_TRUE(a.db().existe("SELECT 1 FROM mensalidades WHERE mes = '2026-11-01' AND "
                                      "pago = 0 AND data_pgto IS NULL"));
        }
    }
}

TEST_F(EntradaTest, FalhaAoGravarDesfazTudoEDepoisEnfileiraEPulsa) {
    // The queue row is the last write: its failure must undo month row, ticket and yard row.
    Estado& e = amb.ctx.estado;
    e.ativar_cancela_ent_manual = e.ativar_cancela_ent = true;
    e.cancela_entrada = QStringLiteral("LPT1");
    falhaAoGravar(amb, "lista_entrada");
    mensalista(amb, 13, 3, 5, 9, {"LIA-0001"});
    const ResultadoPista r = entra("LIA-0001");
    EXPECT_FALSE(r.registrado);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.contains("O banco de dados recusou a operação"));
    EXPECT_FALSE(entra("CAS-0001").registrado);
    for (const char* t : {"gera_ticket", "veiculos_patio", "lista_entrada", "mensalidades"})
        EXPECT_EQ(amb.conta(t), 0) << t;
    EXPECT_TRUE(escritas(amb).isEmpty());
    amb.db().executa("DROP TRIGGER falha");
    const ResultadoPista ok = entra("CAS-0001");
    EXPECT_TRUE(ok.enfileirado);
    EXPECT_EQ(ok.tic, "1         ");
    EXPECT_EQ(amb.linha("SELECT placa, data_entrada, hora_entrada FROM lista_entrada"),
              (QStringList{"CAS-0001", "2026-11-12", "14:35:07"}));
    EXPECT_EQ(escritas(amb), QStringList{"378=1@0"});
}
