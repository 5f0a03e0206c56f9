#include "yard/tarifas/convenio.h"

#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

const char* const kDias[] = {"Domingo", "Segunda", "Terca", "Quarta", "Quinta", "Sexta", "Sabado"};

// One partner, with the weekday flags from Sunday to Saturday and further fields.
QString convenio(int codigo, const char* nome, const char* modo, const char* campos = "",
                 const char* valores = "", const QString& dias = "1, 1, 1, 1, 1, 1, 1") {
    return QStringLiteral("INSERT INTO convenios (codigo, convenio, isento_fixo_variavel, dom, "
                          "seg, ter, qua, qui, sex, sab%1) VALUES (%2, '%3', '%4', %5%6);")
        .arg(QString::fromUtf8(campos)).arg(codigo)
        .arg(QString::fromUtf8(nome), QString::fromUtf8(modo), dias, QString::fromUtf8(valores));
}

// The partners of all the cases below. "Padaria" is the variable partner of the worked
// examples; "Farmacia" the same with a fixed 10,00 after the steps.
QString convenios() {
    const char* janela =
        ", das_hor_ini, das_hor_fim, das_cobrar, apos_cobrar, apos_a_cada, apos_fixo";
    const char* dozeAs14 = ", '12:00:00', '14:00:00', 30000, 15000, '00:30:00', ";
    const char* aposPeriodo = ", apos_cobrar, apos_a_cada";
    QString sql =
        convenio(1, "Padaria", "V", janela, (dozeAs14 + QString("NULL")).toUtf8()) +
        convenio(2, "Farmacia", "V", janela, (dozeAs14 + QString("100000")).toUtf8()) +
        convenio(3, "Fixo", "F", ", valor_fixo", ", 50000") + convenio(4, "Isento", "I") +
        convenio(5, "Outro", "X", ", valor_fixo", ", 50000") +
        convenio(6, "D''Ávila", "F", ", valor_fixo", ", 70000") +
        convenio(7, "SemDegraus", "V", aposPeriodo, ", 15000, '00:30:00'") +
        convenio(8, "Zero", "V", aposPeriodo, ", 15000, '00:00:00'") +
        convenio(9, "Noite", "V", janela,
                 ", '22:00:00', '02:00:00', 30000, 10000, '01:00:00', NULL") +
        convenio(10, "Horario", "I", ", hora_inicio, hora_fim", ", '08:00:00', '18:00:00'") +
        convenio(11, "SoInicio", "I", ", hora_inicio", ", '08:00:00'");
    for (int d = 0; d < 7; ++d) {   // each refused on its own day only
        QStringList flags(7, QStringLiteral("1"));
        flags[d] = QStringLiteral("0");
        sql += convenio(12 + d, kDias[d], "I", "", "", flags.join(", "));
    }
    return sql + "INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) VALUES "
                 "(1, '01:00:00', 40000, 1), (1, '01:00:00', 20000, 2), "
                 "(2, '01:00:00', 40000, 1), (2, '01:00:00', 20000, 2), "
                 "(8, '01:00:00', 40000, 1), (9, '01:00:00', 40000, 1)";
}

struct Caso {
    const char *nome, *datEnt, *horEnt, *datSai, *horSai;
    QString esperado;
};

// Computed at the exit. Only "Escolha o convênio." moves the focus; no refusal clears the memory.
void confereConvenio(Banco& db, const Caso& c) {
    PedidoTarifa p = pedido("C", c.datEnt, c.horEnt, c.datSai, c.horSai);
    p.conv = QString::fromUtf8(c.nome);
    SCOPED_TRACE(std::string(c.nome) + " " + c.datEnt + " " + c.horEnt + " -> " + c.horSai);
    confere(calcula_convenio(db, p), c.esperado, *c.nome ? "" : "conv", false);
}

const char* const kSeg = "10/03/2008";   // a Monday

}  // namespace

