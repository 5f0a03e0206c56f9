#include "reports/construcao.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

namespace {

constexpr int kMsPorTurno = 40;
constexpr int kLinhasPorLote = 256;

// Readers beside the writer: the write-ahead journal, on a file (not in memory).
bool leituraSeparada(Banco& db) {
    if (db.caminho().isEmpty()) return false;
    try {
        return db.valor(QStringLiteral("PRAGMA journal_mode")).toString().toLower() == QLatin1String("wal");
    } catch (const ErroBanco&) {
        return false;
    }
}

// One turn of the build on its thread: batches of rows until the report is whole, the turn's
// time is up or the build is told to stop; its progress is told between turns. True once the
// report is whole.
bool umTurno(MontagemRelatorio& montagem, const std::atomic<bool>& parar) {
    QElapsedTimer t;
    t.start();
    bool pronto = false;
    do {
        pronto = montagem.avanca(kLinhasPorLote);
    } while (!pronto && !parar && t.elapsed() < kMsPorTurno);
    return pronto;
}

}  // namespace

ConstrucaoRelatorio::ConstrucaoRelatorio(Banco& db, const PedidoRelatorio& pedido) : db_(db), pedido_(pedido) {}

ConstrucaoRelatorio::~ConstrucaoRelatorio() {
    cancela();
    if (linha_) linha_->wait();
}

std::shared_ptr<DocumentoRelatorio> ConstrucaoRelatorio::documento() const {
    QMutexLocker t(&trava_);
    return documento_;
}

QString ConstrucaoRelatorio::erro() const {
    QMutexLocker t(&trava_);
    return erro_;
}

void ConstrucaoRelatorio::inicia() {
    if (ativa_ || linha_) return;
    ativa_ = true;
    if (leituraSeparada(db_)) {
        linha_.reset(QThread::create([this] { emSeparado(); }));
        linha_->start();
        return;
    }
    // On the window's connection its reading is open until the last row: no lane may write
    // through that connection meanwhile, so the report is read whole before the next event.
    try {
        MontagemRelatorio montagem(db_, pedido_);
        documento_ = montagem.documento();
        while (!montagem.avanca(kLinhasPorLote)) {}
        lidas_ = montagem.linhasLidas();
    } catch (const ErroRelatorio& e) {
        erro_ = e.mensagem();
    }
    QMetaObject::invokeMethod(this, &ConstrucaoRelatorio::encerra, Qt::QueuedConnection);
}

void ConstrucaoRelatorio::cancela() {
    if (!ativa_) return;
    parar_ = true;
    {
        // The engine stops even inside a long sort.
        QMutexLocker t(&trava_);
        if (conexaoSeparada_) sqlite3_interrupt(conexaoSeparada_);
    }
    if (linha_) {
        linha_->wait();
        QCoreApplication::sendPostedEvents(this);   // its last reports, before saying it ended
    } else {
        encerra();
    }
}

void ConstrucaoRelatorio::encerra() {
    if (!ativa_) return;
    ativa_ = false;
    if (const auto d = documento(); d && !d->concluido()) d->interrompe(erro());
    emit terminou();
}

// The thread's work: its own connection, the report read to its end or until told to stop.
void ConstrucaoRelatorio::emSeparado() {
    const auto avisa = [this](void (ConstrucaoRelatorio::*sinal)()) {
        QMetaObject::invokeMethod(this, [this, sinal] { emit(this->*sinal)(); }, Qt::QueuedConnection);
    };
    {
        Banco leitura;
        std::unique_ptr<MontagemRelatorio> montagem;
        try {
            leitura.abre(db_.caminho(), Banco::kSenha);
            {
                QMutexLocker t(&trava_);
                conexaoSeparada_ = leitura.nativo();
            }
            if (!parar_) montagem = std::make_unique<MontagemRelatorio>(leitura, pedido_);
            if (montagem) {
                const auto doc = montagem->documento();
                doc->moveToThread(QCoreApplication::instance()->thread());
                {
                    QMutexLocker t(&trava_);
                    documento_ = doc;
                }
                for (bool pronto = false; !pronto && !parar_ && !doc->abandonado();) {
                    pronto = umTurno(*montagem, parar_);
                    lidas_ = montagem->linhasLidas();
                    doc->avisaCrescimento();
                    avisa(&ConstrucaoRelatorio::progrediu);
                }
            }
        } catch (const ErroRelatorio& e) {
            if (!parar_) {
                QMutexLocker t(&trava_);
                erro_ = e.mensagem();
            }
        } catch (const ErroBanco& e) {
            if (!parar_) {
                QMutexLocker t(&trava_);
                erro_ = e.mensagemLeitura(QStringLiteral("os dados do relatório"));
            }
        }
        montagem.reset();
        QMutexLocker t(&trava_);
        conexaoSeparada_ = nullptr;
    }
    if (const auto d = documento(); d && !d->concluido()) d->interrompe(erro());
    QMetaObject::invokeMethod(this, &ConstrucaoRelatorio::encerra, Qt::QueuedConnection);
}
