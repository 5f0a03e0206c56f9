#include "reports/documento.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr double kUnidadesPorMm = kUnidadesPorPolegada / 25.4;
constexpr size_t kTamanhoBloco = size_t(1) << 20;
constexpr char kSeparador = '\x1f';
constexpr double kPreenchimento = 11;   // inside each cell, above, below and at the sides

QVector<ColunaModelo> colunasDesenhadas(const QVector<ColunaModelo>& c) {
    // A section of totals only: the label and the value.
    if (!c.isEmpty()) return c;
    return {{{}, {}, 80, Formato::Texto, false}, {{}, {}, 20, Formato::Moeda, false}};
}

Qt::Alignment alinhamento(const ColunaModelo& c) {
    return c.formato == Formato::Moeda || c.formato == Formato::Inteiro ? Qt::AlignRight : Qt::AlignLeft;
}

// The columns before the first summed one: a subtotal's label spans them.
int colunasDoRotulo(const QVector<ColunaModelo>& c) {
    int k = 1;
    while (k < c.size() && !c[k].soma) ++k;
    return k;
}

// Where a cell of a line stands, for the page's text and its painting alike: the cell, the
// columns [de, ate) it spans (ate < 0: the page's whole width), in bold or not, and its alignment.
struct Peca {
    int celula, de, ate;
    bool negrito;
    Qt::Alignment alinhamento;
};

std::vector<Peca> pecas(LinhaRelatorio::Tipo tipo, const QVector<ColunaModelo>& colunas) {
    const int n = int(colunas.size());
    std::vector<Peca> r;
    switch (tipo) {
    case LinhaRelatorio::Tipo::Detalhe:
        for (int k = 0; k < n; ++k) r.push_back({k, k, k + 1, false, alinhamento(colunas[k])});
        break;
    case LinhaRelatorio::Tipo::Subtotal: {
        const int k0 = colunasDoRotulo(colunas);
        r.push_back({0, 0, k0, true, Qt::AlignLeft});
        for (int k = k0; k < n; ++k) r.push_back({k, k, k + 1, true, alinhamento(colunas[k])});
        break;
    }
    case LinhaRelatorio::Tipo::Grupo:
    case LinhaRelatorio::Tipo::Vazio:
        r.push_back({0, 0, -1, tipo == LinhaRelatorio::Tipo::Grupo, Qt::AlignLeft});
        break;
    case LinhaRelatorio::Tipo::Resumo:
        if (n > 1) {
            r.push_back({0, 0, n - 1, true, Qt::AlignRight});
            r.push_back({1, n - 1, n, true, Qt::AlignRight});
        } else {
            r.push_back({0, 0, -1, true, Qt::AlignRight});
        }
        break;
    }
    return r;
}

QString tituloNaPagina(const QString& titulo, bool continuacao) {
    return continuacao ? titulo + QStringLiteral(" (continuação)") : titulo;
}

}  // namespace

QSizeF tamanhoPaginaRelatorio() {
    return QSizeF((210.0 - 2 * kMargemMm) * kUnidadesPorMm, (297.0 - 2 * kMargemMm) * kUnidadesPorMm);
}

struct DocumentoRelatorio::Estilo {
    QFont normal, negrito, titulo;
    QFontMetricsF mNormal, mNegrito, mTitulo;
    double largura, altura;
    double linha, alturaTitulo, alturaCabecalho, alturaTituloSecao, espacoSecao, alturaRodape;

    static QFont fonte(int decimos, bool negrito) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(decimos);   // the painter is scaled: pixels here are layout units
        f.setBold(negrito);
        return f;
    }

    Estilo()
        : normal(fonte(85, false)), negrito(fonte(85, true)), titulo(fonte(125, true)),
          mNormal(normal), mNegrito(negrito), mTitulo(titulo) {
        largura = tamanhoPaginaRelatorio().width();
        altura = tamanhoPaginaRelatorio().height();
        linha = mNormal.height() + 2 * kPreenchimento;
        alturaTitulo = mTitulo.height() + 20;
        alturaCabecalho = mNegrito.height() + 20;
        espacoSecao = 60;
        alturaTituloSecao = espacoSecao + mNegrito.height() + 10;
        alturaRodape = 100 + mNormal.height();
    }

    double larguraColuna(int percentual) const { return largura * percentual / 100.0; }
};

