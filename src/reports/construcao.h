#pragma once
// A report built a batch of rows at a time on the window thread, between the window's own
// events, so the windows keep answering: each turn reads rows for a few tens of milliseconds,
// then lets the event loop run. Cancelling ends the read at once; the document keeps what it had.

#include "reports/relatorio.h"

#include <QObject>
#include <QTimer>

#include <memory>

class ConstrucaoRelatorio : public QObject {
    Q_OBJECT
public:
    explicit ConstrucaoRelatorio(std::unique_ptr<MontagemRelatorio> montagem);
    ~ConstrucaoRelatorio() override;

    const std::shared_ptr<DocumentoRelatorio>& documento() const { return documento_; }
    void inicia();
    void cancela();
    bool ativa() const { return montagem_ != nullptr; }
    qint64 linhasLidas() const { return lidas_; }
    // The failure that stopped the build, for the operator; empty when none.
    const QString& erro() const { return erro_; }

signals:
    void progrediu();
    void terminou();

private:
    void turno();
    void encerra();

    std::unique_ptr<MontagemRelatorio> montagem_;
    std::shared_ptr<DocumentoRelatorio> documento_;
    QTimer relogio_;
    qint64 lidas_ = 0;
    QString erro_;
};
