#include "support/outro_processo.h"

#include "data/ordem_geral.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool escreve(int fd, const std::string& s) {
    size_t feito = 0;
    while (feito < s.size()) {
        const ssize_t n = ::write(fd, s.data() + feito, s.size() - feito);
        if (n <= 0) return false;
        feito += size_t(n);
    }
    return true;
}

bool leLinha(int fd, std::string& linha) {
    linha.clear();
    char c;
    while (::read(fd, &c, 1) == 1) {
        if (c == '\n') return true;
        linha += c;
    }
    return false;
}

// Who holds a lock on the bytes of the file that would keep a writer out: the pid, or 0.
std::string quemTrava(const std::string& pedido) {
    const size_t fim = pedido.find('\t');
    const std::string caminho = pedido.substr(0, fim);
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "-1";
    struct flock l {};
    l.l_type = F_WRLCK;
    l.l_whence = SEEK_SET;
    long inicio = 0, tamanho = 0;
    if (fim != std::string::npos) std::sscanf(pedido.c_str() + fim + 1, "%ld %ld", &inicio, &tamanho);
    l.l_start = inicio;
    l.l_len = tamanho;
    const bool ok = ::fcntl(fd, F_GETLK, &l) == 0;
    ::close(fd);
    if (!ok) return "-1";
    return std::to_string(l.l_type == F_UNLCK ? 0 : l.l_pid);
}

struct Canais {
    int leitura, escrita;
};

// Waiting for the file: says so ("esperando"), and tries again only when told to ("s").
int esperaOrdem(void* c, int) {
    const auto* canais = static_cast<const Canais*>(c);
    std::string ordem;
    return escreve(canais->escrita, "esperando\n") && leLinha(canais->leitura, ordem) && ordem == "s";
}

// The other process: one request a line ("O path", "E sql", "P sql", "C", "T path\tstart len",
// "W path", "M path", "F"), one answer a line.
[[noreturn]] void atende(int leitura, int escrita) {
    Canais canais{leitura, escrita};
    sqlite3* db = nullptr;
    int gravando = -1;
    void* mapa = MAP_FAILED;
    size_t tamanhoMapa = 0;
    std::string pedido;
    while (leLinha(leitura, pedido) && !pedido.empty()) {
        const char comando = pedido[0];
        const std::string texto = pedido.size() > 2 ? pedido.substr(2) : std::string();
        std::string resposta = "ok";
        if (comando == 'O') {
            if (sqlite3_open_v2(texto.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
                resposta = sqlite3_errmsg(db);
            else
                sqlite3_create_collation(db, kNomeOrdemGeral, SQLITE_UTF8, nullptr,
                                         comparaOrdemGeralSqlite);
        } else if (comando == 'E' || comando == 'P') {
            if (comando == 'P') sqlite3_busy_handler(db, esperaOrdem, &canais);
            char* erro = nullptr;
            if (sqlite3_exec(db, texto.c_str(), nullptr, nullptr, &erro) != SQLITE_OK)
                resposta = erro ? erro : sqlite3_errmsg(db);
            sqlite3_free(erro);
            sqlite3_busy_handler(db, nullptr, nullptr);
        } else if (comando == 'T') {
            resposta = quemTrava(texto);
        } else if (comando == 'W') {
            gravando = ::open(texto.c_str(), O_WRONLY | O_CLOEXEC);
            if (gravando < 0) resposta = "erro";
        } else if (comando == 'M') {
            const int fd = ::open(texto.c_str(), O_RDWR | O_CLOEXEC);
            struct stat st {};
            if (fd >= 0 && ::fstat(fd, &st) == 0) {
                tamanhoMapa = size_t(st.st_size);
                mapa = ::mmap(nullptr, tamanhoMapa, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            }
            if (fd >= 0) ::close(fd);
            if (mapa == MAP_FAILED) resposta = "erro";
        } else if (comando == 'F') {
            ::close(gravando);
            gravando = -1;
            if (mapa != MAP_FAILED) ::munmap(mapa, tamanhoMapa);
            mapa = MAP_FAILED;
        } else if (comando == 'C') {
            sqlite3_close(db);
            db = nullptr;
        }
        if (!escreve(escrita, resposta + "\n")) break;
    }
    ::_exit(0);
}

}  // namespace

ConexaoEmOutroProcesso::ConexaoEmOutroProcesso() {
    int pedidos[2], respostas[2];
    if (::pipe(pedidos) != 0) return;
    if (::pipe(respostas) != 0) {
        ::close(pedidos[0]);
        ::close(pedidos[1]);
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(pedidos[1]);
        ::close(respostas[0]);
        atende(pedidos[0], respostas[1]);
    }
    ::close(pedidos[0]);
    ::close(respostas[1]);
    escrita_ = pedidos[1];
    leitura_ = respostas[0];
}

ConexaoEmOutroProcesso::~ConexaoEmOutroProcesso() {
    if (escrita_ >= 0) ::close(escrita_);   // the other process ends at the end of its requests
    if (leitura_ >= 0) ::close(leitura_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
}

QString ConexaoEmOutroProcesso::pede(char comando, const QString& texto) {
    return manda(std::string(1, comando) + ' ' + texto.toStdString());
}

QString ConexaoEmOutroProcesso::manda(const std::string& linha) {
    if (pid_ <= 0) return QStringLiteral("sem processo");
    std::string resposta;
    if (!escreve(escrita_, linha + '\n') || !leLinha(leitura_, resposta)) return QStringLiteral("sem resposta");
    return QString::fromStdString(resposta);
}

QString ConexaoEmOutroProcesso::abre(const QString& caminho) { return pede('O', caminho); }
QString ConexaoEmOutroProcesso::executa(const QString& sql) { return pede('E', sql); }
QString ConexaoEmOutroProcesso::executaEsperando(const QString& sql) { return pede('P', sql); }
QString ConexaoEmOutroProcesso::esperaMais(bool tenta) { return manda(tenta ? "s" : "n"); }
QString ConexaoEmOutroProcesso::fecha() { return pede('C'); }
pid_t ConexaoEmOutroProcesso::travadoPor(const QString& caminho, int inicio, int tamanho) {
    return pede('T', QStringLiteral("%1\t%2 %3").arg(caminho).arg(inicio).arg(tamanho)).toInt();
}
QString ConexaoEmOutroProcesso::seguraParaGravar(const QString& caminho) { return pede('W', caminho); }
QString ConexaoEmOutroProcesso::mapeiaParaGravar(const QString& caminho) { return pede('M', caminho); }
QString ConexaoEmOutroProcesso::largaArquivo() { return pede('F'); }
