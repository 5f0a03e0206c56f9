#pragma once
// The report component as the reports window drives it: it keeps the request between runs,
// setting by setting, and when told to run builds the report and shows it in the print
// preview. The build goes on between the windows' events: the preview opens as soon as its
// first page is laid out and fills up while it is shown; until then the window that asked may
// show the progress and cancel. A failure (a template that cannot be read, a refused formula, a
// failing query) is told to the operator and nothing is shown.

#include "app/plataforma.h"
#include "data/banco.h"
#include "reports/pedido.h"

#include <QMap>
#include <QVariant>

#include <functional>

class ConstrucaoRelatorio;

class ControleRelatorio {
public:
    ControleRelatorio(Banco& db, Plataforma& plataforma) : db_(db), plataforma_(plataforma) {}

    void defineArquivo(const QString& caminho) { pedido_.arquivo = caminho; }
    void defineTitulo(const QString& titulo) { pedido_.titulo = titulo; }
    // The selection formula of the subreport chosen, or of the main report.
    void defineSelecao(const QString& formula);
    QString selecao() const;
    void defineFormula(int indice, const QString& formula) { pedido_.formulas.at(size_t(indice)) = formula; }
    void defineOrdem(int indice, const QString& campo) { pedido_.ordem.at(size_t(indice)) = campo; }
    // The subreport that the next selection formula applies to; empty text: the main report.
    void escolheSubrelatorio(const QString& nome) { subrelatorio_ = nome; }
    // Settings the window gives by number; kept with the request, they change nothing here.
    void defineAjuste(int numero, const QVariant& valor) { ajustes_[numero] = valor; }

    // Produces the report and shows it; false when it failed and the operator was told why,
    // or when it was cancelled before its first page.
    bool executa();
    // Stops the build under way; nothing more is shown.
    void cancela();
    bool construindo() const { return construcao_ != nullptr; }

    // Told when a build starts (true) and ends (false), and as rows are read.
    std::function<void(bool)> aoConstruir;
    std::function<void(qint64 linhas, int paginas)> aoProgredir;

    const PedidoRelatorio& pedido() const { return pedido_; }
    // The request itself, for a plain function that fills several of its settings at once.
    PedidoRelatorio& pedido() { return pedido_; }
    const QString& subrelatorio() const { return subrelatorio_; }
    const QMap<int, QVariant>& ajustes() const { return ajustes_; }

private:
    Banco& db_;
    Plataforma& plataforma_;
    PedidoRelatorio pedido_;
    QString subrelatorio_;
    QMap<int, QVariant> ajustes_;
    ConstrucaoRelatorio* construcao_ = nullptr;
};
