#include "branches/arquivo_mensalistas.h"
#include "branches/filiais_teste.h"
#include "branches/troca_filial.h"
#include "data/gravacao_segura.h"
#include "subscribers/pagamento_mensalidade.h"
#include "support/retrato_morte.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

// An office with branch 1's subscriber 7 (November and December paid) and deleted 8, and
// branch 2's 9.
void escritorioComMensalistas(Ambiente& escritorio) {
    defineFilial(escritorio, QVariant(), true);
    escritorio.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                            "VALUES (1, 'Mensal', 1500000, 10), (2, 'Noturno', 900000, 5)");
    mensalista(escritorio, 7, "José D'Ávila", 1);
    mensalista(escritorio, 8, "Excluído", 1);
    escritorio.db().executa("UPDATE mensalistas SET excluido = 1 WHERE codigo = 8");
    mensalista(escritorio, 9, "Outra filial", 2);
    veiculo(escritorio, 7, "D'A-0007", 1);
    veiculo(escritorio, 9, "OUT-0009", 2);
    mensalidade(escritorio, 7, "2026-11-01", true, 1);
    mensalidade(escritorio, 7, "2026-12-01", true, 1);
    mensalidade(escritorio, 9, "2026-12-01", true, 2);
}

class ArquivoMensalistasTest : public ::testing::Test {
protected:
    Ambiente escritorio, filial;
    QTemporaryDir disco;
    QString arquivo() { return disco.filePath("mensalistas.mdb"); }

    void SetUp() override {
        escritorioComMensalistas(escritorio);
        defineFilial(filial, 1);
    }
};

TEST_F(ArquivoMensalistasTest, GeraNoEscritorioERecebeNaFilial) {
    const ResultadoArquivo g = gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 1 << 30);
    ASSERT_TRUE(g.ok) << g.mensagem.toStdString();
    EXPECT_EQ(g.mensagem, "Geração de arquivo realizada com sucesso em " + arquivo() + ".");
    EXPECT_FALSE(QFile::exists(arquivo() + ".gravando"));
    {
        Banco arq;
        arq.abre(arquivo(), Banco::kSenha);
        EXPECT_EQ(linhas(arq, "mensalistas").size(), 2);   // the deleted one travels too
        EXPECT_EQ(linhas(arq, "veiculos_mensalistas"), (QStringList{"7|Gol|2010|D'A-0007|1"}));
        EXPECT_EQ(linhas(arq, "tipos_mensalistas").size(), 2);
        EXPECT_EQ(linhas(arq, "mensalidades").size(), 2);
        EXPECT_EQ(arq.valor("SELECT count(*) FROM pragma_table_info('mensalistas')").toInt(), 20);
    }

    // The branch: subscriber 7 already there with local fields, and a fee of November unpaid
    // that its lanes wrote without a branch; subscriber 5 of this branch not in the file.
    mensalista(filial, 7, "Nome antigo", 1);
    filial.db().executa("UPDATE mensalistas SET cnpj = '12.345.678/0001-90', seg = 1 WHERE codigo = 7");
    veiculo(filial, 7, "OLD-0001", 1);
    mensalista(filial, 5, "Só na filial", 1);
    veiculo(filial, 5, "LOC-0005", 1);
    mensalidade(filial, 7, "2026-11-01", false, QVariant());
    mensalidade(filial, 7, "2026-10-01", true, 1);
    mensalidade(filial, 8, "2026-09-01", true, 1);   // left over under a code new here

    const ResultadoArquivo r = recebe_arquivo_mensalistas(filial.db(), disco.path(), true, 1 << 20);
    EXPECT_EQ(r.mensagem, "Recebimento de arquivo realizado com sucesso.");
    EXPECT_FALSE(QFile::exists(arquivo()));
    EXPECT_EQ(filial.linha("SELECT nome, cnpj, seg, tolerancia FROM mensalistas WHERE codigo = 7"),
              (QStringList{"José D'Ávila", "12.345.678/0001-90", "1", "5"}));
    EXPECT_EQ(filial.linha("SELECT nome, excluido FROM mensalistas WHERE codigo = 8"),
              (QStringList{"Excluído", "1"}));
    EXPECT_EQ(filial.conta("mensalistas"), 3);
    // Only the vehicles of the subscribers the file carries are replaced.
    EXPECT_EQ(linhas(filial.db(), "veiculos_mensalistas"),
              (QStringList{"5|Gol|2010|LOC-0005|1", "7|Gol|2010|D'A-0007|1"}));
    EXPECT_EQ(linhas(filial.db(), "mensalidades"),
              (QStringList{"7|2026-10-01|1|NULL|NULL|1000000|1", "7|2026-11-01|1|NULL|NULL|1000000|1",
                           "7|2026-12-01|1|NULL|NULL|1000000|1"}));
    EXPECT_EQ(filial.conta("tipos_mensalistas"), 2);
}

