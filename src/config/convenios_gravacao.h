#pragma once
// Partner agreements: the checks of the tab, and "Inserir Convênio", "Alterar Convênio" and
// "Excluir Convênio" against `convenios` and `convenios_variaveis`. The agreement and its steps
// are written in one transaction.

#include "config/convenio_edicao.h"
#include "config/resultado_aba.h"

#include <QStringList>

class Banco;

inline constexpr int kTamanhoNomeConvenio = 20;

// The checks shared by insert and alteration, in their order; `feito` when all pass.
ResultadoAba valida_convenio(const EdicaoConvenio& e);

ResultadoAba insere_convenio(Banco& db, const EdicaoConvenio& e);
ResultadoAba altera_convenio(Banco& db, const EdicaoConvenio& e);

struct ResultadoExclusaoConvenio : ResultadoAba {
    bool nenhumConvenio = false;   // no agreement left: the lanes lose the "Convênio" kind
};
ResultadoExclusaoConvenio exclui_convenio(Banco& db, const QString& cod_con);
