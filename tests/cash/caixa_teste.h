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
inline void saidaNoCaixa(Ambiente& a, int caixa, const char* tipo, Dinheiro liquido,
                         const QVariant& convenio = {}) {
    a.db().executa("INSERT INTO registro_saida (caixa, tipo_estacionamento, valor_liquido, total, "
                   "convenio) VALUES (?, ?, ?, ?, ?)",
                   {caixa, tipo, liquido.paraBanco(), (liquido + Dinheiro::reais(1000)).paraBanco(),
                    convenio});
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