// December paid at the site that reads a file, with its payment, while the file was on its way:
// the month keeps that payment, whatever the file says of it (open, or paid by the other site).
TEST_F(ArquivoMensalistasTest, MesPagoAquiFicaComSeuPagamento) {
    enum class Leitura { Filial, EscritorioSeuArquivo, EscritorioArquivoDaFilial };
    const struct {
        const char* caso;
        Leitura leitura;
        bool pagoNoOutro;   // the site the file came from had December paid too
    } casos[] = {
        {"na filial, o mês em aberto no arquivo", Leitura::Filial, false},
        {"no escritório, o arquivo que fez antes do pagamento", Leitura::EscritorioSeuArquivo, false},
        {"na filial, o mês pago também no escritório", Leitura::Filial, true},
        {"no escritório, o mês pago também na filial", Leitura::EscritorioArquivoDaFilial, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Ambiente esc, fil;
        escritorioComMensalistas(esc);
        defineFilial(fil, 1);
        mensalista(fil, 7, "José D'Ávila", 1);
        esc.db().executa("UPDATE mensalidades SET pago = 0 WHERE codigo = 7 AND mes = '2026-12-01'");
        mensalidade(fil, 7, "2026-12-01", false, 1);
        Ambiente& leitor = c.leitura == Leitura::Filial ? fil : esc;
        Ambiente& outro = c.leitura == Leitura::Filial ? esc : fil;
        const auto paga = [](Ambiente& a, int dia, int hora) {
            ASSERT_TRUE(efetua_pagamento(a.db(), {7, QDate(2026, 12, 1), Dinheiro::reais(150), {}, {}, 1, 1,
                                                  QDate(2026, 12, dia), QTime(hora, 0)}).pago);
        };
        if (c.pagoNoOutro) paga(outro, 3, 10);
        const QString daFilial = fil.plataforma.pastaPrograma() + "/backup_filial.mdb";
        if (c.leitura == Leitura::EscritorioArquivoDaFilial)
            ASSERT_TRUE(exporta_filial(fil.db(), daFilial).ok);
        else
            ASSERT_TRUE(gera_arquivo_mensalistas(esc.db(), 1, disco.path(), 1).ok);
        paga(leitor, 5, 9);
        ASSERT_TRUE(c.leitura == Leitura::EscritorioArquivoDaFilial
                        ? mescla_filial(esc.db(), daFilial).ok
                        : recebe_arquivo_mensalistas(leitor.db(), disco.path(), false, 1).ok);
        // The rest of the file is taken: November paid.
        EXPECT_EQ(leitor.linha("SELECT pago, data_pgto, hora_pgto, valor, (SELECT count(*) FROM mensalidades "
                               "WHERE codigo = 7 AND mes = '2026-11-01' AND pago = 1) FROM mensalidades "
                               "WHERE codigo = 7 AND mes = '2026-12-01'"),
                  (QStringList{"1", "2026-12-05", "09:00:00", "1500000", "1"}));
    }
}

// A generation killed midway leaves its partial file on the drive, with the subscribers' names
// and documents, only until the next start of the program.
TEST_F(ArquivoMensalistasTest, GeracaoInterrompidaRemovidaNoInicio) {
    const QString parcial = arquivo() + ".gravando";
    const QString programa = escritorio.plataforma.pastaPrograma();
    const QString anotacoes = programa + "/" + kGravacoesAnotadas;
    std::optional<RetratoMorte> retrato;
    const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& a) {
        if (a == arquivo() && QFile::exists(parcial)) retrato.emplace(QStringList{parcial}, anotacoes);   // killed just before it takes its name
    });
    ASSERT_TRUE(gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 1 << 30).ok);
    ouveMudancasArquivos(antes);
    // The drive and the program's folder as the kill left them.
    ASSERT_TRUE(retrato);
    retrato->volta();
    ASSERT_TRUE(QFile::exists(parcial));
    removeCopiasTemporarias(programa + "/dados.mdb");
    EXPECT_EQ(QDir(disco.path()).entryList(QDir::Files), QStringList{"mensalistas.mdb"});
    EXPECT_FALSE(QFile::exists(anotacoes));
}

TEST_F(ArquivoMensalistasTest, RecusasDaGeracao) {
    // No branch chosen, a drive without room, a branch without subscribers.
    EXPECT_EQ(gera_arquivo_mensalistas(escritorio.db(), std::nullopt, disco.path(), 1).mensagem,
              "Escolha a filial.");
    EXPECT_EQ(gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 0).mensagem,
              "Drive '" + disco.path() + "' não disponível.");
    EXPECT_FALSE(QFile::exists(arquivo()));
    const ResultadoArquivo vazio = gera_arquivo_mensalistas(escritorio.db(), 4, disco.path(), 1);
    EXPECT_EQ(vazio.mensagem, "Nenhum mensalista cadastrado com esta filial.");
    {
        Banco arq;
        arq.abre(arquivo(), Banco::kSenha);
        EXPECT_EQ(linhas(arq, "tipos_mensalistas").size(), 0);
    }
    // An earlier file is left as it was when there is no subscriber at all.
    const QByteArray antes = bytes(arquivo());
    filial.db().executa("DELETE FROM mensalistas");
    EXPECT_EQ(gera_arquivo_mensalistas(filial.db(), 1, disco.path(), 1).mensagem,
              "Não há mensalista cadastrados.");
    EXPECT_EQ(bytes(arquivo()), antes);
}

