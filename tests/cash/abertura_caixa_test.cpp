#include "cash/abertura_caixa.h"

#include "data/dinheiro.h"
#include "support/pista_janela.h"

namespace {

class AberturaCaixaTest : public ::testing::Test {
protected:
    AberturaCaixaTest() {
        amb.ctx.estado.usuario_atual = QStringLiteral("maria");
        amb.ctx.estado.hora_atual = QTime(7, 45, 12);
    }
    Ambiente amb;
};

}  // namespace

TEST_F(AberturaCaixaTest, TrocoInvalidoNaoAbre) {
    const QString acima = msgAcimaDoDigitavel();
    const struct { const char *troco; QString mensagem; } casos[] = {
        {"", "Troco inválido."}, {"abc", "Troco inválido."}, {"1,2,3", "Troco inválido."},
        {"-5", "O valor não pode ser negativo."},
        // Over the limit of every money field, or too many digits for any amount.
        {"99999999999", acima}, {"100.000.000,00", acima}, {"99999999999999999999", acima},
    };
    for (const auto& c : casos) {
        const ResultadoAbertura r = abre_caixa(amb.ctx, c.troco);
        EXPECT_FALSE(r.aberto) << c.troco;
        EXPECT_EQ(r.mensagem, c.mensagem) << c.troco;
    }
    EXPECT_EQ(amb.conta("caixa"), 0);
}

TEST_F(AberturaCaixaTest, AbreComOTrocoOUsuarioEORelogioDoPrograma) {
    ASSERT_TRUE(abre_caixa(amb.ctx, "1.234,5").aberto);
    EXPECT_EQ(amb.linha("SELECT numero, usuario, data_abertura, hora_abertura, aberto, troco, "
                        "data_fechamento, hora_fechamento, filial FROM caixa"),
              (QStringList{QString::number(amb.ctx.estado.numero_caixa), "maria", "2026-12-07",
                           "07:45:12", "1", QString::number(Dinheiro::reais(1234, 50).valorBruto()),
                           "NULL", "NULL", "NULL"}));
    // A zero float is a float; each opening gets its own number.
    ASSERT_TRUE(abre_caixa(amb.ctx, "0").aberto);
    EXPECT_EQ(amb.linha("SELECT numero, troco, count(*) FROM caixa WHERE troco = 0"),
              (QStringList{QString::number(amb.ctx.estado.numero_caixa), "0", "1"}));
    EXPECT_TRUE(abre_caixa(amb.ctx, "99.999.999,99").aberto);   // the limit itself
}
