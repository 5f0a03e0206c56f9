#include "config/convenio_editor.h"
#include "config/convenios_gravacao.h"
#include "yard/listas_painel.h"
#include "config/grade_convenio.h"
#include "data/banco.h"
#include "support/ambiente.h"
#include "yard/tarifas/tarifa.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

EdicaoConvenio variavel(const QString& nome) {
    EdicaoConvenio e;
    e.con = nome;
    e.tipo = u'V';
    e.passos = {{"01:00", "4,00"}, {"01:00", "2,00"}};
    e.apos_fixo = false;
    e.apo_var = "1,50";
    e.apo_tem = "00:30";
    return e;
}

QStringList linhaConvenio(Ambiente& a, const QString& nome) {
    return a.linha("SELECT isento_fixo_variavel, valor_fixo, apos_fixo, apos_cobrar, apos_a_cada, "
                   "das_hor_ini, das_hor_fim, das_cobrar, hora_inicio, hora_fim, dom, seg, ter, "
                   "qua, qui, sex, sab FROM convenios WHERE convenio = ?",
                   {nome});
}

QStringList passos(Ambiente& a, const QString& nome) {
    QStringList r;
    QSqlQuery q = a.db().executa(
        "SELECT v.tempo, v.valor, v.ordem FROM convenios_variaveis v JOIN convenios c "
        "ON c.codigo = v.codigo WHERE c.convenio = ? ORDER BY v.ordem", {nome});
    while (q.next()) r << QString("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return r;
}

}  // namespace

// The checks in their order: each row breaks one rule of an otherwise valid agreement.
TEST(Convenios, ValidacaoEmOrdem) {
    struct Caso {
        const char* nome;
        std::function<void(EdicaoConvenio&)> muda;
        QString mensagem;
        Icone icone;
        QString foco;
    };
    const Icone I = Icone::Informacao, E = Icone::Exclamacao;
    const QString tempoApos = "Tempo incorreto em 'Após tempo acima, cobrar R$ ... a cada ...'";
    const std::vector<Caso> casos{
        {"nome vazio", [](auto& e) { e.con = "   "; }, "Preencha o nome do convênio.", I, "con"},
        {"nome longo", [](auto& e) { e.con = "Supermercado Sao Joao"; },
         "O nome do convênio pode ter no máximo 20 caracteres.", I, "con"},
        {"sem tipo", [](auto& e) { e.tipo = QChar(); },
         "Escolha o tipo do convênio: Isento, Valor Fixo ou Valor Variável.", I, "Option1"},
        {"fixo sem valor", [](auto& e) { e.tipo = u'F'; e.val_fix = ""; }, "Valor fixo incorreto.", I, "val_fix"},
        {"sem passos", [](auto& e) { e.passos = {{"", ""}}; },
         "Insira pelo menos um tempo/valor na tabela.", I, "tem"},
        {"apos fixo vazio", [](auto& e) { e.apos_fixo = true; e.apo_fix = "x"; },
         "Valor incorreto em 'Após tempo acima, cobrar o valor fixo de R$'", I, "apo_fix"},
        {"apos var vazio", [](auto& e) { e.apo_var = ""; },
         "Valor incorreto em 'Após tempo acima, cobrar R$ ... a cada ...'", I, "apo_var"},
        {"apos tempo vazio", [](auto& e) { e.apo_tem = "  :  "; }, tempoApos, I, "apo_tem"},
        {"apos 00:00", [](auto& e) { e.apo_tem = "00:00"; }, tempoApos, I, "apo_tem"},
        {"apos 01:60", [](auto& e) { e.apo_tem = "01:60"; }, tempoApos, I, "apo_tem"},
        {"apos 30:00", [](auto& e) { e.apo_tem = "30:00"; }, tempoApos, I, "apo_tem"},
        {"janela inicio", [](auto& e) { e.janela = true; e.hor_ini = "24:00"; e.hor_fim = "14:00"; e.cob = "3"; },
         "Hora Inicial inválida.", I, "hor_ini"},
        {"janela fim", [](auto& e) { e.janela = true; e.hor_ini = "12:00"; e.hor_fim = "1 :00"; e.cob = "3"; },
         "Hora Final inválida.", I, "hor_fim"},
        {"janela valor", [](auto& e) { e.janela = true; e.hor_ini = "12:00"; e.hor_fim = "14:00"; },
         "Valor a cobrar inválido.", I, "cob"},
        {"so inicio", [](auto& e) { e.hora_inicio = "08:00:00"; },
         "Horários permitidos: os dois devem ser preenchidos ou os dois devem ficar em branco", E, ""},
        {"inicio 10:75:00", [](auto& e) { e.hora_inicio = "10:75:00"; e.hora_fim = "18:00:00"; },
         "Horário permitido: hora início inválida.", E, "hora_inicio"},
        {"fim 25", [](auto& e) { e.hora_inicio = "08:00:00"; e.hora_fim = "25:00:00"; },
         "Horário permitido: hora final inválida.", E, "hora_fim"},
    };
    for (const Caso& c : casos) {
        EdicaoConvenio e = variavel("Padaria");
        c.muda(e);
        const ResultadoAba r = valida_convenio(e);
        EXPECT_FALSE(r.feito) << c.nome;
        EXPECT_EQ(r.mensagem, c.mensagem) << c.nome;
        EXPECT_EQ(r.icone, c.icone) << c.nome;
        EXPECT_EQ(r.foco, c.foco) << c.nome;
    }
    // Kind "I" skips the price rules; 20 characters and no weekday are accepted.
    EdicaoConvenio isento;
    isento.con = "  Abcdefghijklmnopqrst ";
    isento.apo_var = "x";
    EXPECT_TRUE(valida_convenio(isento).feito);
    EXPECT_TRUE(valida_convenio(variavel("P")).feito);
}

