#include "janela_config.h"
#include "support/pista_janela.h"

namespace {

using DiariaTest = ConfigTest;

TEST_F(DiariaTest, GravarValidaEGuardaUmaLinhaSo) {
    principal.Option7->setEnabled(false);
    abre();
    const struct {
        const char *tempo, *preco, *mensagem, *foco;
        const char* gravado;   // tempo/valor of the one row; nullptr: no row
    } casos[] = {
        {"  ", "10,00", "Preencha o tempo da diária (em horas).", "tem_dia", nullptr},
        {"12", "", "Valor da diária inválido.", "val_dia", nullptr},
        {"00", "10,00", "O tempo da diária deve ser de no mínimo 1 hora.", "tem_dia", nullptr},
        {"0 ", "10,00", "O tempo da diária deve ser de no mínimo 1 hora.", "tem_dia", nullptr},
        {"12", "0,00", "Dados gravados com sucesso.", nullptr, "12/0"},
        {"5 ", "1.234,50", "Dados gravados com sucesso.", nullptr, "5/12345000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tempo);
        con->diaria->tem_dia->setText(c.tempo);
        con->diaria->val_dia->setText(c.preco);
        con->diaria->Command19->setFocus();
        clica(con->diaria->Command18);
        EXPECT_EQ(mensagem(), QString::fromUtf8(c.mensagem));
        if (c.foco) { EXPECT_EQ(foco(), c.foco); }
        EXPECT_EQ(valor("SELECT count(*) || ':' || coalesce(group_concat(tempo || '/' || valor), '') FROM diaria"),
                  c.gravado ? QString("1:") + c.gravado : QString("0:"));
        EXPECT_EQ(habilitada(principal.Option7), c.gravado != nullptr);
    }
}

}  // namespace
