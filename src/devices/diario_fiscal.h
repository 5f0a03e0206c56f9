#pragma once

#include "devices/impressora_fiscal.h"

#include <QDateTime>

#include <functional>

// No fiscal printer is driven on Linux: each call, with its arguments and the moment it was made,
// is appended as one line to a journal file beside the database (owner-only), written whole and
// synced before the call returns. A call that cannot be journalled leaves no line and returns 0,
// as the printer's library does for a call not carried out. The journal is a file of its own:
// a link, a FIFO or a file of another name at its name is neither written nor read, and told.
class DiarioFiscal : public ImpressoraFiscal {
public:
    DiarioFiscal(std::function<QString()> pasta, std::function<QDateTime()> agora)
        : pasta_(std::move(pasta)), agora_(std::move(agora)) {}

    int vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                  const QString& tipoQuantidade, const QString& quantidade, int casasDecimais,
                  const QString& valor, const QString& tipoDesconto, const QString& desconto) override;
    int fechaCupomResumido(const QString& formaPagamento, const QString& mensagem) override;
    int leituraX() override;
    int reducaoZ(const QString& data, const QString& hora) override;
    // Read from the journal: its last item with no close after it.
    QString cupomAberto() const override;
    QString motivoFalha() const override { return falha_; }

    static inline const QString kArquivo = QStringLiteral("impressora_fiscal.txt");
    QString caminho() const;

private:
    int registra(const QString& chamada, const QStringList& argumentos);
    std::function<QString()> pasta_;
    std::function<QDateTime()> agora_;
    mutable QString falha_;
};
