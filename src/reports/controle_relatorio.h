#pragma once
// The report component as the reports window drives it: it keeps the request between runs,
// setting by setting, and when told to run builds the report and shows it in the print
// preview. Nothing waits for it: the build goes on beside the windows' events, the preview opens
// as soon as the first page is laid out and fills up while it is shown; until then the window
// that asked may show the progress and cancel. Once the preview has the report, the report is
// the preview's: closing the preview stops the build. A failure before that (a template that
// cannot be read, a refused formula, a failing query) is told to the operator and nothing is
// shown; after it, the preview says why its report stopped.

#include "app/plataforma.h"
#include "data/banco.h"
#include "reports/pedido.h"

#include <QMap>
#include <QObject>
#include <QVariant>

#include <functional>

class ConstrucaoRelatorio;

class ControleRelatorio {
public:
    ControleRelatorio(Banco& db, Plataforma& plataforma) : db_(db), plataforma_(plataforma) {}
    ~ControleRelatorio();
    ControleRelatorio(const ControleRelatorio&) = delete;
    ControleRelatorio& operator=(const ControleRelatorio&) = delete;

    void defineArquivo(const QString& caminho) { pedido_.arquivo = caminho; }
    void defineTitulo(const QString& titulo) { pedido_.titulo = titulo; }
    // The selection formula of the subreport chosen, or of the main report.
    void defineSelecao(const QString& formula);
    QString selecao() const;
    void defineFormula(int indice, const QString& formula) {
        pedido_.formulas.at(size_t(indice)) = formula;
        pedido_.formulasLidas.at(size_t(indice)) = nullptr;
    }
    void defineOrdem(int indice, const QString& campo) { pedido_.ordem.at(size_t(indice)) = campo; }
    // The subreport that the next selection formula applies to; empty text: the main report.
    void escolheSubrelatorio(const QString& nome) { subrelatorio_ = nome; }
    // Settings the window gives by number; kept with the request, they change nothing here.
    void defineAjuste(int numero, const QVariant& valor) { ajustes_[numero] = valor; }

    // Starts producing the report and returns at once; does nothing while a build is under way.
    void executa();
    // Stops the build under way, before its preview opens; nothing is shown.
    void cancela();
    // From executa() until the preview opens or the build ends without one.
    bool construindo() const { return construcao_ != nullptr; }

    // Told when a build starts (true) and when it is done with this window (false: the preview
    // opened, or the build ended without one), and as rows are read.
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
    // The build until its preview opens; it deletes itself once it ends.
    ConstrucaoRelatorio* construcao_ = nullptr;
    // Owns the connections to the builds, so none outlives this component.
    QObject ligacoes_;

    void construcaoAvancou(ConstrucaoRelatorio* c);
    void construcaoTerminou(ConstrucaoRelatorio* c);
    void solta();
};
