#pragma once
// What a test puts at a name the program keeps instead of the program's own file. A FIFO's other
// end is opened by a thread of its own, as a program at that end would: code under test that
// opens it is not left waiting for ever (a reader finds it empty and closed, a writer has its
// bytes taken), so a test of code that must never open it fails instead of hanging.

#include <QFile>
#include <QString>

#include <atomic>
#include <optional>
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
            aberta_ = true;
            char b[4096];
            while (fd >= 0 && outraLe_ && ::read(fd, b, sizeof b) > 0) {}
            if (fd >= 0) ::close(fd);
        });
    }
    // An end held here lets the thread open its own, whenever it gets there, and then go. A
    // reader stops at the end of the bytes only once no writer is left, this one included.
    ~FifoAtendido() {
        if (!criado) return;
        const int fd = ::open(nome_.constData(), outraLe_ ? O_RDWR : O_RDONLY | O_NONBLOCK);
        while (outraLe_ && !aberta_) std::this_thread::yield();
        if (outraLe_ && fd >= 0) ::close(fd);
        outra_.join();
        if (!outraLe_ && fd >= 0) ::close(fd);
    }
    FifoAtendido(const FifoAtendido&) = delete;
    FifoAtendido& operator=(const FifoAtendido&) = delete;

    bool criado = false;

private:
    QByteArray nome_;
    bool outraLe_;
    std::atomic<bool> aberta_{false};
    std::thread outra_;
};

enum class Ocupante { Link, OutroNome, Fifo };

// Puts `o` at `nome`: a link to `alvo`, a second name of `alvo`, or a FIFO held in `fifo` whose
// other end reads when `outraLe`. Gives the sentence the program tells it with, empty when it
// could not be put there.
inline QString ocupa(const QString& nome, Ocupante o, const QString& alvo, std::optional<FifoAtendido>& fifo,
                     bool outraLe = false) {
    QString oQue;
    switch (o) {
    case Ocupante::Link:
        if (QFile::link(alvo, nome)) oQue = "um link simbólico para " + alvo;
        break;
    case Ocupante::OutroNome:
        if (::link(QFile::encodeName(alvo).constData(), QFile::encodeName(nome).constData()) == 0)
            oQue = "um arquivo que tem também outro nome (link físico)";
        break;
    case Ocupante::Fifo:
        if (fifo.emplace(nome, outraLe).criado) oQue = "um FIFO (pipe)";
        break;
    }
    return oQue.isEmpty() ? oQue : nome + " é " + oQue + ", e não um arquivo só do programa.";
}
