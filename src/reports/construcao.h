#pragma once
// A report built while the windows keep answering. On a file that lets readers work beside its
// writer (the write-ahead journal), the report is read on a thread of its own over a second
// connection to the same file, so even the engine's sort of a million rows does not hold the
// window; the report sees the data as they stood when it began. Otherwise its one reading would
// be the window's connection's, the lanes' too: it is read whole at once, and the window waits.
// Cancelling, or closing the preview (which abandons the document), ends the read at once; the
// document keeps what it had. A failure interrupts the document with its message.

#include "data/banco.h"
#include "reports/relatorio.h"

#include <QMutex>
#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

class ConstrucaoRelatorio : public QObject {
    Q_OBJECT
public:
    ConstrucaoRelatorio(Banco& db, const PedidoRelatorio& pedido);
    ~ConstrucaoRelatorio() override;

    // Null until the templates are read and the queries prepared.
    std::shared_ptr<DocumentoRelatorio> documento() const;
    void inicia();
    void cancela();
    bool ativa() const { return ativa_; }
    qint64 linhasLidas() const { return lidas_; }
    // The failure that stopped the build, for the operator; empty when none.
    QString erro() const;

signals:
    void progrediu();
    void terminou();

private:
    void emSeparado();
    void encerra();

    Banco& db_;
    const PedidoRelatorio pedido_;
    bool ativa_ = false;
    std::atomic<qint64> lidas_{0};
    std::atomic<bool> parar_{false};

    // Read on a thread of its own.
    std::unique_ptr<QThread> linha_;
    mutable QMutex trava_;
    std::shared_ptr<DocumentoRelatorio> documento_;
    QString erro_;
    sqlite3* conexaoSeparada_ = nullptr;
};
