#include "branches/filiais_teste.h"
#include "branches/leiautes.h"
#include "branches/mescla_tabela.h"
#include "branches/troca_filial.h"
#include "data/esquema.h"
#include "data/pagador.h"
#include "subscribers/pagamento_mensalidade.h"
#include "subscribers/troca_codigo.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QStringList kTabelas = {"cancelamento_ticket", "fechamento_caixa", "pagamento_mensalidade",
                              "registro_saida",      "mensalidades",     "mensalistas",
                              "veiculos_mensalistas"};

// A branch database with a day of work, part of it written before the branch number was set.
void diaDaFilial(Ambiente& filial, int numero) {
    defineFilial(filial, numero);
    saida(filial, 1, "ABC-1234", "08:00:00", numero);
    saida(filial, 2, "D'A-0001", "09:00:00", QVariant());
    // The numbering moved back: ticket 1 came round for the same car, ticket 5 was cancelled
    // again, and December, turned unpaid by a file, was paid a second time.
    saida(filial, 1, "ABC-1234", "15:00:00", QVariant(), 20000);
    // A subscriber's vehicle has no ticket: the lane stores 0 ("0000000000"), older rows none.
    // Two stays of the same plate on one day, each way.
    for (const QVariant& semTicket : {QVariant(), QVariant(0)}) {
        saida(filial, semTicket, "MEN-0001", "07:00:00", QVariant(), 0);
        saida(filial, semTicket, "MEN-0001", "13:00:00", QVariant(), 0);
    }
    filial.db().executa("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa, filial) VALUES "
                        "(5, 'XYZ-0005', '10:00:00', 1, NULL), (5, 'XYZ-0005', '16:00:00', 1, NULL), "
                        "(NULL, 'MEN-0001', '11:00:00', 1, NULL), (NULL, 'MEN-0002', '12:00:00', 1, NULL)");
    filial.db().executa("INSERT INTO fechamento_caixa (numero, usuario, data_ini, qtd_veiculos, "
                        "valor_veiculos, valor_mensalidades, troco, filial) "
                        "VALUES (1, 'ana', '2026-12-01', 4, 100000, 1500000, 0, NULL)");
    filial.db().executa("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, "
                        "hora, desconto, adicional, filial) VALUES "
                        "(7, '2026-12-01', 1500000, 1, '2026-12-01', '08:30:00', 0, 0, NULL), "
                        "(7, '2026-12-01', 1500000, 1, '2026-12-01', '17:00:00', 0, 0, NULL)");
    mensalista(filial, 7, "José D'Ávila", numero);
    veiculo(filial, 7, "MEN-0001", numero);
    mensalidade(filial, 7, "2026-12-01", true, QVariant());
}

QString arquivoDe(Ambiente& amb) { return amb.plataforma.pastaPrograma() + "/backup_filial.mdb"; }

// Exports at the branch and copies the file to where the office reads it.
void leva(Ambiente& filial, Ambiente& escritorio) {
    const ResultadoBackup r = exporta_filial(filial.db(), arquivoDe(filial));
    ASSERT_TRUE(r.ok) << r.mensagem.toStdString();
    EXPECT_EQ(r.mensagem, "Backup de filial realizado com sucesso no arquivo " + arquivoDe(filial));
    QFile::remove(arquivoDe(escritorio));
    ASSERT_TRUE(QFile::copy(arquivoDe(filial), arquivoDe(escritorio)));
}

QMap<QString, QStringList> todas(Banco& db) {
    QMap<QString, QStringList> r;
    for (const QString& t : kTabelas) r[t] = linhas(db, t);
    return r;
}