TEST(Convenio, ExemplosDoConvenio) {
    BancoTeste b;
    semeia(b.db(), convenios());
    const Caso casos[] = {
        {"Padaria", kSeg, "08:00:00", kSeg, "10:30:00", "7,50"},
        {"Padaria", kSeg, "11:00:00", kSeg, "13:00:00", "9,00"},
        {"Padaria", kSeg, "12:30:00", kSeg, "13:30:00", "3,00"},
        {"Padaria", kSeg, "13:00:00", kSeg, "15:00:00", "9,00"},
        {"Padaria", kSeg, "11:00:00", kSeg, "15:30:00", "10,50"},
        {"Padaria", kSeg, "14:30:00", kSeg, "15:00:00", "4,00"},
        {"Padaria", kSeg, "10:00:00", kSeg, "10:00:00", "0,00"},
        {"Farmacia", kSeg, "08:00:00", kSeg, "10:30:00", "16,00"},
        {"Fixo", kSeg, "08:00:00", kSeg, "18:00:00", "5,00"},
        {"Isento", kSeg, "08:00:00", kSeg, "18:00:00", "0,00"},
    };
    for (const Caso& c : casos) confereConvenio(b.db(), c);
}

TEST(Convenio, OutrosCasosERecusas) {
    BancoTeste b;
    semeia(b.db(), convenios());
    const QString horario = "Horário permitido para este convênio: das 08:00:00 às ";
    const Caso casos[] = {
        {"Outro", kSeg, "08:00:00", kSeg, "18:00:00", "0,00"},         // any other mode is free
        {"D'Ávila", kSeg, "08:00:00", kSeg, "09:00:00", "7,00"},       // a quote matched as typed
        {"SemDegraus", kSeg, "08:00:00", kSeg, "09:10:00", "4,50"},    // the period rule alone
        {"Zero", kSeg, "08:00:00", kSeg, "18:00:00", "4,00"},          // period 00:00: no more
        {"Padaria", "09/03/2008", "08:00:00", kSeg, "10:30:00", "7,50"},   // over a day: its hours
        {"Horario", kSeg, "08:00:00", kSeg, "18:00:00", "0,00"},       // both bounds allowed
        {"Horario", kSeg, "07:59:59", kSeg, "12:00:00", horario + "18:00:00"},
        {"SoInicio", kSeg, "07:00:00", kSeg, "09:00:00", horario},     // no end: the start only
        // A window over midnight: the part of the stay inside it is taken out of R.
        {"Noite", kSeg, "20:00:00", "11/03/2008", "03:00:00", "9,00"},   // 3 + 4 + 2 periods
        {"Noite", kSeg, "15:00:00", kSeg, "17:00:00", "5,00"},           // untouched
        {"", kSeg, "08:00:00", kSeg, "09:00:00", "Escolha o convênio."},
        {"Nenhum", kSeg, "08:00:00", kSeg, "09:00:00", "Convênio não encontrado."},
        {"D' OR ''='", kSeg, "08:00:00", kSeg, "09:00:00", "Convênio não encontrado."},
        {"Fixo", kSeg, "08:00:00", kSeg, "07:00:00", kMsgSaidaAntesEntrada},   // clock set back
    };
    for (const Caso& c : casos) confereConvenio(b.db(), c);
}

TEST(Convenio, DiaDaSemanaDaSaida) {
    BancoTeste b;
    semeia(b.db(), convenios());
    const char* const mensagens[] = {   // Sunday 09/03/2008 to Saturday 15/03/2008
        "Convênio não permitido para o domingo.",
        "Convênio não permitido para a segunda-feira.",
        "Convênio não permitido para a terça-feira.",
        "Convênio não permitido para a quarta-feira.",
        "Convênio não permitido para a quinta-feira.",
        "Convênio não permitido para a sexta-feira.",
        "Convênio não permitido para o sábado.",
    };
    for (int d = 0; d < 7; ++d) {
        // Refused on the day of the exit though the entry, the day before, was allowed.
        const QDate saida(2008, 3, 9 + d);
        const std::string ent = saida.addDays(-1).toString("dd/MM/yyyy").toStdString();
        const std::string sai = saida.toString("dd/MM/yyyy").toStdString();
        confereConvenio(b.db(), {kDias[d], ent.c_str(), "10:00:00", sai.c_str(), "09:00:00",
                                 QString::fromUtf8(mensagens[d])});
    }
}
