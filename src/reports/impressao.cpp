#include "reports/impressao.h"

#include "branches/arquivos.h"
#include "data/banco.h"
#include "data/conexoes_abertas.h"
#include "data/gravacao_segura.h"
#include "reports/documento.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The PDF's bytes, straight to its file: what the PDF writer does not say (a write the disk had
// no room for) is kept here.
class SaidaPdf : public QIODevice {
public:
    explicit SaidaPdf(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    ~SaidaPdf() override { fecha(); }
    bool isSequential() const override { return true; }
    // The failure of the first write that failed, or of the closing; 0 when none.
    int erro() const { return erro_; }
    void fecha() {
        if (fd_ >= 0 && ::close(fd_) != 0 && !erro_) erro_ = errno;
        fd_ = -1;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 n) override {
        if (erro_ || fd_ < 0) return -1;
        if (escreveTudo(fd_, dados, n)) return n;
        erro_ = errno ? errno : EIO;
        return -1;
    }

private:
    int fd_;
    int erro_ = 0;
};

void configuraImpressora(QPagedPaintDevice& folhas) {
    folhas.setPageSize(QPageSize(QPageSize::A4));
    folhas.setPageOrientation(QPageLayout::Portrait);
    folhas.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

namespace {

// The same folder, however its path is written.
bool mesmaPasta(const QString& a, const QString& b) {
    struct stat x {}, y {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// A file the program keeps in its folder: its database and the files beside it, its lock, the
// fiscal journal, the templates, the program itself, its copies while they are written. None is
// named "*.pdf", the only name a PDF takes there.
bool arquivoDoPrograma(const QString& caminho, const QString& pastaPrograma) {
    const QFileInfo f(caminho);
    return mesmaPasta(f.absolutePath(), pastaPrograma) &&
           !f.fileName().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

QString naoGravado(const QString& caminho) {
    return QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho);
}

}  // namespace

ImpressaoRelatorio::ImpressaoRelatorio(const DocumentoRelatorio& documento, QPrinter& impressora)
    : documento_(documento), impressora_(&impressora) {}

// The PDF is written under a second name and takes the chosen one once whole: a file that was
// there stays until then, and stays when the saving is cancelled or fails.
ImpressaoRelatorio::ImpressaoRelatorio(const DocumentoRelatorio& documento, const QString& caminho,
                                       const QString& pastaPrograma)
    : documento_(documento), caminho_(caminho), pastaPrograma_(pastaPrograma) {}

ImpressaoRelatorio::~ImpressaoRelatorio() {
    if (!terminada_) cancela();
}

bool ImpressaoRelatorio::abrePdf() {
    // The database, its log, or another file the engine holds for the program: replaced by a
    // PDF, the records would be lost.
    if (conexaoQueUsa(caminho_)) {
        falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: ele é o banco de dados em uso pelo programa.")
                     .arg(caminho_);
        return false;
    }
    // Its lock replaced, a second copy of the program would start on the same data.
    if (arquivoDoPrograma(caminho_, pastaPrograma_)) {
        falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: ele é um dos arquivos do programa. "
                                "Escolha um nome terminado em .pdf ou outra pasta.")
                     .arg(caminho_);
        return false;
    }
    const QFileInfo destino(caminho_);
    if (destino.exists() && (!destino.isFile() || !destino.isWritable())) {
        falha_ = QStringLiteral("Não foi possível gravar o arquivo %1: o arquivo que já existe não pode ser "
                                "substituído.")
                     .arg(caminho_);
        return false;
    }
    // Made new under a name of its own: a file or a link found at the usual one is left as it was.
    temporario_ = std::make_unique<ArquivoTemporario>(pastaPrograma_, caminho_ + kSufixoGravando);
    const int fd = criaArquivoNovo(temporario_->caminho(), O_WRONLY, 0666);
    if (fd < 0) {
        const int erro = errno;
        temporario_->esquece();   // whatever is there is not ours
        temporario_.reset();
        falha_ = semEspaco(erro) ? textoDiscoCheio(caminho_)
                                 : QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                       .arg(caminho_, QString::fromLocal8Bit(std::strerror(erro)));
        return false;
    }
    saida_ = std::make_unique<SaidaPdf>(fd);
    pdf_ = std::make_unique<QPdfWriter>(saida_.get());
    pdf_->setResolution(1200);
    pdf_->setTitle(documento_.titulo());
    configuraImpressora(*pdf_);
    return true;
}

bool ImpressaoRelatorio::comeca() {
    comecou_ = true;
    de_ = 0;
    ate_ = documento_.paginas() - 1;
    if (impressora_ && impressora_->printRange() == QPrinter::PageRange && impressora_->fromPage() > 0) {
        de_ = impressora_->fromPage() - 1;
        ate_ = std::min(ate_, impressora_->toPage() - 1);
    }
    atual_ = de_;
    if (!impressora_ && !abrePdf()) return false;
    if (ate_ < de_) return true;
    if (!pintor_.begin(impressora_ ? static_cast<QPaintDevice*>(impressora_) : pdf_.get())) {
        falha_ = impressora_ ? QStringLiteral("Não foi possível imprimir: a impressora não está disponível.")
                             : naoGravado(caminho_);
        return false;
    }
    pintor_.setRenderHint(QPainter::TextAntialiasing);
    return true;
}

bool ImpressaoRelatorio::avanca(int ms) {
    if (terminada_) return true;
    if (!comecou_ && !comeca()) {
        terminada_ = true;
        if (saida_) termina();
        return true;
    }
    QElapsedTimer relogio;
    relogio.start();
    QPagedPaintDevice& folhas = impressora_ ? static_cast<QPagedPaintDevice&>(*impressora_) : *pdf_;
    // The painter starts at the printable area's corner, in device pixels.
    const double escala = (impressora_ ? impressora_->resolution() : pdf_->resolution()) / kUnidadesPorPolegada;
    const auto semGravar = [&] { return saida_ && saida_->erro(); };
    while (atual_ <= ate_) {
        if (atual_ > de_ && !folhas.newPage()) {
            falha_ = impressora_ ? QStringLiteral("A impressão foi interrompida pela impressora.") : naoGravado(caminho_);
            break;
        }
        // A write that failed (a full disk: the last page went to the file at the new one) ends
        // the saving there, told as such: the pages after it would be painted for nothing.
        if (semGravar()) break;
        pintor_.save();
        pintor_.scale(escala, escala);
        documento_.pintaPagina(pintor_, atual_);
        pintor_.restore();
        ++atual_;
        if (relogio.elapsed() >= ms) break;
    }
    if (atual_ > ate_ || !falha_.isEmpty() || semGravar()) termina();
    return terminada_;
}

void ImpressaoRelatorio::termina() {
    terminada_ = true;
    if (pintor_.isActive()) pintor_.end();   // the PDF's last bytes
    if (!saida_) return;
    saida_->fecha();
    // A disk that filled up is told as such, as everywhere in the program.
    if (falha_.isEmpty() && saida_->erro())
        falha_ = semEspaco(saida_->erro()) ? textoDiscoCheio(caminho_) : naoGravado(caminho_);
    if (falha_.isEmpty()) {
        try {
            substituiArquivo(temporario_->caminho(), caminho_);
            temporario_->esquece();
        } catch (const ErroBanco& e) {
            falha_ = e.mensagem();
        }
    }
    temporario_.reset();   // removed unless it took its place
}

void ImpressaoRelatorio::cancela() {
    if (terminada_) return;
    terminada_ = true;
    if (pintor_.isActive()) {
        if (impressora_) impressora_->abort();
        pintor_.end();
    }
    if (!saida_) return;
    saida_->fecha();
    temporario_.reset();
}

QString gravaPdf(const DocumentoRelatorio& documento, const QString& caminho, const QString& pastaPrograma) {
    ImpressaoRelatorio pdf(documento, caminho, pastaPrograma);
    while (!pdf.avanca(0)) {}
    return pdf.falha();
}
