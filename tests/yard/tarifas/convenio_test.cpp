#include "yard/tarifas/convenio.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

// A partner allowed on every day; `extra` sets further fields ("campo = ?" pairs).
qint64 semeiaConvenio(Banco& db, const QString& nome, const char* modo,
                      const QList<QPair<QString, QVariant>>& extra = {}) {
    QStringList campos{"convenio", "isento_fixo_variavel", "dom", "seg", "ter", "qua", "qui",
                       "sex", "sab"};
    QVariantList valores{nome, QString::fromUtf8(modo), 1, 1, 1, 1, 1, 1, 1};
    for (const auto& [campo, valor] : extra) {
        const qsizetype i = campos.indexOf(campo);
        if (i >= 0) {
            valores[i] = valor;
        } else {
            campos << campo;
            valores << valor;
        }
    }
    QStringList marcas;
    for (qsizetype i = 0; i < campos.size(); ++i) marcas << "?";
    db.executa(QStringLiteral("INSERT INTO convenios (%1) VALUES (%2)")
                   .arg(campos.join(", "), marcas.join(", ")),
               valores);
    return db.valor("SELECT max(codigo) FROM convenios").toLongLong();
}

void semeiaDegrausConvenio(Banco& db, qint64 codigo, const QList<DegrauTeste>& degraus) {
    int ordem = 1;
    for (const DegrauTeste& d : degraus)
        db.executa("INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) VALUES (?, ?, ?, ?)",
                   {codigo, QString::fromUtf8(d.tempo), rs(d.valor).paraBanco(), ordem++});
}

// The variable partner of the worked examples.
qint64 semeiaVariavel(Banco& db, const QString& nome, const QVariant& aposFixo = {}) {
    const qint64 c = semeiaConvenio(db, nome, "V",
                                    {{"das_hor_ini", "12:00:00"}, {"das_hor_fim", "14:00:00"},
                                     {"das_cobrar", rs("3,00").paraBanco()},
                                     {"apos_cobrar", rs("1,50").paraBanco()},
                                     {"apos_a_cada", "00:30:00"}, {"apos_fixo", aposFixo}});
    semeiaDegrausConvenio(db, c, {{"01:00:00", "4,00"}, {"01:00:00", "2,00"}});
    return c;
}

// Stay on Monday 10/03/2008, computed at the moment of the exit.
PedidoTarifa pedidoConvenio(const QString& nome, const char* entrada, const char* saida) {
    PedidoTarifa p = pedido("C", "10/03/2008", entrada, "10/03/2008", saida);
    p.conv = nome;
    return p;
}

}  // namespace

TEST(Convenio, ExemplosDoConvenioVariavel) {
    BancoTeste b;
    semeiaVariavel(b.db(), "Padaria");
    semeiaVariavel(b.db(), "Farmacia", rs("10,00").paraBanco());
    const struct {
        const char* nome;
        const char *entrada, *saida, *tot;
    } casos[] = {
        {"Padaria", "08:00:00", "10:30:00", "7,50"},
        {"Padaria", "11:00:00", "13:00:00", "9,00"},
        {"Padaria", "12:30:00", "13:30:00", "3,00"},
        {"Padaria", "13:00:00", "15:00:00", "9,00"},
        {"Padaria", "11:00:00", "15:30:00", "10,50"},
        {"Padaria", "14:30:00", "15:00:00", "4,00"},
        {"Padaria", "10:00:00", "10:00:00", "0,00"},
        {"Farmacia", "08:00:00", "10:30:00", "16,00"},   // `apos_fixo` once
        {"Farmacia", "08:00:00", "10:00:00", "6,00"},    // nothing left after the steps
    };
    for (const auto& c : casos) {
        const ResultadoTarifa r =
            calcula_convenio(b.db(), pedidoConvenio(c.nome, c.entrada, c.saida));
        EXPECT_EQ(textoTot(r), c.tot) << c.nome << " " << c.entrada << " " << c.saida;
        EXPECT_TRUE(r.mensagem.isEmpty());
    }
}

