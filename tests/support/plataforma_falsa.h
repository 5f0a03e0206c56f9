#pragma once
// A scripted stand-in for the outside world: answers questions from a queue, keeps a settable
// clock, records every message and end-of-program request, and holds timed work until the test
// lets time pass.

#include "app/plataforma.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

struct MensagemVista {
    QString texto;
    Icone icone;
    QString titulo;
};

class PlataformaFalsa : public Plataforma {
public:
    PlataformaFalsa();

    QString pastaPrograma() const override { return pasta_; }
    QDateTime agora() const override { return agora_; }
    void mensagem(const QString& texto, Icone icone, const QString& titulo) override;
    bool pergunta(const QString& texto, const QString& titulo) override;
    void encerra() override { ++encerramentos; }
    void aguarda(int ms, std::function<void()> depois) override;

    void defineAgora(const QDateTime& quando) { agora_ = quando; }
    void definePasta(const QString& pasta) { pasta_ = pasta; }

    // Answers for the next questions, in order; a question with no answer left fails the test.
    void responde(std::initializer_list<bool> respostas);
    // Lets `ms` milliseconds pass: runs, in time order, the waits that fall due.
    void passaTempo(int ms);
    int esperasPendentes() const { return int(esperas_.size()); }

    std::vector<MensagemVista> mensagens;
    QStringList perguntas;
    int encerramentos = 0;
    QStringList textosMensagens() const;

private:
    struct Espera {
        qint64 quando;
        std::function<void()> depois;
    };
    QTemporaryDir dir_;
    QString pasta_;
    QDateTime agora_;
    std::deque<bool> respostas_;
    std::vector<Espera> esperas_;
    qint64 relogioMs_ = 0;
};
