#pragma once

#include <QString>

// The fiscal printer's four calls that the program makes, with the maker's return codes:
// 1 when the call was carried out, 0 or less when it was not.
class ImpressoraFiscal {
public:
    virtual ~ImpressoraFiscal() = default;
    virtual int vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                          const QString& tipoQuantidade, const QString& quantidade, int casasDecimais,
                          const QString& valor, const QString& tipoDesconto,
                          const QString& desconto) = 0;
    virtual int fechaCupomResumido(const QString& formaPagamento, const QString& mensagem) = 0;
    virtual int leituraX() = 0;
    virtual int reducaoZ(const QString& data, const QString& hora) = 0;
    // The item code of a coupon the printer holds open (an item sold, no close after it), or
    // empty when none is: a coupon left open stays open across a restart of the program.
    virtual QString cupomAberto() const { return {}; }
    // What kept the last call (or the look for an open coupon) from being carried out, told for
    // the operator; empty when it was carried out or nothing more is known than its code.
    virtual QString motivoFalha() const { return {}; }
};

// `texto` and, on a line of its own, what kept `fiscal` from the call, when it is known.
inline QString comMotivo(const ImpressoraFiscal& fiscal, const QString& texto) {
    const QString motivo = fiscal.motivoFalha();
    return motivo.isEmpty() ? texto : texto + QLatin1Char('\n') + motivo;
}
