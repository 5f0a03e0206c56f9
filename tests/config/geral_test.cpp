#include "config/geral_config.h"
#include "devices/bobina.h"
#include "support/ambiente.h"

#include <gtest/gtest.h>

namespace {

DadosGeral valido() {
    DadosGeral d;
    d.impr = "LPT1";
    d.ava = "10";
    d.bobina = 40;
    d.baixam_sozinhas = true;
    return d;
}

QStringList geral(Ambiente& a, const char* campos) {
    return a.linha(QString("SELECT %1 FROM geral").arg(campos));
}

}  // namespace

// The checks in their order; each row breaks one rule of valid settings, and nothing is written.
TEST(Geral, VerificacoesEmOrdem) {
    struct Caso {
        const char* nome;
        std::function<void(DadosGeral&)> muda;
        QString mensagem;
        Icone icone;
        QString foco;
    };
    const Icone I = Icone::Informacao, E = Icone::Exclamacao;
    const std::vector<Caso> casos{
        {"impressora = entrada (e saída)", [](auto& d) { d.impr = d.can_ent = d.can_sai = "LPT1"; },
         "Porta da impressora não pode ser a mesma da cancela de entrada.", E, ""},
        {"impressora = saída", [](auto& d) { d.impr = "LPT2"; d.can_sai = "LPT2"; },
         "Porta da impressora não pode ser a mesma da cancela de saída.", E, ""},
        {"avanço vazio", [](auto& d) { d.ava = "  "; },
         "Preencha o valor de quantas linhas a bobina deve avançar após impressão.", I, "ava"},
        {"sem LPT1", [](auto& d) { d.impr = " "; d.can_ent = "LPT1"; }, "Porta LPT1 não encontrada!", E, ""},
        {"alíquota", [](auto& d) { d.impr = " "; d.imp_fis = "Daruma FS345"; }, "Escolha a alíquota!", Icone::Nenhum, "ali"},
        {"tempo entrada", [](auto& d) { d.ativar_cancela_ent = true; }, "Tempo inválido.", I, "tem_ent"},
        {"tempo saída", [](auto& d) { d.ativar_cancela_sai = true; d.tem_ent = "3"; }, "Tempo inválido.", I, "tem_sai"},
        {"baixar 00", [](auto& d) { d.baixam_sozinhas = false; d.baixar_apos = true; d.bai = "00"; },
         "O valor de tempo para baixar as cancelas não pode ser ZERO!", I, "bai"},
        {"baixar vazio", [](auto& d) { d.baixam_sozinhas = false; d.baixar_apos = true; },
         "O valor de tempo para baixar as cancelas não pode ser ZERO!", I, "bai"},
        {"redução 24h", [](auto& d) { d.imp_fis = "Daruma FS345"; d.impr = " "; d.ali = "ST"; d.reducaoz = true; d.hor_red = "24:00"; },
         "Horário de ReduçãoZ inválido!", I, "hor_red"},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        a.plataforma.portaFalsa.ausentes = {"LPT1:"};
        DadosGeral d = valido();
        d.impr = "COM1";
        c.muda(d);
        const ResultadoGeral r = grava_geral(a.ctx, d);
        EXPECT_FALSE(r.feito) << c.nome;
        EXPECT_EQ(r.mensagem, c.mensagem) << c.nome;
        EXPECT_EQ(r.icone, c.icone) << c.nome;
        EXPECT_EQ(r.foco, c.foco) << c.nome;
        EXPECT_EQ(geral(a, "impressora, bobina"), (QStringList{"LPT1", "NULL"})) << c.nome;
    }
}

// Only the parallel ports that a list names are probed, LPT1 first.
TEST(Geral, SondaDasPortas) {
    const std::vector<std::tuple<QString, QString, QString, QStringList>> casos{
        {"COM1", " ", " ", {}},
        {" ", "LPT1", " ", {"LPT1:"}},
        {"LPT2", "LPT1", "LPT1", {"LPT1:", "LPT2:"}},
        {"LPT2", " ", " ", {"LPT2:"}},
    };
    for (const auto& [impr, ent, sai, sondadas] : casos) {
        Ambiente a;
        DadosGeral d = valido();
        d.impr = impr;
        d.can_ent = ent;
        d.can_sai = sai;
        EXPECT_TRUE(grava_geral(a.ctx, d).feito);
        EXPECT_EQ(a.plataforma.portaFalsa.testadas, sondadas);
    }
    Ambiente a;
    a.plataforma.portaFalsa.ausentes = {"LPT2:"};
    DadosGeral d = valido();
    d.can_sai = "LPT2";
    EXPECT_EQ(grava_geral(a.ctx, d).mensagem, "Porta LPT2 não encontrada!");
}