TEST(TrocaFilial, ExportacaoEDuasMesclasNoEscritorio) {
    Ambiente filial, escritorio;
    diaDaFilial(filial, 3);
    defineFilial(escritorio, QVariant(), true);
    const auto antesNaFilial = todas(filial.db());

    leva(filial, escritorio);
    // The branch's own database is not changed by the export.
    EXPECT_EQ(todas(filial.db()), antesNaFilial);

    const ResultadoBackup r = mescla_filial(escritorio.db(), arquivoDe(escritorio));
    EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
    EXPECT_EQ(r.mensagem, "Backup de filial recebido com sucesso. O arquivo " +
                              arquivoDe(escritorio) + " será excluído.");
    EXPECT_FALSE(QFile::exists(arquivoDe(escritorio)));
    for (const QString& t : kTabelas) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(escritorio.conta(t), filial.conta(t));
        EXPECT_EQ(escritorio.conta(t),
                  escritorio.db().valor(QString("SELECT count(*) FROM %1 WHERE filial = 3").arg(t)).toInt());
        // Marked as received, so that no register of the office counts them.
        if (temCampo(t, kCampoRecebido)) {
            EXPECT_EQ(escritorio.conta(t),
                      escritorio.db().valor(QString("SELECT count(*) FROM %1 WHERE recebido").arg(t)).toInt());
        }
    }
    // The subscriber's stays and two cancellations without a ticket stay apart.
    EXPECT_EQ(escritorio.db().valor("SELECT count(*) FROM registro_saida WHERE ticket IS NULL").toInt(), 2);
    EXPECT_EQ(escritorio.db().valor("SELECT count(*) FROM registro_saida WHERE ticket = 0").toInt(), 2);
    EXPECT_EQ(escritorio.db().valor("SELECT count(*) FROM cancelamento_ticket WHERE ticket IS NULL").toInt(), 2);

    // A later export carries the same rows, one of them changed: the merge adds nothing.
    filial.db().executa("UPDATE registro_saida SET total = 70000 WHERE ticket = 1 AND "
                        "hora_entrada = '08:00:00'");
    const auto depoisDaPrimeira = todas(escritorio.db());
    leva(filial, escritorio);
    ASSERT_TRUE(mescla_filial(escritorio.db(), arquivoDe(escritorio)).ok);
    for (const QString& t : kTabelas) EXPECT_EQ(escritorio.conta(t), depoisDaPrimeira[t].size());
    EXPECT_EQ(escritorio.linha("SELECT group_concat(total) FROM (SELECT total FROM registro_saida "
                               "WHERE ticket = 1 ORDER BY hora_entrada)"),
              QStringList{"70000,20000"});

    // Merging the same file again changes nothing at all.
    leva(filial, escritorio);
    const auto depoisDaSegunda = todas(escritorio.db());
    ASSERT_TRUE(mescla_filial(escritorio.db(), arquivoDe(escritorio)).ok);
    EXPECT_EQ(todas(escritorio.db()), depoisDaSegunda);

    // Nor does a file reached through a link, which is said to be received; neither the link nor
    // (through it) the file is removed.
    leva(filial, escritorio);
    QTemporaryDir fora;
    const QString alvo = fora.filePath("backup_filial.mdb");
    ASSERT_TRUE(QFile::rename(arquivoDe(escritorio), alvo) && QFile::link(alvo, arquivoDe(escritorio)));
    EXPECT_EQ(mescla_filial(escritorio.db(), arquivoDe(escritorio)).mensagem,
              "Backup de filial recebido com sucesso. O arquivo " + arquivoDe(escritorio) +
                  " é um link para o arquivo " + alvo + ", que foi o recebido: nenhum dos dois foi excluído.");
    EXPECT_EQ(QFileInfo(arquivoDe(escritorio)).symLinkTarget(), alvo);
    EXPECT_TRUE(QFileInfo(alvo).isFile());
    EXPECT_EQ(todas(escritorio.db()), depoisDaSegunda);
}

