#pragma once
// Backup and restore of `dados.mdb`. The live file is only ever replaced, in one step, by a
// complete copy that has been written to the disk and checked; whatever fails, the database
// stays open on a working file.

#include <QString>

class Banco;

struct ResultadoBackup {
    bool ok = false;
    QString mensagem;   // what to tell the operator, success included
};

inline const QString kNomeArquivoBanco = QStringLiteral("dados.mdb");

// The backup file of a folder.
QString arquivo_backup(const QString& pasta);

// Opens `caminho` into `db` as the start-up does: with the database password, and an older
// layout brought up to date. Throws ErroBanco.
void reabre_banco(Banco& db, const QString& caminho);

// Compacts the database into a copy, places the copy as the backup file of `pasta` and then
// as the database itself. `livre` is the free space of the chosen drive.
ResultadoBackup realiza_backup(Banco& db, const QString& pastaPrograma, const QString& pasta,
                               quint64 livre);

// Puts the backup file of `pasta` in place of the database, once it has been checked to be a
// sound backup of this program, and reopens it.
ResultadoBackup restaura_backup(Banco& db, const QString& pastaPrograma, const QString& pasta);