TEST(Convenio, FixoIsentoEOutrosModos) {
    BancoTeste b;
    semeiaConvenio(b.db(), "Fixo", "F", {{"valor_fixo", rs("5,00").paraBanco()}});
    semeiaConvenio(b.db(), "Isento", "I");
    semeiaConvenio(b.db(), "Outro", "X", {{"valor_fixo", rs("5,00").paraBanco()}});
    for (const char* saida : {"08:00:00", "18:00:00"}) {
        EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("Fixo", "08:00:00", saida))), "5,00");
        EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("Isento", "08:00:00", saida))), "0,00");
        EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("Outro", "08:00:00", saida))), "0,00");
    }
    // Names compare without letter case.
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("FIXO", "08:00:00", "09:00:00"))), "5,00");
}

TEST(Convenio, DiaDaSemanaDaSaida) {
    const struct {
        const char* campo;
        QDate dia;
        const char* mensagem;
    } casos[] = {
        {"dom", {2008, 3, 9}, "Convênio não permitido para o domingo."},
        {"seg", {2008, 3, 10}, "Convênio não permitido para a segunda-feira."},
        {"ter", {2008, 3, 11}, "Convênio não permitido para a terça-feira."},
        {"qua", {2008, 3, 12}, "Convênio não permitido para a quarta-feira."},
        {"qui", {2008, 3, 13}, "Convênio não permitido para a quinta-feira."},
        {"sex", {2008, 3, 14}, "Convênio não permitido para a sexta-feira."},
        {"sab", {2008, 3, 15}, "Convênio não permitido para o sábado."},
    };
    for (const auto& c : casos) {
        BancoTeste b;
        semeiaConvenio(b.db(), "Loja", "F", {{c.campo, 0}, {"valor_fixo", rs("5,00").paraBanco()}});
        // Entered the day before, an allowed day: the exit's day decides.
        PedidoTarifa p = pedido("C", c.dia.addDays(-1).toString("dd/MM/yyyy"), "10:00:00",
                                c.dia.toString("dd/MM/yyyy"), "09:00:00");
        p.conv = "Loja";
        ResultadoTarifa r = calcula_convenio(b.db(), p);
        EXPECT_EQ(textoTot(r), "ERRO") << c.campo;
        EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(r.icone, Icone::Exclamacao);
        EXPECT_TRUE(r.foco.isEmpty());
        EXPECT_FALSE(r.limpaMemoria);
        // The next day is allowed.
        p.data_atual = p.data_atual.addDays(1);
        EXPECT_EQ(textoTot(calcula_convenio(b.db(), p)), "5,00") << c.campo;
    }
}

TEST(Convenio, HorarioPermitido) {
    BancoTeste b;
    semeiaConvenio(b.db(), "Loja", "I", {{"hora_inicio", "08:00:00"}, {"hora_fim", "18:00:00"}});
    semeiaConvenio(b.db(), "SoInicio", "I", {{"hora_inicio", "08:00:00"}});
    const QString msg = "Horário permitido para este convênio: das 08:00:00 às 18:00:00";
    const struct {
        const char *nome, *entrada, *saida;
        QString mensagem;
    } casos[] = {
        {"Loja", "08:00:00", "18:00:00", {}},
        {"Loja", "07:59:59", "12:00:00", msg},
        {"Loja", "09:00:00", "18:00:01", msg},
        {"SoInicio", "09:00:00", "23:00:00", {}},
        {"SoInicio", "07:00:00", "09:00:00", "Horário permitido para este convênio: das 08:00:00 às "},
    };
    for (const auto& c : casos) {
        const ResultadoTarifa r = calcula_convenio(b.db(), pedidoConvenio(c.nome, c.entrada, c.saida));
        EXPECT_EQ(textoTot(r), c.mensagem.isEmpty() ? "0,00" : "ERRO") << c.nome << " " << c.entrada;
        EXPECT_EQ(r.mensagem, c.mensagem);
    }
}

