#pragma once
// What goes to the ticket printer, by kind, and the printouts of each kind that are still on
// their way or that failed: what the operator is told when the printer fails, and before the
// program ends with printouts waiting.

#include <QMap>
#include <QString>

#include <array>

enum class Impresso {
    ComprovanteEntrada,
    ComprovanteSaida,
    Autenticacao,
    ListaPatio,
    ComprovanteMensalidade,
    FechamentoCaixa,
};

// How many printouts of each kind.
class ContagemImpressos {
public:
    void soma(Impresso tipo, int n = 1) { n_[std::size_t(tipo)] += n; }
    int total() const;
    bool vazia() const { return total() == 0; }
    // Each kind that counts, with its number, in the order of the kinds: "3 comprovantes de
    // entrada e 1 lista de pátio".
    QString descreve() const;

private:
    std::array<int, 6> n_{};
};

// The printouts of one program: those handed to the ticket printer that have not ended yet,
// and, port by port, those that failed since the operator last closed the port's notice (keyed
// by that notice).
struct ImpressoesBobina {
    struct Falhas {
        ContagemImpressos contagem;
        QString motivo;   // the last failure's reason
    };
    ContagemImpressos aCaminho;
    QMap<QString, Falhas> falhas;
};
