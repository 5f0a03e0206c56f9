#pragma once
// A report laid out on pages of its own: A4 less margins of 10 mm. Every page starts with the
// report's title and the template's header line, each section repeats its title and column
// headings on every page it reaches, and every page ends at the bottom of its printable height
// with the template's footer and "Página n de m". The rows are kept as compact text, so a report
// of a million rows stays small, and a page is painted only when it is shown or printed.
//
// No value is cut: a cell too wide for its column is set a little smaller or wraps, its row
// taking the lines it needs. A group whose lines go on over a page break has its heading
// repeated on the next page, marked as continued, and a heading never ends a page. A section's
// closing totals stay together, and a total (those or a group's subtotal) goes to the next page
// with the last row above it rather than open that page alone.
//
// The document grows while the report is built: pages already full can be shown before the
// last row is read; the page count is known once it is concluded. It may be built on another
// thread while it is shown: every member takes the document's lock.

#include "reports/modelo.h"

#include <QFont>
#include <QMutex>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class QPainter;

inline constexpr double kMargemMm = 10.0;
// Units of the layout: tenths of a point (1/720 inch).
inline constexpr double kUnidadesPorPolegada = 720.0;
// The printable area of a page, in layout units.
QSizeF tamanhoPaginaRelatorio();

struct LinhaRelatorio {
    // The cells of a line: Detalhe, Subtotal: one per column; Grupo, Vazio: the text;
    // Resumo: the label and the value.
    enum class Tipo : quint8 { Detalhe, Grupo, Subtotal, Resumo, Vazio };
};

// What a page shows, placed: the grey backgrounds of the column headings, and every line of text
// in its box with its font.
struct TextoPosto {
    QRectF caixa;
    QString texto;
    QFont fonte;
    Qt::Alignment alinhamento;
};
struct DesenhoPagina {
    std::vector<QRectF> fundos;
    std::vector<TextoPosto> textos;
};

class DocumentoRelatorio : public QObject {
    Q_OBJECT
public:
    // `cabecalho` and `rodape` with the formulas filled in; "{pagina}" and "{paginas}" in the
    // footer are filled page by page.
    DocumentoRelatorio(const QString& titulo, const QString& cabecalho, const QString& rodape);
    ~DocumentoRelatorio() override;

    const QString& titulo() const { return titulo_; }

    // Building: a section, then its lines, in order. A line's cells are UTF-8 texts.
    void comecaSecao(const QString& titulo, const QVector<ColunaModelo>& colunas);
    void acrescenta(LinhaRelatorio::Tipo tipo, const std::vector<std::string>& celulas);
    // No more lines: the last page is closed and the page count known.
    void conclui();
    // The build was stopped or failed (`motivo` says why, for the operator): what was laid out
    // stays, but the document is not whole.
    void interrompe(const QString& motivo = {});
    // Nobody shows the document any more: whoever builds it may stop.
    void abandona() const { abandonado_ = true; }
    bool abandonado() const { return abandonado_; }

    bool concluido() const;
    bool interrompido() const;
    QString motivoInterrupcao() const;
    // Pages laid out so far; before the document is concluded the last one may still grow.
    int paginas() const;
    // Pages that will not change any more (all of them once concluded).
    int paginasProntas() const;
    qint64 linhas() const;

    // Paints page `pagina` (from 0) with the printable area's top left corner at the painter's
    // origin, in layout units: the caller scales the painter to its device.
    void pintaPagina(QPainter& p, int pagina) const;
    // The same page as placed texts, in layout units from the printable area's top left corner.
    DesenhoPagina desenhoPagina(int pagina) const;
    // The page as text: each line of a table with its cells joined by " | ", other text as it
    // stands; the footer as the footer text and the page number.
    QStringList textoPagina(int pagina) const;
    // Every page as text, one after the other.
    QStringList texto() const;

signals:
    // New lines were laid out (emitted by whoever builds it, once a batch is in).
    void cresceu();
    // Concluded or interrupted.
    void terminou();

public:
    void avisaCrescimento() { emit cresceu(); }

private:
    // Where a cell of a line stands: the cell, its box's left edge and width, in bold or not,
    // and its alignment.
    struct Peca {
        int celula;
        double x, largura;
        bool negrito;
        Qt::Alignment alinhamento;
        bool total = false;   // printed whole on one line, taking room from the cell on its left
    };
    struct Secao {
        QString titulo;
        QVector<ColunaModelo> colunas;
        double alturaCabecalho = 0;   // the column headings, on as many lines as they need
        std::vector<Peca> cabecalhos;
        std::vector<Peca> pecas[5];   // by the line's type
    };
    struct Linha {
        quint32 bloco, inicio, tamanho;
        quint16 secao;
        LinhaRelatorio::Tipo tipo;
        quint8 linhasTexto;   // the lines of text of its tallest cell
    };
    struct Pedaco {
        int secao;
        qint64 de, ate;   // lines [de, ate)
        bool continuacao;
        qint64 grupo = -1;         // the heading of the group it continues, repeated on top
        quint8 linhasGrupo = 0;    // the lines that heading takes, marked as continued
    };
    struct Pagina {
        int primeiroPedaco;
    };

    double alturaAbertura(const Secao& s) const;
    double alturaLinha(int linhasTexto) const;
    // The height of a page under its title and header, above its footer.
    double alturaUtil() const;
    std::vector<Peca> pecasDaLinha(const Secao& s, LinhaRelatorio::Tipo tipo, const std::vector<QString>& c) const;
    void coloca(const Linha& l, double seguinte);
    void colocaPendentes(double depois);
    void colocaFechos();
    void levaCauda(double altura);
    void novaPagina();
    void abreSecaoNaPagina(bool continuacao, double precisa);
    void repeteGrupo();
    std::vector<QString> celulas(const Linha& l) const;
    void guardaTexto(const char* dados, size_t tamanho, Linha& l);
    int ultimoPedaco(int pagina) const;
    QString rodapePagina(int pagina) const;
    QStringList textoPaginaSemTrava(int pagina) const;
    DesenhoPagina desenhoPaginaSemTrava(int pagina) const;
    void abreSecaoPendente();

    mutable QMutex trava_;

    QString titulo_, cabecalho_, rodape_;
    std::vector<Secao> secoes_;
    std::deque<Linha> linhas_;
    std::vector<std::unique_ptr<char[]>> blocos_;
    size_t usadoNoBloco_ = 0;
    std::vector<Pedaco> pedacos_;
    std::vector<Pagina> paginas_;
    double resta_ = 0;          // height left on the page being filled
    bool secaoAberta_ = false;  // the current section has its title and headings on this page
    qint64 grupoAberto_ = -1;   // the heading line of the group whose lines are being added
    std::vector<Linha> pendentes_;   // headings waiting for the line under them
    std::vector<Linha> fechos_;      // the section's closing totals, laid out as one block
    // The section's last row (with the headings right above it), which the closing totals take
    // along to a new page, and the group it goes on under; -1: none.
    qint64 cauda_ = -1, grupoCauda_ = -1;
    bool concluido_ = false, interrompido_ = false;
    QString motivo_;
    mutable std::atomic<bool> abandonado_{false};

    struct Estilo;
    std::unique_ptr<Estilo> estilo_;
};
