#include "branches/leiautes.h"

const LeiauteArquivo& leiauteTrocaFilial() {
    static const LeiauteArquivo l = {
        {"cancelamento_ticket", {"ticket", "placa", "hora", "caixa", "filial"}},
        {"fechamento_caixa",
         {"numero", "usuario", "data_ini", "data_fim", "hora_ini", "hora_fim", "qtd_veiculos",
          "valor_veiculos", "valor_mensalidades", "troco", "filial"}},
        {"pagamento_mensalidade",
         {"mensalista", "mes", "valor", "caixa", "data", "hora", "desconto", "adicional", "filial"},
         "mensalista"},
        {"registro_saida",
         {"data_entrada", "hora_entrada", "data_saida", "hora_saida", "ticket", "placa",
          "mensalista", "convenio", "tipo_estacionamento", "caixa", "total", "valor_liquido",
          "prisma", "filial"}},
        {"mensalidades", {"codigo", "mes", "pago", "data_pgto", "hora_pgto", "valor", "filial"},
         "codigo"},
        {"mensalistas",
         {"codigo", "data_inicio", "tipo", "nome", "endereco", "bairro", "cidade", "cep",
          "tel_res", "tel_com", "tel_cel", "fax", "rg", "cpf", "num_max_veic", "dia_vencto",
          "data_ini_ferias", "data_fim_ferias", "excluido", "cnpj", "aniversario", "tolerancia",
          "filial", "valor", "hora_inicio", "hora_fim", "dom", "seg", "ter", "qua", "qui", "sex",
          "sab"},
         "codigo"},
        {"veiculos_mensalistas", {"codigo", "veiculo", "ano", "placa", "filial"}},
    };
    return l;
}

const LeiauteArquivo& leiauteMensalistas() {
    static const LeiauteArquivo l = {
        {"mensalistas",
         {"codigo", "data_inicio", "tipo", "nome", "endereco", "bairro", "cidade", "cep",
          "tel_res", "tel_com", "tel_cel", "fax", "rg", "cpf", "num_max_veic", "dia_vencto",
          "data_ini_ferias", "data_fim_ferias", "excluido", "filial"}},
        {"veiculos_mensalistas", {"codigo", "veiculo", "ano", "placa", "filial"}},
        {"tipos_mensalistas", {"codigo", "tipo", "valor", "dia_vencto"}, "codigo"},
        {"mensalidades", {"codigo", "mes", "pago", "data_pgto", "hora_pgto", "valor", "filial"}},
    };
    return l;
}

const LeiauteArquivo& leiauteBanco() {
    static const LeiauteArquivo l = [] {
        LeiauteArquivo r;
        for (const Tabela& t : esquema()) {
            TabelaArquivo ta{t.nome, {}, t.campoIndice};
            for (const Campo& c : t.campos) ta.campos.push_back(c.nome);
            r.push_back(ta);
        }
        return r;
    }();
    return l;
}
