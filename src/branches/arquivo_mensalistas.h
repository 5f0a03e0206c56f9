#pragma once
// The subscriber file: written at the office with one branch's subscribers, their vehicles,
// the subscriber types and the branch's monthly fees; read at the branch.

#include <QString>

#include <optional>

class Andamento;
class Banco;

inline const QString kNomeArquivoMensalistas = QStringLiteral("mensalistas.mdb");

struct ResultadoArquivo {
    bool ok = false;
    QString mensagem;
    bool focoFilial = false;   // the focus goes back to the branch list
};

// The subscriber file on a drive.
QString arquivo_mensalistas(const QString& unidade);

// Writes the file for branch `filial` (none chosen: nullopt) on `unidade`, whose free space is
// `livre`. The file is built under a temporary name and takes its final name once complete.
ResultadoArquivo gera_arquivo_mensalistas(Banco& db, std::optional<qint32> filial,
                                          const QString& unidade, quint64 livre);

// Merges the file on `unidade` into `db` in one transaction: subscribers by code and branch,
// their vehicles replaced, types by code, monthly fees by code, month and branch (a month paid
// here keeps its payment's row, see mesPagoAqui). The file is deleted after the commit.
// `removivel` is a removable medium, checked for its free space.
// The file is checked whole first and only read; rows of it without a branch are taken as the
// file's branch's. A branch refuses a file made for another number (or any, while its own is not
// set). Refused or cancelled through `andamento`: nothing changes, the file stays.
ResultadoArquivo recebe_arquivo_mensalistas(Banco& db, const QString& unidade, bool removivel,
                                            quint64 livre, Andamento* andamento = nullptr);
