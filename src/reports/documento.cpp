#include "reports/documento.h"

#include "reports/encaixe.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr double kUnidadesPorMm = kUnidadesPorPolegada / 25.4;
constexpr size_t kTamanhoBloco = size_t(1) << 20;
constexpr char kSeparador = '\x1f';
constexpr double kPreenchimento = 11;   // inside each cell, above, below and at the sides
// Besides the cells' own padding, before every column but the first: a number right-aligned in
// one column and a text in the next read as two values ("2  Bruno Lima"), not one.
constexpr double kEntreColunas = 40;
constexpr int kTipos = 5;
constexpr int kMaisLinhasTexto = 40;   // a row never grows past a page

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

// Where a cell of a line stands: the cell, the columns [de, ate) it spans (ate < 0: the page's
// whole width), in bold or not, and its alignment.
struct Lugar {
    int celula, de, ate;
    bool negrito;
    Qt::Alignment alinhamento;
    bool total = false;
};

// The lines whose sums print whole, widened into the cell on their left (see pecasDaLinha).
bool ehTotal(LinhaRelatorio::Tipo tipo) {
    return tipo == LinhaRelatorio::Tipo::Subtotal || tipo == LinhaRelatorio::Tipo::Resumo;
}

std::vector<Lugar> lugares(LinhaRelatorio::Tipo tipo, const QVector<ColunaModelo>& colunas) {
    const int n = int(colunas.size());
    std::vector<Lugar> r;
    switch (tipo) {
    case LinhaRelatorio::Tipo::Detalhe:
        for (int k = 0; k < n; ++k) r.push_back({k, k, k + 1, false, alinhamento(colunas[k])});
        break;
    case LinhaRelatorio::Tipo::Subtotal: {
        const int k0 = colunasDoRotulo(colunas);
        r.push_back({0, 0, k0, true, Qt::AlignLeft});
        for (int k = k0; k < n; ++k) r.push_back({k, k, k + 1, true, alinhamento(colunas[k]), true});
        break;
    }
    case LinhaRelatorio::Tipo::Grupo:
    case LinhaRelatorio::Tipo::Vazio:
        r.push_back({0, 0, -1, tipo == LinhaRelatorio::Tipo::Grupo, Qt::AlignLeft});
        break;
    case LinhaRelatorio::Tipo::Resumo:
        if (n > 1) {
            r.push_back({0, 0, n - 1, true, Qt::AlignRight});
            r.push_back({1, n - 1, n, true, Qt::AlignRight, true});
        } else {
            r.push_back({0, 0, -1, true, Qt::AlignRight});
        }
        break;
    }
    return r;
}

QString continuacao(const QString& titulo, bool continua) {
    return continua ? titulo + QStringLiteral(" (continuação)") : titulo;
}

std::string_view celula(const std::vector<std::string>& celulas, int i) {
    return i < int(celulas.size()) ? std::string_view(celulas[size_t(i)]) : std::string_view();
}

}  // namespace

QSizeF tamanhoPaginaRelatorio() {
    return QSizeF((210.0 - 2 * kMargemMm) * kUnidadesPorMm, (297.0 - 2 * kMargemMm) * kUnidadesPorMm);
}

struct DocumentoRelatorio::Estilo {
    EncaixeTexto encaixe{85};
    QFont normal, negrito, titulo;
    QFontMetricsF mNormal, mNegrito, mTitulo;
    double largura, altura;
    double linha, alturaTitulo, alturaCabecalho, alturaTituloSecao, espacoSecao, alturaRodape;

    static QFont comTamanho(QFont f, int pixels) {
        f.setPixelSize(pixels);
        return f;
    }

    Estilo()
        : normal(encaixe.fonte(false)), negrito(encaixe.fonte(true)), titulo(comTamanho(negrito, 125)),
          mNormal(normal), mNegrito(negrito), mTitulo(titulo) {
        largura = tamanhoPaginaRelatorio().width();
        altura = tamanhoPaginaRelatorio().height();
        linha = encaixe.alturaLinha() + 2 * kPreenchimento;
        alturaTitulo = mTitulo.height() + 20;
        alturaCabecalho = mNegrito.height() + 20;
        espacoSecao = 60;
        alturaTituloSecao = espacoSecao + mNegrito.height() + 10;
        alturaRodape = 100 + mNormal.height();
    }