TEST(Convenio, RecusasEPassagens) {
    BancoTeste b;
    ResultadoTarifa r = calcula_convenio(b.db(), pedidoConvenio("", "08:00:00", "09:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Escolha o convênio.");
    EXPECT_EQ(r.foco, "conv");

    r = calcula_convenio(b.db(), pedidoConvenio("Nenhum", "08:00:00", "09:00:00"));
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, "Convênio não encontrado.");
    EXPECT_FALSE(r.limpaMemoria);

    // A name with a quote is matched as typed, and no other partner answers for it.
    semeiaConvenio(b.db(), "D'Ávila", "F", {{"valor_fixo", rs("7,00").paraBanco()}});
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("D'Ávila", "08:00:00", "09:00:00"))), "7,00");
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("D' OR ''='", "08:00:00", "09:00:00"))), "ERRO");

    // The program clock behind the entry.
    PedidoTarifa p = pedidoConvenio("D'Ávila", "08:00:00", "09:00:00");
    p.hora_atual = QTime(7, 0, 0);
    r = calcula_convenio(b.db(), p);
    EXPECT_EQ(textoTot(r), "ERRO");
    EXPECT_EQ(r.mensagem, kMsgSaidaAntesEntrada);
}

TEST(Convenio, VariavelSemDegrausPeriodoZeroEVariosDias) {
    BancoTeste b;
    // No steps: the time goes to the per-period rule alone.
    semeiaConvenio(b.db(), "SemDegraus", "V",
                   {{"apos_cobrar", rs("1,50").paraBanco()}, {"apos_a_cada", "00:30:00"}});
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("SemDegraus", "08:00:00", "09:10:00"))), "4,50");
    // A period of 00:00 charges nothing after the steps, and ends.
    const qint64 c = semeiaConvenio(b.db(), "Zero", "V",
                                    {{"apos_cobrar", rs("1,50").paraBanco()}, {"apos_a_cada", "00:00:00"}});
    semeiaDegrausConvenio(b.db(), c, {{"01:00:00", "4,00"}});
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), pedidoConvenio("Zero", "08:00:00", "18:00:00"))), "4,00");

    // A stay over a day counts its hours only: 1 day 2:30 is 2:30.
    semeiaVariavel(b.db(), "Padaria");
    PedidoTarifa p = pedido("C", "09/03/2008", "08:00:00", "10/03/2008", "10:30:00");
    p.conv = "Padaria";
    EXPECT_EQ(textoTot(calcula_convenio(b.db(), p)), "7,50");
}

TEST(Convenio, JanelaQuePassaDaMeiaNoite) {
    BancoTeste b;
    const qint64 c = semeiaConvenio(b.db(), "Noite", "V",
                                    {{"das_hor_ini", "22:00:00"}, {"das_hor_fim", "02:00:00"},
                                     {"das_cobrar", rs("3,00").paraBanco()},
                                     {"apos_cobrar", rs("1,00").paraBanco()},
                                     {"apos_a_cada", "01:00:00"}});
    semeiaDegrausConvenio(b.db(), c, {{"01:00:00", "4,00"}});
    const struct {
        const char *datEnt, *entrada, *datSai, *saida, *tot;
    } casos[] = {
        {"10/03/2008", "23:00:00", "11/03/2008", "01:00:00", "3,00"},    // inside
        {"10/03/2008", "21:00:00", "10/03/2008", "23:00:00", "7,00"},    // R 1 h left: 3 + 4
        {"10/03/2008", "20:00:00", "11/03/2008", "03:00:00", "9,00"},    // R 3 h left: 3 + 4 + 2 periods
        {"10/03/2008", "15:00:00", "10/03/2008", "17:00:00", "5,00"},    // untouched, R 2 h: 4 + 1 period
    };
    for (const auto& c : casos) {
        PedidoTarifa p = pedido("C", c.datEnt, c.entrada, c.datSai, c.saida);
        p.conv = "Noite";
        EXPECT_EQ(textoTot(calcula_convenio(b.db(), p)), c.tot) << c.entrada << " " << c.saida;
    }
}