TEST_F(ArquivoMensalistasTest, RecebimentoRecusadoNaoMudaNada) {
    EXPECT_EQ(recebe_arquivo_mensalistas(filial.db(), disco.path(), true, 0).mensagem,
              "Não há disquete no drive.");
    EXPECT_EQ(recebe_arquivo_mensalistas(filial.db(), disco.path(), false, 0).mensagem,
              "Arquivo " + arquivo() + " não encontrado.");

    ASSERT_TRUE(gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 1).ok);
    {
        Banco arq;
        arq.abre(arquivo(), Banco::kSenha);
        arq.executa("ALTER TABLE mensalidades DROP COLUMN pago");
    }
    veiculo(filial, 7, "OLD-0001", 1);
    const auto antes = linhas(filial.db(), "veiculos_mensalistas");
    const ResultadoArquivo r = recebe_arquivo_mensalistas(filial.db(), disco.path(), true, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.mensagem.contains("Falta o campo pago da tabela mensalidades.")) << r.mensagem.toStdString();
    EXPECT_TRUE(QFile::exists(arquivo()));
    EXPECT_EQ(linhas(filial.db(), "veiculos_mensalistas"), antes);
    EXPECT_EQ(filial.conta("mensalistas"), 0);

    // The file made for branch 2, at branch 1 or at a branch whose number is not set.
    ASSERT_TRUE(gera_arquivo_mensalistas(escritorio.db(), 2, disco.path(), 1).ok);
    const struct {
        QVariant numero;
        const char* causa;
    } outraFilial[] = {
        {1, "Este arquivo é de mensalistas da filial 2, e esta é a filial 1. Receba somente o "
            "arquivo gerado para a filial 1."},
        {QVariant(), "Este arquivo é de mensalistas da filial 2, e o número desta filial não está "
                     "informado nas configurações."},
    };
    for (const auto& c : outraFilial) {
        defineFilial(filial, c.numero);
        const ResultadoArquivo o = recebe_arquivo_mensalistas(filial.db(), disco.path(), false, 1);
        EXPECT_FALSE(o.ok);
        EXPECT_TRUE(o.mensagem.contains(QString::fromUtf8(c.causa))) << o.mensagem.toStdString();
        EXPECT_TRUE(QFile::exists(arquivo()));
        EXPECT_EQ(linhas(filial.db(), "veiculos_mensalistas"), antes);
        EXPECT_EQ(filial.conta("mensalistas"), 0);
    }
}

// Rows of the file without a branch are taken as the branch's the file was made for: a second
// import of the same file finds them again and changes nothing.
TEST_F(ArquivoMensalistasTest, SemFilialNaoSeMultiplica) {
    ASSERT_TRUE(gera_arquivo_mensalistas(escritorio.db(), 1, disco.path(), 1).ok);
    {
        Banco arq;
        arq.abre(arquivo(), Banco::kSenha);
        arq.executa("UPDATE mensalistas SET filial = NULL WHERE codigo = 7");
        arq.executa("UPDATE mensalidades SET filial = NULL");
        arq.executa("UPDATE veiculos_mensalistas SET filial = NULL");
    }
    const QByteArray arquivoSemFilial = bytes(arquivo());
    const QStringList tabelas = {"mensalistas", "mensalidades", "veiculos_mensalistas"};
    QList<QStringList> depoisDaPrimeira;
    for (int vez = 0; vez < 2; ++vez) {
        QFile f(arquivo());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(arquivoSemFilial);
        f.close();
        const ResultadoArquivo r = recebe_arquivo_mensalistas(filial.db(), disco.path(), false, 1);
        ASSERT_TRUE(r.ok) << r.mensagem.toStdString();
        QList<QStringList> agora;
        for (const QString& t : tabelas) agora << linhas(filial.db(), t);
        if (vez == 0) depoisDaPrimeira = agora;
        else EXPECT_EQ(agora, depoisDaPrimeira);
    }
    EXPECT_EQ(filial.conta("mensalistas"), 2);
    EXPECT_EQ(filial.conta("mensalidades"), 2);
    EXPECT_EQ(filial.linha("SELECT count(*) FROM mensalistas WHERE filial = 1"), QStringList{"2"});
    EXPECT_EQ(filial.linha("SELECT count(*) FROM mensalidades WHERE filial = 1"), QStringList{"2"});
}

}  // namespace