// Each kind stored and read back as the tab shows it.
TEST(Convenios, CadaTipoGravadoELidoDeVolta) {
    Ambiente a;
    EdicaoConvenio fixo;
    fixo.con = "  D'Ávila  ";
    fixo.tipo = u'F';
    fixo.val_fix = "1.234,50";
    fixo.janela = true;
    fixo.hor_ini = "12:00";
    fixo.hor_fim = "14:00";
    fixo.cob = "3,00";
    fixo.hora_inicio = "08:00:00";
    fixo.hora_fim = "18:30:00";
    fixo.dias = {false, true, true, true, true, true, false};
    ASSERT_EQ(insere_convenio(a.db(), fixo).mensagem, "Dados gravados com sucesso.");
    EXPECT_EQ(linhaConvenio(a, "D'Ávila"),
              (QStringList{"F", "12345000", "NULL", "NULL", "NULL", "12:00:00", "14:00:00", "30000",
                           "08:00:00", "18:30:00", "0", "1", "1", "1", "1", "1", "0"}));
    const auto lido = le_convenio(a.db(), "D'Ávila");
    ASSERT_TRUE(lido);
    EXPECT_EQ((QStringList{lido->con, QString(lido->tipo), lido->val_fix, lido->hor_ini, lido->hor_fim,
                           lido->cob, lido->hora_inicio, lido->hora_fim}),
              (QStringList{"D'Ávila", "F", "1.234,50", "12:00", "14:00", "3,00", "08:00:00", "18:30:00"}));
    EXPECT_TRUE(lido->janela);
    EXPECT_EQ(lido->dias, fixo.dias);

    EdicaoConvenio var = variavel("Padaria");
    var.passos.append(qMakePair(QString(), QString()));   // a trailing blank row is not stored
    var.dias.fill(true);
    ASSERT_TRUE(insere_convenio(a.db(), var).feito);
    EXPECT_EQ(linhaConvenio(a, "Padaria").mid(0, 10),
              (QStringList{"V", "NULL", "NULL", "15000", "00:30:00", "NULL", "NULL", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(passos(a, "Padaria"), (QStringList{"01:00:00 40000 1", "01:00:00 20000 2"}));
    const auto v = le_convenio(a.db(), "padaria");
    ASSERT_TRUE(v);
    EXPECT_FALSE(v->apos_fixo);
    EXPECT_EQ((QStringList{v->apo_var, v->apo_tem, v->hora_inicio}), (QStringList{"1,50", "00:30", "  :  :  "}));
    EXPECT_EQ(v->passos, (QList<QPair<QString, QString>>{{"01:00", "4,00"}, {"01:00", "2,00"}}));

    // Names are unique whatever the letter case, the blanks around them or a quote inside.
    EXPECT_EQ(insere_convenio(a.db(), variavel(" PADARIA")).mensagem,
              "Convênio já cadastrado. Não pode ser inserido novamente.");
    EXPECT_EQ(insere_convenio(a.db(), fixo).mensagem,
              "Convênio já cadastrado. Não pode ser inserido novamente.");

    // The lanes' list: names in order, codes at the same index.
    const ListaConvenios l = lista_convenios(a.db());
    EXPECT_EQ(l.nomes, (QStringList{"D'Ávila", "Padaria"}));
    EXPECT_EQ(l.codigos, (QStringList{lido->cod_con, v->cod_con}));
}

TEST(Convenios, AlteracaoExclusao) {
    Ambiente a;
    ASSERT_TRUE(insere_convenio(a.db(), variavel("Padaria")).feito);
    ASSERT_TRUE(insere_convenio(a.db(), variavel("Farmacia")).feito);
    EdicaoConvenio e = *le_convenio(a.db(), "Padaria");
    const QString cod = e.cod_con;

    EdicaoConvenio semCodigo = e;
    semCodigo.cod_con.clear();
    EXPECT_EQ(altera_convenio(a.db(), semCodigo).mensagem, "Escolha o convênio a alterar.");
    e.con = "farmacia";
    EXPECT_EQ(altera_convenio(a.db(), e).mensagem, "Convênio já cadastrado. Não pode ser inserido novamente.");

    // Its own name passes; "V" to "F" keeps the steps and clears the former terms.
    e.con = "Padaria";
    e.tipo = u'F';
    e.val_fix = "10,00";
    ASSERT_TRUE(altera_convenio(a.db(), e).feito);
    EXPECT_EQ(linhaConvenio(a, "Padaria").mid(0, 5), (QStringList{"F", "100000", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(passos(a, "Padaria").size(), 2);
    // Back to "V" with one step: every earlier step of the code goes.
    e = variavel("Padaria");
    e.cod_con = cod;
    e.passos = {{"02:00", "5,00"}};
    e.apos_fixo = true;
    e.apo_fix = "9,00";
    ASSERT_TRUE(altera_convenio(a.db(), e).feito);
    EXPECT_EQ(passos(a, "Padaria"), QStringList{"02:00:00 50000 1"});
    EXPECT_EQ(linhaConvenio(a, "Padaria").mid(0, 5), (QStringList{"V", "NULL", "90000", "NULL", "NULL"}));
    e.cod_con = "999";
    e.con = "Outro";
    EXPECT_EQ(altera_convenio(a.db(), e).mensagem, "Convênio não encontrado.");

    EXPECT_EQ(exclui_convenio(a.db(), "").mensagem, "Escolha o convênio a excluir da lista.");
    a.db().executa("INSERT INTO registro_saida (convenio, tipo_estacionamento) VALUES (?, 'C')", {cod});
    EXPECT_EQ(exclui_convenio(a.db(), cod).mensagem,
              "Este convênio já foi utilizado por cliente(s). Não pode ser excluído.");
    a.db().executa("DELETE FROM registro_saida");
    const ResultadoExclusaoConvenio um = exclui_convenio(a.db(), cod);
    EXPECT_EQ(um.mensagem, "Convênio excluído com sucesso.");
    EXPECT_FALSE(um.nenhumConvenio);
    EXPECT_EQ(exclui_convenio(a.db(), cod).mensagem, "Não foi possível encontrar este convênio.");
    EXPECT_TRUE(exclui_convenio(a.db(), le_convenio(a.db(), "Farmacia")->cod_con).nenhumConvenio);
}

// A step that cannot be written undoes the agreement's row with it, on insert and alteration.
TEST(Convenios, FalhaNosPassosDesfazTudo) {
    Ambiente a;
    a.db().executa("CREATE TRIGGER falha BEFORE INSERT ON convenios_variaveis WHEN NEW.ordem = 2 "
                   "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    const ResultadoAba r = insere_convenio(a.db(), variavel("Padaria"));
    EXPECT_FALSE(r.feito);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_TRUE(r.mensagem.startsWith("Não foi possível gravar o convênio. Nada foi gravado."));
    EXPECT_EQ(a.conta("convenios"), 0);
    EXPECT_EQ(a.conta("convenios_variaveis"), 0);

    EdicaoConvenio um = variavel("Padaria");
    um.passos = {{"03:00", "7,00"}};
    ASSERT_TRUE(insere_convenio(a.db(), um).feito);
    EdicaoConvenio e = variavel("Padaria");
    e.cod_con = le_convenio(a.db(), "Padaria")->cod_con;
    e.apo_var = "9,99";
    EXPECT_FALSE(altera_convenio(a.db(), e).feito);
    EXPECT_EQ(passos(a, "Padaria"), QStringList{"03:00:00 70000 1"});
    EXPECT_EQ(linhaConvenio(a, "Padaria").value(3), "15000");
}

TEST(Convenios, PassoDaTabela) {
    const std::vector<std::tuple<QString, QString, QString>> casos{
        {"  :  ", "1,00", "Preencha o tempo corretamente."},
        {"1 :3 ", "1,00", "Preencha o tempo corretamente."},
        {"00:00", "1,00", "O tempo não pode ser 00:00"},
        {"12:60", "1,00", "O valor máximo para os minutos é 59."},
        {"24:00", "1,00", "O valor máximo para as horas é 23."},
        {"00:01", "", "Valor incorreto."},
        {"00:01", "0,00", ""},
    };
    for (const auto& [tem, val, msg] : casos) {
        const ResultadoAba r = valida_passo(tem, val);
        EXPECT_EQ(r.mensagem, msg) << tem.toStdString();
        EXPECT_EQ(r.feito, msg.isEmpty()) << tem.toStdString();
    }
}

TEST(Convenios, GradeInsereERemove) {
    QTableWidget g(3, 2);   // as the window opens: several blank rows
    auto texto = [&g] {
        QStringList r;
        for (int l = 0; l < g.rowCount(); ++l)
            r << (g.item(l, 0) ? g.item(l, 0)->text() : QString()) + "|" +
                     (g.item(l, 1) ? g.item(l, 1)->text() : QString());
        return r.join(' ');
    };
    adiciona_linha_convenio(&g, "01:00", "1,00");
    adiciona_linha_convenio(&g, "02:00", "2,00");
    EXPECT_EQ(texto(), "01:00|1,00 02:00|2,00 |");
    adiciona_linha_convenio(&g, "03:00", "3,00");
    adiciona_linha_convenio(&g, "04:00", "4,00");   // the last row is filled: one more
    EXPECT_EQ(texto(), "01:00|1,00 02:00|2,00 03:00|3,00 04:00|4,00");
    EXPECT_EQ(g.currentRow(), 3);

    g.setCurrentCell(1, 0);
    ASSERT_TRUE(remove_linha_convenio(&g).feito);
    EXPECT_EQ(texto(), "01:00|1,00 03:00|3,00 04:00|4,00 |");
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(remove_linha_convenio(&g).mensagem, "Linha em branco. Não pode ser removida.");
    adiciona_linha_convenio(&g, "05:00", "5,00");   // reuses the trailing blank row
    EXPECT_EQ(passos_da_grade(&g).size(), 4);

    preenche_grade_convenio(&g, {});
    EXPECT_EQ(g.rowCount(), 1);
    EXPECT_EQ(remove_linha_convenio(&g).mensagem, "Selecione o tempo a remover da lista.");
    adiciona_linha_convenio(&g, "01:00", "1,00");
    ASSERT_TRUE(remove_linha_convenio(&g).feito);   // the only row is blanked, and kept
    EXPECT_EQ(texto(), "|");
    EXPECT_TRUE(passos_da_grade(&g).isEmpty());
}

// Must show: an agreement with a time-value table stored from the tab, then a stay charged by
// it at the exit's "Convênio" kind.
TEST(Convenios, SaidaCobraPelaTabelaGravada) {
    Ambiente a;
    EdicaoConvenio e;
    e.con = "Padaria";
    e.tipo = u'V';
    QTableWidget g(3, 2);
    adiciona_linha_convenio(&g, "01:00", "4,00");
    adiciona_linha_convenio(&g, "01:00", "2,00");
    e.passos = passos_da_grade(&g);
    e.apos_fixo = false;
    e.apo_var = "1,50";
    e.apo_tem = "00:30";
    e.dias.fill(true);
    ASSERT_TRUE(insere_convenio(a.db(), e).feito);

    PedidoTarifa p;
    p.modalidade = "C";
    p.conv = "Padaria";
    p.dat_ent = "07/12/2026";
    p.data_atual = QDate(2026, 12, 7);
    const std::vector<std::tuple<const char*, QTime, const char*>> estadias{
        {"08:00:00", QTime(8, 40), "4,00"},     // first step
        {"08:00:00", QTime(9, 30), "6,00"},     // both steps
        {"08:00:00", QTime(10, 30), "7,50"},    // one period of 30 minutes after them
        {"08:00:00", QTime(11, 0), "9,00"},
    };
    for (const auto& [entrada, saida, total] : estadias) {
        p.hor_ent = entrada;
        p.hora_atual = saida;
        p.dat_sai = p.dat_ent;
        p.hor_sai = saida.toString("HH:mm:ss");
        const ResultadoTarifa r = calcula_total(a.db(), p);
        ASSERT_TRUE(r.total) << r.mensagem.toStdString();
        EXPECT_EQ(r.total->formata(), total) << saida.toString().toStdString();
    }
}
