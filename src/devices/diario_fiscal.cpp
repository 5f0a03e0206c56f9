#include "devices/diario_fiscal.h"

#include "data/gravacao_segura.h"
#include "data/nome_guardado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only the journal itself: never through a link, into a file of another name, or waiting.
int abreDiario(const QString& caminho, QString& ocupado) {
    return abreGuardado(caminho, O_WRONLY | O_APPEND, &ocupado);
}

// A new journal, owner-only like the database, its name synced into the folder before any line
// goes in, so that a line reported as written is never in a file a power cut takes away.
int criaDiario(const QString& caminho, QString& ocupado) {
    const int fd = abreGuardado(caminho, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, &ocupado);
    if (fd < 0) return errno == EEXIST ? abreDiario(caminho, ocupado) : -1;
    if (!sincronizaPasta(QFileInfo(caminho).absolutePath())) {
        ::close(fd);
        ::unlink(QFile::encodeName(caminho).constData());
        return -1;
    }
    return fd;
}

// Appends `linha` whole and synced, or leaves the file as it was: a call is reported carried out
// only once its line is on the disk, and a call reported refused never shows up in the file.
// `ocupado` tells what is at the journal's name instead of it.
bool acrescentaLinha(const QString& caminho, const QByteArray& linha, QString& ocupado) {
    int fd = abreDiario(caminho, ocupado);
    if (fd < 0 && errno == ENOENT) fd = criaDiario(caminho, ocupado);
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

// What the operator is told when the journal's name holds something else.
QString textoOcupado(const QString& ocupado) {
    return ocupado.isEmpty() ? QString()
                             : QStringLiteral("Diário da impressora fiscal: %1 Nenhuma chamada à impressora "
                                              "fiscal é feita enquanto ele estiver lá: remova-o ou "
                                              "mova-o para outro lugar.")
                                   .arg(ocupado);
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
    QString ocupado;
    const bool feita = acrescentaLinha(caminho(), linha.toUtf8(), ocupado);
    falha_ = textoOcupado(ocupado);
    return feita ? 1 : 0;
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
    // Read only from a journal its calls would write into.
    QString ocupado;
    const int fd = abreGuardado(caminho(), O_RDONLY, &ocupado);
    falha_ = textoOcupado(ocupado);
    QFile f;
    if (fd < 0) return {};
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
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
