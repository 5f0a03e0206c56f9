#pragma once
// The outside world of the benchmark: a fixed clock, no devices, no one to answer.

#include "app/plataforma.h"
#include "devices/impressora_fiscal.h"
#include "devices/saida_impressora.h"
#include "devices/saida_porta.h"

#include <cstdio>

class PlataformaBench : public Plataforma {
public:
    explicit PlataformaBench(QString pasta) : pasta_(std::move(pasta)) {}
    QString pastaPrograma() const override { return pasta_; }
    QDateTime agora() const override { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); }
    void mensagem(const QString& texto, Icone, const QString&) override {
        // A lane that refuses a vehicle measures nothing: say so.
        std::fprintf(stderr, "mensagem: %s\n", texto.toLocal8Bit().constData());
    }
    void avisa(const QString&, const QString& texto, Icone, std::function<void()>) override {
        std::fprintf(stderr, "aviso: %s\n", texto.toLocal8Bit().constData());
    }
    bool pergunta(const QString&, const QString&) override { return false; }
    bool perguntaAtualizada(std::function<QString()>, const QString&) override { return false; }
    void encerra() override {}
    void aguarda(int, std::function<void()>) override {}
    SaidaPorta& porta() override { return porta_; }
    SaidaImpressora& impressora() override { return impressora_; }
    ImpressoraFiscal& fiscal() override { return fiscal_; }
    void visualiza(std::shared_ptr<const DocumentoRelatorio>, const QString&) override {}
    Discos& discos() override { return discos_; }

private:
    struct Porta : SaidaPorta {
        bool escreve(quint16, quint8) override { return true; }
        bool testa(const QString&) override { return true; }
    };
    struct Impressora : SaidaImpressora {
        bool presente(const QString&) const override { return false; }
        void envia(const QString&, const QByteArray&, Feito feito) override {
            if (feito) feito({});
        }
    };
    struct Fiscal : ImpressoraFiscal {
        int vendeItem(const QString&, const QString&, const QString&, const QString&,
                      const QString&, int, const QString&, const QString&,
                      const QString&) override { return 1; }
        int fechaCupomResumido(const QString&, const QString&) override { return 1; }
        int leituraX() override { return 1; }
        int reducaoZ(const QString&, const QString&) override { return 1; }
    };
    struct SemDiscos : Discos {
        QStringList unidades(const QString&) const override { return {}; }
        quint64 espacoLivre(const QString&) const override { return 0; }
    };
    QString pasta_;
    SemDiscos discos_;
    Porta porta_;
    Impressora impressora_;
    Fiscal fiscal_;
};
