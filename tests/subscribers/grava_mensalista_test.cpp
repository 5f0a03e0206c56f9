#include "subscribers/grava_mensalista.h"
#include "subscribers/mensalistas_teste.h"

#include <functional>

namespace {

using C = CampoMensalista;

class GravaMensalista : public MensalistasTeste {
protected:
    // A complete entry that passes every rule.
    EntradaMensalista entrada() {
        EntradaMensalista e;
        e.dat = "16/03/2008";
        e.nom = "  Ana d'Ávila  ";
        e.ende = " Rua A ";
        e.bai = " Centro ";
        e.cep = "     -   ";
        e.cid = " Recife/PE ";
        e.ani = "  /  ";
        e.tel_res = " 3333 ";
        e.rg = "123";
        e.cpf = "   .   .   -  ";
        e.tipoEscolhido = true;
        e.cod_tip = "3";
        e.dia = "10";
        e.tol = "5 ";
        e.valor = "1.234,50";
        e.num = "2 ";
        e.filialEscolhida = true;
        e.cod_fil = "7";
        e.filialCarregada = 7;   // used once `cod` names a loaded subscriber
        e.hor_ini = e.hor_fim = "  :  :  ";
        e.dat_ini = e.dat_fim = "  /  /    ";
        e.veiculos = {{"Gol", "2005", "ABC-1234"}, {"Uno", "    ", "XYZ-9876"}, {"", "", ""}};
        return e;
    }
    QDate hoje{2008, 3, 16};
};

TEST_F(GravaMensalista, RegrasNaOrdem) {
    mensalista(1, "JOSÉ");
    mensalista(2, "Velho", "2008-01-01", true);
    const struct {
        std::function<void(EntradaMensalista&)> muda;
        const char* mensagem;   // nullptr: saved
        C foco;
    } casos[] = {
        {[](auto& e) { e.dat = "31/02/2008"; }, "Data inválida.", C::dat},
        {[](auto& e) { e.nom = "   "; }, "Preencha o nome do mensalista.", C::nom},
        {[](auto& e) { e.tipoEscolhido = false; }, "Escolha o tipo do mensalista.", C::tip},
        {[](auto& e) { e.dia = "32"; }, "Dia de vencimento inválido.", C::dia},
        {[](auto& e) { e.dia = "  "; }, "Dia de vencimento inválido.", C::dia},
        {[](auto& e) { e.dia = "31"; }, nullptr, C::Nenhum},
        {[](auto& e) { e.valor = ""; }, "Preencha o valor da mensalidade.", C::valor},
        {[](auto& e) { e.veiculos = {{"", "", ""}}; },
         "Insira veículo(s) autorizados por este mensalista a estacionar.", C::vei},
        {[](auto& e) { e.num = "  "; },
         "Número máximo de veículos estacionados simultaneamente deve ser preenchido.", C::num},
        {[](auto& e) { e.num = "00"; },
         "Número máximo de veículos estacionados simultaneamente deve ser ser no mínimo UM.", C::num},
        {[](auto& e) { e.dat_ini = "32/01/2008"; }, "Data Inicial Férias inválida.", C::dat_ini},
        {[](auto& e) { e.dat_fim = "10/13/2008"; }, "Data Final Férias inválida.", C::dat_fim},
        {[](auto& e) { e.hor_ini = "24:00:00"; e.hor_fim = "10:00:00"; }, "Hora Início inválida.",
         C::hor_ini},
        {[](auto& e) { e.hor_ini = "08:00:00"; e.hor_fim = "10:75:00"; }, "Hora Fim inválida.",
         C::hor_fim},
        {[](auto& e) { e.hor_ini = "08:00:00"; },
         "Hora Início e Hora Fim (ambos) devem ser preenchidos ou deixados em branco.", C::Nenhum},
        {[](auto& e) { e.dat_ini = "01/04/2008"; },
         "Deixe em branco as datas inicial e final de férias ou preencha as duas.", C::Nenhum},
        {[](auto& e) { e.dat_ini = "10/04/2008"; e.dat_fim = "09/04/2008"; },
         "Data Final Férias maior que Data Inicial.", C::dat_fim},
        {[](auto& e) { e.ani = "31/04"; }, "Aniversário inválido.", C::ani},
        {[](auto& e) { e.rg = " "; }, "RG e/ou CPF deve ser preenchido.", C::Nenhum},
        {[](auto& e) { e.rg = ""; e.cnpj = true; e.cpf = "  .   .   /    -  "; },
         "RG e/ou CNPJ deve ser preenchido.", C::Nenhum},
        {[](auto& e) { e.tol = "  "; }, "Tolerância deve ser um número.", C::tol},
        {[](auto& e) { e.filialEscolhida = false; }, "Escolha a filial.", C::fil},
        {[](auto& e) { e.nom = "josé"; }, "Já existe mensalista com este nome!", C::Nenhum},
        {[](auto& e) { e.nom = "velho"; }, nullptr, C::Nenhum},
        // A plate of an active subscriber, saved under another: refused; a deleted one's is free.
        {[](auto& e) { e.nom = "Outro"; e.veiculos = {{"Uno", "    ", "JOS-0001"}}; },
         "A placa JOS-0001 pertence ao mensalista com código 1 e não pode ser inserido novamente.",
         C::Nenhum},
        {[](auto& e) { e.nom = "Ana"; e.veiculos = {{"Uno", "    ", "VEL-0002"}}; }, nullptr, C::Nenhum},
        // The deleted subscriber saved again while its plate is another's: stays deleted.
        {[](auto& e) { e.cod = "2"; e.nom = "Velho 2"; e.veiculos = {{"Uno", "    ", "VEL-0002"}}; },
         "A placa VEL-0002 pertence ao mensalista com código 5 e não pode ser inserido novamente.",
         C::Nenhum},
        {[](auto& e) { e.valor = "123456789012345"; },
         "Valor acima do máximo permitido (99.999.999,99).", C::valor},
        {[](auto& e) { e.valor = "1,2,3"; }, "Valor da mensalidade inválido.", C::valor},
    };
    veiculo(1, "JOS-0001");
    veiculo(2, "VEL-0002");
    for (const auto& caso : casos) {
        EntradaMensalista e = entrada();
        caso.muda(e);
        const int antes = amb.conta("mensalistas");
        const ResultadoMensalista r = grava_mensalista(db(), e, hoje);
        SCOPED_TRACE(r.mensagem.toStdString());
        if (caso.mensagem) {
            EXPECT_FALSE(r.feito);
            EXPECT_EQ(r.mensagem, QString::fromUtf8(caso.mensagem));
            EXPECT_EQ(r.foco, caso.foco);
            EXPECT_EQ(r.icone, r.mensagem.startsWith("Já existe") ? Icone::Exclamacao
                                                                  : Icone::Informacao);
            EXPECT_EQ(amb.conta("mensalistas"), antes);
        } else {
            EXPECT_TRUE(r.feito);
            EXPECT_EQ(amb.conta("mensalistas"), antes + 1);
            // The plates of the entry every case starts from are free again for the next one.
            db().executa("DELETE FROM veiculos_mensalistas WHERE placa IN ('ABC-1234', 'XYZ-9876')");
        }
    }
    EXPECT_EQ(amb.linha("SELECT excluido FROM mensalistas WHERE codigo = 2"), QStringList{"1"});
}

TEST_F(GravaMensalista, CamposGravadosEVeiculosSubstituidos) {
    mensalista(4, "Outro", "2008-01-01", true);   // deleted, still holds its code
    EntradaMensalista e = entrada();
    e.ani = "29/02";
    e.cnpj = true;
    e.cpf = "12.345.678/0001-90";
    e.dias = {false, true, false, false, false, false, false};
    e.hor_ini = "23:00:59";
    e.hor_fim = "23:30:00";
    e.dat_ini = "10/04/2008";
    e.dat_fim = "10/04/2008";
    ResultadoMensalista r = grava_mensalista(db(), e, hoje);
    ASSERT_TRUE(r.feito);
    EXPECT_EQ(r.codigo, 5);
    EXPECT_EQ(amb.linha("SELECT nome, endereco, bairro, cep, cidade, aniversario, tel_res, cpf, "
                        "cnpj, tipo, dia_vencto, valor, filial, tolerancia, num_max_veic, dom, seg, "
                        "hora_inicio, data_ini_ferias, data_fim_ferias, excluido FROM mensalistas "
                        "WHERE codigo = 5"),
              (QStringList{"Ana d'Ávila", "Rua A", "Centro", "", " Recife/PE ", "2000-02-29",
                           " 3333 ", "", "12.345.678/0001-90", "3", "10", "12345000", "7", "5",
                           "2", "0", "1", "23:00:59", "2008-04-10", "2008-04-10", "0"}));
    EXPECT_EQ(amb.conta("veiculos_mensalistas"), 2);

    // Saved again with one vehicle removed: the same row, and only the listed vehicles.
    e.cod = "5";
    e.veiculos = {{"Uno", "    ", "XYZ-9876"}, {"", "", ""}};
    r = grava_mensalista(db(), e, hoje);
    ASSERT_TRUE(r.feito);
    EXPECT_EQ(amb.conta("mensalistas"), 2);
    EXPECT_EQ(amb.linha("SELECT group_concat(placa || '/' || ano || '/' || filial) FROM "
                        "veiculos_mensalistas WHERE codigo = 5"),
              QStringList{"XYZ-9876/    /7"});
}

TEST_F(GravaMensalista, VeiculoEstacionadoPassaAoMensalista) {
    const struct {
        const char* dat;
        const char* dia;
        bool passa;
    } casos[] = {{"16/03/2008", "16", true}, {"16/03/2008", "17", false}, {"15/03/2008", "10", false}};
    int n = 0;
    for (const auto& c : casos) {
        db().executa("DELETE FROM veiculos_patio");
        db().executa("DELETE FROM veiculos_mensalistas");   // each case's subscriber holds the plates
        db().executa("INSERT INTO veiculos_patio (placa, mensalista, mensalista_pago) "
                     "VALUES ('ABC-1234', 99, 3)");
        EntradaMensalista e = entrada();
        e.nom = QStringLiteral("Cliente %1").arg(++n);
        e.dat = c.dat;
        e.dia = c.dia;
        const ResultadoMensalista r = grava_mensalista(db(), e, hoje);
        ASSERT_TRUE(r.feito);
        EXPECT_EQ(amb.linha("SELECT mensalista, mensalista_pago FROM veiculos_patio"),
                  (QStringList{c.passa ? QString::number(r.codigo) : "99", "3"}))
            << c.dat << " " << c.dia;
    }
}

TEST_F(GravaMensalista, FalhaNoMeioNaoDeixaNada) {
    falhaAoGravar("veiculos_mensalistas");
    EXPECT_THROW(grava_mensalista(db(), entrada(), hoje), ErroBanco);
    EXPECT_EQ(amb.conta("mensalistas"), 0);
}

}  // namespace