TEST(TrocaFilial, ArquivoComAsTabelasCamposEIndicesDoBancoPrincipal) {
    Ambiente filial;
    defineFilial(filial, 1);
    ASSERT_TRUE(exporta_filial(filial.db(), arquivoDe(filial)).ok);
    EXPECT_FALSE(QFile::exists(arquivoDe(filial) + ".gravando"));
    // Read as it lies on the disk, without opening it the way the program does.
    QStringList criacao, principal;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "leitura");
        c.setDatabaseName(arquivoDe(filial));
        c.setConnectOptions("QSQLITE_OPEN_READONLY");
        ASSERT_TRUE(c.open());
        QSqlQuery q(c);
        q.exec("SELECT type, name, sql FROM sqlite_master ORDER BY type, name");
        while (q.next()) criacao << q.value(0).toString() + " " + q.value(1).toString() + " " + q.value(2).toString();
        q.exec("PRAGMA journal_mode");
        EXPECT_TRUE(q.next() && q.value(0).toString() == "delete");
        c.close();
    }
    QSqlDatabase::removeDatabase("leitura");
    QSqlQuery q = filial.db().executa(
        "SELECT type, name, sql FROM sqlite_master WHERE tbl_name IN ('cancelamento_ticket', "
        "'fechamento_caixa', 'pagamento_mensalidade', 'registro_saida', 'mensalidades', "
        "'mensalistas', 'veiculos_mensalistas') AND name NOT LIKE 'pista_%' ORDER BY type, name");
    // The main database's mark of the rows received from a branch does not travel.
    const QString recebido = ", " + definicaoColuna(campoEsquema("registro_saida", kCampoRecebido));
    while (q.next()) {
        QString linha = q.value(0).toString() + " " + q.value(1).toString() + " " + q.value(2).toString();
        principal << linha.remove(recebido);
    }
    EXPECT_EQ(criacao, principal);
    EXPECT_EQ(criacao.filter(QRegularExpression("^index ")).size(), 3);
}