DocumentoRelatorio::DocumentoRelatorio(const QString& titulo, const QString& cabecalho, const QString& rodape)
    : titulo_(titulo), cabecalho_(cabecalho.trimmed().isEmpty() ? QString() : cabecalho), rodape_(rodape),
      estilo_(std::make_unique<Estilo>()) {}

DocumentoRelatorio::~DocumentoRelatorio() = default;

bool DocumentoRelatorio::concluido() const {
    QMutexLocker t(&trava_);
    return concluido_;
}

bool DocumentoRelatorio::interrompido() const {
    QMutexLocker t(&trava_);
    return interrompido_;
}

int DocumentoRelatorio::paginas() const {
    QMutexLocker t(&trava_);
    return int(paginas_.size());
}

int DocumentoRelatorio::paginasProntas() const {
    QMutexLocker t(&trava_);
    return concluido_ ? int(paginas_.size()) : std::max(0, int(paginas_.size()) - 1);
}

qint64 DocumentoRelatorio::linhas() const {
    QMutexLocker t(&trava_);
    return qint64(linhas_.size());
}

void DocumentoRelatorio::abreSecaoPendente() {
    // A section that had no line still shows its title and headings.
    if (!secoes_.empty() && !secaoAberta_) abreSecaoNaPagina(false);
}

void DocumentoRelatorio::comecaSecao(const QString& titulo, const QVector<ColunaModelo>& colunas) {
    QMutexLocker t(&trava_);
    abreSecaoPendente();
    Secao s{titulo, colunas, 0};
    double h = 0;
    for (const ColunaModelo& c : colunas) {
        const double w = estilo_->larguraColuna(c.largura) - 2 * kPreenchimento;
        h = std::max(h, estilo_->mNegrito.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap, c.cabecalho).height());
    }
    if (!colunas.isEmpty()) s.alturaCabecalho = h + 2 * kPreenchimento;
    secoes_.push_back(std::move(s));
    secaoAberta_ = false;
}

double DocumentoRelatorio::alturaAbertura(const Secao& s) const {
    return (s.titulo.isEmpty() ? estilo_->espacoSecao / 2 : estilo_->alturaTituloSecao) + s.alturaCabecalho;
}

void DocumentoRelatorio::novaPagina() {
    paginas_.push_back({int(pedacos_.size())});
    resta_ = estilo_->altura - estilo_->alturaRodape - estilo_->alturaTitulo -
             (cabecalho_.isEmpty() ? 0 : estilo_->alturaCabecalho);
}

void DocumentoRelatorio::abreSecaoNaPagina(bool continuacao) {
    if (secoes_.empty()) return;
    const Secao& s = secoes_.back();
    const bool temConteudo = !paginas_.empty() && int(pedacos_.size()) > paginas_.back().primeiroPedaco;
    // Opening a section takes its title, its headings and one line, or the next page.
    if (paginas_.empty() || (!continuacao && temConteudo && resta_ < alturaAbertura(s) + estilo_->linha))
        novaPagina();
    pedacos_.push_back({int(secoes_.size()) - 1, qint64(linhas_.size()), qint64(linhas_.size()), continuacao});
    resta_ -= alturaAbertura(s);
    secaoAberta_ = true;
}

void DocumentoRelatorio::guardaTexto(const char* dados, size_t tamanho, Linha& l) {
    tamanho = std::min(tamanho, kTamanhoBloco);
    if (blocos_.empty() || usadoNoBloco_ + tamanho > kTamanhoBloco) {
        blocos_.push_back(std::make_unique<char[]>(kTamanhoBloco));
        usadoNoBloco_ = 0;
    }
    std::memcpy(blocos_.back().get() + usadoNoBloco_, dados, tamanho);
    l.bloco = quint32(blocos_.size() - 1);
    l.inicio = quint32(usadoNoBloco_);
    l.tamanho = quint32(tamanho);
    usadoNoBloco_ += tamanho;
}

