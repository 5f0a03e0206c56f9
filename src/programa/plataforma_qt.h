#pragma once
// The real seam: Qt message boxes, the computer clock, the executable's folder, Qt timers.

#include "app/plataforma.h"
#include "devices/diario_fiscal.h"
#include "devices/discos_sistema.h"
#include "devices/impressora_porta.h"
#include "devices/porta_paralela.h"
#include "widgets/janela_aviso.h"

#include <QPointer>

#include <functional>

class QMessageBox;

class PlataformaQt : public Plataforma {
public:
    PlataformaQt() = default;
    PlataformaQt(const PlataformaQt&) = delete;
    PlataformaQt& operator=(const PlataformaQt&) = delete;
    ~PlataformaQt() override;
    // Called once before the program ends, to close what must be closed (the database).
    void aoEncerrar(std::function<void()> f) { aoEncerrar_ = std::move(f); }

    QString pastaPrograma() const override;
    QDateTime agora() const override;
    void mensagem(const QString& texto, Icone icone, const QString& titulo) override;
    void avisa(const QString& chave, const QString& texto, Icone icone,
               std::function<void()> fechado) override {
        avisos_.mostra(chave, texto, icone, std::move(fechado));
    }
    bool pergunta(const QString& texto, const QString& titulo) override;
    bool perguntaAtualizada(std::function<QString()> texto, const QString& titulo) override;
    void encerra() override;
    void aguarda(int ms, std::function<void()> depois) override;
    SaidaPorta& porta() override { return porta_; }
    SaidaImpressora& impressora() override { return impressora_; }
    ImpressoraFiscal& fiscal() override { return fiscal_; }
    void visualiza(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo) override;
    Discos& discos() override { return discos_; }

private:
    // Shows a box modal and keeps it, closed, until the next one has closed; its answer.
    int mostra(QMessageBox* caixa);

    PortaParalela porta_;
    DiscosSistema discos_;
    ImpressoraPorta impressora_;
    DiarioFiscal fiscal_{[this] { return pastaPrograma(); }, [this] { return agora(); }};
    std::function<void()> aoEncerrar_;
    AvisosNaTela avisos_;
    QPointer<QMessageBox> caixaFechada_;   // the last box shown, closed
};
