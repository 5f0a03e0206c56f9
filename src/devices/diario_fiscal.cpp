#include "devices/diario_fiscal.h"

#include "data/gravacao_segura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int abreDiario(const QByteArray& nome) {
    int fd;
    do fd = ::open(nome.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// A new journal, owner-only like the database, its name synced into the folder before any line
// goes in, so that a line reported as written is never in a file a power cut takes away.
int criaDiario(const QByteArray& nome, const QString& pasta) {
    const int fd = ::open(nome.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EEXIST ? abreDiario(nome) : -1;
    if (!sincronizaPasta(pasta)) {
        ::close(fd);
        ::unlink(nome.constData());
        return -1;
    }
    return fd;
}

// Appends `linha` whole and synced, or leaves the file as it was: a call is reported carried out
// only once its line is on the disk, and a call reported refused never shows up in the file.
bool acrescentaLinha(const QString& caminho, const QByteArray& linha) {
    const QByteArray nome = QFile::encodeName(caminho);
    int fd = abreDiario(nome);
    if (fd < 0 && errno == ENOENT) fd = criaDiario(nome, QFileInfo(caminho).absolutePath());
    if (fd < 0) return false;
    struct stat s {};
    if (::fstat(fd, &s) != 0) {
        ::close(fd);
        return false;
    }
    // A journal of an earlier version, readable by all, becomes owner-only.
    if (s.st_mode & 077) ::fchmod(fd, s.st_mode & 0700);
    const bool ok = escreveTudo(fd, linha.constData(), linha.size()) && ::fsync(fd) == 0;
    if (!ok && ::ftruncate(fd, s.st_size) == 0) ::fsync(fd);
    ::close(fd);   // once synced, the line stands whatever the closing says
    return ok;
}

}  // namespace

QString DiarioFiscal::caminho() const { return QDir(pasta_()).filePath(kArquivo); }

int DiarioFiscal::registra(const QString& chamada, const QStringList& argumentos) {
    QStringList campos;
    for (QString a : argumentos) {
        // One call a line: line breaks inside an argument (the item's two lines) are written as \n.
        a.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        a.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
        a.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        a.replace(QLatin1Char('\r'), QLatin1String("\\r"));
        a.replace(QLatin1Char('"'), QLatin1String("\\\""));
        campos << QLatin1Char('"') + a + QLatin1Char('"');
    }
    const QString linha = agora_().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char(' ') +
                          chamada + QLatin1Char('(') + campos.join(QLatin1String(", ")) +
                          QLatin1String(")\n");
    return acrescentaLinha(caminho(), linha.toUtf8()) ? 1 : 0;
}

int DiarioFiscal::vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                            const QString& tipoQuantidade, const QString& quantidade,
                            int casasDecimais, const QString& valor, const QString& tipoDesconto,
                            const QString& desconto) {
    return registra(QStringLiteral("VendeItem"),
                    {codigo, descricao, aliquota, tipoQuantidade, quantidade,
                     QString::number(casasDecimais), valor, tipoDesconto, desconto});
}

int DiarioFiscal::fechaCupomResumido(const QString& formaPagamento, const QString& mensagem) {
    return registra(QStringLiteral("FechaCupomResumido"), {formaPagamento, mensagem});
}

int DiarioFiscal::leituraX() { return registra(QStringLiteral("LeituraX"), {}); }

QString DiarioFiscal::cupomAberto() const {
    QFile f(caminho());
    if (!f.open(QIODevice::ReadOnly)) return {};
    // A coupon holds a few lines: the journal's end tells, however long the journal is.
    constexpr qint64 kFim = 64 * 1024;
    if (f.size() > kFim) f.seek(f.size() - kFim);
    const QList<QByteArray> linhas = f.readAll().split('\n');
    const QByteArray venda = " VendeItem(\"", fecha = " FechaCupomResumido(";
    for (auto l = linhas.crbegin(); l != linhas.crend(); ++l) {
        if (l->contains(fecha)) return {};
        const qsizetype i = l->indexOf(venda);
        if (i < 0) continue;
        // The code is the first argument; an item code is digits, never an escaped quote.
        const qsizetype inicio = i + venda.size();
        const QString codigo = QString::fromUtf8(l->mid(inicio, l->indexOf('"', inicio) - inicio));
        return codigo.isEmpty() ? QStringLiteral("sem número") : codigo;
    }
    return {};
}

int DiarioFiscal::reducaoZ(const QString& data, const QString& hora) {
    return registra(QStringLiteral("ReducaoZ"), {data, hora});
}
