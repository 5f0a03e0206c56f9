#include "config/filial_config.h"
#include "support/ambiente.h"

#include <gtest/gtest.h>

namespace {

const char* const kTabelas[] = {"caixa", "cancelamento_ticket", "fechamento_caixa",
                                "pagamento_mensalidade", "registro_saida", "mensalidades",
                                "mensalistas", "veiculos_mensalistas"};

// In every table one row of each number given (NULL for none).
// 9 stands for rows merged from another branch at an office, which registers never are: `caixa`
// does not take it.
void semeia(Ambiente& a, const QVariantList& filiais) {
    for (const char* t : kTabelas)
        for (const QVariant& f : filiais)
            if (f != QVariant(9) || QLatin1String(t) != QLatin1String("caixa"))
                a.db().executa(QString("INSERT INTO %1 (filial) VALUES (?)").arg(t), {f});
}

// The numbers of each table, sorted, as "t: 1 2 NULL"; all tables alike give one line.
QStringList filiais(Ambiente& a) {
    QStringList r;
    for (const char* t : kTabelas) {
        if (QLatin1String(t) == QLatin1String("caixa")) continue;   // seeded without the 9
        QStringList v;
        QSqlQuery q = a.db().executa(QString("SELECT filial FROM %1 ORDER BY filial IS NULL, filial").arg(t));
        while (q.next()) v << (q.value(0).isNull() ? "NULL" : q.value(0).toString());
        r << v.join(' ');
    }
    r.removeDuplicates();
    return r;
}

}  // namespace

TEST(Filial, PistaReEscritorio) {
    struct Caso {
        const char* nome;
        QVariant escritorioAntes, filialAntes;
        qint16 carregada;
        QString esc, fil;
        std::vector<bool> respostas;
        QString mensagem;
        QStringList linhas;   // the rows' numbers afterwards
        QStringList geral;    // escritorio, filial
        qint16 carregadaDepois;
        QString filDepois;
    };
    const QString ok = "Dados gravados com sucesso.";
    const std::vector<Caso> casos{
        // This installation's rows (no number, or one it has had) take the new number; rows
        // merged from branch 9 keep theirs on every road.
        {"pista 1 para 2", 0, 1, 1, "Pista", "02", {true}, ok, {"2 2 9"}, {"0", "2"}, 2, "02"},
        {"resposta não", 0, 1, 1, "Pista", "02", {false}, "", {"1 9 NULL"}, {"0", "1"}, 1, "02"},
        {"sem mudança", 0, 1, 1, "Pista", "1 ", {}, ok, {"1 9 NULL"}, {"0", "1"}, 1, "1 "},
        {"esvaziada", 0, 1, 1, "Pista", "  ", {true}, ok, {"9 NULL NULL"}, {"0", "NULL"}, 0, "  "},
        // An office becoming lane 4: its own rows, those without a number (and the 1 its cash
        // registers kept from an older setting), become 4.
        {"escritório vira pista", 1, QVariant(), 0, "Pista", "04", {true}, ok, {"4 4 9"}, {"0", "4"}, 4, "04"},
        {"zero", 0, 1, 1, "Pista", "00", {}, "Filial não pode ser ZERO.", {"1 9 NULL"}, {"0", "1"}, 1, "00"},
        {"nenhuma e vazia", QVariant(), QVariant(), 0, "Pista", "  ", {}, ok, {"1 9 NULL"}, {"0", "NULL"}, 0, "  "},
        // A lane becoming the office: asked, its own rows lose their number, the field is emptied.
        {"pista vira escritório", 0, 1, 1, "Escritório", "01", {true}, ok, {"9 NULL NULL"}, {"1", "NULL"}, 0, "  "},
        {"pista vira escritório, não", 0, 1, 1, "Escritório", "01", {false}, "", {"1 9 NULL"}, {"0", "1"}, 1, "01"},
        {"escritório limpa", 1, QVariant(), 1, "Escritório", "  ", {true}, ok, {"9 NULL NULL"}, {"1", "NULL"}, 0, "  "},
        {"escritório de novo", 1, QVariant(), 0, "Escritório", "  ", {}, ok, {"1 9 NULL"}, {"1", "NULL"}, 0, "  "},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        a.db().executa("UPDATE geral SET escritorio = ?, filial = ?", {c.escritorioAntes.isNull() ? 0 : c.escritorioAntes, c.filialAntes});
        semeia(a, {1, 9, QVariant()});   // 9: rows merged from branch 9
        for (bool r : c.respostas) a.plataforma.responde({r});
        qint16 carregada = c.carregada;
        const ResultadoEscritorioPista r = grava_filial(a.ctx, c.esc, c.fil, carregada);
        EXPECT_EQ(r.mensagem, c.mensagem) << c.nome;
        EXPECT_EQ(a.plataforma.perguntas.size(), qsizetype(c.respostas.size())) << c.nome;
        EXPECT_EQ(filiais(a), c.linhas) << c.nome;
        EXPECT_EQ(a.linha("SELECT escritorio, filial FROM geral"), c.geral) << c.nome;
        EXPECT_EQ(carregada, c.carregadaDepois) << c.nome;
        EXPECT_EQ(r.fil, c.filDepois) << c.nome;
    }
}

TEST(Filial, MudaEVoltaNaMesmaJanela) {
    Ambiente a;
    a.db().executa("UPDATE geral SET filial = 1");
    semeia(a, {1, QVariant()});
    qint16 carregada = 1;
    a.plataforma.responde({true, true});
    ASSERT_TRUE(grava_filial(a.ctx, "Pista", "2 ", carregada).feito);
    EXPECT_EQ(filiais(a), QStringList{"2 2"});
    ASSERT_TRUE(grava_filial(a.ctx, "Pista", "1 ", carregada).feito);
    EXPECT_EQ(filiais(a), QStringList{"1 1"});
    EXPECT_EQ(a.plataforma.perguntas.size(), 2);
}

// A table that cannot be re-stamped leaves every table and the setting as they were.
TEST(Filial, FalhaNoMeioDesfazTudo) {
    Ambiente a;
    a.db().executa("UPDATE geral SET filial = 1");
    semeia(a, {1});
    a.db().executa("CREATE TRIGGER falha BEFORE UPDATE ON mensalidades "
                   "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    qint16 carregada = 1;
    a.plataforma.responde({true});
    const ResultadoEscritorioPista r = grava_filial(a.ctx, "Pista", "03", carregada);
    EXPECT_FALSE(r.feito);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_EQ(filiais(a), QStringList{"1"});
    EXPECT_EQ(a.linha("SELECT filial FROM geral"), QStringList{"1"});
    EXPECT_EQ(carregada, 1);
}
