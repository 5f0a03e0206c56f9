#include "support/plataforma_falsa.h"

#include "reports/documento.h"
#include "widgets/janela_aviso.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

PlataformaFalsa::PlataformaFalsa()
    : pasta_(dir_.path()), agora_(QDate(2026, 12, 7), QTime(10, 0, 0)) {}

PlataformaFalsa::~PlataformaFalsa() = default;

void PlataformaFalsa::avisa(const QString& chave, const QString& texto, Icone icone,
                            std::function<void()> fechado) {
    for (AvisoVisto& a : avisos)
        if (a.aberto && a.chave == chave) {
            a.texto = texto;
            if (tela_) tela_->mostra(chave, texto, icone, {});
            return;
        }
    avisos.push_back({chave, texto, icone, true, std::move(fechado)});
    if (!avisosNaTela) return;
    if (!tela_) tela_ = std::make_unique<AvisosNaTela>();
    const std::size_t i = avisos.size() - 1;
    tela_->mostra(chave, texto, icone, [this, i] {
        AvisoVisto& a = avisos[i];
        a.aberto = false;
        if (a.fechado) a.fechado();
    });
}

QStringList PlataformaFalsa::textosAvisos() const {
    QStringList r;
    for (const AvisoVisto& a : avisos)
        if (a.aberto) r << a.texto;
    return r;
}

void PlataformaFalsa::fechaAvisos() {
    for (std::size_t i = 0; i < avisos.size(); ++i) {
        if (!avisos[i].aberto) continue;
        if (JanelaAviso* j = tela_ ? tela_->aberto(avisos[i].chave) : nullptr) {
            j->close();
            continue;
        }
        avisos[i].aberto = false;
        if (avisos[i].fechado) avisos[i].fechado();
    }
}

void PlataformaFalsa::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    mensagens.push_back({texto, icone, titulo});
    if (aoMostrar) aoMostrar();
}

bool PlataformaFalsa::pergunta(const QString& texto, const QString&) {
    perguntas << texto;
    if (aoPerguntar) aoPerguntar();
    return proximaResposta(texto);
}

bool PlataformaFalsa::perguntaAtualizada(std::function<QString()> texto, const QString&) {
    perguntas << texto();
    if (aoPerguntar) aoPerguntar();
    if (texto().isEmpty()) return false;
    perguntas.last() = texto();
    return proximaResposta(texto());
}

bool PlataformaFalsa::proximaResposta(const QString& texto) {
    if (respostas_.empty()) {
        ADD_FAILURE() << "pergunta sem resposta preparada: " << texto.toStdString();
        return false;
    }
    const bool r = respostas_.front();
    respostas_.pop_front();
    return r;
}

void PlataformaFalsa::responde(std::initializer_list<bool> respostas) {
    respostas_.insert(respostas_.end(), respostas.begin(), respostas.end());
}

void PlataformaFalsa::aguarda(int ms, std::function<void()> depois) {
    esperas_.push_back({relogioMs_ + ms, std::move(depois)});
}

void PlataformaFalsa::passaTempo(int ms) {
    const qint64 fim = relogioMs_ + ms;
    for (;;) {
        auto proxima = std::min_element(esperas_.begin(), esperas_.end(),
                                        [](const Espera& a, const Espera& b) { return a.quando < b.quando; });
        if (proxima == esperas_.end() || proxima->quando > fim) break;
        relogioMs_ = proxima->quando;
        auto depois = std::move(proxima->depois);
        esperas_.erase(proxima);
        depois();
    }
    relogioMs_ = fim;
}

void PlataformaFalsa::visualiza(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo) {
    // Returns at once, as the real preview does; the build goes on with the program's events.
    visualizados.push_back({titulo, std::move(documento)});
}

QStringList PlataformaFalsa::textosMensagens() const {
    QStringList r;
    for (const auto& m : mensagens) r << m.texto;
    return r;
}