void DocumentoRelatorio::acrescenta(LinhaRelatorio::Tipo tipo, const std::vector<std::string>& celulas) {
    if (secoes_.empty()) comecaSecao({}, {});
    QMutexLocker t(&trava_);
    thread_local std::string junto;
    junto.clear();
    for (size_t i = 0; i < celulas.size(); ++i) {
        if (i) junto += kSeparador;
        junto += celulas[i];
    }
    Linha l{};
    l.tipo = tipo;
    l.secao = quint16(secoes_.size() - 1);
    guardaTexto(junto.data(), junto.size(), l);

    if (!secaoAberta_) {
        abreSecaoNaPagina(false);
    } else if (resta_ < estilo_->linha) {
        novaPagina();
        abreSecaoNaPagina(true);
    }
    linhas_.push_back(l);
    pedacos_.back().ate = qint64(linhas_.size());
    resta_ -= estilo_->linha;
}

void DocumentoRelatorio::conclui() {
    {
        QMutexLocker t(&trava_);
        if (concluido_ || interrompido_) return;
        abreSecaoPendente();
        if (paginas_.empty()) novaPagina();
        concluido_ = true;
    }
    emit terminou();
}

void DocumentoRelatorio::interrompe() {
    {
        QMutexLocker t(&trava_);
        if (concluido_ || interrompido_) return;
        interrompido_ = true;
    }
    emit terminou();
}

std::vector<QString> DocumentoRelatorio::celulas(const Linha& l) const {
    std::vector<QString> r;
    const char* p = blocos_[l.bloco].get() + l.inicio;
    const char* fim = p + l.tamanho;
    for (;;) {
        const char* s = std::find(p, fim, kSeparador);
        r.push_back(QString::fromUtf8(p, s - p));
        if (s == fim) break;
        p = s + 1;
    }
    return r;
}

int DocumentoRelatorio::ultimoPedaco(int pagina) const {
    return pagina + 1 < int(paginas_.size()) ? paginas_[size_t(pagina) + 1].primeiroPedaco : int(pedacos_.size());
}

QString DocumentoRelatorio::rodapePagina(int pagina) const {
    QString t = rodape_;
    t.replace(QLatin1String("{pagina}"), QString::number(pagina + 1));
    if (concluido_) t.replace(QLatin1String("{paginas}"), QString::number(paginas_.size()));
    return t;
}

namespace {

QString numeroPagina(int pagina, int total, bool concluido) {
    return concluido ? QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(total)
                     : QStringLiteral("Página %1 de …").arg(pagina + 1);
}

}  // namespace

QStringList DocumentoRelatorio::textoPagina(int pagina) const {
    QMutexLocker t(&trava_);
    return textoPaginaSemTrava(pagina);
}

QStringList DocumentoRelatorio::textoPaginaSemTrava(int pagina) const {
    QStringList r;
    if (pagina < 0 || pagina >= int(paginas_.size())) return r;
    r << titulo_;
    if (!cabecalho_.isEmpty()) r << cabecalho_;
    for (int i = paginas_[size_t(pagina)].primeiroPedaco; i < ultimoPedaco(pagina); ++i) {
        const Pedaco& pd = pedacos_[size_t(i)];
        const Secao& s = secoes_[size_t(pd.secao)];
        if (!s.titulo.isEmpty()) r << tituloNaPagina(s.titulo, pd.continuacao);
        if (!s.colunas.isEmpty()) {
            QStringList cab;
            for (const ColunaModelo& c : s.colunas) cab << c.cabecalho;
            r << cab.join(QStringLiteral(" | "));
        }
        const QVector<ColunaModelo> colunas = colunasDesenhadas(s.colunas);
        for (qint64 li = pd.de; li < pd.ate; ++li) {
            const Linha& l = linhas_[size_t(li)];
            const std::vector<QString> c = celulas(l);
            QStringList partes;
            for (const Peca& pc : pecas(l.tipo, colunas))
                partes << (pc.celula < int(c.size()) ? c[size_t(pc.celula)] : QString());
            r << partes.join(QStringLiteral(" | "));
        }
    }
    r << rodapePagina(pagina) + QStringLiteral(" | ") + numeroPagina(pagina, int(paginas_.size()), concluido_);
    return r;
}

QStringList DocumentoRelatorio::texto() const {
    QMutexLocker t(&trava_);
    QStringList r;
    for (int p = 0; p < int(paginas_.size()); ++p) r << textoPaginaSemTrava(p);
    return r;
}

