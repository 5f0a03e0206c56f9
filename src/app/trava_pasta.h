#pragma once
// One copy of the program per folder. Two copies on one `dados.mdb` would each keep writing into
// the file the other's backup or restore retires, losing entries and issuing a ticket number
// twice; so the start-up takes an advisory lock on a file beside the database and holds it for
// the program's life. The system drops the lock with the process, a crash included, so a lock
// left behind never keeps the program from starting.

#include <QString>

inline const QString kNomeTrava = QStringLiteral("dados.mdb.trava");

class TravaPasta {
public:
    TravaPasta() = default;
    ~TravaPasta();
    TravaPasta(const TravaPasta&) = delete;
    TravaPasta& operator=(const TravaPasta&) = delete;

    enum class Resultado { Travada, EmUso, Falhou };
    // Takes the lock of `pasta`, creating its file owner-only when missing; held until `solta`
    // or the end of this object. Anything but a file of the program's own at the lock's name is
    // Falhou, told in `ocupado` (see abreGuardado).
    Resultado trava(const QString& pasta, QString* ocupado = nullptr);
    void solta();
    bool travada() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
