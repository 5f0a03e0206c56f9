#include "support/banco_teste.h"
#include "tarifas_teste.h"

#include <gtest/gtest.h>

namespace {

// "Padaria" is the variable partner of the worked examples; "Farmacia" the same with a fixed
// 10,00 after the steps. The partners named after a weekday's flag are refused on that day only.
const QString kConvenios = QStringLiteral(
    "INSERT INTO convenios (codigo, convenio, isento_fixo_variavel, valor_fixo, das_hor_ini, "
    "das_hor_fim, das_cobrar, apos_fixo, apos_a_cada, apos_cobrar, hora_inicio, hora_fim) VALUES "
    "(1, 'Padaria', 'V', NULL, '12:00:00', '14:00:00', 30000, NULL, '00:30:00', 15000, NULL, NULL),"
    "(2, 'Farmacia', 'V', NULL, '12:00:00', '14:00:00', 30000, 100000, NULL, NULL, NULL, NULL),"
    "(3, 'D''Ávila', 'F', 50000, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
    "(4, 'Isento', 'I', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
    "(5, 'Zero', 'V', NULL, NULL, NULL, NULL, NULL, '00:00:00', 15000, NULL, NULL),"
    "(6, 'Noite', 'V', NULL, '22:00:00', '02:00:00', 30000, NULL, '01:00:00', 10000, NULL, NULL),"
    "(7, 'Horario', 'I', NULL, NULL, NULL, NULL, NULL, NULL, NULL, '08:00:00', '18:00:00'),"
    "(8, 'SoInicio', 'I', NULL, NULL, NULL, NULL, NULL, NULL, NULL, '08:00:00', NULL),"
    "(9, 'dom', 'I', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
    "INSERT INTO convenios (convenio, isento_fixo_variavel) VALUES ('seg', 'I'), ('ter', 'I'), "
    "('qua', 'I'), ('qui', 'I'), ('sex', 'I'), ('sab', 'I');"
    "UPDATE convenios SET dom = 1, seg = 1, ter = 1, qua = 1, qui = 1, sex = 1, sab = 1;"
    "INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) VALUES "
    "(1, '01:00:00', 40000, 1), (1, '01:00:00', 20000, 2), (2, '01:00:00', 40000, 1), "
    "(2, '01:00:00', 20000, 2), (5, '01:00:00', 40000, 1), (6, '01:00:00', 40000, 1)");

// Only "Escolha o convênio." moves the focus; no refusal clears the memory.
std::pair<QString, bool> recusaConvenio(const QString& m) {
    return {m == u"Escolha o convênio." ? "conv" : "", false};
}

}  // namespace

TEST(Convenio, ExemplosCasosERecusas) {
    BancoTeste b;
    semeia(b.db(), kConvenios);
    for (const char* dia : {"dom", "seg", "ter", "qua", "qui", "sex", "sab"})
        b.db().executa(QString("UPDATE convenios SET %1 = 0 WHERE convenio = '%1'").arg(dia));
    const QString horario = "Horário permitido para este convênio: das 08:00:00 às ";
    const QString naoPermitido = "Convênio não permitido para ";
    confereLinhas(b.db(), "C", {
        {"08:00:00", "10:30:00", "7,50", "Padaria"},
        {"11:00:00", "13:00:00", "9,00", "Padaria"},
        {"12:30:00", "13:30:00", "3,00", "Padaria"},
        {"13:00:00", "15:00:00", "9,00", "Padaria"},
        {"11:00:00", "15:30:00", "10,50", "Padaria"},
        {"14:30:00", "15:00:00", "4,00", "Padaria"},
        {"10:00:00", "10:00:00", "0,00", "Padaria"},
        {"08:00:00", "10:30:00", "16,00", "Farmacia"},
        {"08:00:00", "18:00:00", "5,00", "D'Ávila"},   // fixed; a quote matched as typed
        {"08:00:00", "18:00:00", "0,00", "Isento"},
        {"08:00:00", "18:00:00", "4,00", "Zero"},   // a period of 00:00: nothing after the steps
        {"09/03/2008 08:00:00", "10:30:00", "7,50", "Padaria"},   // over a day: its hours only
        {"08:00:00", "18:00:00", "0,00", "Horario"},   // both bounds allowed
        {"07:59:59", "12:00:00", horario + "18:00:00", "Horario"},
        {"07:00:00", "09:00:00", horario, "SoInicio"},   // no end: the start only
        // A window over midnight: the stay's time inside it is taken out of the time.
        {"20:00:00", "11/03/2008 03:00:00", "9,00", "Noite"},   // 3 + 4 + 2 periods
        {"15:00:00", "17:00:00", "5,00", "Noite"},              // untouched
        {"08:00:00", "09:00:00", "Escolha o convênio."},
        {"08:00:00", "09:00:00", "Convênio não encontrado.", "Nenhum"},
        {"08:00:00", "07:00:00", kMsgSaidaAntesEntrada, "Isento"},   // the clock set back
        // The day of the exit decides, though the entry the day before was allowed.
        {"08/03/2008 10:00:00", "09/03/2008 09:00:00", naoPermitido + "o domingo.", "dom"},
        {"09/03/2008 10:00:00", "10/03/2008 09:00:00", naoPermitido + "a segunda-feira.", "seg"},
        {"10/03/2008 10:00:00", "11/03/2008 09:00:00", naoPermitido + "a terça-feira.", "ter"},
        {"11/03/2008 10:00:00", "12/03/2008 09:00:00", naoPermitido + "a quarta-feira.", "qua"},
        {"12/03/2008 10:00:00", "13/03/2008 09:00:00", naoPermitido + "a quinta-feira.", "qui"},
        {"13/03/2008 10:00:00", "14/03/2008 09:00:00", naoPermitido + "a sexta-feira.", "sex"},
        {"14/03/2008 10:00:00", "15/03/2008 09:00:00", naoPermitido + "o sábado.", "sab"},
    }, recusaConvenio);
}
