#pragma once
// Rows of a cash register for the closing and takings tests: the register itself, the stays that
// ended under it, the monthly fees paid into it and the partners.

#include "data/dinheiro.h"
#include "support/ambiente.h"

// An open register with its float, opened by `usuario` on the morning of 7 Dec 2026.
inline void abreCaixaNoBanco(Ambiente& a, int numero, Dinheiro troco, const char* usuario = "maria") {
    a.db().executa("INSERT INTO caixa (numero, usuario, data_abertura, hora_abertura, aberto, troco) "
                   "VALUES (?, ?, '2026-12-07', '07:45:12', 1, ?)",
                   {numero, usuario, troco.paraBanco()});
}

// A stay that ended under register `caixa`; `total` differs from the net amount on purpose.
// `filial`: the branch a subscriber's stay carries at an office.
inline void saidaNoCaixa(Ambiente& a, int caixa, const char* tipo, Dinheiro liquido,
                         const QVariant& convenio = {}, const QVariant& filial = {}) {
    a.db().executa("INSERT INTO registro_saida (caixa, tipo_estacionamento, valor_liquido, total, "
                   "convenio, filial) VALUES (?, ?, ?, ?, ?, ?)",
                   {caixa, tipo, liquido.paraBanco(), (liquido + Dinheiro::reais(1000)).paraBanco(),
                    convenio, filial});
}

// What branch 1's register `caixa` took and closed, merged at an office: stays of 66,00, a
// partner's 4,00 and a subscriber's 8,00, fees of 283,87, ticket 900 cancelled.
inline void caixaDaFilialRecebido(Ambiente& a, int caixa) {
    a.db().executa("UPDATE geral SET escritorio = 1, filial = NULL");
    a.db().executa("INSERT INTO registro_saida (caixa, tipo_estacionamento, valor_liquido, convenio, filial, "
                   "recebido) VALUES (?, 'R', 660000, NULL, 1, 1), (?, 'C', 40000, 1, 1, 1), "
                   "(?, 'M', 80000, NULL, 1, 1)", {caixa, caixa, caixa});
    a.db().executa("INSERT INTO pagamento_mensalidade (caixa, valor, filial, recebido) VALUES (?, 2838700, 1, 1)",
                   {caixa});
    a.db().executa("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa, filial, recebido) "
                   "VALUES (900, 'FIL-0900', '11:00:00', ?, 1, 1)", {caixa});
    a.db().executa("INSERT INTO fechamento_caixa (numero, usuario, qtd_veiculos, valor_veiculos, "
                   "valor_mensalidades, troco, filial, recebido) VALUES (?, 'jose', 4, 660000, 2838700, "
                   "500000, 1, 1)", {caixa});
}

inline void mensalidadeNoCaixa(Ambiente& a, int caixa, Dinheiro valor) {
    a.db().executa("INSERT INTO pagamento_mensalidade (caixa, valor) VALUES (?, ?)",
                   {caixa, valor.paraBanco()});
}

inline void convenio(Ambiente& a, int codigo, const char* nome) {
    a.db().executa("INSERT INTO convenios (codigo, convenio) VALUES (?, ?)", {codigo, nome});
}

// Money as the database stores it, in text, for row comparisons.
inline QString bruto(Dinheiro d) { return QString::number(d.valorBruto()); }
inline QString bruto(qint64 reais, qint64 centavos = 0) { return bruto(Dinheiro::reais(reais, centavos)); }