TEST(TrocaFilial, DuasFiliaisComOMesmoCodigoESemFilialNoEscritorio) {
    Ambiente filial1, filial2, escritorio;
    defineFilial(filial1, 1);
    defineFilial(filial2, 2);
    escritorio.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro'), (2, 'Norte')");
    mensalista(filial1, 1, "Ana", 1);
    mensalista(filial2, 1, "Bia", 2);
    mensalista(escritorio, 1, "Sem filial", QVariant());
    // May opened unpaid at both branches by a vehicle's entry; April paid at branch 1.
    mensalidade(filial1, 1, "2026-05-01", false, QVariant());
    mensalidade(filial2, 1, "2026-05-01", false, QVariant());
    filial1.db().executa("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora) "
                         "VALUES (1, '2026-04-01', 1500000, 1, '2026-04-10', '08:00:00')");
    saida(filial1, 1, "ABC-1234", "08:00:00", 1);
    QStringList perguntas;
    const auto recebe = [&](Ambiente& de, bool sim = true) {
        leva(de, escritorio);
        return mescla_filial(escritorio.db(), arquivoDe(escritorio), nullptr,
                             [&perguntas, sim](const QString& p) {
                                 perguntas << p;
                                 return sim;
                             });
    };
    ASSERT_TRUE(recebe(filial1).ok);
    filial1.db().executa("UPDATE mensalistas SET nome = 'Ana Maria'");
    ASSERT_TRUE(recebe(filial2).ok);
    EXPECT_EQ(perguntas, QStringList{});   // both branches are in the register
    EXPECT_EQ(linhas(escritorio.db(), "mensalistas").size(), 3);
    EXPECT_EQ(escritorio.db().valor("SELECT nome FROM mensalistas WHERE filial = 1").toString(), "Ana");
    EXPECT_EQ(escritorio.db().valor("SELECT nome FROM mensalistas WHERE filial = 2").toString(), "Bia");
    EXPECT_EQ(escritorio.db().valor("SELECT nome FROM mensalistas WHERE filial IS NULL").toString(),
              "Sem filial");

    // Ana pays May at the office. Branch 1 has meanwhile taken branch 2's subscriber file by
    // mistake: its copy of Bia, without her data, comes back in its file and is left out. Its
    // next file, May still unpaid there, leaves May paid.
    const PedidoPagamento p{1, QDate(2026, 5, 1), Dinheiro::reais(150), {}, {}, 1, 0, QDate(2026, 5, 10), QTime(9, 0)};
    ASSERT_TRUE(efetua_pagamento(escritorio.db(), p).pago);
    mensalista(filial1, 1, "Bia sem dados", 2);
    const ResultadoBackup copiaDeBia = recebe(filial1);
    ASSERT_TRUE(copiaDeBia.ok);
    EXPECT_TRUE(copiaDeBia.mensagem.endsWith("\r\n1 registro(s) de outras filiais que vieram no arquivo "
                                             "não foram recebidos: cada filial envia os seus."))
        << copiaDeBia.mensagem.toStdString();
    EXPECT_EQ(escritorio.db().valor("SELECT nome FROM mensalistas WHERE filial = 2").toString(), "Bia");
    EXPECT_EQ(linhas(escritorio.db(), "mensalidades"),
              (QStringList{"1|2026-05-01|0|NULL|NULL|1000000|2",
                           "1|2026-05-01|1|2026-05-10|09:00:00|1500000|1"}));
    EXPECT_EQ(escritorio.conta("pagamento_mensalidade"), 2);

    // Ana's code changed from 1 to 10 at her branch: one Ana at the office, with her month and
    // both payments, the office's own too, still hers, and her car parked at the office's lane
    // (beside the office's own subscriber 1's) still hers.
    veiculo(filial1, 1, "ANA-0001", 1);
    veiculo(escritorio, 1, "SEM-0001", QVariant());
    ASSERT_TRUE(recebe(filial1).ok);
    escritorio.db().executa("INSERT INTO veiculos_patio (mensalista, placa, data_entrada, hora_entrada) "
                            "VALUES (1, 'ANA-0001', '2026-02-20', '08:00:00'), "
                            "(1, 'SEM-0001', '2026-05-20', '08:05:00')");
    ASSERT_TRUE(troca_codigo(filial1.db(), "1", 1, "10").trocado);
    const ResultadoBackup trocado = recebe(filial1);
    EXPECT_TRUE(trocado.mensagem.contains("\r\nO mensalista Ana Maria teve o código trocado na filial "
                                          "de 1 para 10."))
        << trocado.mensagem.toStdString();
    EXPECT_EQ(escritorio.linha("SELECT group_concat(codigo || ' ' || nome) FROM mensalistas WHERE filial = 1"),
              QStringList{"10 Ana Maria"});
    EXPECT_EQ(linhas(escritorio.db(), "mensalidades"),
              (QStringList{"10|2026-05-01|1|2026-05-10|09:00:00|1500000|1",
                           "1|2026-05-01|0|NULL|NULL|1000000|2"}));
    EXPECT_EQ(escritorio.linha("SELECT group_concat(p.mes || ' ' || (SELECT m.codigo || ' ' || m.nome "
                               "FROM mensalistas m WHERE m.rowid = " + pagadorDoPagamento("p") +
                               "), ', ') FROM pagamento_mensalidade p"),
              QStringList{"2026-04-01 10 Ana Maria, 2026-05-01 10 Ana Maria"});
    EXPECT_EQ(escritorio.linha("SELECT group_concat(mensalista || ' ' || placa, ', ') FROM veiculos_patio"),
              QStringList{"10 ANA-0001, 1 SEM-0001"});

    // Branch 2 renumbered to 3 sends its history again under 3: the office asks first, and a
    // No changes nothing.
    defineFilial(filial2, 3);
    for (const QString& t : kTabelas) filial2.db().executa(QString("UPDATE %1 SET filial = 3").arg(t));
    const auto antes = todas(escritorio.db());
    perguntas.clear();
    EXPECT_FALSE(recebe(filial2, false).ok);
    ASSERT_EQ(perguntas.size(), 1);
    EXPECT_TRUE(perguntas[0].startsWith("O arquivo é da filial 3, que não está no cadastro de filiais."));
    EXPECT_EQ(todas(escritorio.db()), antes);
    EXPECT_TRUE(QFile::exists(arquivoDe(escritorio)));
}