// The save writes the row and the lanes' copies at once, and says what the main window shows.
TEST(Geral, GravaEAtualizaEstado) {
    Ambiente a;
    a.db().executa("UPDATE geral SET imposto = '', aliquota = 120000, leiturax = 1, reducaoz = '14:30:00'");
    a.db().executa("INSERT INTO lista_saida (placa) VALUES ('ABC-1234')");
    DadosGeral d = valido();
    d.cnp = "12.345.678/0001-90";
    d.lin1 = "ESTACIONAMENTO";
    d.ult = "Volte sempre";
    d.can_ent = "LPT2";
    d.ativar_cancela_ent = true;
    d.tem_ent = "5";
    d.ativar_cancela_sai_manual = true;
    d.baixam_sozinhas = false;
    d.baixar_apos = true;
    d.bai = "5 ";
    d.ava = "3 ";
    d.mostrar_lista = true;
    d.habilitar_veiculo = true;
    d.men_atraso_tranca = true;
    d.ali = "ST";   // with no fiscal printer the tax fields stay
    d.leiturax = false;
    ResultadoGeral r = grava_geral(a.ctx, d);
    ASSERT_TRUE(r.feito);
    EXPECT_EQ(r.mensagem, "Dados gravados com sucesso.");
    EXPECT_EQ(geral(a, "cnpj, linha1, ult_linha, impressora, cancela_entrada, cancela_saida, "
                       "ativar_cancela_ent, tempo_cancela_ent, ativar_cancela_sai_manual, "
                       "tempo_baixa_cancelas, bobina, avanco_bobina, mostrar_lista, "
                       "habilitar_prisma, men_atraso_tranca, impressora_fiscal, imposto, "
                       "aliquota, leiturax, reducaoz"),
              (QStringList{"12.345.678/0001-90", "ESTACIONAMENTO", "Volte sempre", "LPT1", "LPT2",
                           " ", "1", "5", "1", "5", "40", "3", "1", "0", "1", " ", "", "120000",
                           "1", "14:30:00"}));
    const Estado& e = a.ctx.estado;
    EXPECT_EQ((QStringList{e.cnpj, e.linha1, e.ult_linha, e.impressora, e.cancela_entrada,
                           e.cancela_saida, e.impressora_fiscal}),
              (QStringList{"12.345.678/0001-90", "ESTACIONAMENTO", "Volte sempre", "LPT1", "LPT2", " ", " "}));
    EXPECT_EQ((std::vector<int>{e.ativar_cancela_ent, e.tempo_cancela_ent, e.ativar_cancela_sai_manual,
                                e.tempo_baixa_cancelas, e.bobina, e.avanco_bobina, e.men_atraso_tranca,
                                e.duas_impressoras}),
              (std::vector<int>{1, 5, 1, 5, 40, 3, 1, 0}));
    EXPECT_EQ(Bobina::largura(e.bobina), 40);
    EXPECT_TRUE(r.efeitos.mostrar_lista && r.efeitos.habilitar_veiculo && !r.efeitos.habilitar_prisma);
    EXPECT_TRUE(r.efeitos.imprime_entrada && r.efeitos.imprime_saida);
    // The gate buttons follow the queues: vehicles wait at the exit gate only.
    EXPECT_FALSE(r.efeitos.lista_entrada);
    EXPECT_TRUE(r.efeitos.lista_saida);

    // An empty tax number stores an empty text; the fiscal printer alone: no question, both
    // print buttons offered, the exit issues coupons; "ST" keeps the rate and gives "FF".
    d = valido();
    d.impr = " ";
    d.imp_fis = "Daruma FS345";
    d.ali = "ST";
    d.reducaoz = false;
    r = grava_geral(a.ctx, d);
    ASSERT_TRUE(r.feito);
    EXPECT_EQ(geral(a, "cnpj, imposto, aliquota, leiturax, reducaoz, impressora_fiscal"),
              (QStringList{"", "ST", "120000", "0", "NULL", "Daruma FS345"}));
    EXPECT_EQ(e.codigo_aliquota, "FF");
    EXPECT_TRUE(r.efeitos.imprime_entrada);   // offered: it registers without a ticket
    EXPECT_TRUE(r.efeitos.imprime_saida);
    EXPECT_TRUE(a.plataforma.perguntas.isEmpty());

    d.ali = "17,0";
    d.reducaoz = true;
    d.hor_red = "23:15";
    ASSERT_TRUE(grava_geral(a.ctx, d).feito);
    EXPECT_EQ(geral(a, "imposto, aliquota, reducaoz"), (QStringList{"", "170000", "23:15:00"}));
    EXPECT_EQ(e.codigo_aliquota, "1700");

    // Neither printer: neither print button.
    d.imp_fis = " ";
    r = grava_geral(a.ctx, d);
    EXPECT_FALSE(r.efeitos.imprime_entrada || r.efeitos.imprime_saida);
}

TEST(Geral, DuasImpressorasPerguntaACadaVez) {
    Ambiente a;
    DadosGeral d = valido();
    d.imp_fis = "Daruma FS345";
    d.ali = "12,0";
    d.bobina = 48;
    a.plataforma.responde({false});
    const ResultadoGeral nao = grava_geral(a.ctx, d);
    EXPECT_FALSE(nao.feito);
    EXPECT_TRUE(nao.mensagem.isEmpty());
    EXPECT_EQ(geral(a, "bobina, impressora_fiscal"), (QStringList{"NULL", "NULL"}));
    EXPECT_EQ(a.ctx.estado.bobina, 0);

    a.plataforma.responde({true});
    ASSERT_TRUE(grava_geral(a.ctx, d).feito);
    EXPECT_EQ(a.plataforma.perguntas.size(), 2);
    EXPECT_TRUE(a.ctx.estado.duas_impressoras);
    EXPECT_EQ(a.ctx.estado.codigo_aliquota, "1200");
    EXPECT_EQ(geral(a, "bobina, imposto, aliquota"), (QStringList{"48", "", "120000"}));
}

// A save that cannot be stored changes neither the row nor the lanes' copies.
TEST(Geral, FalhaNaoMudaNada) {
    Ambiente a;
    a.db().executa("CREATE TRIGGER falha BEFORE UPDATE ON geral BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    a.ctx.estado.impressora = "LPT1";
    DadosGeral d = valido();
    d.impr = "COM1";
    const ResultadoGeral r = grava_geral(a.ctx, d);
    EXPECT_FALSE(r.feito);
    EXPECT_EQ(r.icone, Icone::Critico);
    EXPECT_EQ(a.ctx.estado.impressora, "LPT1");
    EXPECT_EQ(a.ctx.estado.bobina, 0);
}
