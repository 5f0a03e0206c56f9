#pragma once
// The customer printouts of the lanes, built as the bytes that go to the ticket printer: the entry
// ticket, the exit receipt and the authentication line; and the fiscal coupon of an exit, made of
// the fiscal printer's item and close calls. Each takes the texts of the lane panel as they stand
// when the vehicle is registered.

#include "app/estado.h"
#include "devices/impressora_fiscal.h"

#include <QByteArray>
#include <QString>

// What every roll printout of customer receipts takes from the general settings.
struct ConfigBobina {
    int bobina = 40;   // 36, 40; any other value is the 48-column roll
    int avanco = 0;    // feed lines at the end
    QString linha1, linha2, linha3, linha4;   // header, written as stored, empty ones included
    QString penult_linha, ult_linha;          // footer
    static ConfigBobina de(const Estado& e);
};

// The lane panel's texts at print time. `tic` is the ticket as shown ("0000000000" for a
// subscriber), `pla` the plate with its mask, dates "dd/mm/yyyy", times "HH:MM:SS", `tot` the fee
// as shown ("5,00"). The tag and vehicle lines are printed only when their fields are shown.
struct DadosComprovante {
    QString tic, pla, pri, vei;
    QString dat_ent, hor_ent, dat_sai, hor_sai;
    QString tot;
    bool priVisivel = false;
    bool veiVisivel = false;
};

class Bobina;

// The four header lines that open a customer receipt, and the two footer lines and the feed
// that end it.
void cabecalho_comprovante(Bobina& b, const ConfigBobina& c);
void rodape_comprovante(Bobina& b, const ConfigBobina& c);

// Text left-aligned in `largura` characters, padded with blanks and cut after the last one.
QString campo_fixo(const QString& texto, int largura);

QByteArray comprovante_entrada(const ConfigBobina& cfg, const DadosComprovante& d);
QByteArray comprovante_saida(const ConfigBobina& cfg, const DadosComprovante& d);
// Exit date, time, plate and fee on one line (two when a long fee would pass the edge of the
// `bobina` roll): no header, footer or feed.
QByteArray linha_autenticacao(const DadosComprovante& d, int bobina);

// The fiscal printer model whose coupon the exit issues.
inline const QString kModeloFiscal = QStringLiteral("Daruma FS345");

// The item of an exit's fiscal coupon: the bare ticket number, the two-line description and the
// fee whole (an amount of 1.000,00 or more is not cut).
struct ItemFiscal {
    QString codigo, descricao, valor;
};
ItemFiscal item_fiscal_saida(const DadosComprovante& d);

// What an exit's fiscal coupon came to, for the operator: empty when the coupon was issued
// and nothing else happened.
struct ResultadoCupom {
    QString texto;
    bool falhou = false;   // something was not done: told with the exclamation icon
};

// Closes on its own the coupon `aberto` (the item code of an earlier exit whose close the printer
// refused; not empty), paid "DINHEIRO" with `mensagem`; `retorno` gets the close's status. Closed,
// `aberto` is emptied and the text says so; otherwise it `falhou` and the text says the coupon is
// still open.
ResultadoCupom fecha_cupom_aberto(ImpressoraFiscal& fiscal, const QString& mensagem, qint16& retorno,
                                  QString& aberto);

// Issues the exit's coupon: the item, then the summarised close paid "DINHEIRO" with `mensagem`.
// `retorno` gets each call's status in turn. A coupon whose item was refused is not closed.
// `aberto` is the item code of a coupon whose close was refused and which is still open (empty
// when none): it is closed first, on its own, so that no coupon holds two stays, and while it
// cannot be closed no item of this exit is sold. When this exit's own close is refused,
// `aberto` gets its item code.
ResultadoCupom cupom_fiscal_saida(ImpressoraFiscal& fiscal, const QString& aliquota,
                                  const QString& mensagem, const DadosComprovante& d,
                                  qint16& retorno, QString& aberto);
