#pragma once
// The printouts on their way to the ticket printer: written one after another on a thread of
// their own, so that a printer that takes its bytes slowly, or not at all, never holds the window
// and the lanes go on with the next vehicle. How each printout ended is handed back to the thread
// that made the queue (the window thread), where the operator is told.

#include "devices/saida_impressora.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class FilaImpressao {
public:
    // Writes one printout, giving up early when `desiste` turns true; empty when done, else why
    // it failed. Runs on the queue's thread.
    using Escritor = std::function<QString(const QString& porta, const QByteArray& bytes,
                                           const std::atomic<bool>& desiste)>;

    explicit FilaImpressao(Escritor escritor);
    // Gives up the printout being written and drops those waiting.
    ~FilaImpressao();
    FilaImpressao(const FilaImpressao&) = delete;
    FilaImpressao& operator=(const FilaImpressao&) = delete;

    void envia(const QString& porta, const QByteArray& bytes, SaidaImpressora::Feito feito);
    // Waits until every printout handed so far has ended, as the program does before it ends.
    void conclui();

private:
    struct Trabalho {
        QString porta;
        QByteArray bytes;
        SaidaImpressora::Feito feito;
    };
    void roda();
    void entrega(const SaidaImpressora::Feito& feito, const QString& falha);

    Escritor escritor_;
    QObject retorno_;   // on the window thread: the results are delivered through it
    std::mutex trava_;
    std::condition_variable aviso_;
    std::deque<Trabalho> fila_;
    bool ocupada_ = false;
    std::atomic<bool> parar_{false};
    std::thread fio_;
};
