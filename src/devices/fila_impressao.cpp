#include "devices/fila_impressao.h"

#include <QMetaObject>

FilaImpressao::FilaImpressao(Escritor escritor)
    : escritor_(std::move(escritor)), fio_([this] { roda(); }) {}

FilaImpressao::~FilaImpressao() {
    {
        std::lock_guard g(trava_);
        parar_ = true;
        fila_.clear();
    }
    aviso_.notify_all();
    fio_.join();
}

void FilaImpressao::envia(const QString& porta, const QByteArray& bytes, SaidaImpressora::Feito feito) {
    {
        std::lock_guard g(trava_);
        fila_.push_back({porta, bytes, std::move(feito)});
    }
    aviso_.notify_all();
}

void FilaImpressao::conclui() {
    std::unique_lock g(trava_);
    aviso_.wait(g, [this] { return fila_.empty() && !ocupada_; });
}

void FilaImpressao::entrega(const SaidaImpressora::Feito& feito, const QString& falha) {
    if (!feito) return;
    QMetaObject::invokeMethod(&retorno_, [feito, falha] { feito(falha); }, Qt::QueuedConnection);
}

void FilaImpressao::roda() {
    std::unique_lock g(trava_);
    for (;;) {
        aviso_.wait(g, [this] { return parar_ || !fila_.empty(); });
        if (parar_) return;
        Trabalho t = std::move(fila_.front());
        fila_.pop_front();
        ocupada_ = true;
        g.unlock();
        const QString falha = escritor_(t.porta, t.bytes, parar_);
        g.lock();
        entrega(t.feito, falha);
        // The port has just failed: what waits for it would fail the same way, one wait after
        // another, and is told with this failure instead.
        if (!falha.isEmpty()) {
            for (auto it = fila_.begin(); it != fila_.end();) {
                if (it->porta != t.porta) {
                    ++it;
                    continue;
                }
                entrega(it->feito, falha);
                it = fila_.erase(it);
            }
        }
        ocupada_ = false;
        aviso_.notify_all();
    }
}
