#include "support/plataforma_falsa.h"

#include "reports/documento.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

PlataformaFalsa::PlataformaFalsa()
    : pasta_(dir_.path()), agora_(QDate(2026, 12, 7), QTime(10, 0, 0)) {}

void PlataformaFalsa::mensagem(const QString& texto, Icone icone, const QString& titulo) {
    mensagens.push_back({texto, icone, titulo});
    if (aoMostrar) aoMostrar();
}

bool PlataformaFalsa::pergunta(const QString& texto, const QString&) {
    perguntas << texto;
    if (aoPerguntar) aoPerguntar();
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