// Branch 1's subscriber 6 "Fabio Rosa" (car AAA-1006, from 2026-01-01) reached the office in a
// file; the branch then changed it, and its next file came. Whatever changed, the branch has one
// active holder of the plate at the office, under the code the branch gives it; or, where that
// code is another subscriber's at the office, the file is refused and nothing changes.
TEST(TrocaFilial, MensalistaTrocadoNaFilial) {
    const auto renumera = [](Ambiente& f) {
        f.db().executa("UPDATE mensalistas SET nome = 'Fabio Rosa Lima' WHERE codigo = 6");
        ASSERT_TRUE(troca_codigo(f.db(), "6", 1, "30").trocado);
    };
    const QString trocado = "O mensalista Fabio Rosa Lima (antes Fabio Rosa) teve o código trocado "
                            "na filial de 6 para 30.";
    const QString excluido = "O mensalista Fabio Rosa (código 6) não veio com este código no arquivo "
                             "da filial, e não foi possível saber qual mensalista do arquivo ele é: "
                             "foi marcado como excluído no escritório, porque a placa AAA-1006 é do "
                             "mensalista Fabio Rosa Lima (código 30) no arquivo.";
    const auto deOutro = [](const QString& nome) {
        return " mas o código 30 da filial é, no escritório, do mensalista Ivo Velho: para que os "
               "registros de um não passem ao outro, troque na filial o código do mensalista " +
               nome + " por outro e gere o arquivo novamente.";
    };
    // The office holds 30 for another subscriber of the branch, with its car, a paid month and
    // its payment.
    const auto ivo = [](Ambiente& e) {
        mensalista(e, 30, "Ivo Velho", 1);
        veiculo(e, 30, "IVO-0030", 1);
        e.db().executa("UPDATE mensalistas SET data_inicio = '2025-03-01' WHERE codigo = 30");
        ASSERT_TRUE(efetua_pagamento(e.db(), {30, QDate(2025, 3, 1), Dinheiro::reais(150), {}, {}, 1, 4,
                                              QDate(2025, 3, 5), QTime(10, 0)}).pago);
        e.db().executa("UPDATE mensalistas SET excluido = 1 WHERE codigo = 30");
    };
    const auto ambos = [&](Ambiente& f) {
        renumera(f);
        ASSERT_TRUE(troca_codigo(f.db(), "5", 1, "9").trocado);
        mensalidade(f, 30, "2026-02-01", false, 1);
    };
    const QString ambosTrocados =
        trocado + "\r\nO mensalista Ana Souza teve o código trocado na filial de 5 para 9.";
    // Ana Souza (5) too, January paid at the same second as Fabio's, with or without a stay of
    // each car.
    enum class Ana { Nao, ComEstadias, SemEstadias };
    const struct {
        const char* caso;
        bool historia;            // a stay and January paid at the branch came in the first file
        bool naPistaDoEscritorio; // the car then parked at the office and February paid there
        Ana ana;
        std::function<void(Ambiente&)> naFilial;
        QStringList mensalistas;  // the office's of branch 1: code, name, deleted
        QString aviso;
        const char* registros;    // its rows at the office, as read below ("" when refused)
        std::function<void(Ambiente&)> noEscritorio = {};
        bool recusado = false;
    } casos[] = {
        {"renomeado e renumerado", true, false, Ana::Nao, renumera, {"30 Fabio Rosa Lima 0"}, trocado,
         "mes 30 2026-01-01 1, pago 2026-01-01 30 por 30, saida 30"},
        {"com o carro no pátio do escritório e um mês pago lá", true, true, Ana::Nao, renumera,
         {"30 Fabio Rosa Lima 0"}, trocado, "mes 30 2026-01-01 1, mes 30 2026-02-01 1, pago 2026-01-01 30 "
         "por 30, pago 2026-02-01 30 por 30, patio 30, saida 30"},
        {"sem história no escritório: pela placa e o início", false, false, Ana::Nao, renumera,
         {"30 Fabio Rosa Lima 0"}, trocado, "NULL"},
        {"sem como saber: o início mudou também", false, false, Ana::Nao,
         [&](Ambiente& f) {
             renumera(f);
             f.db().executa("UPDATE mensalistas SET data_inicio = '2026-02-01'");
         },
         {"30 Fabio Rosa Lima 0", "6 Fabio Rosa 1"}, excluido, "NULL"},
        {"sem como saber: dois novos com a placa", false, false, Ana::Nao,
         [&](Ambiente& f) {
             renumera(f);
             mensalista(f, 31, "Fabio R", 1);
             veiculo(f, 31, "AAA-1006", 1);
             f.db().executa("UPDATE mensalistas SET excluido = 1 WHERE codigo = 31");
         },
         {"30 Fabio Rosa Lima 0", "31 Fabio R 1", "6 Fabio Rosa 1"}, excluido, "NULL"},
        // Their payments and paid months are the same events under both: the stays tell them
        // apart, or else Ana's name and Fabio's plate. The branch's file brings February unpaid,
        // paid at the office.
        {"dois renumerados com pagamentos no mesmo segundo", true, true, Ana::ComEstadias, ambos,
         {"30 Fabio Rosa Lima 0", "9 Ana Souza 0"}, ambosTrocados, "mes 30 2026-01-01 1, mes 30 2026-02-01 1, "
         "mes 9 2026-01-01 1, pago 2026-01-01 30 por 30, pago 2026-01-01 9 por 9, pago 2026-02-01 30 por 30, "
         "patio 30, saida 30, saida 9"},
        {"dois renumerados com pagamentos no mesmo segundo, sem estadias", true, true, Ana::SemEstadias,
         ambos, {"30 Fabio Rosa Lima 0", "9 Ana Souza 0"},
         "O mensalista Ana Souza teve o código trocado na filial de 5 para 9.\r\n" + trocado,
         "mes 30 2026-01-01 1, mes 30 2026-02-01 1, mes 9 2026-01-01 1, pago 2026-01-01 30 por 30, "
         "pago 2026-01-01 9 por 9, pago 2026-02-01 30 por 30, patio 30"},
        {"para o código de outro no escritório", false, false, Ana::Nao,
         [](Ambiente& f) { ASSERT_TRUE(troca_codigo(f.db(), "6", 1, "30").trocado); },
         {"30 Ivo Velho 1", "6 Fabio Rosa 0"},
         "O mensalista Fabio Rosa teve o código trocado na filial de 6 para 30," + deOutro("Fabio Rosa"), "", ivo,
         true},
        {"renomeado, para o código de outro no escritório", false, false, Ana::Nao, renumera,
         {"30 Ivo Velho 1", "6 Fabio Rosa 0"}, trocado.chopped(1) + "," + deOutro("Fabio Rosa Lima"), "", ivo, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Ambiente filial, escritorio;
        defineFilial(filial, 1);
        defineFilial(escritorio, QVariant(), true);
        escritorio.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
        mensalista(filial, 6, "Fabio Rosa", 1);
        veiculo(filial, 6, "AAA-1006", 1);
        if (c.ana != Ana::Nao) {
            mensalista(filial, 5, "Ana Souza", 1);
            veiculo(filial, 5, "AAA-1005", 1);
        }
        if (c.historia)
            for (int codigo : c.ana != Ana::Nao ? QList{5, 6} : QList{6}) {
                ASSERT_TRUE(efetua_pagamento(filial.db(), {codigo, QDate(2026, 1, 1), Dinheiro::reais(150), {},
                                                           {}, 1, 1, QDate(2026, 1, 10), QTime(8, 0)}).pago);
                if (c.ana == Ana::SemEstadias) continue;
                const QString placa = QString("AAA-100%1").arg(codigo);
                saida(filial, 0, placa, codigo == 6 ? "08:00:00" : "09:00:00", 1, 0);
                filial.db().executa("UPDATE registro_saida SET mensalista = ?, tipo_estacionamento = 'M' "
                                    "WHERE placa = ?", {codigo, placa});
            }
        leva(filial, escritorio);
        ASSERT_TRUE(mescla_filial(escritorio.db(), arquivoDe(escritorio)).ok);
        c.naFilial(filial);
        if (c.noEscritorio) c.noEscritorio(escritorio);
        if (c.naPistaDoEscritorio) {
            escritorio.db().executa("INSERT INTO veiculos_patio (mensalista, placa, data_entrada, "
                                    "hora_entrada) VALUES (6, 'AAA-1006', '2026-02-20', '08:00:00')");
            ASSERT_TRUE(efetua_pagamento(escritorio.db(), {6, QDate(2026, 2, 1), Dinheiro::reais(150), {}, {}, 1, 1,
                                                           QDate(2026, 2, 20), QTime(8, 5)}).pago);
        }
        leva(filial, escritorio);
        const auto antes = todas(escritorio.db());
        const ResultadoBackup r = mescla_filial(escritorio.db(), arquivoDe(escritorio));
        EXPECT_EQ(escritorio.linha("SELECT group_concat(x, ', ') FROM (SELECT codigo || ' ' || nome || ' ' || "
                                   "excluido AS x FROM mensalistas WHERE filial = 1 ORDER BY x)"),
                  QStringList{c.mensalistas.join(", ")});
        if (c.recusado) {
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.mensagem, textoFalhaRecebimento(arquivoDe(escritorio), c.aviso));
            EXPECT_EQ(todas(escritorio.db()), antes);
            EXPECT_TRUE(QFile::exists(arquivoDe(escritorio)));
            continue;
        }
        EXPECT_TRUE(r.mensagem.endsWith("\r\n" + c.aviso)) << r.mensagem.toStdString();
        EXPECT_EQ(escritorio.linha("SELECT group_concat(m.codigo) FROM veiculos_mensalistas v JOIN "
                                   "mensalistas m ON m.codigo = v.codigo AND m.filial = v.filial "
                                   "WHERE v.placa = 'AAA-1006' AND m.excluido = 0"),
                  QStringList{"30"});
        // Its stays, parked car, payments (the office's too, with their payer) and months, all
        // under 30; Ana's under 9.
        EXPECT_EQ(escritorio.linha("SELECT group_concat(x, ', ') FROM (SELECT 'saida ' || mensalista AS x "
                                   "FROM registro_saida UNION ALL SELECT 'patio ' || mensalista FROM "
                                   "veiculos_patio UNION ALL SELECT 'pago ' || p.mes || ' ' || p.mensalista || "
                                   "' por ' || (SELECT m.codigo FROM mensalistas m WHERE m.rowid = " +
                                   pagadorDoPagamento("p") + ") FROM pagamento_mensalidade p UNION ALL "
                                   "SELECT 'mes ' || codigo || ' ' || mes || ' ' || pago FROM mensalidades "
                                   "ORDER BY x)").value(0).toStdString(),
                  c.registros);
    }
}

