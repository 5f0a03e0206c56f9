#include "reports/documento.h"

#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextTable>

namespace {

constexpr double kPixelsPorMm = 96.0 / 25.4;
constexpr double kPreenchimento = 1.5;

// A piece of a section on one page.
struct Pedaco {
    int secao;
    int de, ate;
    bool continuacao;
};

int linhasDoCabecalho(const SecaoRelatorio& s) {
    return (s.titulo.isEmpty() ? 0 : 1) + (s.colunas.isEmpty() ? 0 : 1) + 1;
}

QVector<QVector<Pedaco>> paginas(const Relatorio& r) {
    QVector<QVector<Pedaco>> ps(1);
    int resta = kLinhasPorPagina;
    for (int si = 0; si < r.secoes.size(); ++si) {
        const SecaoRelatorio& s = r.secoes[si];
        const int n = int(s.linhas.size());
        const int cab = linhasDoCabecalho(s);
        int i = 0;
        bool primeiro = true;
        while (primeiro || i < n) {
            if (resta < cab + std::min(1, n - i)) {
                ps.push_back({});
                resta = kLinhasPorPagina;
            }
            const int leva = std::min(n - i, resta - cab);
            ps.last().push_back({si, i, i + leva, !primeiro});
            resta -= cab + leva;
            i += leva;
            primeiro = false;
        }
    }
    return ps;
}

class Diagramacao {
public:
    explicit Diagramacao(QTextDocument& doc) : doc_(doc), c_(&doc) {
        normal_.setFont(doc.defaultFont());
        negrito_ = normal_;
        negrito_.setFontWeight(QFont::Bold);
        titulo_ = negrito_;
        titulo_.setFontPointSize(doc.defaultFont().pointSizeF() + 4);
    }

    void comecaPagina(bool primeira) {
        QTextBlockFormat f;
        if (!primeira) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        bloco(f);
    }

    void texto(const QString& t, const QTextCharFormat& f, double margemAcima = 0) {
        QTextBlockFormat b;
        b.setTopMargin(margemAcima);
        bloco(b);
        c_.insertText(t, f);
    }

    void tabela(const SecaoRelatorio& s, int de, int ate) {
        QVector<ColunaModelo> colunas = s.colunas;
        if (colunas.isEmpty()) colunas = {{{}, {}, 80, Formato::Texto, false}, {{}, {}, 20, Formato::Moeda, false}};
        const int n = int(colunas.size());
        const bool cabecalho = !s.colunas.isEmpty();
        const int linhas = (ate - de) + (cabecalho ? 1 : 0);
        if (linhas == 0) return;

        QTextTableFormat tf;
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setCellPadding(kPreenchimento);
        tf.setCellSpacing(0);
        tf.setBorder(0);
        tf.setHeaderRowCount(cabecalho ? 1 : 0);
        QVector<QTextLength> larguras;
        for (const ColunaModelo& col : colunas) larguras << QTextLength(QTextLength::PercentageLength, col.largura);
        tf.setColumnWidthConstraints(larguras);
        livre_ = false;
        QTextTable* t = c_.insertTable(linhas, n, tf);

        int r = 0;
        if (cabecalho) {
            QTextCharFormat cf = negrito_;
            cf.setBackground(QColor(225, 225, 225));
            for (int i = 0; i < n; ++i) {
                t->cellAt(0, i).setFormat(cf);
                celula(t, 0, i, colunas[i].cabecalho, cf, alinhamento(colunas[i]), colunas[i].largura);
            }
            r = 1;
        }
        for (int l = de; l < ate; ++l, ++r) {
            const LinhaRelatorio& linha = s.linhas[l];
            switch (linha.tipo) {
            case LinhaRelatorio::Tipo::Detalhe:
                for (int i = 0; i < n; ++i)
                    celula(t, r, i, linha.celulas.value(i), normal_, alinhamento(colunas[i]), colunas[i].largura);
                break;
            case LinhaRelatorio::Tipo::Subtotal: {
                // The label takes the columns before the first sum.
                int k = 1, largura = colunas[0].largura;
                while (k < n && !colunas[k].soma) largura += colunas[k++].largura;
                if (k > 1) t->mergeCells(r, 0, 1, k);
                celula(t, r, 0, linha.celulas.value(0), negrito_, Qt::AlignLeft, largura);
                for (int i = k; i < n; ++i)
                    celula(t, r, i, linha.celulas.value(i), negrito_, alinhamento(colunas[i]), colunas[i].largura);
                break;
            }
            case LinhaRelatorio::Tipo::Grupo:
            case LinhaRelatorio::Tipo::Vazio:
                t->mergeCells(r, 0, 1, n);
                celula(t, r, 0, linha.celulas.value(0),
                       linha.tipo == LinhaRelatorio::Tipo::Grupo ? negrito_ : normal_, Qt::AlignLeft, 100);
                break;
            case LinhaRelatorio::Tipo::Resumo: {
                int largura = 0;
                for (int i = 0; i < n - 1; ++i) largura += colunas[i].largura;
                if (n > 1) t->mergeCells(r, 0, 1, n - 1);
                celula(t, r, 0, linha.celulas.value(0), negrito_, Qt::AlignRight, largura);
                if (n > 1) celula(t, r, n - 1, linha.celulas.value(1), negrito_, Qt::AlignRight, colunas[n - 1].largura);
                break;
            }
            }
        }
        c_.movePosition(QTextCursor::End);
        livre_ = true;
    }

