#pragma once
// A connection to a database file held by another process, driven one statement at a time: the
// engine's shell or another copy of the program, as an operator would leave it open.

#include <QString>

#include <string>

#include <sys/types.h>

class ConexaoEmOutroProcesso {
public:
    // Starts the process. Build it before this process opens the file: the engine's table of
    // the locks this process holds would be copied into the other one.
    ConexaoEmOutroProcesso();
    ~ConexaoEmOutroProcesso();
    ConexaoEmOutroProcesso(const ConexaoEmOutroProcesso&) = delete;
    ConexaoEmOutroProcesso& operator=(const ConexaoEmOutroProcesso&) = delete;

    // Opens `caminho` there, with the program's sort order and no waiting on locks.
    QString abre(const QString& caminho);
    // Runs `sql` there: "ok", or the engine's error.
    QString executa(const QString& sql);
    // Runs `sql` there as a program that waits for the file: "esperando" while the file is
    // held, until `esperaMais` lets it try again (or give up); then its answer as `executa`'s.
    QString executaEsperando(const QString& sql);
    QString esperaMais(bool tenta);
    QString fecha();
    // The process that holds a lock on `caminho` (from byte `inicio`, `tamanho` bytes; 0: to its
    // end) as seen from there (0: none). Asked while no connection is open there: its probe opens
    // and closes the file by hand.
    pid_t travadoPor(const QString& caminho, int inicio = 0, int tamanho = 0);
    // Holds `caminho` open for writing there, as a program stopped half-way through writing it,
    // until `largaArquivo`.
    QString seguraParaGravar(const QString& caminho);
    // Maps `caminho` there shared and writable, and closes its descriptor: a program that writes
    // the file through its memory, until `largaArquivo`.
    QString mapeiaParaGravar(const QString& caminho);
    QString largaArquivo();

private:
    QString pede(char comando, const QString& texto = {});
    QString manda(const std::string& linha);
    pid_t pid_ = -1;
    int escrita_ = -1;
    int leitura_ = -1;
};