TEST(TrocaFilial, ArquivoEstranhoOuDanificadoNaoMudaNada) {
    Ambiente filial, escritorio;
    diaDaFilial(filial, 3);
    saida(escritorio, 9, "OFF-0009", "08:00:00", 9);
    ASSERT_TRUE(exporta_filial(filial.db(), arquivoDe(filial)).ok);

    // A file with a row that has no branch; the damaged, foreign and incomplete files every
    // reading of a file refuses are in the file check's tests.
    const auto alterado = [&](const QString& sql) {
        QTemporaryDir d;
        const QString c = d.filePath("x.mdb");
        QFile::copy(arquivoDe(filial), c);
        {
            Banco b;
            b.abre(c, Banco::kSenha);
            b.executa(sql);
        }
        return bytes(c);
    };
    const struct {
        const char* caso;
        QByteArray conteudo;
        const char* causa;
    } casos[] = {
        {"texto", "nada", ""},
        {"sem filial", alterado("UPDATE registro_saida SET filial = NULL"),
         "A tabela registro_saida tem registros sem número de filial."},
    };
    const QString dadosEscritorio = escritorio.plataforma.pastaPrograma() + "/dados.mdb";
    const QByteArray antes = bytes(dadosEscritorio);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile f(arquivoDe(escritorio));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.conteudo);
        f.close();
        const ResultadoBackup r = mescla_filial(escritorio.db(), arquivoDe(escritorio));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains(QString::fromUtf8(c.causa))) << r.mensagem.toStdString();
        EXPECT_TRUE(r.mensagem.endsWith("Nada foi alterado e o arquivo foi mantido."));
        EXPECT_TRUE(QFile::exists(arquivoDe(escritorio)));
        EXPECT_EQ(bytes(dadosEscritorio), antes);
    }
    EXPECT_EQ(linhas(escritorio.db(), "registro_saida").size(), 1);
}

TEST(TrocaFilial, FilialSemNumeroERegistrosSemFilialNaoExporta) {
    Ambiente filial;
    saida(filial, 1, "ABC-1234", "08:00:00", QVariant());
    const ResultadoBackup r = exporta_filial(filial.db(), arquivoDe(filial));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.mensagem.contains("número desta filial"));
    EXPECT_FALSE(QFile::exists(arquivoDe(filial)));

    // A failing export leaves no file, neither at the final name nor at the temporary one.
    defineFilial(filial, 1);
    const QString inalcancavel = filial.plataforma.pastaPrograma() + "/nao_existe/backup_filial.mdb";
    EXPECT_FALSE(exporta_filial(filial.db(), inalcancavel).ok);
    EXPECT_FALSE(QFile::exists(inalcancavel) || QFile::exists(inalcancavel + ".gravando"));
}

}  // namespace