void DocumentoRelatorio::pintaPagina(QPainter& p, int pagina) const {
    QMutexLocker t(&trava_);
    if (pagina < 0 || pagina >= int(paginas_.size())) return;
    const Estilo& e = *estilo_;
    p.save();
    p.setPen(Qt::black);
    const auto escreve = [&p](const QRectF& r, const QString& t, const QFont& f, const QFontMetricsF& m,
                              Qt::Alignment a) {
        p.setFont(f);
        p.drawText(r, int(a | Qt::AlignVCenter | Qt::TextSingleLine),
                   m.elidedText(t, Qt::ElideRight, r.width()));
    };
    const auto celula = [&](double x, double y, double w, const QString& t, bool negrito, Qt::Alignment a) {
        escreve(QRectF(x + kPreenchimento, y, w - 2 * kPreenchimento, e.linha), t, negrito ? e.negrito : e.normal,
                negrito ? e.mNegrito : e.mNormal, a);
    };

    double y = 0;
    escreve(QRectF(0, y, e.largura, e.alturaTitulo), titulo_, e.titulo, e.mTitulo, Qt::AlignLeft);
    y += e.alturaTitulo;
    if (!cabecalho_.isEmpty()) {
        escreve(QRectF(0, y, e.largura, e.alturaCabecalho), cabecalho_, e.negrito, e.mNegrito, Qt::AlignLeft);
        y += e.alturaCabecalho;
    }
    for (int i = paginas_[size_t(pagina)].primeiroPedaco; i < ultimoPedaco(pagina); ++i) {
        const Pedaco& pd = pedacos_[size_t(i)];
        const Secao& s = secoes_[size_t(pd.secao)];
        if (!s.titulo.isEmpty()) {
            y += e.espacoSecao;
            escreve(QRectF(0, y, e.largura, e.mNegrito.height()), tituloNaPagina(s.titulo, pd.continuacao), e.negrito,
                    e.mNegrito, Qt::AlignLeft);
            y += e.alturaTituloSecao - e.espacoSecao;
        } else {
            y += e.espacoSecao / 2;
        }
        const QVector<ColunaModelo> colunas = colunasDesenhadas(s.colunas);
        const int n = int(colunas.size());
        std::vector<double> x(size_t(n) + 1, 0);
        for (int k = 0; k < n; ++k) x[size_t(k) + 1] = x[size_t(k)] + e.larguraColuna(colunas[k].largura);
        if (!s.colunas.isEmpty()) {
            p.fillRect(QRectF(0, y, e.largura, s.alturaCabecalho), QColor(225, 225, 225));
            p.setFont(e.negrito);
            for (int k = 0; k < n; ++k)
                p.drawText(QRectF(x[size_t(k)] + kPreenchimento, y + kPreenchimento,
                                  x[size_t(k) + 1] - x[size_t(k)] - 2 * kPreenchimento,
                                  s.alturaCabecalho - 2 * kPreenchimento),
                           int(alinhamento(colunas[k]) | Qt::AlignTop | Qt::TextWordWrap), colunas[k].cabecalho);
            y += s.alturaCabecalho;
        }
        for (qint64 li = pd.de; li < pd.ate; ++li, y += e.linha) {
            const Linha& l = linhas_[size_t(li)];
            const std::vector<QString> c = celulas(l);
            for (const Peca& pc : pecas(l.tipo, colunas)) {
                const double x0 = x[size_t(pc.de)];
                const double w = pc.ate < 0 ? e.largura - x0 : x[size_t(pc.ate)] - x0;
                celula(x0, y, w, pc.celula < int(c.size()) ? c[size_t(pc.celula)] : QString(), pc.negrito,
                       pc.alinhamento);
            }
        }
    }
    // The footer stands at the bottom of the printable height, whatever the page holds.
    const QRectF rodape(0, e.altura - e.mNormal.height(), e.largura, e.mNormal.height());
    escreve(QRectF(rodape.x(), rodape.y(), e.largura * 0.75, rodape.height()), rodapePagina(pagina), e.normal,
            e.mNormal, Qt::AlignLeft);
    escreve(QRectF(e.largura * 0.75, rodape.y(), e.largura * 0.25, rodape.height()),
            numeroPagina(pagina, int(paginas_.size()), concluido_), e.normal, e.mNormal, Qt::AlignRight);
    p.restore();
}
