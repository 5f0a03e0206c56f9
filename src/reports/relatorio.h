#pragma once
// A report produced from its template and a request, a batch of rows at a time: each section's
// query runs with the selection formula and the sort fields, and its rows go, formatted, into a
// paginated document.

#include "data/banco.h"
#include "reports/documento.h"
#include "reports/modelo.h"
#include "reports/pedido.h"

#include <QStringList>

#include <memory>
#include <optional>

class MontagemRelatorio {
public:
    // Reads the template named by the request (and its subreports, beside it) and prepares every
    // section's query. Throws ErroRelatorio with a message for the operator when a template
    // cannot be read, a formula or sort field is refused or a query is refused.
    // Everything the report shows, its formulas read from the data included, comes from one
    // snapshot of `db`: one reading transaction from the first read to the last, held until this
    // goes, so that no line or total shows a row written meanwhile. Nothing else may run on `db`
    // while it lives.
    MontagemRelatorio(Banco& db, const PedidoRelatorio& pedido);
    ~MontagemRelatorio();
    MontagemRelatorio(const MontagemRelatorio&) = delete;
    MontagemRelatorio& operator=(const MontagemRelatorio&) = delete;

    const std::shared_ptr<DocumentoRelatorio>& documento() const { return documento_; }
    // Reads up to `linhas` rows into the document; true once the report is whole and the
    // document concluded. Throws ErroRelatorio when reading fails.
    bool avanca(int linhas);
    // Rows read so far, over every section.
    qint64 linhasLidas() const { return lidas_; }
    // The SQL text of each section's query, as run, with the values bound apart.
    QStringList consultas() const;

private:
    struct Estado;
    std::optional<Transacao> leitura_;   // ended last, its statements finalized first
    std::unique_ptr<Estado> e_;
    std::shared_ptr<DocumentoRelatorio> documento_;
    qint64 lidas_ = 0;
};
