#include "access/carga_acesso.h"
#include "data/cria_banco.h"
#include "data/datas.h"
#include "data/esquema.h"
#include "support/banco_teste.h"
#include "support/leiaute_antigo.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QDate kHoje(2026, 12, 7);

// One folder and one clock; each start of the program gets a fresh shared state.
class CargaAcesso : public ::testing::Test {
protected:
    QString caminho() const { return QDir(p.pastaPrograma()).filePath("dados.mdb"); }

    ResultadoCarga inicia() {
        ctx = std::make_unique<Contexto>(p);
        p.mensagens.clear();
        return carrega_banco(*ctx);
    }
    Banco& db() { return ctx->estado.db; }

    // A file created by a first start, then changed by `muda` and closed.
    void criaExistente(const std::function<void(Banco&)>& muda) {
        inicia();
        muda(db());
        db().fecha();
    }

    QByteArray bytes() {
        QFile f(caminho());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    PlataformaFalsa p;
    std::unique_ptr<Contexto> ctx;
};

TEST_F(CargaAcesso, PrimeiroInicioCriaOBancoComAsPrimeirasLinhas) {
    p.defineAgora(QDateTime(kHoje, QTime(9, 15, 30)));
    const ResultadoCarga r = inicia();

    ASSERT_TRUE(r.ok) << r.falha.toStdString();
    EXPECT_TRUE(r.criado);
    EXPECT_TRUE(r.semUsuarios);
    EXPECT_FALSE(r.imprimirHabilitado.has_value());
    EXPECT_EQ(p.textosMensagens(),
              QStringList{"Verifique a data e hora do sistema. Se estiverem incorretos, corrija "
                          "e clique em OK."});
    EXPECT_TRUE(QFile::exists(caminho()));
    EXPECT_EQ(tabelasDoBanco(db()).size(), qsizetype(esquema().size()));

    QSqlQuery g = db().executa("SELECT versao, data, hora, linha1, linha4, impressora, "
                               "cancela_entrada, cancela_saida, bobina, impressora_fiscal FROM geral");
    ASSERT_TRUE(g.next());
    EXPECT_EQ(g.value(0).toInt(), 122);
    EXPECT_EQ(g.value(1).toString(), "2026-12-07");
    EXPECT_EQ(g.value(2).toString(), "09:15:30");
    EXPECT_EQ(g.value(3).toString(), "");
    EXPECT_FALSE(g.value(3).isNull());
    EXPECT_EQ(g.value(4).toString(), "");
    EXPECT_EQ(g.value(5).toString(), "LPT1");
    EXPECT_EQ(g.value(6).toString(), " ");
    EXPECT_EQ(g.value(7).toString(), " ");
    EXPECT_TRUE(g.value(8).isNull());
    EXPECT_TRUE(g.value(9).isNull());
    EXPECT_FALSE(g.next());

    EXPECT_EQ(db().valor("SELECT count(*) FROM data_hora").toInt(), 1);
    EXPECT_EQ(db().valor("SELECT data || ' ' || hora FROM data_hora").toString(),
              "2026-12-07 09:15:30");

    // Only the program date is set; the printer copies wait for the next start.
    EXPECT_EQ(ctx->estado.data_atual, kHoje);
    EXPECT_EQ(ctx->estado.impressora, "");
    EXPECT_EQ(ctx->estado.cancela_entrada, "");
}

TEST_F(CargaAcesso, UsuariosTodosExcluidosNaoDaoOAviso) {
    criaExistente([](Banco& db) {
        db.executa("INSERT INTO usuarios (codigo, usuario, senha, excluido) VALUES (1, 'ana', 'x', 1)");
    });
    EXPECT_FALSE(inicia().semUsuarios);
}

class AvisoDeData : public CargaAcesso, public ::testing::WithParamInterface<int> {};

TEST_P(AvisoDeData, AvisaSoAcimaDeCincoDiasEGravaHoje) {
    const int dias = GetParam();
    criaExistente([&](Banco& db) {
        db.executa("UPDATE geral SET data = ?", {dataParaBanco(kHoje.addDays(-dias))});
    });
    ASSERT_TRUE(inicia().ok);
    if (dias > 5) {
        ASSERT_EQ(p.mensagens.size(), 1u);
        EXPECT_EQ(p.mensagens[0].icone, Icone::Exclamacao);
        EXPECT_EQ(p.mensagens[0].texto,
                  QString("Data do sistema não pode ser mais que 5 dias superior ao último "
                          "acesso!\r\nÚltimo acesso: %1\r\nData atual: 07/12/2026\r\nCorrija a "
                          "data do sistema e clique em OK!")
                      .arg(dataBr(kHoje.addDays(-dias))));
    } else {
        EXPECT_TRUE(p.mensagens.empty());
    }
    EXPECT_EQ(db().valor("SELECT data FROM geral").toString(), "2026-12-07");

    db().fecha();
    ASSERT_TRUE(inicia().ok);
    EXPECT_TRUE(p.mensagens.empty()) << "o próximo início não avisa mais";
}

// A computer date before the last start passes here too: only the login looks at it.
INSTANTIATE_TEST_SUITE_P(Dias, AvisoDeData, ::testing::Values(5, 6, -3));

TEST_F(CargaAcesso, ImpressorasDecidemBotoesEAliquota) {
    const struct {
        const char* impressora;
        const char* fiscal;   // nullptr: Null
        const char* imposto;
        int aliquota;         // 0: Null
        bool habilitado;
        bool duas;
        const char* codigo;   // "" when not set
    } casos[] = {
        {"LPT1", nullptr, "ST", 17, true, false, ""},
        {" ", " ", "", 17, false, false, ""},
        {" ", "Daruma FS345", "ST", 17, true, false, "FF"},
        {"COM1", "Daruma FS345", "Isento", 3, true, true, "II"},
        {"LPT2", "Daruma FS345", "", 3, true, true, "0300"},
        {"LPT2", "Daruma FS345", "", 12, true, true, "1200"},
        {"LPT2", "Daruma FS345", "", 25, true, true, "2500"},
        {"LPT2", "Daruma FS345", "", 18, true, true, ""},
        {"LPT2", "Daruma FS345", "", 0, true, true, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(QString("%1/%2/%3/%4").arg(c.impressora, c.fiscal ? c.fiscal : "Null",
                                                c.imposto).arg(c.aliquota).toStdString());
        criaExistente([&](Banco& db) {
            db.executa("UPDATE geral SET impressora = ?, impressora_fiscal = ?, imposto = ?, "
                       "aliquota = ?",
                       {c.impressora, c.fiscal ? QVariant(c.fiscal) : QVariant(), c.imposto,
                        c.aliquota ? Dinheiro::reais(c.aliquota).paraBanco() : QVariant()});
        });
        const ResultadoCarga r = inicia();
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.imprimirHabilitado, std::optional<bool>(c.habilitado));
        EXPECT_EQ(ctx->estado.duas_impressoras, c.duas);
        EXPECT_EQ(ctx->estado.codigo_aliquota, c.codigo);
        EXPECT_EQ(ctx->estado.impressora_fiscal, c.fiscal ? c.fiscal : " ");
        db().fecha();
    }
}

TEST_F(CargaAcesso, ArquivoAntigoEAtualizado) {
    {
        Banco antigo;
        criaLeiauteAntigo(antigo, caminho(), 110);
        antigo.executa("UPDATE geral SET data = '2026-12-06', impressora = 'LPT2', "
                       "cancela_entrada = 'LPT1', cancela_saida = ' '");
    }
    const ResultadoCarga r = inicia();
    ASSERT_TRUE(r.ok) << r.falha.toStdString();
    EXPECT_EQ(db().valor("SELECT versao FROM geral").toInt(), 122);
    // Read again after the upgrade: the new fields are there and Null.
    EXPECT_EQ(ctx->estado.impressora, "LPT2");
    EXPECT_EQ(ctx->estado.impressora_fiscal, " ");
    EXPECT_EQ(ctx->estado.cancela_entrada, "LPT1");
}

// What cannot be used ends the start-up with a message, and the file stays as it was.
TEST_F(CargaAcesso, ArquivoInutilizavelEncerraSemMexerNoArquivo) {
    const struct {
        const char* caso;
        std::function<void(const QString&)> prepara;
        const char* trecho;   // part of the message
    } casos[] = {
        {"não é banco",
         [](const QString& c) {
             QFile f(c);
             f.open(QIODevice::WriteOnly);
             f.write("isto não é um banco de dados\n");
         },
         "dados.mdb"},
        {"outra senha",
         [](const QString& c) {
             Banco b;
             b.cria(c, "outra");
             b.executa("CREATE TABLE geral (versao INTEGER)");
         },
         "Senha do banco de dados inválida"},
        {"geral vazia",
         [this](const QString&) { criaExistente([](Banco& db) { db.executa("DELETE FROM geral"); }); },
         "não contém as configurações gerais"},
        {"atualização falha",
         [](const QString& c) {
             Banco b;
             criaLeiauteAntigo(b, c, 115);
             b.executa("ALTER TABLE geral ADD COLUMN avanco_bobina INTEGER");
         },
         "etapa 117"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QFile::remove(caminho());
        c.prepara(caminho());
        const QByteArray antes = bytes();
        const ResultadoCarga r = inicia();
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.falha.contains(QString::fromUtf8(c.trecho))) << r.falha.toStdString();
        EXPECT_TRUE(r.falha.contains("O programa será encerrado.")) << r.falha.toStdString();
        EXPECT_FALSE(db().aberto());
        EXPECT_EQ(bytes(), antes);
        EXPECT_TRUE(p.mensagens.empty());
    }
}

TEST(TextoVersao, PrimeiroDigitoPontoEOsOutros) {
    EXPECT_EQ(texto_versao("122"), "1.22");
    EXPECT_EQ(texto_versao("120"), "1.2");
    EXPECT_EQ(texto_versao("105"), "1.05");
}

}  // namespace
