#pragma once
// A FIFO whose other end a thread of its own opens, as a program at that end would: code under
// test that opens it is not left waiting for ever (a reader finds it empty and closed, a writer
// has its bytes taken), so a test of code that must never open it fails instead of hanging.

#include <QFile>
#include <QString>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FifoAtendido {
public:
    // `outraLe`: the other end reads (the code under test would write), else it writes.
    FifoAtendido(const QString& caminho, bool outraLe) : nome_(QFile::encodeName(caminho)), outraLe_(outraLe) {
        criado = ::mkfifo(nome_.constData(), 0600) == 0;
        if (!criado) return;
        outra_ = std::thread([this] {
            const int fd = ::open(nome_.constData(), outraLe_ ? O_RDONLY : O_WRONLY);
            aberta = true;
            if (fd < 0) return;
            char b[4096];
            if (outraLe_)
                for (ssize_t n; (n = ::read(fd, b, sizeof b)) > 0;) lidos += n;
            ::close(fd);
        });
    }
    // An end held here lets the thread open its own, whenever it gets there, and then go.
    ~FifoAtendido() {
        if (!criado) return;
        const int fd = ::open(nome_.constData(), outraLe_ ? O_RDWR : O_RDONLY | O_NONBLOCK);
        // A reader stops at the end of the bytes only once no writer is left, this one included.
        if (outraLe_)
            while (!aberta) std::this_thread::yield();
        if (outraLe_ && fd >= 0) ::close(fd);
        outra_.join();
        if (!outraLe_ && fd >= 0) ::close(fd);
    }
    FifoAtendido(const FifoAtendido&) = delete;
    FifoAtendido& operator=(const FifoAtendido&) = delete;

    bool criado = false;
    std::atomic<long> lidos{0};   // bytes the other end took
    std::atomic<bool> aberta{false};

private:
    QByteArray nome_;
    bool outraLe_;
    std::thread outra_;
};