    // The box of a cell over the columns [de, ate) (ate < 0: to the page's right edge), inside
    // its padding.
    std::pair<double, double> caixa(const std::vector<double>& x, int de, int ate) const {
        const double esquerda = x[size_t(de)] + kPreenchimento + (de > 0 ? kEntreColunas : 0);
        const double direita = (ate < 0 ? largura : x[size_t(ate)]) - kPreenchimento;
        return {esquerda, std::max(1.0, direita - esquerda)};
    }
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

QString DocumentoRelatorio::motivoInterrupcao() const {
    QMutexLocker t(&trava_);
    return motivo_;
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

double DocumentoRelatorio::alturaLinha(int linhasTexto) const {
    return estilo_->linha + (linhasTexto - 1) * estilo_->encaixe.alturaLinha();
}

void DocumentoRelatorio::abreSecaoPendente() {
    // A section that had no line still shows its title and headings.
    if (!secoes_.empty() && !secaoAberta_) abreSecaoNaPagina(false, estilo_->linha);
}

void DocumentoRelatorio::comecaSecao(const QString& titulo, const QVector<ColunaModelo>& colunas) {
    QMutexLocker t(&trava_);
    const Estilo& e = *estilo_;
    Secao s{titulo, colunas, 0, {}, {}};
    const QVector<ColunaModelo> desenhadas = colunasDesenhadas(colunas);
    std::vector<double> x(size_t(desenhadas.size()) + 1, 0);
    for (int k = 0; k < desenhadas.size(); ++k)
        x[size_t(k) + 1] = x[size_t(k)] + e.largura * desenhadas[k].largura / 100.0;
    for (int tipo = 0; tipo < kTipos; ++tipo)
        for (const Lugar& l : lugares(LinhaRelatorio::Tipo(tipo), desenhadas)) {
            const auto [esquerda, largura] = e.caixa(x, l.de, l.ate);
            s.pecas[tipo].push_back({l.celula, esquerda, largura, l.negrito, l.alinhamento, l.total});
        }
    int linhasCabecalho = 0;
    for (int k = 0; k < colunas.size(); ++k) {
        const auto [esquerda, largura] = e.caixa(x, k, k + 1);
        s.cabecalhos.push_back({k, esquerda, largura, true, alinhamento(colunas[k])});
        linhasCabecalho = std::max(
            linhasCabecalho, int(e.encaixe.encaixa(colunas[k].cabecalho, largura, true).linhas.size()));
    }
    if (!colunas.isEmpty()) s.alturaCabecalho = alturaLinha(linhasCabecalho);
    // The last headings of the section before go on with the start of this one.
    colocaFechos();
    colocaPendentes(alturaAbertura(s) + e.linha);
    abreSecaoPendente();
    secoes_.push_back(std::move(s));
    secaoAberta_ = false;
    grupoAberto_ = -1;
    cauda_ = grupoCauda_ = -1;
}

double DocumentoRelatorio::alturaAbertura(const Secao& s) const {
    return (s.titulo.isEmpty() ? estilo_->espacoSecao / 2 : estilo_->alturaTituloSecao) + s.alturaCabecalho;
}

double DocumentoRelatorio::alturaUtil() const {
    return estilo_->altura - estilo_->alturaRodape - estilo_->alturaTitulo -
           (cabecalho_.isEmpty() ? 0 : estilo_->alturaCabecalho);
}

void DocumentoRelatorio::novaPagina() {
    paginas_.push_back({int(pedacos_.size())});
    resta_ = alturaUtil();
}

void DocumentoRelatorio::abreSecaoNaPagina(bool continuacao, double precisa) {
    if (secoes_.empty()) return;
    const Secao& s = secoes_.back();
    const bool temConteudo = !paginas_.empty() && int(pedacos_.size()) > paginas_.back().primeiroPedaco;
    // Opening a section takes its title, its headings and its first line, or the next page.
    if (paginas_.empty() || (!continuacao && temConteudo && resta_ < alturaAbertura(s) + precisa))
        novaPagina();
    pedacos_.push_back({int(secoes_.size()) - 1, qint64(linhas_.size()), qint64(linhas_.size()), continuacao});
    resta_ -= alturaAbertura(s);
    secaoAberta_ = true;
}

void DocumentoRelatorio::repeteGrupo() {
    // The heading of the group the page goes on with, marked as continued, on top of the page.
    const Linha& grupo = linhas_[size_t(grupoAberto_)];
    const Peca& p = secoes_.back().pecas[int(LinhaRelatorio::Tipo::Grupo)].front();
    const std::string texto = continuacao(celulas(grupo).front(), true).toStdString();
    const int n = std::min(kMaisLinhasTexto, estilo_->encaixe.linhas(texto, p.largura, true));
    pedacos_.back().grupo = grupoAberto_;
    pedacos_.back().linhasGrupo = quint8(n);
    resta_ -= alturaLinha(n);
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

    // The row is as tall as its tallest cell.
    const Secao& s = secoes_.back();
    std::vector<Peca> totais;
    if (ehTotal(tipo)) {
        std::vector<QString> textos;
        for (const std::string& c : celulas) textos.push_back(QString::fromStdString(c));
        totais = pecasDaLinha(s, tipo, textos);
    }
    int n = 1;
    for (const Peca& p : ehTotal(tipo) ? totais : s.pecas[int(tipo)])
        n = std::max(n, estilo_->encaixe.linhas(celula(celulas, p.celula), p.largura, p.negrito));
    l.linhasTexto = quint8(std::min(n, kMaisLinhasTexto));

    // The closing totals wait for the last of them, to be laid out together.
    if (tipo == LinhaRelatorio::Tipo::Resumo) {
        colocaPendentes(alturaLinha(l.linhasTexto));
        fechos_.push_back(l);
        return;
    }
    colocaFechos();
    // A group's heading waits for the line under it, so that it goes to the next page with that
    // line (however tall) rather than end a page.
    if (tipo == LinhaRelatorio::Tipo::Grupo) {
        grupoAberto_ = -1;
        pendentes_.push_back(l);
        return;
    }
    colocaPendentes(alturaLinha(l.linhasTexto));
    // A group's subtotal, as the closing totals, goes to a new page only with the group's last row.
    if (tipo == LinhaRelatorio::Tipo::Subtotal) levaCauda(alturaLinha(l.linhasTexto));
    coloca(l, 0);
}

// Headings in a row (groups without lines) stay together with the line after them, as long as
// all of it fits on one page; a longer run fills its pages as any lines do.
void DocumentoRelatorio::colocaPendentes(double depois) {
    if (pendentes_.empty()) return;
    double resto = depois;
    for (const Linha& g : pendentes_) resto += alturaLinha(g.linhasTexto);
    const double pagina = alturaUtil() - alturaAbertura(secoes_.back());
    for (const Linha& g : pendentes_) {
        const double altura = alturaLinha(g.linhasTexto);
        resto -= altura;
        coloca(g, altura + resto <= pagina ? resto : estilo_->linha);
    }
    pendentes_.clear();
}

// The closing totals as one block, under at least the section's last row: when they do not fit
// under it, that row goes to the next page with them. A block taller than a page flows.
void DocumentoRelatorio::colocaFechos() {
    if (fechos_.empty()) return;
    double resto = 0;
    for (const Linha& l : fechos_) resto += alturaLinha(l.linhasTexto);
    const bool cabe = resto <= alturaUtil() - alturaAbertura(secoes_.back());
    if (cabe) levaCauda(resto);
    for (const Linha& l : fechos_) {
        resto -= alturaLinha(l.linhasTexto);
        coloca(l, cabe ? resto : 0);
    }
    fechos_.clear();
}

// When `altura` more does not fit on the page, moves the section's last row, and what follows
// it, to a new page; nothing moves when they are all the page holds of the section.
void DocumentoRelatorio::levaCauda(double altura) {
    if (!secaoAberta_ || resta_ >= altura || cauda_ < 0 || pedacos_.empty()) return;
    const Pedaco& pd = pedacos_.back();
    const bool sozinha = cauda_ == pd.de;   // the section opened on this page with that row
    if (pd.secao != int(secoes_.size()) - 1 || cauda_ < pd.de ||
        (sozinha && int(pedacos_.size()) - 1 == paginas_.back().primeiroPedaco))
        return;
    const std::vector<Linha> cauda(linhas_.begin() + cauda_, linhas_.end());
    linhas_.resize(size_t(cauda_));
    if (sozinha) {
        // Under the end of the section before: the section opens on the next page instead.
        pedacos_.pop_back();
        secaoAberta_ = false;
        novaPagina();
    } else {
        pedacos_.back().ate = cauda_;
        novaPagina();
        abreSecaoNaPagina(true, 0);
    }
    grupoAberto_ = grupoCauda_;
    if (grupoAberto_ >= 0) repeteGrupo();
    for (const Linha& l : cauda) coloca(l, 0);
}

// Lays the line out, breaking the page first unless `seguinte` more stays free under it.
void DocumentoRelatorio::coloca(const Linha& l, double seguinte) {
    const LinhaRelatorio::Tipo tipo = l.tipo;
    const double altura = alturaLinha(l.linhasTexto);
    // The totals after the groups belong to none of them.
    if (tipo == LinhaRelatorio::Tipo::Resumo || tipo == LinhaRelatorio::Tipo::Vazio ||
        tipo == LinhaRelatorio::Tipo::Grupo)
        grupoAberto_ = -1;
    const double precisa = altura + seguinte;
    if (!secaoAberta_) {
        abreSecaoNaPagina(false, precisa);
    } else if (resta_ < precisa) {
        novaPagina();
        abreSecaoNaPagina(true, precisa);
        if (grupoAberto_ >= 0) repeteGrupo();
    }
    if (tipo == LinhaRelatorio::Tipo::Detalhe || tipo == LinhaRelatorio::Tipo::Vazio) {
        // The section's last row so far, with the headings right above it on this page.
        cauda_ = qint64(linhas_.size());
        grupoCauda_ = grupoAberto_;
        while (cauda_ > pedacos_.back().de && linhas_[size_t(cauda_) - 1].tipo == LinhaRelatorio::Tipo::Grupo) {
            --cauda_;
            grupoCauda_ = -1;
        }
    }
    linhas_.push_back(l);
    pedacos_.back().ate = qint64(linhas_.size());
    resta_ -= altura;
    if (tipo == LinhaRelatorio::Tipo::Grupo) grupoAberto_ = qint64(linhas_.size()) - 1;
    if (tipo == LinhaRelatorio::Tipo::Subtotal) grupoAberto_ = -1;   // it closes its group
}

// A total wider than its column takes what it needs from the cell on its left (a label, or a
// total that passes the shortfall on), so that it prints whole on one line: sums of many amounts
// go past the widest single amount the columns are made for.
std::vector<DocumentoRelatorio::Peca> DocumentoRelatorio::pecasDaLinha(const Secao& s, LinhaRelatorio::Tipo tipo,
                                                                       const std::vector<QString>& c) const {
    std::vector<Peca> r = s.pecas[int(tipo)];
    for (size_t i = r.size(); i-- > 1;) {
        Peca& p = r[i];
        if (!p.total || p.celula >= int(c.size())) continue;
        const double falta = estilo_->encaixe.largura(c[size_t(p.celula)], p.negrito) + 1 - p.largura;
        if (falta <= 0) continue;
        p.x -= falta;
        p.largura += falta;
        r[i - 1].largura = std::max(1.0, r[i - 1].largura - falta);
    }
    return r;
}

void DocumentoRelatorio::conclui() {
    {
        QMutexLocker t(&trava_);
        if (concluido_ || interrompido_) return;
        colocaFechos();
        colocaPendentes(0);
        abreSecaoPendente();
        if (paginas_.empty()) novaPagina();
        concluido_ = true;
    }
    emit terminou();
}

void DocumentoRelatorio::interrompe(const QString& motivo) {
    {
        QMutexLocker t(&trava_);
        if (concluido_ || interrompido_) return;
        colocaFechos();
        colocaPendentes(0);
        interrompido_ = true;
        motivo_ = motivo;
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
        if (!s.titulo.isEmpty()) r << continuacao(s.titulo, pd.continuacao);
        if (!s.colunas.isEmpty()) {
            QStringList cab;
            for (const ColunaModelo& c : s.colunas) cab << c.cabecalho;
            r << cab.join(QStringLiteral(" | "));
        }
        if (pd.grupo >= 0) r << continuacao(celulas(linhas_[size_t(pd.grupo)]).front(), true);
        for (qint64 li = pd.de; li < pd.ate; ++li) {
            const Linha& l = linhas_[size_t(li)];
            const std::vector<QString> c = celulas(l);
            QStringList partes;
            for (const Peca& p : s.pecas[int(l.tipo)])
                partes << (p.celula < int(c.size()) ? c[size_t(p.celula)] : QString());
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

DesenhoPagina DocumentoRelatorio::desenhoPagina(int pagina) const {
    QMutexLocker t(&trava_);
    return desenhoPaginaSemTrava(pagina);
}

DesenhoPagina DocumentoRelatorio::desenhoPaginaSemTrava(int pagina) const {
    DesenhoPagina d;
    if (pagina < 0 || pagina >= int(paginas_.size())) return d;
    const Estilo& e = *estilo_;
    const double h = e.encaixe.alturaLinha();
    // A line of the page's own (title, heading, footer), smaller should it not fit its width.
    const auto linhaSo = [&d](const QRectF& r, const QString& texto, const QFont& f, Qt::Alignment a) {
        d.textos.push_back({r, texto, fonteQueCabe(f, texto, r.width()), a});
    };
    // A cell from `y`, set whole on as many lines as it takes.
    const auto poe = [&](double y, const Peca& p, const QString& texto) {
        const EncaixeTexto::Encaixe en = e.encaixe.encaixa(texto, p.largura, p.negrito);
        for (int i = 0; i < en.linhas.size(); ++i)
            d.textos.push_back({QRectF(p.x, y + kPreenchimento + i * h, p.largura, h), en.linhas[i], en.fonte,
                                p.alinhamento});
    };

    double y = 0;
    linhaSo(QRectF(0, y, e.largura, e.alturaTitulo), titulo_, e.titulo, Qt::AlignLeft);
    y += e.alturaTitulo;
    if (!cabecalho_.isEmpty()) {
        linhaSo(QRectF(0, y, e.largura, e.alturaCabecalho), cabecalho_, e.negrito, Qt::AlignLeft);
        y += e.alturaCabecalho;
    }
    for (int i = paginas_[size_t(pagina)].primeiroPedaco; i < ultimoPedaco(pagina); ++i) {
        const Pedaco& pd = pedacos_[size_t(i)];
        const Secao& s = secoes_[size_t(pd.secao)];
        if (!s.titulo.isEmpty()) {
            y += e.espacoSecao;
            linhaSo(QRectF(0, y, e.largura, e.mNegrito.height()), continuacao(s.titulo, pd.continuacao), e.negrito,
                    Qt::AlignLeft);
            y += e.alturaTituloSecao - e.espacoSecao;
        } else {
            y += e.espacoSecao / 2;
        }
        if (!s.colunas.isEmpty()) {
            d.fundos.push_back(QRectF(0, y, e.largura, s.alturaCabecalho));
            for (const Peca& p : s.cabecalhos) poe(y, p, s.colunas[p.celula].cabecalho);
            y += s.alturaCabecalho;
        }
        if (pd.grupo >= 0) {
            const Peca& p = s.pecas[int(LinhaRelatorio::Tipo::Grupo)].front();
            poe(y, p, continuacao(celulas(linhas_[size_t(pd.grupo)]).front(), true));
            y += alturaLinha(pd.linhasGrupo);
        }
        for (qint64 li = pd.de; li < pd.ate; ++li) {
            const Linha& l = linhas_[size_t(li)];
            const std::vector<QString> c = celulas(l);
            const std::vector<Peca> totais = ehTotal(l.tipo) ? pecasDaLinha(s, l.tipo, c) : std::vector<Peca>{};
            for (const Peca& p : ehTotal(l.tipo) ? totais : s.pecas[int(l.tipo)])
                poe(y, p, p.celula < int(c.size()) ? c[size_t(p.celula)] : QString());
            y += alturaLinha(l.linhasTexto);
        }
    }
    // The footer stands at the bottom of the printable height, whatever the page holds.
    const double yRodape = e.altura - e.mNormal.height();
    linhaSo(QRectF(0, yRodape, e.largura * 0.75, e.mNormal.height()), rodapePagina(pagina), e.normal, Qt::AlignLeft);
    linhaSo(QRectF(e.largura * 0.75, yRodape, e.largura * 0.25, e.mNormal.height()),
            numeroPagina(pagina, int(paginas_.size()), concluido_), e.normal, Qt::AlignRight);
    return d;
}

void DocumentoRelatorio::pintaPagina(QPainter& p, int pagina) const {
    const DesenhoPagina d = desenhoPagina(pagina);
    p.save();
    p.setPen(Qt::black);
    for (const QRectF& r : d.fundos) p.fillRect(r, QColor(225, 225, 225));
    for (const TextoPosto& t : d.textos) {
        p.setFont(t.fonte);
        p.drawText(t.caixa, int(t.alinhamento | Qt::AlignVCenter | Qt::TextSingleLine), t.texto);
    }
    p.restore();
}