    void rodape(const QString& texto, int pagina, int total) {
        QString t = texto;
        t.replace(QLatin1String("{pagina}"), QString::number(pagina));
        t.replace(QLatin1String("{paginas}"), QString::number(total));
        QTextTableFormat tf;
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setBorder(0);
        tf.setCellSpacing(0);
        tf.setTopMargin(10);
        tf.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 75),
                                      QTextLength(QTextLength::PercentageLength, 25)});
        livre_ = false;
        QTextTable* tab = c_.insertTable(1, 2, tf);
        celula(tab, 0, 0, t, normal_, Qt::AlignLeft, 75);
        celula(tab, 0, 1, QStringLiteral("Página %1 de %2").arg(pagina).arg(total), normal_, Qt::AlignRight, 25);
        c_.movePosition(QTextCursor::End);
        livre_ = true;
    }

    const QTextCharFormat& normal() const { return normal_; }
    const QTextCharFormat& negrito() const { return negrito_; }
    const QTextCharFormat& titulo() const { return titulo_; }

private:
    static Qt::Alignment alinhamento(const ColunaModelo& c) {
        return c.formato == Formato::Moeda || c.formato == Formato::Inteiro ? Qt::AlignRight : Qt::AlignLeft;
    }

    // The empty block that follows a table takes the next text, so no blank line is added.
    void bloco(const QTextBlockFormat& f) {
        if (livre_) c_.setBlockFormat(f);
        else c_.insertBlock(f);
        livre_ = false;
    }

    // Text that does not fit its column is cut with "…", so a row never takes two lines.
    void celula(QTextTable* t, int linha, int coluna, const QString& texto, const QTextCharFormat& f,
                Qt::Alignment a, int largura) {
        const double px = doc_.pageSize().width() * largura / 100.0 - 2 * kPreenchimento - 4;
        QFontMetricsF m(f.font());
        QTextCursor cc = t->cellAt(linha, coluna).firstCursorPosition();
        QTextBlockFormat b;
        b.setAlignment(a);
        cc.setBlockFormat(b);
        cc.insertText(m.elidedText(texto, Qt::ElideRight, px), f);
    }

    QTextDocument& doc_;
    QTextCursor c_;
    QTextCharFormat normal_, negrito_, titulo_;
    bool livre_ = true;
};

}  // namespace

QSizeF tamanhoPaginaRelatorio() {
    return QSizeF((210.0 - 2 * kMargemMm) * kPixelsPorMm, (297.0 - 2 * kMargemMm) * kPixelsPorMm);
}

std::unique_ptr<QTextDocument> documentoRelatorio(const Relatorio& r) {
    auto doc = std::make_unique<QTextDocument>();
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setPointSizeF(8.5);
    doc->setDefaultFont(fonte);
    doc->setDocumentMargin(0);
    doc->setPageSize(tamanhoPaginaRelatorio());
    doc->setMetaInformation(QTextDocument::DocumentTitle, r.titulo);

    Diagramacao d(*doc);
    const auto ps = paginas(r);
    for (int p = 0; p < ps.size(); ++p) {
        d.comecaPagina(p == 0);
        d.texto(r.titulo, d.titulo());
        if (!r.cabecalho.trimmed().isEmpty()) d.texto(r.cabecalho, d.negrito(), 2);
        for (const Pedaco& pd : ps[p]) {
            const SecaoRelatorio& s = r.secoes[pd.secao];
            if (!s.titulo.isEmpty())
                d.texto(pd.continuacao ? s.titulo + QStringLiteral(" (continuação)") : s.titulo, d.negrito(), 8);
            else
                d.texto(QString(), d.normal(), 0);
            d.tabela(s, pd.de, pd.ate);
        }
        d.rodape(r.rodape, p + 1, int(ps.size()));
    }
    return doc;
}
