#pragma once
// How far a long merge or import has gone, told to the window now and then, and the operator's
// wish to stop it. The engine's statements on the watched connections are interrupted when the
// operator cancels; the operation then rolls back and nothing changes.

#include <QElapsedTimer>

#include <functional>

struct sqlite3;

class Andamento {
public:
    // Called with the share done, 0 to 1000; returns false when the operator cancelled.
    using Aviso = std::function<bool(int milesimos)>;

    explicit Andamento(Aviso aviso = {});
    // `total` pieces of work make the whole; `feitos` are done.
    void defineTotal(qint64 total);
    void avanca(qint64 feitos = 1);
    // Tells the window (at most every few tenths of a second); false once cancelled.
    bool continua();
    bool cancelado() const { return cancelado_; }
    // The operator's stop, seen at the next look.
    void cancela() { cancelado_ = true; }

    // Keeps the window answering while one statement runs long on `conexao`, and stops the
    // statement once the operator cancels. Removed on destruction.
    class Vigia {
    public:
        Vigia(Andamento* andamento, sqlite3* conexao);
        ~Vigia();
        Vigia(const Vigia&) = delete;
        Vigia& operator=(const Vigia&) = delete;

    private:
        sqlite3* conexao_;
    };

private:
    Aviso aviso_;
    qint64 total_ = 0;
    qint64 feitos_ = 0;
    bool cancelado_ = false;
    QElapsedTimer desdeAviso_;
};
